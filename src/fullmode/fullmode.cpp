#include "fullmode/fullmode.h"

#include <QKeyEvent>
#include <QPainter>

#include "data/program_state.h"

namespace orbisca {

TForm3::TForm3(QWidget* parent) : QWidget(parent) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Orbisca v1.2"));
    resize(825, 506);
}

void TForm3::showRequested() {
    FullModeState& f = fullModeState();
    f.fmstate = f._newstate;
    show();
    raise();
    activateWindow();
    update();
}

void TForm3::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(7, 0, 35));
    p.setPen(Qt::white);
    p.drawText(rect(), Qt::AlignCenter, QString::number(fullModeState().fmstate));
}

void TForm3::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) hide();
}

void TForm3::mousePressEvent(QMouseEvent*) { hide(); }

void TForm3::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous()) return;
    FullModeState& f = fullModeState();
    f.spin = 0;
    f._newstate = 10;
    if (returnToCompact) returnToCompact();
}

}  // namespace orbisca
