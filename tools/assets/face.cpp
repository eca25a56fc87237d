// SPDX-License-Identifier: GPL-3.0-or-later
#include "face.h"

#include "emblems.h"
#include "palette.h"
#include "raster.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace orbisca::assets {

namespace {

constexpr qreal kCentreX = 300;

// The sky disc behind the pyramid.
const QRectF kOrb(74, 10, 452, 432);

// One tier of the pyramid: a trapezoid with sloping sides, narrower at the top.
struct Tier {
    qreal top, bottom, halfTop, halfBottom;
};
// From the top: the sanctuary's tier, the tier of the day's pictures, the affirmation's tier, the
// base with its stairway.
constexpr Tier kTiers[] = {
    {88, 170, 136, 144}, {170, 288, 172, 180}, {288, 398, 196, 204}, {398, 450, 262, 272}};

// The calm obsidian panels the texts are written on: the month lines and the tone and sign names;
// the pictures of the day with their captions; the six lines of the affirmation.
// The base carries a calm band for the compact window's one-line hints and two dark sockets
// for its buttons (24 x 24 glyphs at (44, 414) and (532, 414)).
const QRectF kHintBand(74, 403, 452, 20);
const QRectF kButtonSockets[] = {QRectF(42, 412, 28, 28), QRectF(530, 412, 28, 28)};

const QRectF kPanels[] = {QRectF(172, 94, 256, 86), QRectF(136, 176, 328, 116),
                          QRectF(116, 292, 368, 102)};

// The sanctuary on top, whose door opens the day overview.
const QRectF kTemple(250, 50, 100, 40);
const QRectF kRoof(262, 34, 76, 18);
const QRectF kDoor(287, 62, 26, 32);

QPainterPath tierPath(const Tier& t) {
    QPainterPath path;
    path.moveTo(kCentreX - t.halfTop, t.top);
    path.lineTo(kCentreX + t.halfTop, t.top);
    path.lineTo(kCentreX + t.halfBottom, t.bottom);
    path.lineTo(kCentreX - t.halfBottom, t.bottom);
    path.closeSubpath();
    return path;
}

QPainterPath pyramidPath() {
    QPainterPath path;
    for (const Tier& t : kTiers) path.addPath(tierPath(t));
    path.addRect(kTemple);
    path.addRect(kRoof);
    path.setFillRule(Qt::WindingFill);
    return path.simplified();
}

QPainterPath outlinePath() {
    QPainterPath orb;
    orb.addEllipse(kOrb);
    return orb.united(pyramidPath());
}

QPainterPath panelPath() {
    QPainterPath path;
    for (const QRectF& r : kPanels) path.addRect(r);
    path.setFillRule(Qt::WindingFill);
    return path.simplified();
}

// A small deterministic hash for stone grain and star placement.
uint32_t hash32(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

class Random {
public:
    explicit Random(uint32_t seed) : state_(seed) {}
    qreal next() {  // 0 .. 1
        state_ = hash32(state_ + 0x9e3779b9U);
        return (state_ & 0xFFFFFF) / qreal(0x1000000);
    }

private:
    uint32_t state_;
};

void paintSky(QPainter& p) {
    QLinearGradient g(0, kOrb.top(), 0, kOrb.bottom());
    g.setColorAt(0, QColor(kNight));
    g.setColorAt(0.45, QColor(14, 6, 56));
    g.setColorAt(0.8, QColor(34, 18, 84));
    g.setColorAt(1, QColor(78, 36, 96));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(kOrb);

    // A faint band of the galaxy across the upper sky.
    p.save();
    QPainterPath clip;
    clip.addEllipse(kOrb);
    p.setClipPath(clip);
    for (int i = 0; i <= 40; ++i) {
        const qreal t = i / 40.0;
        const QPointF c(60 + 480 * t, 200 - 170 * t + 22 * std::sin(t * 6.0));
        QRadialGradient band(c, 46);
        band.setColorAt(0, QColor(120, 100, 190, 16));
        band.setColorAt(1, QColor(120, 100, 190, 0));
        p.setBrush(band);
        p.drawEllipse(c, 46, 46);
    }
    Random rnd(20260726);
    for (int i = 0; i < 420; ++i) {
        const QPointF pt(kOrb.left() + rnd.next() * kOrb.width(),
                         kOrb.top() + rnd.next() * kOrb.height());
        const qreal bright = rnd.next();
        const qreal size = bright > 0.97 ? 1.5 : bright > 0.85 ? 1.0 : 0.6;
        const int alpha = 70 + static_cast<int>(185 * bright);
        const QColor tint =
            rnd.next() > 0.8 ? QColor(255, 226, 190, alpha) : QColor(226, 232, 255, alpha);
        p.setBrush(tint);
        p.drawEllipse(pt, size, size);
        if (bright > 0.985) {
            p.setPen(QPen(QColor(240, 240, 255, 110), 0.6));
            p.drawLine(pt - QPointF(4, 0), pt + QPointF(4, 0));
            p.drawLine(pt - QPointF(0, 4), pt + QPointF(0, 4));
            p.setPen(Qt::NoPen);
        }
    }
    p.restore();
}

// The stone of the pyramid with its grain, courses of blocks, lit treads and shaded sides.
QImage stoneLayer() {
    QImage layer = transparentCanvas(QSize(kFaceWidth, kFaceHeight));
    QPainter p(&layer);
    smoothPainter(p);
    const QPainterPath pyramid = pyramidPath();
    QLinearGradient g(0, 30, 0, 450);
    g.setColorAt(0, QColor(104, 98, 140));
    g.setColorAt(1, QColor(70, 64, 104));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(pyramid);
    p.setClipPath(pyramid);

    // Courses of blocks, staggered joints.
    p.setPen(QPen(QColor(30, 24, 56, 90), 1));
    for (const Tier& t : kTiers) {
        int row = 0;
        for (qreal y = t.top + 12; y < t.bottom; y += 12, ++row) {
            p.drawLine(QPointF(0, y + 0.5), QPointF(kFaceWidth, y + 0.5));
            for (qreal x = (row % 2 ? 12 : 30); x < kFaceWidth; x += 36)
                p.drawLine(QPointF(x + 0.5, y - 12), QPointF(x + 0.5, y));
        }
    }
    // Lit treads along the top of each tier and a shadow below them.
    for (const Tier& t : kTiers) {
        QLinearGradient tread(0, t.top, 0, t.top + 6);
        tread.setColorAt(0, QColor(196, 190, 226));
        tread.setColorAt(1, QColor(140, 134, 178));
        p.setPen(Qt::NoPen);
        p.setBrush(tread);
        p.drawRect(QRectF(kCentreX - t.halfTop - 2, t.top, 2 * t.halfTop + 4, 5));
        p.setBrush(QColor(20, 14, 44, 110));
        p.drawRect(QRectF(kCentreX - t.halfTop - 2, t.top + 5, 2 * t.halfTop + 4, 2));
    }
    // The moon lights the pyramid from the upper left: shade the right-hand sides.
    QLinearGradient side(kCentreX, 0, kCentreX + 272, 0);
    side.setColorAt(0, QColor(0, 0, 0, 0));
    side.setColorAt(1, QColor(10, 4, 30, 90));
    p.setBrush(side);
    p.drawRect(QRectF(kCentreX, 0, 300, kFaceHeight));

    // Thirteen carved moons along each side of the base, below the hint line.
    for (int i = 0; i < 13; ++i) {
        for (qreal x : {80.0 + 12.5 * i, 520.0 - 12.5 * i}) {
            p.setBrush(QColor(36, 30, 64));
            p.drawEllipse(QPointF(x + 0.6, 438.6), 3, 3);
            p.setBrush(QColor(202, 168, 96));
            p.drawEllipse(QPointF(x, 438), 2.4, 2.4);
        }
    }
    // The stairway down the middle of the base, under the hint line.
    const QRectF stair(254, kHintBand.bottom() + 1, 92, kFaceHeight - kHintBand.bottom() - 1);
    p.setBrush(QColor(84, 78, 120));
    p.drawRect(stair);
    for (qreal y = stair.top() + 5; y < stair.bottom(); y += 6) {
        p.setBrush(QColor(170, 164, 204));
        p.drawRect(QRectF(stair.left(), y, stair.width(), 2));
        p.setBrush(QColor(44, 38, 74));
        p.drawRect(QRectF(stair.left(), y + 2, stair.width(), 1));
    }
    for (qreal x : {stair.left() - 6, stair.right()}) {
        QLinearGradient bal(x, 0, x + 6, 0);
        bal.setColorAt(0, QColor(150, 144, 186));
        bal.setColorAt(1, QColor(58, 52, 90));
        p.setBrush(bal);
        p.drawRect(QRectF(x, stair.top() + 2, 6, stair.height()));
    }
    p.end();

    // Grain: a few levels of brightness per pixel, fixed by position.
    for (int y = 0; y < layer.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(layer.scanLine(y));
        for (int x = 0; x < layer.width(); ++x) {
            const QRgb px = row[x];
            const int a = qAlpha(px);
            if (a == 0) continue;
            const int n = static_cast<int>(hash32(static_cast<uint32_t>(y * 4099 + x)) % 13) - 6;
            auto ch = [&](int v) { return std::clamp(v + n * a / 255, 0, a); };
            row[x] = qRgba(ch(qRed(px)), ch(qGreen(px)), ch(qBlue(px)), a);
        }
    }
    return layer;
}

// A dark line along the pyramid's silhouette parts the stone from the sky.
void paintPyramidEdge(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(18, 12, 40, 200), 1.4));
    p.drawPath(pyramidPath());
}

