// SPDX-License-Identifier: GPL-3.0-or-later
// "conf.dat": any content loads with every setting inside its range and a save that reads back to
// the same settings; a bad line gives one message naming each bad line, keeps that setting as it
// was in force, and the other lines still count.
#include "data/conf_file.h"
#include "fuzz_support.h"

using namespace orbisca;
using orbisca::fuzz::check;

namespace {

void checkRanges(const Settings& s) {
    check(s.transitionSpeed >= kTransitionSpeedMin && s.transitionSpeed <= kTransitionSpeedMax,
          "speed outside the spin range");
    check(s.dateFormatEntry >= -1 && s.dateFormatEntry < kDateFormatEntries,
          "date format entry outside its list");
    check(s.moonEntry >= -1 && s.moonEntry < kMoonEntries, "moon entry outside its list");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::putFile("conf.dat", fuzz::inputBytes(data, size));
    fuzz::RunState run;
    const ConfigLoad result = loadSettings(run);
    check(result != ConfigLoad::Missing, "an existing conf.dat read as missing");
    check(result != ConfigLoad::Unreadable, "a small regular conf.dat read as unreadable");
    if (result == ConfigLoad::Malformed) {
        check(run.notifier.messages.size() == 1, "not exactly one message for a bad file");
        for (const QString& line : run.notifier.messages[0].split(u'\n'))
            check(line.startsWith("conf.dat line "), "message names no line", line);
    } else {
        check(run.notifier.messages.isEmpty(), "a message for a file that loaded");
    }
    const Settings loaded = run.settings;
    checkRanges(loaded);
    // There are no help files in the fuzzing folder.
    check(loaded.helpPages == 0, "help pages beyond the help files",
          QString::number(loaded.helpPages));
    // The font line is never bad: it is taken as it stands whatever the other lines hold.
    const QStringList lines = splitTextLines(decodeText(fuzz::inputBytes(data, size)));
    check(loaded.glyphFont == lines.value(7), "the glyph font line was not read", lines.value(7));
    check(saveSettings(run, loaded), "save failed");
    Settings again;
    check(readConfFile(run, again) == ConfigLoad::Loaded, "the saved file does not load");
    check(again == loaded, "the saved file reads back differently");
    return 0;
}
