// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpage/print_page.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QTextLayout>
#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <stdexcept>
#include <utility>
#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

#include "data/input_limits.h"
#include "gfx/font_table.h"
#include "gfx/mask_draw.h"
#include "gfx/parts.h"
#include "printpage/glyph_text.h"
#include "printpage/outline_text.h"
#include "printpage/script_line.h"
#include "printpage/script_rescale.h"

namespace orbisca {

// What a run keeps while it lasts; the year page shares the run of the script that holds it.
//
// Beginning a painter costs about as much as drawing a short text, so the text lines of a run
// share one: begun at the first text drawn, ended before anything else touches the canvas (moons
// and pictures write its pixels directly, large text paints with a painter of its own), before
// the program outside is told anything (it may show the canvas) and when the run ends.
struct ScriptRun {
    QPainter painter;
    QRgb pen = 0;
    bool fontsChecked = false;  // the line fonts were made from the application's font
    QStringList facesAsked;     // of the glyph face notice
};

namespace {

void releaseCanvas(PrintPageState& page) {
    if (page.run && page.run->painter.isActive()) page.run->painter.end();
}

// The painter a text draws with: the run's, begun if need be, or `own` outside a run.
QPainter& textPainter(PrintPageState& page, std::optional<QPainter>& own) {
    const QRgb colour = page.interp.fontColour;
    ScriptRun* const shared = page.run;
    QPainter& painter = shared ? shared->painter : own.emplace();
    if (!painter.isActive()) {
        painter.begin(&page.canvas);
        painter.setBrush(Qt::NoBrush);
    } else if (shared->pen == colour) {
        return painter;
    }
    painter.setPen(QColor(colour));
    if (shared) shared->pen = colour;
    return painter;
}

constexpr int kYearOriginX = 53;
constexpr int kYearOriginY = 12;
constexpr int kDefaultPixelSize = 13;
const QRgb kSilver = qRgb(0xc0, 0xc0, 0xc0);
// Discs drawn before are kept, up to this many bytes: a page of many moons draws each once, and
// the same page drawn again (the next day, an optimized page) draws none.
constexpr qint64 kMoonCacheBytes = qint64(64) << 20;

const QString kMoonPicture = QStringLiteral("graphic\\moon2.bmp");
const QString kMoonPictureBlackAndWhite = QStringLiteral("graphic\\moon3.bmp");

template <class Hook>
const Hook& required(const Hook& hook, const char* what) {
    if (!hook) throw std::runtime_error(std::string(what) + " is not available");
    return hook;
}

void checkSide(qint64 side, const char* what) {
    if (side < 1 || side > kMaxImageSide)
        throw std::invalid_argument(std::string(what) + " must be 1 to " +
                                    std::to_string(kMaxImageSide) + " pixels, not " +
                                    std::to_string(side));
}

bool isOldErrorLine(const QString& line) {
    return line == kOldSyntaxErrorLine || line == kOldSyntaxErrorMarker;
}

bool isRuneFace(const QString& face) {
    return face.compare(u"URRUNE", Qt::CaseInsensitive) == 0 ||
           face.compare(u"RUNES2", Qt::CaseInsensitive) == 0;
}

bool isGrey(QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c); }

QFont scriptFont(const FontCommand& f) {
    QFont font;
    font.setItalic(f.italic);
    font.setBold(f.bold);
    if (!f.face.isEmpty())
        font.setFamily(f.face);  // before the height: a cell height depends on the face
    font.setPixelSize(f.size > 0 ? qMax(1, static_cast<int>(roundHalfEven(f.size * 96.0 / 72.0)))
                                 : kDefaultPixelSize);
    applyFontHeight(font, f.height);
    return font;
}

// Black-and-white pages keep greys, print the glyph fonts black and every other colour white.
QRgb fontColourFor(const ScriptState& st, const FontCommand& f) {
    if (!st.blackAndWhite || isGrey(f.colour)) return f.colour;
    return isRuneFace(f.face) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
}

QString signLetter(int sign) { return QChar(96 + sign).toUpper(); }
QString toneLetter(int tone) { return QChar(96 + tone); }

}  // namespace

QString scriptTextContent(const ScriptState& st, const QString& tail) {
    if (tail.startsWith(u'\'')) return unquoteTail(tail);
    const QString word = tail.toUpper();
    if (word == u"KIN") return signLetter(st.day.sign);
    if (word == u"GUIDE") return signLetter(st.oracle.guide);
    if (word == u"ANALOG") return signLetter(st.oracle.analog);
    if (word == u"ANTIPOD") return signLetter(st.oracle.antipode);
    if (word == u"ATEACHER") return signLetter(st.oracle.occultTeacher);
    if (word == u"TONE") return toneLetter(st.day.tone);
    if (word == u"PLASM") return QString::number(st.day.plasma);
    return tail;
}

