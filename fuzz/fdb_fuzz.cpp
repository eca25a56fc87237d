// SPDX-License-Identifier: GPL-3.0-or-later
// "fdb.dat": any content either fills the font table (each of the nine places from its line, the
// default font where the file has no line) or is refused with an error naming the file, the table
// left as it was.
#include <QGuiApplication>

#include "data/data_error.h"
#include "fuzz_support.h"
#include "gfx/font_table.h"

using namespace orbisca;
using orbisca::fuzz::check;

namespace {

// Fonts need a QGuiApplication; the offscreen platform needs no display.
void ensureGuiApplication() {
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ensureGuiApplication();
    const QByteArray content = fuzz::inputBytes(data, size);
    fuzz::putFile("fdb.dat", content);
    const WorkingFolder folder(fuzz::fuzzFolder().path());
    FontTable table;
    const QStringList lines = splitTextLines(decodeText(content));
    try {
        table.load(folder);
    } catch (const DataFileError& e) {
        check(e.message().startsWith("fdb.dat"), "error names no file", e.message());
        for (const auto& place : table.fonts)
            check(!place.has_value(), "a refused file filled the table");
        return 0;
    }
    for (int index = 0; index < kFontTableSize; ++index) {
        const TableFont font = table.font(index);
        check(font.colour == QColor(Qt::white), "a font not white");
        check(font.font == parseFontLine(lines.value(index)).font, "font differs from its line",
              lines.value(index));
        check(font.font.pixelSize() <= 16384 && font.font.pointSize() <= 16384,
              "a font beyond the bound");
    }
    return 0;
}
