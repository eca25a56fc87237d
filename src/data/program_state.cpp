#include "data/program_state.h"

namespace orbisca {

CompactState& compactState() {
    static CompactState state;
    return state;
}
void resetCompactState() { compactState() = CompactState{}; }

FullModeState& fullModeState() {
    static FullModeState state;
    return state;
}
void resetFullModeState() { fullModeState() = FullModeState{}; }

Settings& settings() {
    static Settings state;
    return state;
}
void resetSettings() { settings() = Settings{}; }

}  // namespace orbisca
