// SPDX-License-Identifier: GPL-3.0-or-later
// The full-mode window's frame, headless: its state, its 670 x 550 frame buffers, the mode
// dispatcher and the renderers that every view draws with. The window, the print manager and
// orbisca-cli all drive this one object; nothing here needs a window.
//
// How to use this layer
// ---------------------
// Paint a mode:
//     FullModeFrame frame(program.data, program.fonts);  // owns FullModeState and the buffers
//     frame.paintMode(FullModeView::Day);  // the day overview into frame.buffers().frame
// The day painted is the day model's current date and position (data/day_model.h), read at the
// start of every paint; the settings, texts and pictures are those of the program state's data
// (its settings and working folder); the fonts come from its font table (loaded by the caller).
//
// Write a view's painter (the calendar views of views/moon_views.h and views/wave_views.h show
// how highlights, the year buffer and exports go together):
//     void paintMonth(FullModeFrame& f) { ... f.drawElement(...); f.drawText(...); ... }
// and put it in the table of views/mode_table.cpp; the dispatcher needs no change. Inside a
// painter: f.day(), f.oracle(), f.date() are the day being painted, f.state() the window's state.
// Draw through the renderers only; a painter that draws pixels itself (a highlight, a line) draws
// into f.drawingTarget(), which is a scratch image while exporting, so that an export never
// changes what the window shows.
//
// Draw an element (a calendar picture by kind 0..442, named in views/element_kinds.h):
//     f.drawElement(x, y, kind, centred);  // any element
//     f.drawElement(x, y, kinds::kLargeTones.kindOf(tone), false, ElementRole::Tone);  // the tone
// On screen it draws the picture colour-keyed at (originX + left, originY + y) into the frame
// (the second buffer while state().year.drawIntoYearBuffer); while exporting it writes a PICT line.
//
// Draw a text (font choices 0..15, see views/text_renderer.h):
//     f.drawText(x, y, text, font, centred);     // y is the top of the text cell
//     f.drawTextBlock(x, y, firstLine, step, count, font, centred, "TONEINFO.ktx");
//     f.drawArcText(x, y, rainbow, centred, radius or kArcHorizontal/kArcVertical,
//                   endAngle, startAngle, font, text);
// Right-aligned texts: set state().drawing.alignRight around them (the paint's guard clears it).
//
// The moon of the day: f.drawDayMoon(day().moonPhase, x, y).
//
// A picture through a mask (a highlight, a pulsar brush): f.drawMasked(picture, mask, x, y), both
// taken from f.picture("graphic\\shine1.bmp"); it draws at (x, y) without the origin and returns
// gfx::maskDraw's code (a picture reaching beyond the frame is not drawn).
//
// Export through a sink (the print manager's script, or a list):
//     ScriptLines script, year;
//     exportView(frame, *findExportView("day"), script, year);   // views/export_table.h
// or by hand: frame.setScriptSink(sink); frame.state().exports.exporting = true;
// frame.paintMode(view). Every exported script starts with no font chosen, so its first text writes
// its FONT line. Elements go out in the glyph form (views/glyph_export.h) while
// state().exports.exportAsGlyphText is set, which it is at start, and as PICT lines otherwise;
// `glyphExport` can be replaced (emptied, the picture form stands in for it).
//
// Run the fade (views/fade_engine.h):
//     FadeEngine fade(frame);
//     fade.request(view);                  // and start a 10 ms timer
//     TickResult r = fade.tick();          // on every timer tick
//     show r.frame when it is not null; set the buttons from r.buttonsEnabled; stop the timer
//     unless r.keepTicking; carry out r.request; report r.failure once.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QRgb>
#include <QString>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "calendar/calendar.h"
#include "calendar/oracle.h"
#include "data/data_state.h"
#include "data/day_words.h"
#include "views/day_layout.h"
#include "views/element_renderer.h"
#include "views/full_mode_state.h"
#include "views/kin_board_table.h"
#include "views/script_sink.h"
#include "views/text_renderer.h"
#include "views/view_places.h"

