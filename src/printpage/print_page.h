// SPDX-License-Identifier: GPL-3.0-or-later
// The print manager's page, headless: the canvas, the script and the interpreter that runs it.
//
// A script run (`runScriptLines`) goes line by line: FONT sets the current font, TEXT draws text
// with it, PICT draws a picture with a transparent colour, MOON a moon disc, YEAR the year page
// held in `yearPage`. The first line that cannot be read or carried out stops the run: the notifier
// says "Syntax error at line N: " and why (N counted from 1), the line gets a marker line before
// and after it, and what was drawn before it stays on the canvas.
//
// The drawing layer below (pictures, masks, the moon shape, the mean filter) and the program's
// notifier and progress display come in through PageServices, so the page runs the same in the
// print manager window, in orbisca-cli, in tests and under the fuzzer.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/oracle.h"
#include "printpage/glyph_text.h"

namespace orbisca {

// Row progress of a filter: rows done so far in its range and the range's span (last - first row).
using RowProgress = std::function<void(int done, int span)>;

struct PageServices {
    // A user-facing message ("Syntax error at line 3: ...").
    std::function<void(const QString& text)> notify;
    // The gauge moved to a new value (0..100); the window repaints it and handles pending events.
    std::function<void(int gauge)> progress;
    // The absolute path of a data file named as scripts name them ("graphic\moon2.bmp").
    std::function<QString(const QString& name)> resolvePath;
    // A picture file as a 24-bit image; throws std::exception with a clear message when it cannot.
    std::function<QImage(const QString& path)> loadPicture;
    // Draws `picture` onto `target` at `at`, leaving out the pixels of the transparent colour.
    std::function<void(QImage& target, const QImage& picture, QPoint at, QRgb transparent)>
        drawKeyed;
    // The lit part of the moon at `phase` (0..100), white on black, in a size x size square.
    std::function<QImage(int phase, int size)> moonShape;
    // A picture stretched to width x height (Qt's nearest-pixel scaling when not given).
    std::function<QImage(const QImage& picture, int width, int height)> stretch;
    // The 3 x 3 mean filter over the columns and rows of `area`, edges included. It may be
    // called from two threads at once, on images over the same pixels, for areas of which
    // neither changes a row the other reads.
    std::function<void(QImage& image, const QRect& area, const RowProgress& row)> meanFilter;
    // Draws `picture` onto `target` at (0, 0) through `mask`: white shows the picture.
    std::function<void(QImage& target, const QImage& picture, const QImage& mask)> maskDraw;
    // The drawing origin that PICT adds to its position.
    std::function<QPoint()> drawingOrigin;
    // What to say when a FONT line names a glyph face that cannot be drawn; nothing otherwise.
    // Asked once a run for each face.
    std::function<std::optional<QString>(const QString& face)> glyphFaceNotice;
};

// How a run moves the progress gauge.
enum class ProgressMode {
    Idle = -1,             // no run is under way
    WholeGauge = 0,        // the run fills the gauge from 0 to 100
    ExportShare = 1,       // a run adds up to 25 to the gauge, a filter up to 60
    AfterYear = 2,         // the year page has run: no further steps
    YearPageRedraw = 4,    // a redraw of a script that holds a year page
    YearPageInExport = 5,  // the same during an export: the year page then moves as ExportShare
    RedrawShare = 7,       // a run adds up to 85 to the gauge
    Silent = 20,           // no steps (the rewrite pass of a resolution change)
};

// The interpreter's state between lines and between runs.
struct ScriptState {
    QFont font;  // the current font, set by FONT, used by TEXT
    QRgb fontColour = qRgb(0, 0, 0);
    int yearOffsetX = 0, yearOffsetY = 0;  // added to TEXT positions while YEAR runs `yearPage`
    bool yearDrawn = false;                // a YEAR line has run
    bool fontsOnly = false;                // a run carries out FONT lines only
    bool rescaleMode = false;              // a run rewrites the script instead of drawing
    double rescaleFactor = 1.0;
    bool blackAndWhite = false;
    ProgressMode progressMode = ProgressMode::Idle;
    QRgb lastPictureKey = qRgb(0, 0, 0);  // pixel (0, 0) of the last picture drawn
    MayanDate day{};                      // the day the TEXT variables show
    OracleInfo oracle{};
    bool insideYear = false;  // `yearPage` is running; a YEAR line there would never end
    // Where the last run stopped: the index of the start marker in the marked list (-1 when it
    // ran through; the failing line follows the marker) and the caret offset the editor puts its
    // cursor at: the characters, without line breaks, of the lines before the marker as they
    // stand after the run, plus the failing line's.
    int errorLine = -1;
    qsizetype errorCaret = 0;
    QString errorReason;  // what was wrong with that line

    ScriptState();
};

// Moon discs drawn before, so a script with many moons draws each phase and size once.
struct MoonCache {
    std::map<std::pair<int, int>, QImage> masks;  // (size, phase) -> softened mask
    std::map<std::tuple<QString, qint64, int>, QImage>
        pictures;  // (path, modified, size) -> stretched picture
    // (picture path and modified, or the colour of a flat disc; phase, size, background) -> disc
    std::map<std::tuple<QString, qint64, QRgb, int, int, QRgb>, QImage> discs;
    qint64 bytes = 0;  // held by the masks, pictures and discs
    // The moon picture's file as this run found it: (name, path, modified), looked up at the
    // first MOON line of a run that draws the picture.
    std::optional<std::tuple<QString, QString, qint64>> pictureFile;
    void clear() {
        masks.clear();
        pictures.clear();
        discs.clear();
        bytes = 0;
    }
};

// A text shaped in a font: its glyph runs with the baseline at y = ascent, and its width
// (QFontMetrics::horizontalAdvance, -1 until asked for).
struct ShapedText {
    QList<QGlyphRun> runs;
    qreal ascent = 0;
    int width = -1;
};

// A font's metrics, taken once, and the texts shaped in it.
struct FontTexts {
    std::optional<QFontMetrics> metrics;
    int height = 0, maxWidth = 0, ascent = 0;  // of `metrics`, each asked for once
    QHash<QString, ShapedText> shaped;
};

// Fonts measured once and texts shaped once per font: a script repeats its fonts and texts, and a
// page drawn again repeats them all.
struct TextCache {
    TextCache() = default;
    // A copy starts empty: the entries point into the map of their own cache.
    TextCache(const TextCache&) {}
    TextCache& operator=(const TextCache&) { return *this = TextCache(); }
    TextCache(TextCache&&) = default;
    TextCache& operator=(TextCache&&) = default;