namespace {

qint64 centredLeft(qint64 x, int canvasWidth, int itemWidth) {
    return x + canvasWidth / 2 - itemWidth / 2;
}

bool outsideCanvas(const QImage& canvas, qint64 left, qint64 top, qint64 width, qint64 height) {
    return left >= canvas.width() || top >= canvas.height() || left + width <= 0 ||
           top + height <= 0;
}

void advanceProgress(PrintPageState& page, int base, qsizetype i, qsizetype count) {
    const double done = static_cast<double>(i) / static_cast<double>(count);
    switch (page.interp.progressMode) {
        case ProgressMode::WholeGauge:
            setGauge(page, static_cast<int>(roundHalfEven(done * 100)));
            break;
        case ProgressMode::ExportShare:
            setGauge(page, base + static_cast<int>(roundHalfEven(done * 25)));
            break;
        case ProgressMode::RedrawShare:
            setGauge(page, base + static_cast<int>(roundHalfEven(done * 85)));
            break;
        default:
            break;
    }
}

void markSyntaxError(PrintPageState& page, QStringList& lines, qsizetype i, qsizetype caret,
                     const QString& reason) {
    page.interp.errorLine = static_cast<int>(i);
    page.interp.errorReason = reason;
    page.interp.errorCaret = caret;
    releaseCanvas(page);
    lines.insert(i, kSyntaxErrorStartMarker);
    lines.insert(i + 2, kSyntaxErrorEndMarker);
    if (page.services.notify) page.services.notify(syntaxErrorMessage(page.interp));
}

// Restores the year state however the year page's run ends.
struct YearRun {
    ScriptState& st;
    YearRun(ScriptState& s, int offsetX, int offsetY) : st(s) {
        st.yearOffsetX = offsetX;
        st.yearOffsetY = offsetY;
        st.progressMode = st.progressMode == ProgressMode::YearPageInExport
                              ? ProgressMode::ExportShare
                              : ProgressMode::WholeGauge;
        st.insideYear = true;
    }
    ~YearRun() {
        st.insideYear = false;
        st.progressMode = ProgressMode::AfterYear;
        st.yearOffsetX = st.yearOffsetY = 0;
        st.yearDrawn = true;
    }
};

QFont lineFont(PrintPageState& page, const FontCommand& f);

// Whether the glyph face notice is yet to be asked about `face` in this run: a face it has
// answered for stays answered for the run.
bool firstAskedThisRun(PrintPageState& page, const QString& face) {
    constexpr qsizetype kMostFacesNoted = 64;
    if (!page.run || page.run->facesAsked.contains(face)) return !page.run;
    if (page.run->facesAsked.size() < kMostFacesNoted) page.run->facesAsked << face;
    return true;
}

void runFont(PrintPageState& page, QStringList& lines, const QString& line, const FontCommand& f) {
    ScriptState& st = page.interp;
    if (!st.rescaleMode && page.services.glyphFaceNotice && page.services.notify &&
        firstAskedThisRun(page, f.face))
        if (const std::optional<QString> notice = page.services.glyphFaceNotice(f.face)) {
            releaseCanvas(page);
            page.services.notify(*notice);
        }
    st.font = lineFont(page, f);
    st.fontColour = fontColourFor(st, f);
    if (st.rescaleMode && !st.fontsOnly) lines.append(rescaledScriptLine(line, st.rescaleFactor));
}

void runText(PrintPageState& page, QStringList& lines, const QString& line, const TextCommand& t) {
    ScriptState& st = page.interp;
    if (st.rescaleMode) {
        lines.append(rescaledScriptLine(line, st.rescaleFactor));
        return;
    }
    drawScriptText(page, clampToInt(qint64(t.x) + st.yearOffsetX),
                   clampToInt(qint64(t.y) + st.yearOffsetY), scriptTextContent(st, t.content),
                   t.centred);
}

// Lines that the year page does not shift (pictures and moons) go to the script itself.
void runPict(PrintPageState& page, const QString& line, const PictCommand& p) {
    if (page.interp.rescaleMode) {
        page.script.append(rescaledScriptLine(
            line, page.interp.rescaleFactor,
            [&page](const QString& file) { return scriptPictureSize(page, file); }));
        return;
    }
    drawScriptPicture(page, p.x, p.y, p.transparent, p.centred, p.file, p.size);
}

void runMoon(PrintPageState& page, const QString& line, const MoonCommand& m) {
    if (page.interp.rescaleMode) {
        page.script.append(rescaledScriptLine(line, page.interp.rescaleFactor));
        return;
    }
    drawScriptMoon(page, m.x, m.y, m.image, m.fill, m.phase, m.size);
}

void runYear(PrintPageState& page, const QString& line, const YearCommand& y) {
    ScriptState& st = page.interp;
    if (st.insideYear) throw ScriptSyntaxError("a YEAR line cannot run inside the year page");
    if (st.rescaleMode) page.script.append(rescaledScriptLine(line, st.rescaleFactor));
    bool ran = false;
    {
        YearRun run(st, clampToInt(qint64(y.x) - kYearOriginX),
                    clampToInt(qint64(y.y) - kYearOriginY));
        ran = runScriptLines(page, page.yearPage);
    }
    if (!ran)
        throw ScriptSyntaxError("the year page stopped at its line " +
                                std::to_string(st.errorLine));
}

// Reads the line once and carries it out; a fonts-only run reads and carries out FONT lines alone.
void runLine(PrintPageState& page, QStringList& lines, const QString& line) {
    if (page.interp.fontsOnly && recogniseScriptLine(line) != ScriptLineKind::Font) return;
    const ScriptCommand command = parseScriptLine(line);
    if (const auto* f = std::get_if<FontCommand>(&command)) runFont(page, lines, line, *f);
    if (const auto* t = std::get_if<TextCommand>(&command)) runText(page, lines, line, *t);
    if (const auto* p = std::get_if<PictCommand>(&command)) runPict(page, line, *p);
    if (const auto* m = std::get_if<MoonCommand>(&command)) runMoon(page, line, *m);
    if (const auto* y = std::get_if<YearCommand>(&command)) runYear(page, line, *y);
}

// Counts `image` into the cache, emptied first when it would pass its size; false when the image
// alone is too large to keep.
bool makeRoomInMoonCache(MoonCache& cache, const QImage& image) {
    const qint64 bytes = image.sizeInBytes();
    if (bytes > kMoonCacheBytes / 4) return false;
    if (cache.bytes + bytes > kMoonCacheBytes) cache.clear();
    cache.bytes += bytes;
    return true;
}

// The moon picture's file as (name, path, modified). It is looked up once a run: its path and
// time stand for it on every MOON line.
const std::tuple<QString, QString, qint64>& moonPictureFile(PrintPageState& page) {
    const QString name = page.interp.blackAndWhite ? kMoonPictureBlackAndWhite : kMoonPicture;
    MoonCache& cache = page.moonCache;
    if (!cache.pictureFile || std::get<0>(*cache.pictureFile) != name) {
        const QString found = page.services.resolvePath ? page.services.resolvePath(name) : name;
        const QFileInfo info(found);
        if (!info.isFile())
            throw std::runtime_error("the moon picture " + quotedForMessage(name) + " is missing");
        cache.pictureFile.emplace(name, found, info.lastModified().toMSecsSinceEpoch());
    }
    return *cache.pictureFile;
}

// The moon picture stretched to size x size, or a flat colour.
QImage moonPicture(PrintPageState& page, bool usePicture, QRgb colour, int size) {
    if (!usePicture) {
        QImage flat(size, size, QImage::Format_RGB888);
        flat.fill(page.interp.blackAndWhite ? kSilver : colour);
        return flat;
    }
    MoonCache& cache = page.moonCache;
    const auto [name, path, modified] = moonPictureFile(page);
    const auto key = std::make_tuple(path, modified, size);
    auto found = cache.pictures.find(key);
    if (found != cache.pictures.end()) return found->second;
    const QImage loaded = required(page.services.loadPicture, "loading pictures")(path);
    if (loaded.isNull())
        throw std::runtime_error("the moon picture " + quotedForMessage(name) + " cannot be read");
    QImage stretched = page.services.stretch ? page.services.stretch(loaded, size, size)
                                             : loaded.scaled(size, size, Qt::IgnoreAspectRatio,
                                                             Qt::FastTransformation);
    stretched = stretched.convertToFormat(QImage::Format_RGB888);
    if (!makeRoomInMoonCache(cache, stretched)) return stretched;
    return cache.pictures.emplace(key, std::move(stretched)).first->second;
}

// The lit shape of the moon, softened by one pass of the mean filter.
QImage moonMask(PrintPageState& page, int phase, int size) {
    const auto key = std::make_pair(size, phase);
    auto found = page.moonCache.masks.find(key);
    if (found != page.moonCache.masks.end()) return found->second;
    QImage mask = required(page.services.moonShape, "the moon drawing")(phase, size);
    if (mask.width() != size || mask.height() != size)
        throw std::runtime_error("the moon drawing gave no disc of " + std::to_string(size) +
                                 " pixels");
    mask = mask.convertToFormat(QImage::Format_RGB888);
    required(page.services.meanFilter, "the mean filter")(mask, QRect(1, 1, size - 1, size - 1),
                                                          RowProgress());
    if (!makeRoomInMoonCache(page.moonCache, mask)) return mask;
    return page.moonCache.masks.emplace(key, std::move(mask)).first->second;
}

// One moon disc on the background: the picture (or colour) through the softened lit shape, and
// for a flat colour its outline; kept for the next line or run that draws the same.
QImage drawMoonDisc(PrintPageState& page, bool usePicture, QRgb colour, int phase, int size);
QImage moonDisc(PrintPageState& page, bool usePicture, QRgb colour, int phase, int size) {
    // A disc is made of the picture (its file as found this run) or the colour it is drawn in,
    // the phase, the size and the background.
    const QRgb drawnColour = page.interp.blackAndWhite ? kSilver : colour;
    QString path;
    qint64 modified = 0;
    if (usePicture) std::tie(std::ignore, path, modified) = moonPictureFile(page);
    const auto key = std::make_tuple(path, modified, usePicture ? QRgb(0) : drawnColour, phase,
                                     size, page.background);
    const auto found = page.moonCache.discs.find(key);
    if (found != page.moonCache.discs.end()) return found->second;
    QImage disc = drawMoonDisc(page, usePicture, colour, phase, size);
    if (!makeRoomInMoonCache(page.moonCache, disc)) return disc;
    return page.moonCache.discs.emplace(key, std::move(disc)).first->second;
}

QImage drawMoonDisc(PrintPageState& page, bool usePicture, QRgb colour, int phase, int size) {
    const QImage picture = moonPicture(page, usePicture, colour, size);
    const QImage mask = moonMask(page, phase, size);
    QImage disc(size, size, QImage::Format_RGB888);
    if (disc.isNull())
        throw std::runtime_error("not enough memory for a moon of " + std::to_string(size) +
                                 " pixels");
    disc.fill(page.background);
    required(page.services.maskDraw, "drawing through a mask")(disc, picture, mask);
    if (!usePicture) {
        QPainter outline(&disc);
        outline.setPen(QPen(QColor(page.interp.blackAndWhite ? kSilver : colour), 0));
        outline.setBrush(Qt::NoBrush);
        outline.drawEllipse(
            QRect(0, 0, size - 1, size - 1));  // the disc's box 0..size-1, both edges in
    }
    return disc;
}

// Copies `picture`, an opaque 24-bit image, onto a 24-bit canvas at `at`, clipped to the canvas:
// what QPainter::drawImage gives for it, without its span-by-span blending.
void copyOpaque(QImage& canvas, const QImage& picture, QPoint at) {
    const QRect area = QRect(at, picture.size()) & canvas.rect();
    if (area.isEmpty()) return;
    const std::size_t bytes = std::size_t(area.width()) * 3;
    const int fromX = area.x() - at.x(), fromY = area.y() - at.y();
    uchar* to = canvas.scanLine(area.y()) + std::size_t(area.x()) * 3;
    const uchar* from = picture.constScanLine(fromY) + std::size_t(fromX) * 3;
    for (int y = 0; y < area.height(); ++y) {
        std::memcpy(to, from, bytes);
        to += canvas.bytesPerLine();
        from += picture.bytesPerLine();
    }
}

// Texts shaped kept at most: beyond them the cache starts again.
constexpr int kMaxShapedTexts = 4096;

// Counts the changes of the fonts the application can use (application fonts added or removed):
// a text shaped before one may be shaped in another font now.
int fontGeneration() {
    static std::atomic<int> generation{0};
    static const bool watching = [] {
        if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            QObject::connect(app, &QGuiApplication::fontDatabaseChanged, [] { ++generation; });
        return true;
    }();
    (void)watching;
    return generation.load();
}

// Fonts kept at most: beyond them the cache starts again.
constexpr std::size_t kMaxFonts = 256;

void forgetFonts(TextCache& cache) {
    cache.lineFonts.clear();
    cache.fonts.clear();
    cache.current = nullptr;
    cache.shapedCount = 0;
}

// The cache as it stands for the application's fonts: emptied when they changed.
void refreshTextCache(TextCache& cache) {
    const int generation = fontGeneration();
    if (cache.fontGeneration == generation) return;
    forgetFonts(cache);
    cache.fontGeneration = generation;
}

// The entry of the current font, made current and measured once.
FontTexts& currentFontTexts(PrintPageState& page) {
    TextCache& cache = page.textCache;
    refreshTextCache(cache);
    if (!cache.current || cache.font != page.interp.font) {
        if (cache.fonts.size() >= kMaxFonts) forgetFonts(cache);
        cache.font = page.interp.font;
        cache.current = &cache.fonts[cache.font];
    }
    FontTexts& texts = *cache.current;
    if (!texts.metrics) {
        texts.metrics.emplace(cache.font);
        texts.height = texts.metrics->height();
        texts.maxWidth = texts.metrics->maxWidth();
        texts.ascent = texts.metrics->ascent();
    }
    cache.height = texts.height;
    cache.maxWidth = texts.maxWidth;
    cache.ascent = texts.ascent;
    return texts;
}

// The font a FONT line asks for, made once while the application's fonts stay as they are, and
// current in the cache.
QFont lineFont(PrintPageState& page, const FontCommand& f) {
    TextCache& cache = page.textCache;
    refreshTextCache(cache);
    if (!page.run || !page.run->fontsChecked) {
        if (const QFont applicationFont; cache.defaultFont != applicationFont) {
            forgetFonts(cache);
            cache.defaultFont = applicationFont;
        }
        if (page.run) page.run->fontsChecked = true;
    }
    const auto key = std::make_tuple(f.size, f.height, f.bold, f.italic, f.face);
    auto found = cache.lineFonts.find(key);
    if (found == cache.lineFonts.end()) {
        if (cache.lineFonts.size() >= kMaxFonts || cache.fonts.size() >= kMaxFonts)
            forgetFonts(cache);
        const QFont font = scriptFont(f);
        found = cache.lineFonts.emplace(key, std::make_pair(font, &cache.fonts[font])).first;
    }
    cache.font = found->second.first;
    cache.current = found->second.second;
    return cache.font;
}

// `text` in the current font as QPainter::drawText would shape it, shaped once.
ShapedText& shapedText(PrintPageState& page, const QString& text) {
    TextCache& cache = page.textCache;
    QHash<QString, ShapedText>& texts = currentFontTexts(page).shaped;
    const auto found = texts.find(text);
    if (found != texts.end()) return *found;
    if (cache.shapedCount >= kMaxShapedTexts) {
        for (auto& entry : cache.fonts) entry.second.shaped.clear();
        cache.shapedCount = 0;
    }
    QTextLayout layout(text, page.interp.font, &page.canvas);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    ++cache.shapedCount;
    return *texts.insert(text, ShapedText{layout.glyphRuns(), line.ascent(), -1});
}

const QFontMetrics& currentFontMetrics(PrintPageState& page) {
    return *currentFontTexts(page).metrics;
}

}  // namespace

