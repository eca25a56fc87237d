// "fdb.dat": any content either fills the font table (each place from its line, the places of
// missing lines with the default font and one message saying the file is short) or is refused
// with an error naming the file, the table left as it was.
#include "data/data_error.h"
#include "data/font_table.h"
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
        check(e.message().startsWith("fdb.dat line "), "error names no line", e.message());
        for (const auto& place : fontTableState().fonts)
            check(!place.has_value(), "a refused file filled the table");
        return 0;
    }
    const qsizetype used = std::min<qsizetype>(lines.size(), kFontTableSize);
    check(notifierState().messages.size() == (used < kFontTableSize ? 1 : 0),
          "short file not reported once");
    const QFont fallback = parseFontLine(QString()).font;
    for (int index = 0; index < kFontTableSize; ++index) {
        const TableFont font = tableFont(index);
        check(font.colour == QColor(Qt::white), "a font not white");
        if (index < used)
            check(font.font == parseFontLine(lines[index]).font, "font differs from its line",
                  lines[index]);
        else
            check(font.font == fallback, "an empty place is not the default font");
        check(font.font.pixelSize() <= 16384 && font.font.pointSize() <= 16384,
              "a font beyond the bound");
    }
    return 0;
}
