#include "compact/setdate.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <climits>

#include "calendar/calendar_state.h"
#include "compact/window_links.h"
#include "data/program_state.h"
#include "data/text_file.h"

namespace orbisca {

bool dateDialogAccepts(int /*year*/, int month, int day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(std::uint8_t(month));
}

namespace {

QSpinBox* makeSpin(QWidget* parent, int low, int high, int value) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(low, high);
    spin->setValue(value);
    spin->setStyleSheet(
        QStringLiteral("QSpinBox { background: purple; color: yellow; font-weight: bold; }"));
    return spin;
}

QPushButton* makeButton(QWidget* parent, const char* colour) {
    auto* button = new QPushButton(parent);
    button->setFlat(true);
    button->setAutoDefault(false);
    button->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; font-weight: bold; }").arg(colour));
    return button;
}

QLabel* makeLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setStyleSheet(QStringLiteral("QLabel { color: yellow; }"));
    return label;
}

QString base(int line) { return readtext(line, QStringLiteral("BASE.KTX")); }

}  // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint);
    setModal(false);
    setStyleSheet(QStringLiteral("TForm2 { background: rgb(64, 0, 64); }"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(64, 0, 64));
    setPalette(p);

    sp3 = makeSpin(this, INT_MIN, INT_MAX, 2001);
    sp3->setFixedWidth(sp3->fontMetrics().horizontalAdvance(QStringLiteral("-000000")) +
                       40);  // not as wide as the whole range
    sp2 = makeSpin(this, 1, 12, 9);
    sp1 = makeSpin(this, 1, 31, 1);
    yes = makeButton(this, "lime");
    no = makeButton(this, "lime");
    todayb = makeButton(this, "aqua");
    lp1 = makeLabel(this);
    lp2 = makeLabel(this);
    lp3 = makeLabel(this);

    auto* fields = new QGridLayout;
    fields->addWidget(lp1, 0, 0);
    fields->addWidget(lp2, 0, 1);
    fields->addWidget(lp3, 0, 2);
    fields->addWidget(sp3, 1, 0);
    fields->addWidget(sp2, 1, 1);
    fields->addWidget(sp1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(yes);
    buttons->addWidget(todayb);
    buttons->addWidget(no);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QSpinBox* spin : {sp1, sp2, sp3})
        connect(spin, &QSpinBox::valueChanged, this, &TForm2::dateChanged);
    connect(yes, &QPushButton::clicked, this, &TForm2::yesClick);
    connect(no, &QPushButton::clicked, this, &TForm2::noClick);
    connect(todayb, &QPushButton::clicked, this, &TForm2::todaybClick);
}

void TForm2::openOn(const GregorianDate& date) {
    sp3->setValue(date.year);
    sp2->setValue(date.month);
    sp1->setValue(date.day);
    show();
    raise();
    activateWindow();
}

void TForm2::showEvent(QShowEvent* event) {
    updateCaption();
    yes->setText(base(167));
    no->setText(base(169));
    todayb->setText(base(389));
    lp1->setText(base(422));
    lp2->setText(base(421));
    lp3->setText(base(420));
    QDialog::showEvent(event);
}

void TForm2::updateCaption() {
    setWindowTitle(
        QStringLiteral("%1.%2.%3").arg(sp1->value()).arg(sp2->value()).arg(sp3->value()));
}

void TForm2::dateChanged() { updateCaption(); }

void TForm2::yesClick() {
    if (dateDialogAccepts(sp3->value(), sp2->value(), sp1->value())) {
        GregorianDate& date = calendarState().currentDate;
        date.day = std::uint8_t(sp1->value());
        date.month = std::uint8_t(sp2->value());
        date.year = sp3->value();
        fullModeState().pb2ys = 0;
        fullModeState().pb2yt = 0;
        ApplyDate();
        if (windowLinks().repaintFullMode) windowLinks().repaintFullMode();
    }
    done(QDialog::Accepted);
}

void TForm2::noClick() { done(QDialog::Rejected); }

void TForm2::todaybClick() {
    CalendarState& calendar = calendarState();
    calendar.currentDate = calendar.today;
    ApplyDate();
    fullModeState().pb2ys = 0;
    fullModeState().pb2yt = 0;
    done(QDialog::Accepted);
    if (windowLinks().repaintFullMode) windowLinks().repaintFullMode();
    updateCaption();
}

}  // namespace orbisca
