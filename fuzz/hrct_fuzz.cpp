// SPDX-License-Identifier: GPL-3.0-or-later
// "HRCT.dat": content of at least 70 whole records, each a rectangle on the board (every edge
// within the picture limit, left before right, top above bottom), gives the 70 rectangles exactly
// as stored (little-endian left, top, right, bottom); anything else is refused naming the file.
// The hint of a point is the first field in file order that holds it strictly inside.
#include <QtEndian>
#include <algorithm>

#include "data/data_error.h"
#include "data/help_rects.h"
#include "data/input_limits.h"
#include "fuzz_support.h"

using namespace orbisca;
using orbisca::fuzz::check;

namespace {

bool strictlyInside(const HelpRect& r, std::int64_t x, std::int64_t y) {
    return r.left < x && x < r.right && r.top < y && y < r.bottom;
}

HelpRect recordAt(const QByteArray& content, qsizetype index) {
    const char* record = content.constData() + 16 * index;
    return {qFromLittleEndian<std::int32_t>(record), qFromLittleEndian<std::int32_t>(record + 4),
            qFromLittleEndian<std::int32_t>(record + 8),
            qFromLittleEndian<std::int32_t>(record + 12)};
}

// What the file must be to be read: whole records, enough of them, every one a field.
bool acceptable(const QByteArray& content) {
    if (content.size() < kHelpRectCount * 16 || content.size() % 16 != 0) return false;
    for (qsizetype i = 0; i < content.size() / 16; ++i) {
        const HelpRect r = recordAt(content, i);
        for (const std::int32_t v : {r.left, r.top, r.right, r.bottom})
            if (v < -kMaxPictureSide || v > kMaxPictureSide) return false;
        if (!(r.left < r.right && r.top < r.bottom)) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray content = fuzz::inputBytes(data, size);
    std::array<HelpRect, kHelpRectCount> rects;
    try {
        rects = parseHelpRects(content);
    } catch (const DataFileError& e) {
        check(!acceptable(content), "a good file refused", e.message());
        check(e.message().startsWith("HRCT.dat"), "error names no file", e.message());
        return 0;
    }
    check(acceptable(content), "a file of other data accepted");
    for (int i = 0; i < kHelpRectCount; ++i)
        check(rects[i] == recordAt(content, i), "a rectangle differs from its record");

    // Through the files, then the hint of the point just inside each field's top-left corner.
    fuzz::putFile("HRCT.dat", content);
    QByteArray texts;
    for (int i = 0; i < kHelpRectCount; ++i) texts += QByteArray::number(i) + "\r\n";
    fuzz::putFile("Fieldhlp.ktx", texts);
    const HelpRectsState fields = loadHelpFields(WorkingFolder(fuzz::fuzzFolder().path()));
    check(fields.rects == rects, "loadHelpFields read other rectangles");
    for (int i = 0; i < kHelpRectCount; ++i) {
        const std::int64_t x = std::int64_t(rects[i].left) + 1, y = std::int64_t(rects[i].top) + 1;
        if (x > INT32_MAX || y > INT32_MAX) continue;
        QString text = QStringLiteral("none");
        const bool found = findHelpField(fields, std::int32_t(x), std::int32_t(y), text);
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
