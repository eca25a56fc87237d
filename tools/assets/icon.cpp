// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QRegularExpression>

#include "data/atomic_file.h"
#include "emblems.h"
#include "palette.h"
#include "raster.h"

namespace orbisca::assets {

namespace {

constexpr int kSunSign = 20;

QPainterPath disc(qreal radius) {
    QPainterPath path;
    path.addEllipse(QPointF(50, 50), radius, radius);
    return path;
}

QPainterPath ring(qreal outer, qreal inner) {
    QPainterPath path = disc(outer);
    path.addEllipse(QPointF(50, 50), inner, inner);
    path.setFillRule(Qt::OddEvenFill);
    return path;
}

QString number(qreal value) {
    return QString::number(value, 'f', 3).remove(QRegularExpression("\\.?0+$"));
}

// The outline as SVG path data: moves, lines and cubic curves, as Qt keeps them.
QString pathData(const QPainterPath& path) {
    QString data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QString point = number(e.x) + ' ' + number(e.y);
        switch (e.type) {
            case QPainterPath::MoveToElement:
                data += 'M' + point;
                break;
            case QPainterPath::LineToElement:
                data += 'L' + point;
                break;
            case QPainterPath::CurveToElement:
                data += 'C' + point;
                break;
            case QPainterPath::CurveToDataElement:
                data += ' ' + point;
                break;
        }
    }
    return data;
}

bool writeInto(const QString& file, const QByteArray& content, QStringList& problems) {
    QString error;
    if (QDir().mkpath(QFileInfo(file).absolutePath()) && writeFileAtomically(file, content, &error))
        return true;
    problems << (error.isEmpty() ? "cannot create the folder of " + file : error);
    return false;
}

}  // namespace

QList<IconLayer> iconLayers() {
    const Family& sun = signFamily(kSunSign);
    QList<IconLayer> layers{
        {disc(48), QColor(kNight)}, {ring(48, 43), QColor(kGold)}, {disc(39), sun.deep}};
    // The emblem fills the middle of the disc: its 100-unit design box shrunk to 56 units.
    QTransform toMiddle;
    toMiddle.translate(22, 22);
    toMiddle.scale(0.56, 0.56);
    for (const QPainterPath& part : signEmblemParts(kSunSign))
        layers.append({toMiddle.map(part), sun.ink});
    return layers;
}

QImage drawIcon(int size) {
    QImage image = transparentCanvas(QSize(size, size));
    QPainter p(&image);
    smoothPainter(p);
    p.scale(size / 100.0, size / 100.0);
    p.setPen(Qt::NoPen);
    for (const IconLayer& layer : iconLayers()) p.fillPath(layer.outline, layer.colour);
    return image;
}

QByteArray iconSvg() {
    QString svg = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100\" height=\"100\" "
        "viewBox=\"0 0 100 100\">\n");
    for (const IconLayer& layer : iconLayers())
        svg += QStringLiteral("<path fill=\"%1\" fill-rule=\"%2\" d=\"%3\"/>\n")
                   .arg(layer.colour.name(),
                        layer.outline.fillRule() == Qt::OddEvenFill ? "evenodd" : "nonzero",
                        pathData(layer.outline));
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

QStringList writeIcons(const QString& dir, const QString& name) {
    QStringList problems;
    const QString hicolor = QDir(dir).filePath(QStringLiteral("hicolor"));
    for (int size : kIconSizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!drawIcon(size).save(&buffer, "PNG")) {
            problems << QStringLiteral("cannot encode the %1-pixel icon").arg(size);
            continue;
        }
        writeInto(QStringLiteral("%1/%2x%2/apps/%3.png").arg(hicolor).arg(size).arg(name), png,
                  problems);
    }
    writeInto(hicolor + "/scalable/apps/" + name + ".svg", iconSvg(), problems);
    return problems;
}

}  // namespace orbisca::assets
