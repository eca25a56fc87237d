// SPDX-License-Identifier: GPL-3.0-or-later
// "WindWHP.dat": any content gives values inside their ranges that a save writes back unchanged;
// bad lines take their defaults and are named in one message, the good ones are kept. Never a
// crash.
#include "data/print_window_file.h"
#include "data/text_file.h"
#include "fuzz_support.h"

using namespace orbisca;
using orbisca::fuzz::check;

namespace {

bool inRanges(const PrintWindowValues& v) {
    auto colour = [](std::int32_t c) { return c >= 0 && c <= 255; };
    auto side = [](std::int32_t s) { return s >= 1 && s <= 16384; };
    return v.width >= 1 && v.height >= 1 && side(v.canvasWidth) && side(v.canvasHeight) &&
           v.sampleHeight >= -16384 && v.sampleHeight <= 16384 && colour(v.backRed) &&
           colour(v.backGreen) && colour(v.backBlue) && colour(v.textRed) && colour(v.textGreen) &&
           colour(v.textBlue);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::fuzzFolder().remove("~last.spt");
    fuzz::putFile("WindWHP.dat", fuzz::inputBytes(data, size));
    fuzz::RunState run;
    const PrintWindowFiles read = loadPrintWindowFiles(run);
    check(!read.lastScript.has_value(), "a last script without the file");
    if (!read.problem.isEmpty()) {
        check(read.problem.startsWith("WindWHP.dat"), "problem names no file", read.problem);
        // Shown as a message box shows it: a control character the file held is escaped.
        check(run.notifier.messages == QStringList{escapeControlCharacters(read.problem, true)},
              "the problem was not shown once");
    } else {
        check(run.notifier.messages.isEmpty(), "a message for a file that loaded");
    }
    check(inRanges(read.values), "a value outside its range was kept");
    const QStringList script = {"[Sign info script]", "TEXT 20 0 rgt 'x'"};
    check(savePrintWindowFiles(run, read.values, script), "save failed");
    const PrintWindowFiles again = loadPrintWindowFiles(run);
    check(again.problem.isEmpty() && again.values == read.values,
          "the saved file reads back differently");
    check(again.lastScript == script, "the last script reads back differently");
    return 0;
}
