// SPDX-License-Identifier: GPL-3.0-or-later
// "fdb.dat": any content either fills the font table (each of the nine places from its line, the
// default font where the file has no line) or is refused with an error naming the file, the table
// left as it was.
#include "data/data_error.h"
#include "gfx/font_table.h"
#include "fuzz_support.h"

using namespace orbisca;
using orbisca::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ensureGuiApplication();
    const QByteArray content = fuzz::inputBytes(data, size);
    fuzz::putFile("fdb.dat", content);
    resetNotifierState();
    resetFontTableState();
    const QStringList lines = splitTextLines(decodeText(content));
    try {
        loadFontTable();
    } catch (const DataFileError& e) {
        check(e.message().startsWith("fdb.dat"), "error names no file", e.message());
        for (const auto& place : fontTableState().fonts)
            check(!place.has_value(), "a refused file filled the table");
        return 0;
    }
    check(notifierState().messages.isEmpty(), "a message for a file that loaded");
    for (int index = 0; index < kFontTableSize; ++index) {
        const TableFont font = tableFont(index);
        check(font.colour == QColor(Qt::white), "a font not white");
        check(font.font == parseFontLine(lines.value(index)).font, "font differs from its line",
              lines.value(index));
        check(font.font.pixelSize() <= 16384 && font.font.pointSize() <= 16384,
              "a font beyond the bound");
    }
    return 0;
}
