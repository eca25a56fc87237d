// SPDX-License-Identifier: GPL-3.0-or-later
#include "numerals.h"

#include <algorithm>

namespace orbisca::assets {

QPainterPath toneNumeralPath(int tone, const QRectF& box) {
    QPainterPath path;
    if (tone < 1 || tone > 13) return path;
    const int bars = tone / 5;
    const int dots = tone % 5;
    const int rows = bars + (dots > 0 ? 1 : 0);
    // Three rows at most: thickness t and gap g fill the box height at the largest numeral.
    const qreal t = box.height() / (3 + 2 * 0.42);
    const qreal g = 0.42 * t;
    const qreal used = rows * t + (rows - 1) * g;
    qreal y = box.top() + (box.height() - used) / 2;
    const qreal barWidth = std::min(box.width(), 7.2 * t);
    const qreal left = box.center().x() - barWidth / 2;
    if (dots > 0) {
        const qreal d = 1.3 * t;
        const qreal pitch = std::min(1.9 * t, (barWidth - d) / 3.0);
        const qreal first = box.center().x() - pitch * (dots - 1) / 2;
        for (int i = 0; i < dots; ++i)
            path.addEllipse(QPointF(first + i * pitch, y + t / 2), d / 2, d / 2);
        y += t + g;
    }
    for (int i = 0; i < bars; ++i) {
        path.addRoundedRect(QRectF(left, y, barWidth, t), t * 0.32, t * 0.32);
        y += t + g;
    }
    return path;
}

void drawTinyToneNumeral(QImage& canvas, int tone, QColor colour) {
    if (tone < 1 || tone > 13) return;
    const int bars = tone / 5;
    const int dots = tone % 5;
    const int width = 3 * (bars + dots) - 1;
    int x = (canvas.width() - width) / 2;
    const QRgb c = colour.rgba();
    auto put = [&](int px, int py) {
        if (px >= 0 && py >= 0 && px < canvas.width() && py < canvas.height())
            canvas.setPixel(px, py, c);
    };
    const int mid = canvas.height() / 2;
    for (int i = 0; i < dots; ++i, x += 3)
        for (int dy = -1; dy <= 0; ++dy)
            for (int dx = 0; dx < 2; ++dx) put(x + dx, mid + dy);
    for (int i = 0; i < bars; ++i, x += 3)
        for (int py = 0; py < canvas.height(); ++py)
            for (int dx = 0; dx < 2; ++dx) put(x + dx, py);
}

QPainterPath compactNumeralPath(int value, const QRectF& box, NumeralMeasures m) {
    QPainterPath path;
    const int bars = value / 5, dots = value % 5;
    const int rows = bars + (dots ? 1 : 0);
    if (rows == 0) return path;
    const double height = (dots ? m.dot : 0) + bars * m.bar + (rows - 1) * m.gap;
    double y = box.center().y() - height / 2;
    if (dots) {
        const double first = box.center().x() - m.pitch * (dots - 1) / 2;
        for (int i = 0; i < dots; ++i)
            path.addEllipse(QPointF(first + m.pitch * i, y + m.dot / 2), m.dot / 2, m.dot / 2);
        y += m.dot + m.gap;
    }
    for (int i = 0; i < bars; ++i, y += m.bar + m.gap)
        path.addRoundedRect(QRectF(box.left(), y, box.width(), m.bar), m.bar / 3, m.bar / 3);
    return path;
}

}  // namespace orbisca::assets
