// "conf.dat": any content either loads, with every setting inside its range and a save that reads
// back to the same controls, or is refused with one message naming the line, leaving the
// settings in force untouched.
#include "data/conf_file.h"
#include "fuzz_support.h"

using namespace orbisca;
using orbisca::fuzz::check;

namespace {

void checkApplied(const ConfigModel& m, const Settings& s) {
    check(m.sp >= kSpinMin && m.sp <= kSpinMax, "speed outside the spin range");
    check(m.com1Index >= -1 && m.com1Index < kDateFormatEntries,
          "date format entry outside its list");
    check(m.com2Index >= -1 && m.com2Index < kMoonEntries, "moon entry outside its list");
    check(s._spconst == (m.cb1 ? m.sp : 0), "transition speed not applied");
    check(s.moon_flag == (m.com2Index == 0), "moon option not applied");
    check(s.showgreg == (m.com1Index < 6), "date visibility not applied");
    check(!s.showgreg || s.datefmt == m.com1Index, "date format not applied");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::putFile("conf.dat", fuzz::inputBytes(data, size));
    resetNotifierState();
    ConfigModel model;
    Settings applied;
    applied.helppages = -12345;  // a marker: a refused file must leave it
    switch (load(model, applied)) {
        case ConfigLoad::Missing:
            check(false, "an existing conf.dat read as missing");
            break;
        case ConfigLoad::Malformed:
            check(notifierState().messages.size() == 1, "not exactly one message for a bad file");
            check(notifierState().messages[0].startsWith("conf.dat line "), "message names no line",
                  notifierState().messages[0]);
            check(applied.helppages == -12345, "a refused file changed the settings");
            break;
        case ConfigLoad::Loaded: {
            check(notifierState().messages.isEmpty(), "a message for a file that loaded");
            checkApplied(model, applied);
            check(save(model), "save failed");
            ConfigModel reread;
            Settings again;
            check(load(reread, again) == ConfigLoad::Loaded, "the saved file does not load");
            check(reread == model, "the saved file reads back differently");
            break;
        }
    }
    return 0;
}
