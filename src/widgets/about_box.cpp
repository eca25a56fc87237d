// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/about_box.h"

#include <QMessageBox>

#include "data/day_words.h"
#include "data/program_title.h"
#include "data/text_file.h"
#include "widgets/window_keys.h"

namespace orbisca {

namespace {

QString escaped(int line) {
    return readDatabaseLine(line, QStringLiteral("BASE.KTX")).toHtmlEscaped();
}

}  // namespace

QString aboutText() {
    namespace line = base_line;
    const QString homepage = programHomepage().toHtmlEscaped();
    return QStringLiteral("<p><b>%1</b></p><p>%2<br>%3<br>%4</p><p>%5 <a href=\"%6\">%6</a></p>")
        .arg(programTitle().toHtmlEscaped(), escaped(line::kCodeLicence),
             escaped(line::kPackLicence), escaped(line::kFontLicence),
             escaped(line::kHomepageLabel), homepage);
}

void showAboutBox(QWidget* parent) {
    QMessageBox box(QMessageBox::Information,
                    readDatabaseLine(base_line::kAboutTitle, QStringLiteral("BASE.KTX")),
                    aboutText(), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::RichText);
    box.setTextInteractionFlags(Qt::TextBrowserInteraction);
    box.exec();
    giveKeysBack(parent);
}

}  // namespace orbisca