ScriptState::ScriptState() { font.setPixelSize(kDefaultPixelSize); }

void setScriptDay(PrintPageState& page, const MayanDate& day) {
    page.interp.day = day;
    page.interp.oracle = makeOracle(day);
}

void setGauge(PrintPageState& page, int gauge) {
    page.gauge = gauge;
    if (!page.services.progress) return;
    releaseCanvas(page);
    page.services.progress(gauge);
}

QString syntaxErrorMessage(const ScriptState& state) {
    return QStringLiteral("Syntax error at line %1: %2")
        .arg(state.errorLine + 1)
        .arg(state.errorReason);
}

bool holdsYearPage(const QStringList& lines) {
    for (const QString& line : lines)
        if (recogniseScriptLine(line) == ScriptLineKind::Year) return true;
    return false;
}

QString commandWord(const QString& line) {
    return line.size() >= 5 ? line.left(4) : QStringLiteral("Err");
}

QString canvasSizeProblem(qint64 width, qint64 height) {
    const std::optional<QString> problem = pictureSizeProblem(width, height);
    return problem ? QStringLiteral("The canvas cannot be %1.").arg(*problem) : QString();
}

namespace {
constexpr std::size_t kParallelClearBytes = std::size_t(4) << 20;
}  // namespace

void fillCanvas(QImage& canvas, QRgb colour, const std::vector<std::pair<int, int>>* rows) {
    if (canvas.format() != QImage::Format_RGB888) {
        canvas.fill(colour);  // all of it: the rows are a part that may be left out
        return;
    }
    const std::vector<std::pair<int, int>> all{{0, canvas.height() - 1}};
    if (!rows) rows = &all;
    const int width = canvas.width(), height = canvas.height();
    if (width < 1 || height < 1) return;
    const std::size_t rowBytes = std::size_t(width) * 3;
    const uchar red = uchar(qRed(colour)), green = uchar(qGreen(colour)),
                blue = uchar(qBlue(colour));
    std::vector<uchar> pattern;
    if (red != green || green != blue) {
        pattern.resize(rowBytes);
        for (std::size_t x = 0; x < rowBytes; x += 3) {
            pattern[x] = red;
            pattern[x + 1] = green;
            pattern[x + 2] = blue;
        }
    }
    std::vector<int> cleared;
    for (const auto& [first, last] : *rows)
        for (int y = qMax(first, 0); y <= qMin(last, height - 1); ++y) cleared.push_back(y);
    uchar* const bits = canvas.bits();
    const qsizetype stride = canvas.bytesPerLine();
    const auto clearRows = [&](int from, int to) {
        for (int i = from; i < to; ++i) {
            uchar* row = bits + qsizetype(cleared[std::size_t(i)]) * stride;
            if (pattern.empty())
                std::memset(row, red, rowBytes);
            else
                std::memcpy(row, pattern.data(), rowBytes);
        }
    };
    // Many megabytes are cleared on both cores.
    const int count = int(cleared.size());
    if (std::size_t(count) * rowBytes >= kParallelClearBytes)
        gfx::runRowParts(count, 8, clearRows);
    else
        clearRows(0, count);
}

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

