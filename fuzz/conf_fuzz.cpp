// "conf.dat": any content either loads, with every setting inside its range and a save that reads
// back to the same settings, or is refused with one message naming the line, leaving the
// settings in force untouched.
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
    resetNotifierState();
    resetSettings();
    settings().helpPages = -12345;  // a marker: a refused file must leave it
    switch (loadSettings()) {
        case ConfigLoad::Missing:
            check(false, "an existing conf.dat read as missing");
            break;
        case ConfigLoad::Unreadable:
            check(false, "a small regular conf.dat read as unreadable");
            break;
        case ConfigLoad::Malformed:
            check(notifierState().messages.size() == 1, "not exactly one message for a bad file");
            check(notifierState().messages[0].startsWith("conf.dat line "), "message names no line",
                  notifierState().messages[0]);
            check(settings().helpPages == -12345, "a refused file changed the settings");
            break;
        case ConfigLoad::Loaded: {
            check(notifierState().messages.isEmpty(), "a message for a file that loaded");
            const Settings loaded = settings();
            checkRanges(loaded);
            check(saveSettings(loaded), "save failed");
            Settings again;
            check(readConfFile(again) == ConfigLoad::Loaded, "the saved file does not load");
            check(again == loaded, "the saved file reads back differently");
            break;
        }
    }
    return 0;
}
