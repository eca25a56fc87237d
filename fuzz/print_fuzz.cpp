// SPDX-License-Identifier: GPL-3.0-or-later
// "print.dat": any bytes decode to entries that encode back to content decoding to the same
// entries, or give one clear error naming the file and the byte, and the entries before it; the
// donation window's views read "" where the entries end, never past them.
#include "data/data_error.h"
#include "data/donation_files.h"
#include "fuzz_support.h"

using namespace orbisca;
using orbisca::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray content = fuzz::inputBytes(data, size);
    // Read as far as it is valid: the entries before a fault are those a whole file would give.
    const DetailsReading partly = readDetailsAsFarAsValid(content);
    QStringList entries;
    try {
        entries = decodeDetails(content);
    } catch (const DataFileError& e) {
        check(e.message().startsWith("print.dat: ") && e.message().contains("byte "),
              "unclear error", e.message());
        check(e.message() == "print.dat: " + partly.problem, "the two readings differ");
        check(size > 0, "an empty file refused");
        check(decodeDetails(encodeDetails(partly.entries)) == partly.entries,
              "the entries before a fault do not survive a round trip");
        return 0;
    }
    check(partly.problem.isEmpty() && partly.entries == entries, "the two readings differ");
    check(size % 4 == 0, "a cut value accepted");
    check(size == 0 || (data[size - 4] == 0xFF && data[size - 3] == 0xFF &&
                        data[size - 2] == 0xFF && data[size - 1] == 0xFF),
          "content not ended by -1 accepted");
    const QByteArray encoded = encodeDetails(entries);
    check(decodeDetails(encoded) == entries, "entries do not survive a round trip");
    for (int option = -1; option <= kDetailsOptions; ++option) {
        const int base = detailsBaseIndex(option);
        for (int line = 0; line < 24; ++line) {
            const QString entry = detailEntry(entries, option, line);
            const bool there = base >= 0 && base + line < entries.size();
            check(there ? entry == entries[base + line] : entry.isEmpty(),
                  "view entry read wrongly");
        }
    }
    return 0;
}
