#include "pack_fonts.h"

#include <QGuiApplication>
#include <gtest/gtest.h>
#include <memory>

#include "pack_files.h"

namespace orbisca::packtest {

void ensureGuiApplication() {
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "pack_tests";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

// A line holds fields ended by "^": face, size, height, "italic", "bold". A negative height is
// the letter height in pixels, which decides the final size.
QFont packFont(int index) {
    const QStringList lines = packLines(QStringLiteral("fdb.dat"));
    const QStringList fields = lines.value(index).split(u'^');
    EXPECT_GE(fields.size(), 6) << "fdb.dat line " << index + 1;
    QFont font(fields.value(0));
    font.setPointSize(fields.value(1).toInt());
    const int height = fields.value(2).toInt();
    if (height < 0) font.setPixelSize(-height);
    font.setItalic(fields.value(3) == QStringLiteral("italic"));
    font.setBold(fields.value(4) == QStringLiteral("bold"));
    return font;
}

}  // namespace orbisca::packtest