#if defined(MADV_HUGEPAGE)
// The memory of the last large canvas that went, kept for the next one of its size: fresh
// memory costs a page fault and the kernel's zeroing for every page, more than clearing it. One
// block at most is kept, and it is let go when a large canvas of another size is made.
struct CanvasBlock {
    void* memory = nullptr;
    std::size_t bytes = 0;
};
struct SpareCanvasBlock {
    std::mutex mutex;
    CanvasBlock block;
};
SpareCanvasBlock& spareCanvasBlock() {
    static SpareCanvasBlock spare;
    return spare;
}

void keepOrFreeCanvasBlock(void* info) {
    const std::unique_ptr<CanvasBlock> block(static_cast<CanvasBlock*>(info));
    SpareCanvasBlock& spare = spareCanvasBlock();
    const std::lock_guard<std::mutex> lock(spare.mutex);
    std::free(spare.block.memory);
    spare.block = *block;
}

// A block of `bytes`, aligned to a huge page: the spare one when it has that size.
void* canvasBlock(std::size_t bytes) {
    {
        SpareCanvasBlock& spare = spareCanvasBlock();
        const std::lock_guard<std::mutex> lock(spare.mutex);
        void* memory = std::exchange(spare.block.memory, nullptr);
        if (memory && spare.block.bytes == bytes) return memory;
        std::free(memory);
    }
    void* memory = nullptr;
    if (posix_memalign(&memory, kHugePage, bytes) != 0) return nullptr;
    madvise(memory, bytes, MADV_HUGEPAGE);  // only advice: without it the pages are small
    return memory;
}
#endif