namespace orbisca {

inline constexpr int kFrameWidth = 670;
inline constexpr int kFrameHeight = 550;
// The frame's background: red 7, green 0, blue 35.
inline constexpr QRgb kFrameBackground = qRgb(7, 0, 35);
// The views the painter table holds, up to the last help page.
inline constexpr int kModeCount = modeNumber(FullModeView::LastHelpPage) + 1;

// Fills the whole image with the frame's background. An image that shares its pixels with a copy
// someone still holds (the picture a window shows) gets fresh pixels instead of a copy of them.
void clearFrame(QImage& image);
// Copies the pixels of one frame image into another, which gets fresh pixels when it shares them.
void copyFrame(const QImage& from, QImage& to);

// The window's off-screen pictures, each 670 x 550 in 24 bits.
struct FrameBuffers {
    QImage frame;     // the mode painted last
    QImage blend;     // one step of a cross-fade
    QImage incoming;  // the mode a cross-fade leads to
    QImage second;    // the year grid, drawn once per year
    FrameBuffers();
};

// What the window has to do after a mode became current.
enum class FrameRequest { None, OpenPrintManager, OpenConfiguration };

// Why a mode is painted: the final paint of the mode just made current, or any other paint (a
// fade's snapshots, a repaint after a key, an export).
enum class PaintOccasion { Repaint, Arrival };

class FullModeFrame;
using ModePainter = std::function<void(FullModeFrame&)>;

// A picture put on the frame: its file as the program names it, the frame pixels it covers, and
// for a masked picture gfx::maskDraw's code (anything but 0: refused, nothing drawn).
struct PlacedPicture {
    QString file;
    QRect area;
    bool masked = false;
    int maskCode = 0;
};
using PictureObserver = std::function<void(const PlacedPicture&)>;

struct PlacedText {
    QString text;
    QRect area;  // the cell: the text's advance by its font's height
    QColor colour;
    QRegion ink;  // the pixels its letters cover, letter by letter
};
using TextObserver = std::function<void(const PlacedText&)>;

// An element on its way to the glyph form of an export: its position after the day overview's
// shift, its kind and its centring; the role flags are in the state.
struct ExportedElement {
    int x = 0;
    int y = 0;
    int kind = 0;
    bool centred = false;
};
using GlyphExport = std::function<void(FullModeFrame&, const ExportedElement&)>;

class FullModeFrame {
public:
    // Paints the day of `data` with the texts and pictures of its folder and the fonts of
    // `fonts`; both must outlive the frame.
    FullModeFrame(DataState& data, const FontTable& fonts);
    FullModeFrame(const FullModeFrame&) = delete;
    FullModeFrame& operator=(const FullModeFrame&) = delete;

    FullModeState& state() { return state_; }
    const FullModeState& state() const { return state_; }
    FrameBuffers& buffers() { return buffers_; }

    // Paints `view` into the frame buffer, or, while state().exports.exporting, writes its script
    // lines and leaves every buffer as it was. Views without a painter (Empty, the unnamed numbers)
    // paint an empty frame. Whatever happens, the paint ends with exporting, alignRight,
    // drawIntoYearBuffer and the role flags cleared. Only the arrival of PrintManager or
    // Configuration returns a request (and PrintManager asks for the day overview next); a failure
    // propagates as an exception.
    FrameRequest paintMode(FullModeView view, PaintOccasion occasion = PaintOccasion::Repaint);

    // The painter table: the defaults of views/mode_table.cpp, replaceable per view.
    bool hasPainter(FullModeView view) const;
    void setModePainter(FullModeView view, ModePainter painter);

    // The day being painted, taken from the calendar state when the paint began.
    DataState& data() { return data_; }
    const Settings& settings() const { return data_.settings; }
    const FontTable& fontTable() const { return fontTable_; }
    // The kin cells of the wings board in the folder's table.
    const std::vector<QPoint>& kinBoardPoints(QSize highlight) {
        return kinBoard_.points(data_.folder, highlight);
    }
    // Line n of the folder's "BASE.KTX", "" when it is not there.
    QString baseLine(int n) const { return orbisca::baseLine(data_.folder, n); }
    // The Gregorian date under a day of the month, 13-moon, wavespell and wings views, when the
    // settings ask for it.
    bool showsDatesInViews() const { return orbisca::showsDatesInViews(settings()); }
    QString viewDateText(const GregorianDate& d) const {
        return orbisca::viewDateText(settings(), d);
    }

