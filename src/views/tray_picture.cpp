// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/tray_picture.h"

#include <QPainter>
#include <algorithm>

#include "data/working_folder.h"
#include "gfx/image_io.h"
#include "views/compact_panel.h"

namespace orbisca {

namespace {

// The sign's picture with its mask as the alpha channel.
QImage cutOutSign(const WorkingFolder& folder, int sign) {
    const std::optional<PanelPictureFiles> files = panelPictureFiles(sign);
    const QImage picture = gfx::loadBitmap(folder.resolve(files->picture));
    const QImage mask = gfx::loadBitmap(folder.resolve(files->mask));
    QImage cut = picture.convertToFormat(QImage::Format_ARGB32);
    const int w = std::min(cut.width(), mask.width());
    const int h = std::min(cut.height(), mask.height());
    for (int y = 0; y < cut.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(cut.scanLine(y));
        for (int x = 0; x < cut.width(); ++x) {
            const int alpha = (x < w && y < h) ? qGray(mask.pixel(x, y)) : 0;
            row[x] = qRgba(qRed(row[x]), qGreen(row[x]), qBlue(row[x]), alpha);
        }
    }
    return cut;
}

void drawTone(QPainter& painter, int tone, const QRect& box) {
    const QColor ink(255, 255, 255);
    const QColor outline(20, 12, 40);
    for (const QRect& r : toneBlocks(tone, box))
        painter.fillRect(r.adjusted(-1, -1, 1, 1), outline);
    for (const QRect& r : toneBlocks(tone, box)) painter.fillRect(r, ink);
}

}  // namespace

QRect trayToneBox(int size) {
    const int height = std::max(7, size * 3 / 10);  // three rows and their outline at 16 px
    return QRect(0, size - height, size, height);
}

std::vector<QRect> toneBlocks(int tone, const QRect& box) {
    const int bars = std::clamp(tone, 0, 13) / 5;
    const int dots = std::clamp(tone, 0, 13) % 5;
    const int rows = bars + (dots > 0 ? 1 : 0);
    if (rows == 0) return {};
    // The thickness of a row and of the gap below it; the outline takes a pixel on either side.
    // Four dots and their gaps must fit across as well.
    const int unit =
        std::max(1, std::min((box.height() - 2) / (2 * rows - 1), (box.width() - 2) / 7));
    int y = box.top() + (box.height() - (2 * rows - 1) * unit) / 2;
    std::vector<QRect> blocks;
    if (dots > 0) {
        const int step = 2 * unit;
        const int left = box.center().x() + 1 - (dots * step - unit) / 2;
        for (int i = 0; i < dots; ++i) blocks.emplace_back(left + i * step, y, unit, unit);
        y += 2 * unit;
    }
    const int barWidth = std::max(3 * unit, box.width() * 3 / 4);
    const int barLeft = box.center().x() + 1 - barWidth / 2;
    for (int i = 0; i < bars; ++i, y += 2 * unit) blocks.emplace_back(barLeft, y, barWidth, unit);
    return blocks;
}

QImage trayIconPicture(const WorkingFolder& folder, const MayanDate& day, int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    const int signSide = size - trayToneBox(size).height() / 2;
    const QImage sign =
        cutOutSign(folder, day.sign)
            .scaled(signSide, signSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&icon);
    painter.drawImage((size - sign.width()) / 2, 0, sign);
    drawTone(painter, day.tone, trayToneBox(size));
    return icon;
}

QString trayToolTip(const MayanDate& day, const QString& dateText, const BaseLineReader& line) {
    const DayCaptions c = dayCaptions(day, line);
    const DayNames names = dayNames(day, line);
    QStringList lines;
    lines << c.kinLine;
    lines << QStringList{names.colour, names.tone, names.sign}.join(QLatin1Char(' '));
    lines << (day.month > 0 ? c.moonName + QStringLiteral(", ") + c.dayOfMoon : c.extraDay);
    if (!dateText.isEmpty()) lines << dateText;
    const double percent = day.moonPhase / 1e7;
    lines << c.phaseOf + QLatin1Char(' ') + c.theMoon + QStringLiteral(": ") +
                 QString::number(percent, 'f', 0) + QStringLiteral(" %");
    return lines.join(QLatin1Char('\n'));
}

}  // namespace orbisca