// A 24-bit image of width x height, rows padded as QImage pads them. A canvas of several huge
// pages gets memory the kernel may back with them: a fresh 4020 x 3300 canvas is then made ready
// with a few dozen page faults instead of ten thousand, which cost more than clearing it.
QImage newCanvasImage(int width, int height) {
    const qsizetype rowBytes = ((qsizetype(width) * 24 + 31) >> 5) << 2;
    const std::size_t bytes = std::size_t(rowBytes) * std::size_t(height);
#if defined(MADV_HUGEPAGE)
    if (bytes >= 4 * kHugePage) {
        const std::size_t whole = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        void* memory = canvasBlock(whole);
        if (!memory) return {};
        auto* block = new CanvasBlock{memory, whole};
        QImage canvas(static_cast<uchar*>(memory), width, height, rowBytes, QImage::Format_RGB888,
                      keepOrFreeCanvasBlock, block);
        if (canvas.isNull()) {
            std::free(memory);
            delete block;
        }
        return canvas;
    }
#endif
    return QImage(width, height, QImage::Format_RGB888);
}

}  // namespace

void setCanvas(PrintPageState& page, int width, int height, bool resizeView, bool clear) {
    checkSide(width, "the canvas width");
    checkSide(height, "the canvas height");
    // The same limits as for pictures: every canvas saved can be loaded again.
    if (const std::optional<QString> problem = pictureSizeProblem(width, height))
        throw std::invalid_argument("the canvas cannot be " + problem->toStdString());
    // A canvas of the size wanted is cleared where it stands: a second one would need twice the
    // memory for a moment.
    if (page.canvas.size() != QSize(width, height) ||
        page.canvas.format() != QImage::Format_RGB888) {
        QImage canvas = newCanvasImage(width, height);
        if (canvas.isNull())
            throw std::runtime_error("not enough memory for a canvas of " + std::to_string(width) +
                                     " x " + std::to_string(height) + " pixels");
        page.canvas = std::move(canvas);
    }
    if (clear) {
        // A canvas blurred last, untouched since, differs from the background only in the rows
        // the blur noted.
        const CanvasInk& ink = page.ink;
        const bool inkKnown =
            ink.canvasKey == page.canvas.cacheKey() && ink.background == page.background;
        fillCanvas(page.canvas, page.background, inkKnown ? &ink.rows : nullptr);
        page.drawn = CanvasInk{page.canvas.cacheKey(), page.background, {}};
    } else {
        page.drawn = CanvasInk();
    }
    page.canvasWidth = width;
    page.canvasHeight = height;
    if (resizeView) page.displayedSize = QSize(width, height);
}