void paintTemple(QPainter& p) {
    // Roof comb with a small sun, cornice and a lit doorway.
    p.setPen(Qt::NoPen);
    QLinearGradient roof(0, kRoof.top(), 0, kRoof.bottom());
    roof.setColorAt(0, QColor(176, 170, 210));
    roof.setColorAt(1, QColor(96, 90, 132));
    p.setBrush(roof);
    p.drawRect(kRoof);
    p.setBrush(QColor(196, 190, 226));
    p.drawRect(QRectF(kTemple.left() - 4, kTemple.top(), kTemple.width() + 8, 4));
    drawSignEmblem(p, 20, QRectF(291, 34, 18, 18), EmblemStyle{QColor(kGold), 1.0});
    for (qreal x : {258.0, 272.0, 322.0, 336.0}) {
        p.setBrush(QColor(60, 54, 92));
        p.drawRect(QRectF(x, 60, 6, 26));
    }
    // The four colours of the count, set into the cornice on both sides of the door.
    for (int i = 0; i < 4; ++i) {
        const QColor c = familyOf(i).pure;
        p.setBrush(c);
        p.drawRect(QRectF(256 + 6 * i, 54, 4, 4));
        p.drawRect(QRectF(322 + 6 * i, 54, 4, 4));
    }
    QLinearGradient glow(0, kDoor.top(), 0, kDoor.bottom());
    glow.setColorAt(0, QColor(255, 236, 170));
    glow.setColorAt(1, QColor(228, 140, 52));
    QPainterPath door;
    door.moveTo(kDoor.left(), kDoor.bottom());
    door.lineTo(kDoor.left(), kDoor.top() + 10);
    door.lineTo(kDoor.center().x(), kDoor.top());
    door.lineTo(kDoor.right(), kDoor.top() + 10);
    door.lineTo(kDoor.right(), kDoor.bottom());
    door.closeSubpath();
    QRadialGradient halo(kDoor.center(), 30);
    halo.setColorAt(0, QColor(255, 200, 110, 90));
    halo.setColorAt(1, QColor(255, 200, 110, 0));
    p.setBrush(halo);
    p.drawEllipse(kDoor.center(), 30, 30);
    p.setBrush(glow);
    p.drawPath(door);
}

