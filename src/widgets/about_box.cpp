// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/about_box.h"

#include <QMessageBox>

#include "data/day_words.h"
#include "data/program_title.h"
#include "widgets/window_keys.h"

namespace orbisca {

namespace {

QString escaped(const WorkingFolder& folder, int line) {
    return baseLine(folder, line).toHtmlEscaped();
}

}  // namespace

QString aboutText(const WorkingFolder& folder) {
    namespace line = base_line;
    const QString homepage = programHomepage().toHtmlEscaped();
    return QStringLiteral("<p><b>%1</b></p><p>%2<br>%3<br>%4</p><p>%5 <a href=\"%6\">%6</a></p>")
        .arg(programTitle().toHtmlEscaped(), escaped(folder, line::kCodeLicence),
             escaped(folder, line::kPackLicence), escaped(folder, line::kFontLicence),
             escaped(folder, line::kHomepageLabel), homepage);
}

void showAboutBox(const WorkingFolder& folder, QWidget* parent) {
    QMessageBox box(QMessageBox::Information, baseLine(folder, base_line::kAboutTitle),
                    aboutText(folder), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::RichText);
    box.setTextInteractionFlags(Qt::TextBrowserInteraction);
    box.exec();
    giveKeysBack(parent);
}

}  // namespace orbisca
