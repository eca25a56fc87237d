// SPDX-License-Identifier: GPL-3.0-or-later
// "sgn.dat": any content either gives a table whose 64 figures are the file's first lines and
// whose colours are three numbers 0..255 written back in one form, read again to the same table,
// or is refused naming the file.
#include "data/data_error.h"
#include "data/sgn_table.h"
#include "fuzz_support.h"

using namespace orbisca;
using orbisca::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::putFile("sgn.dat", fuzz::inputBytes(data, size));
    SgnTable table;
    try {
        table = loadSgnTable(WorkingFolder(fuzz::fuzzFolder().path()));
    } catch (const DataFileError& e) {
        check(e.message().startsWith("sgn.dat"), "error names no file", e.message());
        return 0;
    }
    for (const SgnColour& c : table.colours) {
        check(c.red >= 0 && c.red <= 255 && c.green >= 0 && c.green <= 255 && c.blue >= 0 &&
                  c.blue <= 255,
              "a colour out of range", c.scriptText());
        check(c.scriptText() == QStringLiteral(" %1 %2 %3 ").arg(c.red).arg(c.green).arg(c.blue),
              "a colour written in another form", c.scriptText());
    }
    check(parseSgnTable(sgnTableLines(table)) == table, "the table reads back otherwise");
    return 0;
}
