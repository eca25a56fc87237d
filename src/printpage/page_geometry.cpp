// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpage/page_geometry.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace orbisca {
namespace {

QSize atLeastOnePixel(QSize size) {
    return {std::max(1, size.width()), std::max(1, size.height())};
}

// A printed side: at least one pixel.
int printedSide(double pixels) { return std::max(1, roundPixels(pixels)); }

// The largest scale at which neither printed side exceeds kMaxPrintPixels.
double maxScaleFor(QSize canvas) {
    const QSize c = atLeastOnePixel(canvas);
    return kMaxPrintPixels * 100.0 / std::max(c.width(), c.height());
}

double acrossOrDown(PageField field, const PageMetrics& metrics) {
    const bool across =
        field == PageField::Left || field == PageField::Width || field == PageField::PaperWidth;
    return across ? metrics.pixelsPerCmAcross() : metrics.pixelsPerCmDown();
}

QString valueText(double value, PageUnit unit) {
    if (unit == PageUnit::Pixels) return QString::number(roundPixels(value));
    return formatFieldNumber(roundToHundredths(value));
}

QString fieldName(PageField field) {
    static const char* const names[kPageFieldCount] = {
        "left", "top", "width", "height", "scale", "paper width", "paper height"};
    return QString::fromLatin1(names[static_cast<int>(field)]);
}

// A typed width or height in pixels, or why it is refused.
std::optional<QString> checkSize(PageField field, double pixels) {
    if (roundPixels(pixels) < 1) return fieldName(field) + " must be at least one pixel";
    if (pixels > kMaxPrintPixels)
        return fieldName(field) + QStringLiteral(" must be at most %1 pixels").arg(kMaxPrintPixels);
    return std::nullopt;
}

std::optional<QString> checkScale(double scale, QSize canvas) {
    if (scale < kMinPrintScale)
        return QStringLiteral("scale must be at least %1 %").arg(formatFieldNumber(kMinPrintScale));
    if (scale > maxScaleFor(canvas))
        return QStringLiteral("scale: the printed picture would be larger than %1 pixels")
            .arg(kMaxPrintPixels);
    return std::nullopt;
}

}  // namespace

double PageMetrics::pixelsPerCmAcross() const {
    return std::max(dotsPerInch.width(), 1.0) / kCmPerInch;
}

double PageMetrics::pixelsPerCmDown() const {
    return std::max(dotsPerInch.height(), 1.0) / kCmPerInch;
}

PageMetrics wholePaperMetrics(QSize page, double dotsPerInch) {
    const QSize p = atLeastOnePixel(page);
    const double dpi = std::max(dotsPerInch, 1.0);
    return {p, QSizeF(p) / dpi * kCmPerInch, QSizeF(dpi, dpi)};
}

std::optional<double> readFieldNumber(const QString& text) {
    QString kept;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            kept += c;
        else if (c == u',' || c == u'.')
            kept += u'.';
        else if (c == u'-')
            kept.prepend(u'-');
    }
    if (kept.endsWith(u'.')) kept += u'0';
    bool ok = false;
    const double value = QLocale::c().toDouble(kept, &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return roundToHundredths(value);
}

double roundToHundredths(double value) {
    const double whole = std::trunc(value);
    const double hundredths = (value - whole) * 100;
    double r = std::trunc(hundredths);
    const double rest = hundredths - r;
    if (rest >= 0.5) r += 1;
    if (rest <= -0.5) r -= 1;
    return whole + r / 100;
}

int roundPixels(double value) {
    if (std::isnan(value)) return 0;
    const double limited = std::clamp(value, -double(kMaxPrintPixels), double(kMaxPrintPixels));
    return static_cast<int>(std::nearbyint(limited));  // halves to even
}

QString formatFieldNumber(double value) {
    if (value == 0) value = 0;  // no "-0"
    return QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest).replace(u'.', u',');
}

double convertPageUnit(double value, PageUnit from, PageUnit to, double pixelsPerCm) {
    auto toCm = [&](double v, PageUnit unit) {
        switch (unit) {
            case PageUnit::Pixels:
                return v / pixelsPerCm;
            case PageUnit::Inches:
                return v * kCmPerInch;
            case PageUnit::Centimetres:
                break;
        }
        return v;
    };
    const double cm = toCm(value, from);
    switch (to) {
        case PageUnit::Pixels:
            return from == PageUnit::Pixels ? value : cm * pixelsPerCm;
        case PageUnit::Inches:
            return cm / kCmPerInch;
        case PageUnit::Centimetres:
            break;
    }
    return cm;
}