namespace {

// Notes that a drawing which found the canvas with the cache key `before` changed at most the
// rows first .. last, or, when `rows` is empty, that it cannot tell which.
void noteDrawn(PrintPageState& page, qint64 before, std::optional<std::pair<qint64, qint64>> rows) {
    CanvasInk& drawn = page.drawn;
    if (!rows || drawn.canvasKey == 0 || drawn.canvasKey != before) {
        drawn.canvasKey = 0;  // not known any longer
        return;
    }
    const qint64 first = qMax<qint64>(rows->first, 0);
    const qint64 last = qMin<qint64>(rows->second, page.canvas.height() - 1);
    if (first <= last) drawn.rows.emplace_back(int(first), int(last));
    drawn.canvasKey = page.canvas.cacheKey();
}

}  // namespace

void drawScriptText(PrintPageState& page, int x, int y, const QString& text, bool centred) {
    if (text.isEmpty() || page.canvas.isNull()) return;
    const qint64 before = page.canvas.cacheKey();
    const QFontMetrics& metrics = currentFontMetrics(page);
    const TextCache& measures = page.textCache;
    const int height = measures.height, maxWidth = measures.maxWidth;
    const bool outlines =
        page.canvas.format() == QImage::Format_RGB888 && drawnAsOutlines(page.interp.font);
    ShapedText* shaped = outlines ? nullptr : &shapedText(page, text);
    // The text's own width matters only for centring, or when the text starts so far left that
    // the widest character would not reach the canvas: shaping it costs as much as drawing it.
    const bool needsWidth = centred || qint64(x) + maxWidth + height <= 0;
    int width = 0;
    if (needsWidth && shaped) {
        if (shaped->width < 0) shaped->width = metrics.horizontalAdvance(text);
        width = shaped->width;
    } else if (needsWidth) {
        width = metrics.horizontalAdvance(text);
    }
    const qint64 left = centred ? centredLeft(x, page.canvas.width(), width) : x;
    if (outsideCanvas(page.canvas, left, y, qMax(width, maxWidth) + height, height)) return;
    const QPointF origin(static_cast<double>(left), static_cast<double>(y) + measures.ascent);
    if (outlines) {
        releaseCanvas(page);
        const std::optional<std::pair<int, int>> rows =
            drawOutlineText(page.canvas, page.interp.font, page.interp.fontColour, origin, text);
        noteDrawn(page, before, rows);
        return;
    }
    // The glyph runs of the shaped text give the pixels QPainter::drawText gives for it: drawn
    // from the masks kept for their glyphs, or by QPainter when some glyph cannot be.
    const QPointF lineTop(origin.x(), origin.y() - shaped->ascent);
    GlyphMasks& masks = page.textCache.glyphMasks;
    masks.trim();
    const auto glyphs = page.canvas.format() == QImage::Format_RGB888
                            ? placeGlyphRuns(masks, lineTop, shaped->runs)
                            : std::nullopt;
    if (glyphs) {
        releaseCanvas(page);
        noteDrawn(page, before, blendGlyphs(page.canvas, *glyphs, page.interp.fontColour));
        return;
    }
    std::optional<QPainter> own;
    QPainter& painter = textPainter(page, own);
    for (const QGlyphRun& run : shaped->runs) painter.drawGlyphRun(lineTop, run);
    // Glyphs may reach past the line's height: a height more on either side.
    noteDrawn(page, before, std::pair{qint64(y) - height, qint64(y) + 2 * qint64(height)});
}

