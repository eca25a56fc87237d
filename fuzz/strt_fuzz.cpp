// SPDX-License-Identifier: GPL-3.0-or-later
// "strt.dat": a launch either counts (two whole numbers: the count restarts above 20000 and goes up
// by one, the launches left count down to the reminder, which then turns itself off) or, for any
// other content, is a first launch that leaves the file exactly as it was.
#include "data/donation_files.h"
#include "fuzz_support.h"

using namespace orbisca;
using orbisca::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray content = fuzz::inputBytes(data, size);
    fuzz::putFile("strt.dat", content);
    fuzz::RunState run;
    const QStringList lines = splitTextLines(decodeText(content));
    bool countOk = false, leftOk = false;
    const std::int32_t count = lines.value(0).trimmed().toInt(&countOk);
    const std::int32_t left = lines.value(1).trimmed().toInt(&leftOk);

    const bool due = countLaunch(run);
    check(run.notifier.messages.isEmpty(), "a message while counting");
    if (!countOk || !leftOk) {
        check(due, "a damaged counter did not count as a first launch");
        check(fuzz::fileContent("strt.dat") == content, "a damaged counter was rewritten");
        return 0;
    }
    const std::int32_t newCount = (count > 20000 ? 1 : count) + 1;
    std::int32_t newLeft = left > 0 ? left - 1 : left;
    check(due == (newLeft == 0), "reminder due at the wrong launch");
    if (newLeft == 0) newLeft = -1;
    const QByteArray expected =
        QByteArray::number(newCount) + '\n' + QByteArray::number(newLeft) + '\n';
    check(fuzz::fileContent("strt.dat") == expected, "counter written wrongly",
          QString::fromLatin1(expected));
    return 0;
}