namespace {

// The width or the height as given; the other side and the scale follow from the canvas.
void applySideRule(PageGeometry& g, QSize canvas, bool widthGiven) {
    const QSize c = atLeastOnePixel(canvas);
    int& given = widthGiven ? g.width : g.height;
    int& other = widthGiven ? g.height : g.width;
    given = std::max(1, given);
    const double s = double(given) / (widthGiven ? c.width() : c.height());
    other = printedSide((widthGiven ? c.height() : c.width()) * s);
    g.scale = s * 100;
}

}  // namespace

void applyWidthRule(PageGeometry& g, QSize canvas) { applySideRule(g, canvas, true); }

void applyHeightRule(PageGeometry& g, QSize canvas) { applySideRule(g, canvas, false); }

void applyScaleRule(PageGeometry& g, QSize canvas) {
    const QSize c = atLeastOnePixel(canvas);
    g.width = printedSide(c.width() * g.scale / 100);
    g.height = printedSide(c.height() * g.scale / 100);
}

void centreOnPage(PageGeometry& g, QSize page) {
    const QSize p = atLeastOnePixel(page);
    g.left = roundPixels(p.width() / 2.0 - g.width / 2.0);
    g.top = roundPixels(p.height() / 2.0 - g.height / 2.0);
}

void fitToPage(PageGeometry& g, QSize page, QSize canvas) {
    const QSize p = atLeastOnePixel(page);
    const double pageShape = double(p.width()) / p.height();
    const double pictureShape = double(std::max(1, g.width)) / std::max(1, g.height);
    if (pictureShape >= pageShape) {
        g.left = 0;
        g.width = p.width();
        applyWidthRule(g, canvas);
        g.top = roundPixels(p.height() / 2.0 - g.height / 2.0);
    } else {
        g.top = 0;
        g.height = p.height();
        applyHeightRule(g, canvas);
        g.left = roundPixels(p.width() / 2.0 - g.width / 2.0);
    }
}

void placeOnPage(PageGeometry& g, QSize page, QSize canvas) {
    applyScaleRule(g, canvas);
    if (g.centre) centreOnPage(g, page);
    if (g.fit) fitToPage(g, page, canvas);
}

void switchCentre(PageGeometry& g, bool on, QSize page) {
    g.centre = on;
    if (on) centreOnPage(g, page);
}

void switchFit(PageGeometry& g, bool on, QSize page, QSize canvas) {
    if (on == g.fit) return;
    g.fit = on;
    if (on) {
        g.savedLeft = g.left;
        g.savedTop = g.top;
        g.savedScale = g.scale;
        fitToPage(g, page, canvas);
        return;
    }
    g.left = g.savedLeft;
    g.top = g.savedTop;
    g.scale = g.savedScale;
    applyScaleRule(g, canvas);
    if (g.centre) centreOnPage(g, page);
}

bool pageFieldEnabled(const PageGeometry& g, PageField field) {
    switch (field) {
        case PageField::Left:
        case PageField::Top:
            return !g.centre;
        case PageField::Width:
        case PageField::Height:
        case PageField::Scale:
            return !g.fit;
        case PageField::PaperWidth:
        case PageField::PaperHeight:
            break;
    }
    return true;
}

QString pageFieldText(const PageGeometry& g, PageField field, const PageMetrics& metrics) {
    const PageUnit unit = g.units[static_cast<int>(field)];
    const double k = acrossOrDown(field, metrics);
    auto shown = [&](double pixels) {
        return valueText(convertPageUnit(pixels, PageUnit::Pixels, unit, k), unit);
    };
    auto shownCm = [&](double cm) {
        return valueText(convertPageUnit(cm, PageUnit::Centimetres, unit, k), unit);
    };
    switch (field) {
        case PageField::Left:
            return shown(g.left);
        case PageField::Top:
            return shown(g.top);
        case PageField::Width:
            return shown(g.width);
        case PageField::Height:
            return shown(g.height);
        case PageField::Scale:
            return formatFieldNumber(roundToHundredths(g.scale));
        case PageField::PaperWidth:
            return shownCm(metrics.paperCm.width());
        case PageField::PaperHeight:
            break;
    }
    return shownCm(metrics.paperCm.height());
}

void setFieldUnit(PageGeometry& g, PageField field, PageUnit unit) {
    if (field != PageField::Scale) g.units[static_cast<int>(field)] = unit;
}