// The hint band and the button sockets on the base.
void paintBaseInlays(QPainter& p) {
    QLinearGradient g(0, kHintBand.top(), 0, kHintBand.bottom());
    g.setColorAt(0, QColor(10, 6, 34));
    g.setColorAt(1, QColor(16, 10, 46));
    p.setBrush(g);
    p.setPen(QPen(QColor(kGoldDim), 1));
    p.drawRoundedRect(kHintBand.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    for (const QRectF& socket : kButtonSockets) {
        p.setBrush(QColor(kNight));
        p.drawRoundedRect(socket.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    }
}

// Obsidian panels with a thin gold inlay and sockets for the pictures of the day.
void paintPanels(QPainter& p) {
    const QPainterPath panel = panelPath();
    QLinearGradient g(0, 94, 0, 394);
    g.setColorAt(0, QColor(16, 10, 46));
    g.setColorAt(1, QColor(10, 6, 34));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(panel);
    p.save();
    p.setClipPath(panel);
    // A faint sheen of moonlight on the polished stone, strongest at the upper left.
    QRadialGradient sheen(QPointF(200, 150), 260);
    sheen.setColorAt(0, QColor(70, 60, 140, 34));
    sheen.setColorAt(1, QColor(70, 60, 140, 0));
    p.setBrush(sheen);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(100, 90, 400, 310));
    // A shadow under the upper edges: the panels are set into the stone.
    p.setPen(QPen(QColor(0, 0, 0, 90), 4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(panel.translated(2, 2));
    p.restore();
    p.setPen(QPen(QColor(kGoldDim), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(panel);
    p.setPen(QPen(QColor(226, 184, 92, 70), 1));
    const QTransform in =
        QTransform::fromTranslate(300, 244).scale(0.985, 0.982).translate(-300, -244);
    p.drawPath(in.map(panel));

    // Gold studs on the outer corners of the panels.
    p.setPen(Qt::NoPen);
    for (const QRectF& r : kPanels)
        for (const QPointF& c : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) {
            if (panel.contains(c + QPointF(c.x() < 300 ? -3 : 3, 0))) continue;  // an inner corner
            p.setBrush(QColor(kGold));
            p.drawEllipse(c, 2.6, 2.6);
            p.setBrush(QColor(255, 240, 200));
            p.drawEllipse(c - QPointF(0.6, 0.6), 0.9, 0.9);
        }
    p.setBrush(Qt::NoBrush);
    // Sockets: faint rings where the plasma, sign, guide and moon sit.
    p.setPen(QPen(QColor(226, 184, 92, 60), 1));
    p.drawRoundedRect(QRectF(220.5, 216.5, 83, 83), 17, 17);
    p.drawRoundedRect(QRectF(304.5, 225.5, 71, 71), 15, 15);
    p.drawEllipse(QPointF(179.5, 245.5), 33, 33);
    p.drawEllipse(QPointF(419.5, 245.5), 34, 34);
    // A thin rule between the captions and the affirmation, one row below the sign tile (rows
    // 220 to 296) and above the first affirmation line (from row 298).
    QLinearGradient rule(136, 0, 464, 0);
    rule.setColorAt(0, QColor(226, 184, 92, 0));
    rule.setColorAt(0.5, QColor(226, 184, 92, 120));
    rule.setColorAt(1, QColor(226, 184, 92, 0));
    p.setPen(QPen(QBrush(rule), 1));
    p.drawLine(QPointF(170, 297.5), QPointF(430, 297.5));
}

// The inside pixels on the outline's edge take a gold rim, the next ring a darker one.
void paintRim(QImage& face, const QImage& shape) {
    auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < shape.width() && y < shape.height() &&
               shape.constScanLine(y)[x];
    };
    auto edgeDistance = [&](int x, int y) {
        for (int d = 1; d <= 2; ++d)
            for (int dy = -d; dy <= d; ++dy)
                for (int dx = -d; dx <= d; ++dx)
                    if (std::max(std::abs(dx), std::abs(dy)) == d && !inside(x + dx, y + dy))
                        return d;
        return 0;
    };
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x) {
            if (!inside(x, y)) continue;
            const int d = edgeDistance(x, y);
            if (d == 1) face.setPixel(x, y, kGold);
            if (d == 2) face.setPixel(x, y, qRgb(92, 66, 30));
        }
}

QImage paintFace() {
    QImage canvas = transparentCanvas(QSize(kFaceWidth, kFaceHeight));
    QPainter p(&canvas);
    smoothPainter(p);
    paintSky(p);
    p.drawImage(0, 0, stoneLayer());
    paintPyramidEdge(p);
    paintTemple(p);
    paintPanels(p);
    paintBaseInlays(p);
    p.end();
    return canvas;
}

}  // namespace

namespace {
// The outline filled white on black, with or without anti-aliasing.
QImage outlineCoverage(bool antialiased) {
    QImage shape(kFaceWidth, kFaceHeight, QImage::Format_Grayscale8);
    shape.fill(0);
    QPainter p(&shape);
    p.setRenderHint(QPainter::Antialiasing, antialiased);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(outlinePath());
    p.end();
    return shape;
}
}  // namespace

QImage faceShape() { return outlineCoverage(false); }

QImage faceSoftEdge() {
    // The outline drawn anti-aliased gives each rim pixel its coverage; the hard outline keeps the
    // pixels whose centre lies inside. The soft edge is the smaller of the two, so it never shows
    // a pixel the hard outline leaves out (whose face colour is the black around the figure), and
    // the rim fades from the hard outline inwards.
    const QImage soft = outlineCoverage(true);
    const QImage hard = faceShape();
    QImage mask(soft.size(), QImage::Format_RGB888);
    for (int y = 0; y < soft.height(); ++y) {
        const uchar* coverage = soft.constScanLine(y);
        const uchar* inside = hard.constScanLine(y);
        uchar* out = mask.scanLine(y);
        for (int x = 0; x < soft.width(); ++x) {
            const uchar v = inside[x] ? coverage[x] : 0;
            out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = v;
        }
    }
    return mask;
}

std::vector<QRect> faceMarkedRectangles(const QImage& shape) {
    // Bands of eight rows; each band's rectangle is the part common to all its rows, which holds
    // when every row of the outline is one run.
    std::vector<QRect> rects;
    constexpr int kBand = 8;
    for (int top = 0; top + kBand <= shape.height(); top += kBand) {
        int left = 0, right = shape.width() - 1;
        for (int y = top; y < top + kBand; ++y) {
            const uchar* row = shape.constScanLine(y);
            int first = 0;
            while (first < shape.width() && !row[first]) ++first;
            int last = shape.width() - 1;
            while (last >= 0 && !row[last]) --last;
            left = std::max(left, first);
            right = std::min(right, last);
        }
        if (right - left >= 8)
            rects.emplace_back(QPoint(left, top), QPoint(right, top + kBand - 1));
    }
    return rects;
}

QImage facePicture() {
    const QImage shape = faceShape();
    QImage face = flattenOnto(paintFace(), kNight);
    for (int y = 0; y < face.height(); ++y) {
        const uchar* in = shape.constScanLine(y);
        uchar* px = face.scanLine(y);
        for (int x = 0; x < face.width(); ++x) {
            uchar* c = px + 3 * x;
            if (!in[x]) {
                c[0] = c[1] = c[2] = 0;
            } else {
                // Nothing inside the outline is black, so any colour-keyed use of the face stays
                // whole.
                for (int i = 0; i < 3; ++i) c[i] = std::max<uchar>(c[i], 1);
            }
        }
    }
    paintRim(face, shape);
    return face;
}

QImage faceRegionMask() {
    const QImage shape = faceShape();
    QImage mask(shape.size(), QImage::Format_RGB888);
    for (int y = 0; y < shape.height(); ++y) {
        const uchar* in = shape.constScanLine(y);
        uchar* out = mask.scanLine(y);
        for (int x = 0; x < shape.width(); ++x) {
            const uchar v = in[x] ? 255 : 0;
            out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = v;
        }
    }
    // Inside a marked rectangle the pixels are dark crimson: not black, yet with a zero channel so
    // that a region builder does not add them one by one; the corner pair adds them at once.
    for (const QRect& r : faceMarkedRectangles(shape)) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            uchar* out = mask.scanLine(y);
            for (int x = r.left(); x <= r.right(); ++x) {
                out[3 * x] = 128;
                out[3 * x + 1] = 0;
                out[3 * x + 2] = 64;
            }
        }
        for (const QPoint& corner : {r.topLeft(), r.bottomRight()}) {
            uchar* c = mask.scanLine(corner.y()) + 3 * corner.x();
            c[0] = 255;
            c[1] = 0;
            c[2] = 0;
        }
    }
    return mask;
}