    std::map<QFont, FontTexts> fonts;
    // The fonts of FONT lines by (size, height, bold, italic, face), made from `defaultFont`.
    std::map<std::tuple<int, int, bool, bool, QString>, std::pair<QFont, FontTexts*>> lineFonts;
    QFont defaultFont;
    QFont font;  // the font of `current`
    FontTexts* current = nullptr;
    int height = 0, maxWidth = 0, ascent = 0;  // of the current font
    int shapedCount = 0;
    int fontGeneration = -1;  // the application's fonts when the fonts were measured
    GlyphMasks glyphMasks;    // of the glyphs of small text
};

// The rows where the canvas may differ from the background, noted when the page was blurred:
// ranges [first, last]. They stand while the canvas's cache key is `canvasKey` (nothing has
// touched its pixels since) and the background is `background`.
struct CanvasInk {
    qint64 canvasKey = 0;
    QRgb background = 0;
    std::vector<std::pair<int, int>> rows;
};

// What a run keeps while it lasts (see runScriptLines).
struct ScriptRun;

struct PrintPageState {
    QImage canvas;  // 24 bits per pixel
    int canvasWidth = 768, canvasHeight = 1024;
    QRgb background = qRgb(255, 255, 255);
    QStringList script;    // the visible script
    QStringList yearPage;  // the year page, run by YEAR
    ScriptState interp;
    double viewScale = 1.0;   // canvas pixels per displayed pixel
    QSize viewBox{760, 520};  // the room the page is shown in
    QSize displayedSize;
    bool autoOptimize = true;
    bool autoBlur = true;
    int gauge = 0;
    // Moon discs larger than this are drawn at this side and stretched where they meet the canvas.
    int moonWorkingSide = 2000;
    PageServices services;
    MoonCache moonCache;
    TextCache textCache;
    CanvasInk ink;
    // The rows drawn on since the canvas was cleared, while only the drawing that noted them has
    // touched it: the other rows hold the background alone.
    CanvasInk drawn;
    ScriptRun* run = nullptr;  // while a run is under way
};

// Sets the day the TEXT variables show.
void setScriptDay(PrintPageState& page, const MayanDate& day);

// Runs a script onto the canvas. `lines` is the script or the year page and may be changed: old
// error lines are deleted, markers inserted, and in rescale mode lines rewritten. False when a
// line failed.
bool runScriptLines(PrintPageState& page, QStringList& lines);

// Full redraw: the canvas at the canvas size filled with the background, then the script.
bool redrawPage(PrintPageState& page);

// The script's FONT lines alone, drawing nothing: the current font becomes the one in force at
// the script's end, the font a new element is previewed in. False when a FONT line failed
// (marked as in any run).
bool runScriptFonts(PrintPageState& page);

// Why a canvas of width x height cannot be made, as a sentence for the user ("The canvas cannot
// be 20000 x 10 pixels, more than 16384 on a side."), or an empty string when it can.
QString canvasSizeProblem(qint64 width, qint64 height);

// Sets the canvas to width x height (1..16384 each, at most 256 MB at 4 bytes a pixel: the limits
// of the picture loader) filled with the background (left as it is without `clear`, for a canvas
// drawn afresh right after); with `resizeView` the displayed size follows. A canvas of that size
// already is reused. Throws std::invalid_argument beyond the limits, std::runtime_error when the
// memory cannot be had.
void setCanvas(PrintPageState& page, int width, int height, bool resizeView, bool clear = true);

// Fills `canvas` with `colour`: the bytes QImage::fill gives, written a row at a time. With
// `rows`, only the rows of those ranges [first, last].
void fillCanvas(QImage& canvas, QRgb colour,
                const std::vector<std::pair<int, int>>* rows = nullptr);

void drawScriptText(PrintPageState& page, int x, int y, const QString& text, bool centred);
void drawScriptPicture(PrintPageState& page, int x, int y, QRgb transparent, bool centred,
                       const QString& file, QSize size = {});
// The size of the picture a PICT line names; empty when it cannot be loaded.
QSize scriptPictureSize(const PrintPageState& page, const QString& file);
void drawScriptMoon(PrintPageState& page, int x, int y, bool usePicture, QRgb colour, int phase,
                    int size);

// The text a TEXT line draws: a quoted literal without its first and last character, the sign or
// tone letter or plasma number of the day for a variable name in any case, or the tail as written.
QString scriptTextContent(const ScriptState& state, const QString& tail);

// The message of a failed run: "Syntax error at line N: " and the reason, N counted from 1.
QString syntaxErrorMessage(const ScriptState& state);

bool holdsYearPage(const QStringList& lines);
QString commandWord(const QString& line);

// Moves the gauge and tells the progress display.
void setGauge(PrintPageState& page, int gauge);

}  // namespace orbisca