    const MayanDate& day() const { return day_; }
    const OracleInfo& oracle() const { return oracle_; }
    const GregorianDate& date() const { return date_; }

    // Where exported lines go; the frame's own lists until a sink is set.
    void setScriptSink(ScriptSink& sink) { scriptSink_ = &sink; }
    void setYearSink(ScriptSink& sink) { yearSink_ = &sink; }
    void resetSinks();
    ScriptSink& scriptSink() { return *scriptSink_; }
    ScriptSink& yearSink() { return *yearSink_; }

    // The image pixels go to: the frame, the second buffer while drawIntoYearBuffer, and a
    // scratch image while exporting.
    QImage& drawingTarget();

    // The element renderer (views/element_renderer.h): the picture of `kind`, colour-keyed; when
    // centred, x is an offset from the centre line 299. `role` marks the day's kin, tone, guide ...
    // for the glyph export; every role flag is clear again afterwards.
    void drawElement(int x, int y, int kind, bool centred, ElementRole role = ElementRole::None);
    // The glyph form of exported elements (exportElementAsGlyphs); empty: elements are exported
    // as pictures.
    GlyphExport glyphExport;

    // The text renderer (views/text_renderer.h).
    void drawText(int x, int y, const QString& text, int font, bool centred);
    void drawTextBlock(int x, int y, int firstLine, int step, int count, int font, bool centred,
                       const QString& fileName);
    void drawArcText(int x, int y, bool rainbow, bool centred, int mode, int endAngle,
                     int startAngle, int font, const QString& text);
    // The width of a text in a font choice, as drawText measures it.
    int textWidth(const QString& text, int font);

    // A picture of the working folder, named as the program writes it ("graphic\\PulsV.bmp"),
    // decoded once and kept while its file is unchanged. Throws gfx::ImageError.
    const QImage& picture(const QString& writtenName);
    // Draws `picture` through `mask` (white shows the picture) into drawingTarget() with its top
    // left at (x, y), the origin not added; `file` names it for the observer. Returns
    // gfx::maskDraw's code: 0 drawn, anything else refused (nothing drawn).
    int drawMasked(const QImage& picture, const QImage& mask, int x, int y,
                   const QString& file = {});
    // Told of every picture placed on screen (elements and masked pictures); tests check with it
    // that every picture of a view lies inside the frame. Empty: nobody is told.
    PictureObserver onPicturePlaced;
    // Told of every text just before it is painted on screen: the text, the frame pixels of its
    // cell and its letters, and its colour; tests measure with it how a text stands out from
    // what lies under it and that it keeps to its place.
    TextObserver onTextPlacing;

    // The moon of the day (`phaseValue` is MayanDate::moonPhase) with its top left at (x, y), or
    // its MOON line while exporting.
    void drawDayMoon(int phaseValue, int x, int y);

    // Forgets the decoded pictures, moons and fonts (they are checked against their files anyway).
    void clearCaches();

private:
    const ChosenFont& chosenFont(int choice);
    void exportElement(int x, int y, int kind, bool centred);
    void exportText(int x, int y, const QString& text, int font, bool centred);
    const QImage& dayMoon(int phase);

    DataState& data_;
    const FontTable& fontTable_;
    KinBoardTable kinBoard_;
    FullModeState state_;
    FrameBuffers buffers_;
    QImage exportScratch_;
    std::array<ModePainter, kModeCount> painters_;
    MayanDate day_{};
    OracleInfo oracle_{};
    GregorianDate date_{};
    ScriptLines ownScript_, ownYear_;
    ScriptSink* scriptSink_ = &ownScript_;
    ScriptSink* yearSink_ = &ownYear_;
    PictureCache pictures_;
    FontChoiceCache fonts_;
    std::map<std::pair<int, bool>, QImage> moonMasks_;  // (phase, mirrored) -> 60 x 60 mask
    QImage moonPicture_;                                // moon.bmp keyed into 60 x 60
    qint64 moonPictureKey_ = 0;                         // cacheKey of the moon.bmp it came from
};

}  // namespace orbisca