namespace {
QImage shrinkFace(int size) {
    const int h = size * kFaceHeight / kFaceWidth;
    const QImage face = facePicture().convertToFormat(QImage::Format_RGB32);
    const QImage small = face.scaled(size, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage shape =
        faceShape().scaled(size, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage out(size, size, QImage::Format_RGB888);
    out.fill(Qt::black);
    const int top = (size - h) / 2;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < size; ++x) {
            if (shape.constScanLine(y)[x] < 128) continue;
            const QRgb c = small.pixel(x, y);
            out.setPixel(x, y + top,
                         qRgb(std::max(qRed(c), 1), std::max(qGreen(c), 1), std::max(qBlue(c), 1)));
        }
    return out;
}
}  // namespace

QImage splashPicture(int size) { return shrinkFace(size); }

QImage splashOutline(int size) {
    // The same silhouette in the frame colour with a gold edge; every inside pixel has all three
    // channels above zero, so all of it belongs to the first outline.
    QImage pic = shrinkFace(size);
    for (int y = 0; y < pic.height(); ++y)
        for (int x = 0; x < pic.width(); ++x) {
            if (pic.pixel(x, y) == qRgb(0, 0, 0)) continue;
            const bool edge =
                x == 0 || y == 0 || x + 1 == pic.width() || y + 1 == pic.height() ||
                pic.pixel(x - 1, y) == qRgb(0, 0, 0) || pic.pixel(x + 1, y) == qRgb(0, 0, 0) ||
                pic.pixel(x, y - 1) == qRgb(0, 0, 0) || pic.pixel(x, y + 1) == qRgb(0, 0, 0);
            pic.setPixel(x, y, edge ? kGold : qRgb(8, 2, 40));
        }
    return pic;
}

}  // namespace orbisca::assets
