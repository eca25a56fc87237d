// The module-level state of the windows, one plain struct per owner, with the names the error log
// prints. The data layer holds them so that writeerror() can print them; the windows own their
// meaning. Each has one process-wide instance behind an accessor and a reset for tests.
#pragma once

#include <QString>
#include <cstdint>

namespace orbisca {

// The compact (main) window.
struct CompactState {
    std::int32_t STATE =
        0;  // -101 starting, -100 outline ready, 0 shown, 1/2/12/22/32 full mode asked
    std::uint8_t modeF = 0;  // printed in the error log only
    std::int32_t xm = 0;     // mouse position where a window drag started
    std::int32_t ym = 0;
    std::uint8_t sym = 0;  // 1..6: the area whose hint is shown; 0 none
    bool move = false;     // a window drag is in progress
    bool moved = false;    // the current mouse press was used
    bool closed = false;   // the window has been closed: no more painting
};

// The full-mode window and the renderers that share its state.
struct FullModeState {
    std::int32_t fmstate = -1;   // the mode shown; -1 while the window is closed
    std::uint8_t _newstate = 0;  // the mode requested
    std::int32_t spin = 0;       // cross-fade steps still to run
    std::uint8_t _trc = 0;       // opacity of the incoming frame in the current step
    std::int32_t _expstate = 0;  // the mode paintall is painting
    bool _Export = false;        // paint as printing-script lines
    bool _TEXTGRAPHIC = true;    // export elements as glyph text rather than pictures
    bool rightallign = false;    // drawtxt aligns text to the right of the point
    bool _teldrawed = false;     // the telectonon board has been drawn since its mode was chosen
    std::int32_t phx = 0;        // paint-box position of the last mouse press
    std::int32_t phy = 0;
    double t1 = 0.0;      // never set; kept for the log
    double t2 = 0.0;      // (time of day - t1) x 100 after each timer tick
    std::int32_t rx = 0;  // drawing origin added to every position
    std::int32_t ry = 0;
    std::uint8_t _pfont = 0;  // font choice of the last exported font line; 255 none
    std::int32_t pb2ys = 0;   // year cache: year sign and tone of the grid in framebuf2
    std::int32_t pb2yt = 0;
    std::int32_t DOTS = 0;  // sign, tone and cromatic of that year's first day
    std::int32_t DOTT = 0;
    std::int32_t DOTC = 0;
    bool USEPB2 = false;         // elements are drawn into framebuf2
    bool incoming_flag = false;  // paintall paints the incoming mode of a fade
    QString lasthint;            // the hint text shown last
    QString _sfont;              // glyph font of the element being exported
    std::int32_t printmode = 0;  // the mode shown when the print manager was opened from here
    bool printfromfull = false;  // the print manager was opened from this window
    // Role flags: set just before drawsign draws the day's kin, tone, guide ... ; cleared after it.
    bool _KIN = false;
    bool _TONE = false;
    bool _GUIDE = false;
    bool _ANALOG = false;
    bool _ANTIPOD = false;
    bool _ATEACHER = false;
    bool _PLASM = false;
};

// The settings that conf.dat and the configuration dialog give the program (see conf_file.h).
struct Settings {
    bool _Yline = false;         // line in the year view
    bool _Yshine = false;        // shine in the year view
    bool _Yfigure = false;       // day icon in the year view
    bool _Sfigure = false;       // day icon in the castle view
    bool _Swapbtn = false;       // swap the up/down keys
    bool _SFX = false;           // use transitions
    std::int32_t _spconst = 0;   // steps of a cross-fade; 0 when transitions are off
    bool three_turtles = false;  // option of the telectonon board
    bool greg_izin = false;      // Gregorian date on the izin page
    bool greg_day = false;       // Gregorian date on the day overview
    bool greg_views = false;     // Gregorian dates in the month, 13-moon, wings and wavespell views
    QString glyphFont;           // font of exported sign glyphs (conf.dat line 8)
    std::int32_t helppages = 4;  // number of help pages
    std::int32_t datefmt = 0;    // layout of gregtostr; -1 or above 5 gives no text
    bool showgreg = false;       // any Gregorian date is shown at all
    bool moon_flag = false;      // first entry of the moon choice
};

CompactState& compactState();
void resetCompactState();
FullModeState& fullModeState();
void resetFullModeState();
Settings& settings();
void resetSettings();

}  // namespace orbisca
