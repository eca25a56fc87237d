// SPDX-License-Identifier: GPL-3.0-or-later
// "HRCT.dat": any content of at least 70 records gives the 70 rectangles exactly as stored
// (little-endian left, top, right, bottom); shorter content is refused naming the file. The hint
// of a point is the first field in file order that holds it strictly inside, whatever the
// rectangles (inverted, empty, at the ends of the integer range).
#include <QtEndian>
#include <algorithm>

#include "data/data_error.h"
#include "data/help_rects.h"
#include "fuzz_support.h"

using namespace orbisca;
using orbisca::fuzz::check;

namespace {

bool strictlyInside(const HelpRect& r, std::int64_t x, std::int64_t y) {
    return r.left < x && x < r.right && r.top < y && y < r.bottom;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray content = fuzz::inputBytes(data, size);
    std::array<HelpRect, kHelpRectCount> rects;
    try {
        rects = parseHelpRects(content);
    } catch (const DataFileError& e) {
        check(size < kHelpRectCount * 16u, "a long enough file refused");
        check(e.message().startsWith("HRCT.dat: "), "error names no file", e.message());
        return 0;
    }
    check(size >= kHelpRectCount * 16u, "a short file accepted");
    for (int i = 0; i < kHelpRectCount; ++i) {
        const char* record = content.constData() + 16 * i;
        const HelpRect stored{qFromLittleEndian<std::int32_t>(record),
                              qFromLittleEndian<std::int32_t>(record + 4),
                              qFromLittleEndian<std::int32_t>(record + 8),
                              qFromLittleEndian<std::int32_t>(record + 12)};
        check(rects[i] == stored, "a rectangle differs from its record");
    }

    // Through the files, then the hint of the point just inside each field's top-left corner.
    fuzz::putFile("HRCT.dat", content);
    QByteArray texts;
    for (int i = 0; i < kHelpRectCount; ++i) texts += QByteArray::number(i) + "\r\n";
    fuzz::putFile("Fieldhlp.ktx", texts);
    loadHelpFields();
    check(helpRectsState().rects == rects, "loadHelpFields read other rectangles");
    for (int i = 0; i < kHelpRectCount; ++i) {
        const std::int64_t x = std::int64_t(rects[i].left) + 1, y = std::int64_t(rects[i].top) + 1;
        if (x > INT32_MAX || y > INT32_MAX) continue;
        QString text = QStringLiteral("none");
        const bool found = findHelpField(std::int32_t(x), std::int32_t(y), text);
        const auto first = std::find_if(rects.begin(), rects.end(),
                                        [&](const HelpRect& r) { return strictlyInside(r, x, y); });
        if (first == rects.end()) {
            check(!found && text == "none", "a hint where no field holds the point");
        } else {
            check(found && text == QString::number(first - rects.begin()),
                  "not the first field's hint", text);
        }
    }
    return 0;
}