namespace {

// A picture a PICT line names, loaded; a clear error when it cannot be.
QImage loadScriptPicture(const PrintPageState& page, const QString& file) {
    if (file.isEmpty()) throw ScriptSyntaxError("PICT needs a file name");
    if (file.contains(QChar(0)))
        throw std::runtime_error("a picture's file name cannot hold a NUL character: " +
                                 quotedForMessage(file));
    const QString path = page.services.resolvePath ? page.services.resolvePath(file) : file;
    const QFileInfo info(path);
    // Only a regular file: a folder or a pipe would give an error or wait for ever.
    if (!info.exists())
        throw std::runtime_error("the picture " + quotedForMessage(file) + " does not exist");
    if (!info.isFile())
        throw std::runtime_error("the picture " + quotedForMessage(file) +
                                 " is not a regular file");
    QImage picture = required(page.services.loadPicture, "loading pictures")(path);
    if (picture.isNull())
        throw std::runtime_error("the picture " + quotedForMessage(file) + " cannot be read");
    checkSide(picture.width(), "a picture's width");
    checkSide(picture.height(), "a picture's height");
    return picture;
}

}  // namespace

QSize scriptPictureSize(const PrintPageState& page, const QString& file) {
    try {
        return loadScriptPicture(page, file).size();
    } catch (const std::exception&) {
        return {};  // the redraw reports the picture; the rewritten line keeps its own size
    }
}

void drawScriptPicture(PrintPageState& page, int x, int y, QRgb transparent, bool centred,
                       const QString& file, QSize size) {
    const qint64 before = page.canvas.cacheKey();
    const QImage picture = loadScriptPicture(page, file);
    releaseCanvas(page);
    const bool scaled = size.isValid() && size != picture.size();
    const QSize drawn = scaled ? size : picture.size();
    const QPoint origin = page.services.drawingOrigin ? page.services.drawingOrigin() : QPoint();
    const qint64 left =
        (centred ? centredLeft(x, page.canvas.width(), drawn.width()) : x) + origin.x();
    const qint64 top = qint64(y) + origin.y();
    if (!outsideCanvas(page.canvas, left, top, drawn.width(), drawn.height())) {
        const QPoint at{int(left), int(top)};
        if (scaled) {
            // Scaled smoothly with the transparent colour left out, so the edges blend into the
            // page instead of showing the key colour.
            QPainter painter(&page.canvas);
            painter.drawImage(at, gfx::scaledWithoutKey(picture, transparent, size));
        } else {
            required(page.services.drawKeyed, "drawing pictures")(page.canvas, picture, at,
                                                                  transparent);
        }
        noteDrawn(page, before, std::pair{top, top + drawn.height() - 1});
    }
    page.interp.lastPictureKey = picture.pixel(0, 0) | 0xff000000u;
}

