#include "fullmode/full_mode_window.h"

#include <QKeyEvent>
#include <QPainter>

#include "data/program_title.h"

namespace orbisca {

FullModeWindow::FullModeWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("fullModeWindow"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(programTitle());
    resize(825, 506);
}

void FullModeWindow::showMode(int mode, bool stopFade) {
    state_.requestedMode = std::uint8_t(mode);
    if (stopFade) state_.fadeStepsLeft = 0;
    state_.mode = state_.requestedMode;
    show();
    raise();
    activateWindow();
    update();
}

void FullModeWindow::dateChanged() {
    state_.cachedYearSign = 0;
    state_.cachedYearTone = 0;
    update();
}

void FullModeWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(7, 0, 35));
    p.setPen(Qt::white);
    p.drawText(rect(), Qt::AlignCenter, QString::number(state_.mode));
}

void FullModeWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) hide();
}

void FullModeWindow::mousePressEvent(QMouseEvent*) { hide(); }

void FullModeWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous()) return;
    state_.fadeStepsLeft = 0;
    state_.requestedMode = kNoModeAsked;
    if (returnToCompact) returnToCompact();
}

}  // namespace orbisca