std::optional<QString> editPageField(PageGeometry& g, PageField field, const QString& text,
                                     const PageMetrics& metrics, QSize canvas) {
    if (field == PageField::PaperWidth || field == PageField::PaperHeight) return std::nullopt;
    if (!pageFieldEnabled(g, field))
        return fieldName(field) + (g.fit ? " follows the page while the picture is fitted"
                                         : " follows the page while the picture is centred");
    const std::optional<double> number = readFieldNumber(text);
    if (!number) return fieldName(field) + QStringLiteral(": \"%1\" is not a number").arg(text);
    const double pixels = convertPageUnit(*number, g.units[static_cast<int>(field)],
                                          PageUnit::Pixels, acrossOrDown(field, metrics));
    PageGeometry next = g;
    const QSize c = atLeastOnePixel(canvas);
    std::optional<QString> refused;
    switch (field) {
        case PageField::Left:
        case PageField::Top:
            if (std::abs(pixels) > kMaxPrintPixels)
                return fieldName(field) + " is too far off the page";
            (field == PageField::Left ? next.left : next.top) = roundPixels(pixels);
            break;
        case PageField::Width:
        case PageField::Height: {
            const bool width = field == PageField::Width;
            const int canvasSide = width ? c.width() : c.height();
            refused = checkSize(field, pixels);
            if (!refused) refused = checkScale(roundPixels(pixels) * 100.0 / canvasSide, canvas);
            (width ? next.width : next.height) = roundPixels(pixels);
            applySideRule(next, canvas, width);
            break;
        }
        default:
            refused = checkScale(*number, canvas);
            next.scale = *number;
            applyScaleRule(next, canvas);
    }
    if (refused) return refused;
    if (next.centre) centreOnPage(next, metrics.page);
    g = next;
    return std::nullopt;
}

PagePreview previewOf(const PageGeometry& g, QSize page) {
    const QSize p = atLeastOnePixel(page);
    PagePreview preview;
    preview.ratio = double(std::max(p.width(), p.height())) / kPreviewLongSide;
    const double r = preview.ratio;
    preview.size = {roundPixels(p.width() / r), roundPixels(p.height() / r)};
    const int left = roundPixels(g.left / r);
    const int top = roundPixels(g.top / r);
    const int right = roundPixels((double(g.left) + g.width) / r);
    const int bottom = roundPixels((double(g.top) + g.height) / r);
    preview.picture = QRect(left, top, right - left, bottom - top);
    return preview;
}

PreviewGrip gripAt(const PagePreview& preview, QPoint point, bool centre) {
    const QRect& r = preview.picture;
    const int left = r.x(), top = r.y(), right = r.x() + r.width(), bottom = r.y() + r.height();
    auto near = [&](int x, int y) {
        return std::abs(point.x() - x) <= 3 && std::abs(point.y() - y) <= 3;
    };
    PreviewGrip grip = PreviewGrip::None;
    if (!centre && point.x() >= left && point.x() < right && point.y() >= top && point.y() < bottom)
        grip = PreviewGrip::Body;
    // Later tests win: a corner beats the body.
    if (near(left, top)) grip = PreviewGrip::TopLeft;
    if (near(left, bottom)) grip = PreviewGrip::BottomLeft;
    if (near(right, top)) grip = PreviewGrip::TopRight;
    if (near(right, bottom)) grip = PreviewGrip::BottomRight;
    return grip;
}

std::optional<PreviewDrag> startPreviewDrag(const PageGeometry& g, const PagePreview& preview,
                                            QPoint press) {
    if (g.fit) return std::nullopt;
    const PreviewGrip grip = gripAt(preview, press, g.centre);
    if (grip == PreviewGrip::None) return std::nullopt;
    return PreviewDrag{grip, press, g.left, g.top, g.width, g.height, g.scale};
}

void dragPreview(PageGeometry& g, const PreviewDrag& drag, QPoint cursor, double ratio, QSize page,
                 QSize canvas) {
    const double dx = (cursor.x() - drag.press.x()) * ratio;
    const double dy = (cursor.y() - drag.press.y()) * ratio;
    const double m = g.centre ? 2 : 1;  // centred, both sides move
    const double width = std::max(1, drag.width), height = std::max(1, drag.height);
    double scale = drag.scale;
    switch (drag.grip) {
        case PreviewGrip::None:
            return;
        case PreviewGrip::Body:
            if (g.centre) return;
            g.left = roundPixels(drag.left + dx);
            g.top = roundPixels(drag.top + dy);
            return;
        case PreviewGrip::BottomRight:
            scale = (dx * m + width) / width * drag.scale;
            break;
        case PreviewGrip::TopRight:
        case PreviewGrip::TopLeft:
            scale = (-dy * m + height) / height * drag.scale;
            break;
        case PreviewGrip::BottomLeft:
            scale = (-dx * m + width) / width * drag.scale;
            break;
    }
    // Past the opposite corner the scale would turn negative and mirror the print.
    g.scale = std::clamp(scale, kMinPrintScale, maxScaleFor(canvas));
    applyScaleRule(g, canvas);
    if (drag.grip == PreviewGrip::TopRight || drag.grip == PreviewGrip::TopLeft)
        g.top = roundPixels(drag.top + height - g.height);
    if (drag.grip == PreviewGrip::TopLeft || drag.grip == PreviewGrip::BottomLeft)
        g.left = roundPixels(drag.left + width - g.width);
    if (g.centre) centreOnPage(g, page);
}

}  // namespace orbisca