void drawScriptMoon(PrintPageState& page, int x, int y, bool usePicture, QRgb colour, int phase,
                    int size) {
    checkSide(size, "the moon size");
    phase = qBound(0, phase, 100);
    // A flat disc is drawn half a lunation on: the moon picture's lit side is what the mask shows.
    if (!usePicture) phase = phase + 50 > 100 ? phase - 50 : phase + 50;
    if (outsideCanvas(page.canvas, x, y, size, size)) return;
    // Discs larger than the working side are drawn at that side and stretched onto the canvas,
    // only where they meet it, so a huge disc never needs images of its own size.
    const int side = qMin(size, qBound(1, page.moonWorkingSide, kMaxImageSide));
    const qint64 before = page.canvas.cacheKey();
    const QImage disc = moonDisc(page, usePicture, colour, phase, side);
    releaseCanvas(page);
    if (side == size && page.canvas.format() == QImage::Format_RGB888) {
        copyOpaque(page.canvas, disc, QPoint(x, y));
    } else if (side == size) {
        QPainter(&page.canvas).drawImage(QPoint(x, y), disc);
    } else {
        const QRect visible = QRect(x, y, size, size) & page.canvas.rect();
        const double toDisc = double(side) / size;
        QPainter(&page.canvas)
            .drawImage(QRectF(visible), disc,
                       QRectF((visible.x() - x) * toDisc, (visible.y() - y) * toDisc,
                              visible.width() * toDisc, visible.height() * toDisc));
    }
    noteDrawn(page, before, std::pair{qint64(y), qint64(y) + size - 1});
}

bool runScriptLines(PrintPageState& page, QStringList& lines) {
    ScriptState& st = page.interp;
    st.yearDrawn = false;
    st.errorLine = -1;
    st.errorReason.clear();
    const int base = page.gauge;
    qsizetype limit = -1;
    if (st.rescaleMode) {
        lines.removeIf([](const QString& line) { return line.startsWith(u'/'); });
        limit = lines.size();
    }
    if (!st.insideYear) page.moonCache.pictureFile.reset();  // looked up again, once
    ScriptRun run;
    struct RunScope {
        PrintPageState& page;
        ScriptRun* const own;  // null inside the year page, which shares its holder's run
        ~RunScope() {
            if (!own) return;
            releaseCanvas(page);
            page.run = nullptr;
        }
    } scope{page, page.run ? nullptr : &run};
    if (scope.own) page.run = scope.own;
    qsizetype caret = 0;
    qsizetype processed = 0;
    for (qsizetype i = 0; i < lines.size() && (limit < 0 || processed < limit); ++i) {
        const QString line = lines.at(i);  // a copy: handlers append to the list
        advanceProgress(page, base, i, lines.size());
        caret += line.size();
        ++processed;
        try {
            if (!st.fontsOnly && isOldErrorLine(line)) {
                lines.removeAt(i--);
                caret -= line.size();  // the caret counts the lines that stay in the script
                continue;
            }
            runLine(page, lines, line);
            if (st.rescaleMode && !line.startsWith(u'[')) {
                lines[i] = u'/' + line;
                ++caret;
            }
        } catch (const std::bad_alloc&) {
            // Not the line's fault: the script stays as the user wrote it, and the run says why
            // it stopped.
            st.errorLine = -1;
            st.errorReason = QStringLiteral("not enough memory to draw line %1").arg(i + 1);
            releaseCanvas(page);
            if (page.services.notify)
                page.services.notify(QStringLiteral("The page could not be drawn: ") +
                                     st.errorReason + u'.');
            return false;
        } catch (const std::exception& e) {
            markSyntaxError(page, lines, i, caret, QString::fromUtf8(e.what()));
            return false;
        } catch (...) {
            markSyntaxError(page, lines, i, caret, QStringLiteral("unknown failure"));
            return false;
        }
    }
    return true;
}

bool redrawPage(PrintPageState& page) {
    ScriptState& st = page.interp;
    const ProgressMode before = st.progressMode;
    if (before == ProgressMode::Idle) st.yearDrawn = holdsYearPage(page.script);
    if (st.yearDrawn)
        st.progressMode = before != ProgressMode::Idle ? ProgressMode::YearPageInExport
                                                       : ProgressMode::YearPageRedraw;
    if (st.progressMode == ProgressMode::Idle) st.progressMode = ProgressMode::WholeGauge;
    try {
        setCanvas(page, page.canvasWidth, page.canvasHeight, false);
    } catch (const std::exception& e) {
        if (page.services.notify) page.services.notify(QString::fromStdString(e.what()));
        return false;
    }
    const bool ran = runScriptLines(page, page.script);
    page.displayedSize = QSize(clampToInt(roundHalfEven(page.canvasWidth / page.viewScale)),
                               clampToInt(roundHalfEven(page.canvasHeight / page.viewScale)));
    return ran;
}

bool runScriptFonts(PrintPageState& page) {
    struct FontsOnly {
        ScriptState& st;
        explicit FontsOnly(ScriptState& s) : st(s) { st.fontsOnly = true; }
        ~FontsOnly() { st.fontsOnly = false; }
    } pass(page.interp);
    return runScriptLines(page, page.script);
}

}  // namespace orbisca
