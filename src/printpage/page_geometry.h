// SPDX-License-Identifier: GPL-3.0-or-later
// Where the print manager's canvas goes on the printer page: position, printed size and scale,
// centring and fitting, the units the page setup shows them in, its preview and the drag of the
// picture's frame. Pure functions over one state struct: no widgets, no printer.
//
// All placement is in printer pixels. `page` is the printer's printable page and `canvas` the
// picture to print, both in pixels; a side below one pixel is taken as one. The rules keep the
// printed width and height at least one pixel and never larger than kMaxPrintPixels, and typed
// values and drags keep the scale at least kMinPrintScale, so a print is never empty, mirrored or
// absurdly large; fitting to a tiny page may give a smaller (still positive) scale.
//
// The setup window maps its controls onto these calls:
// - shown, printed, orientation or paper changed: placeOnPage;
// - a field typed: editPageField (a refused edit says why);
// - a unit box changed: setFieldUnit, then pageFieldText for every field;
// - "Center" or "Fit to page" clicked: switchCentre or switchFit;
// - the preview painted: previewOf; the mouse over it: gripAt;
// - a press and the moves after it: startPreviewDrag, dragPreview.
// Fields that the window disables (left and top while centred; width, height and scale while
// fitted) are told by pageFieldEnabled, and editPageField refuses them too.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <array>
#include <optional>

namespace orbisca {

inline constexpr double kCmPerInch = 2.54;
// The printer's resolution (Qt's default of 96 would make an A4 page 794 x 1123 pixels, too
// coarse for the enlarged canvas).
inline constexpr int kPrinterDotsPerInch = 600;
inline constexpr double kMinPrintScale = 1.0;      // per cent
inline constexpr int kMaxPrintPixels = 1'000'000;  // about 42 m at 600 dpi
inline constexpr int kPreviewLongSide = 300;

enum class PageUnit { Pixels = 0, Centimetres = 1, Inches = 2 };

// The fields of the setup window. Scale is in per cent and has no unit box; the paper fields
// show the paper size and take no input.
enum class PageField { Left, Top, Width, Height, Scale, PaperWidth, PaperHeight };
inline constexpr int kPageFieldCount = 7;

struct PageGeometry {
    int left = 5;
    int top = 5;
    int width = 500;
    int height = 500;
    double scale = 100.0;  // printed size in per cent of the canvas (100: a canvas pixel a dot)
    bool centre = true;
    bool fit = false;
    // Taken when fit is switched on, given back when it is switched off.
    int savedLeft = 5;
    int savedTop = 5;
    double savedScale = 100.0;
    // The unit each field is shown and typed in (the scale's entry is not used).
    std::array<PageUnit, kPageFieldCount> units{
        PageUnit::Pixels, PageUnit::Pixels,      PageUnit::Pixels,     PageUnit::Pixels,
        PageUnit::Pixels, PageUnit::Centimetres, PageUnit::Centimetres};
};

// The printable page in pixels, the paper it lies on in centimetres, and the printer's
// resolution, which alone gives the pixels per centimetre: the printable page is smaller than the
// paper by the printer's margins, so page / paper would make every centimetre a few per cent short.
struct PageMetrics {
    QSize page{1, 1};
    QSizeF paperCm{1.0, 1.0};
    QSizeF dotsPerInch{kPrinterDotsPerInch, kPrinterDotsPerInch};  // across, down
    double pixelsPerCmAcross() const;
    double pixelsPerCmDown() const;
};
// Metrics of a page that covers the whole paper at a resolution: 4960 x 7016 at 600 dpi is A4.
PageMetrics wholePaperMetrics(QSize page, double dotsPerInch);

// Numbers as the fields read and show them.
// Keeps the digits; "," and "." are the decimal separator; each "-" puts a minus in front of what
// was kept so far; everything else is dropped; a trailing separator reads as ",0". Rounded to
// hundredths. Nothing when the rest is no number ("", "-", "1,2,3").
std::optional<double> readFieldNumber(const QString& text);
// Hundredths with halves away from zero: 370.145 -> 370.15, -0.125 -> -0.13.
double roundToHundredths(double value);
// Whole pixels with halves to even, within +-kMaxPrintPixels.
int roundPixels(double value);
// A decimal number with a comma, whatever the locale, without trailing zeros: "370,15", "12,5".
QString formatFieldNumber(double value);
double convertPageUnit(double value, PageUnit from, PageUnit to, double pixelsPerCm);

// The size rules: width or height or scale as given, the other two follow from the canvas.
void applyWidthRule(PageGeometry& g, QSize canvas);
void applyHeightRule(PageGeometry& g, QSize canvas);
void applyScaleRule(PageGeometry& g, QSize canvas);
// Puts the picture in the middle of the page.
void centreOnPage(PageGeometry& g, QSize page);
// The largest placement that fits the page, centred on the other side (saves nothing).
void fitToPage(PageGeometry& g, QSize page, QSize canvas);
// Before a show or a print and after the page changed (orientation, paper, printer): the scale
// rule on the current canvas, then centred when Center is checked and fitted when Fit is.
void placeOnPage(PageGeometry& g, QSize page, QSize canvas);
// "Center" clicked: centres when switched on.
void switchCentre(PageGeometry& g, bool on, QSize page);
// "Fit to page" clicked: switching on saves left, top and scale and fits; switching off gives
// them back, applies the scale rule and centres when Center is checked (the page may have turned
// meanwhile). Asking for the state it is already in does nothing.
void switchFit(PageGeometry& g, bool on, QSize page, QSize canvas);

// The fields.
bool pageFieldEnabled(const PageGeometry& g, PageField field);
QString pageFieldText(const PageGeometry& g, PageField field, const PageMetrics& metrics);
void setFieldUnit(PageGeometry& g, PageField field, PageUnit unit);
// A typed field: on success the geometry follows its rule (and is centred when Center is
// checked) and nothing is returned; a text that is no number, a disabled field, a size below one
// pixel or above kMaxPrintPixels, or a scale below kMinPrintScale leaves the geometry as it was
// and returns the reason. The paper fields take nothing.
std::optional<QString> editPageField(PageGeometry& g, PageField field, const QString& text,
                                     const PageMetrics& metrics, QSize canvas);

// The preview: the page shrunk so that its long side is 300 pixels, and the picture in it.
struct PagePreview {
    double ratio = 1.0;  // printer pixels per preview pixel
    QSize size;          // of the whole preview
    QRect picture;       // where the canvas is drawn, in preview pixels
};
PagePreview previewOf(const PageGeometry& g, QSize page);

// What the mouse is over in the preview; the body counts only when not centred, and a corner's
// 7 x 7 grip wins over the body. The window picks its cursor from it.
enum class PreviewGrip { None, Body, TopLeft, BottomLeft, TopRight, BottomRight };
PreviewGrip gripAt(const PagePreview& preview, QPoint point, bool centre);

// A drag of the body or of a corner, from the press on.
struct PreviewDrag {
    PreviewGrip grip = PreviewGrip::None;
    QPoint press;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    double scale = 100.0;
};
// Nothing when the press is on no grip or the picture is fitted (then it does not move).
std::optional<PreviewDrag> startPreviewDrag(const PageGeometry& g, const PagePreview& preview,
                                            QPoint press);
// Moves the body or resizes from a corner (the opposite edges stay; twice the movement when
// centred, as both sides grow), then centres when Center is checked.
void dragPreview(PageGeometry& g, const PreviewDrag& drag, QPoint cursor, double ratio, QSize page,
                 QSize canvas);

}  // namespace orbisca
