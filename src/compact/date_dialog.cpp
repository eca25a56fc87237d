// SPDX-License-Identifier: GPL-3.0-or-later
#include "compact/date_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <climits>

#include "calendar/calendar_state.h"
#include "calendar/iso_date.h"
#include "data/data_state.h"
#include "data/day_words.h"
#include "data/error_log.h"
#include "data/text_file.h"
#include "widgets/window_keys.h"

namespace orbisca {

bool dateDialogAccepts(int /*year*/, int month, int day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(std::uint8_t(month));
}

QString dateDialogRefusal(int year, int month, int day) {
    if (dateDialogAccepts(year, month, day)) return {};
    const QString date = QStringLiteral("%1.%2.%3").arg(day).arg(month).arg(year);
    if (month < 1 || month > 12)
        return QStringLiteral("%1: there is no month %2.").arg(date).arg(month);
    if (day < 1) return QStringLiteral("%1: there is no day %2.").arg(date).arg(day);
    if (month == 2 && day == 29 && isLeapYear(year))
        return QStringLiteral("%1 is no day of this calendar: 29 February counts as 28 February.")
            .arg(date);
    return QStringLiteral("%1 does not exist: month %2 has %3 days.")
        .arg(date)
        .arg(month)
        .arg(daysInMonth(std::uint8_t(month)));
}

namespace {

QString spinStyle(const char* background) {
    return QStringLiteral("QSpinBox { background: %1; color: yellow; font-weight: bold; }")
        .arg(QLatin1String(background));
}

QSpinBox* makeSpin(QWidget* parent, const char* name, int low, int high, int value) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(low, high);
    spin->setValue(value);
    spin->setStyleSheet(spinStyle("purple"));
    return spin;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* colour) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
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

}  // namespace

DateDialog::DateDialog(DataState& dataState, QWidget* parent) : QDialog(parent), data_(dataState) {
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint);
    setModal(false);
    setObjectName(QStringLiteral("dateDialog"));
    // Shown, the dialog takes new texts at once; hidden, at its next showing.
    connect(&data_.texts, &TextsModel::textsChanged, this, [this] {
        if (isVisible()) readCaptions();
    });
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(64, 0, 64));
    setPalette(p);

    yearField_ = makeSpin(this, "yearField", INT_MIN, INT_MAX, 2001);
    // Not as wide as the whole range.
    yearField_->setFixedWidth(
        yearField_->fontMetrics().horizontalAdvance(QStringLiteral("-000000")) + 40);
    monthField_ = makeSpin(this, "monthField", 1, 12, 9);
    dayField_ = makeSpin(this, "dayField", 1, 31, 1);
    applyButton_ = makeButton(this, "applyButton", "lime");
    cancelButton_ = makeButton(this, "cancelButton", "lime");
    todayButton_ = makeButton(this, "todayButton", "aqua");
    // Return in a field applies the typed date, as in any dialog.
    applyButton_->setDefault(true);
    yearLabel_ = makeLabel(this);
    monthLabel_ = makeLabel(this);
    dayLabel_ = makeLabel(this);
    refusal_ = new QLabel(this);
    refusal_->setObjectName(QStringLiteral("refusalLabel"));
    refusal_->setStyleSheet(QStringLiteral("QLabel { color: rgb(255, 90, 90); }"));
    refusal_->setWordWrap(true);
    refusal_->hide();

    auto* fields = new QGridLayout;
    fields->addWidget(yearLabel_, 0, 0);
    fields->addWidget(monthLabel_, 0, 1);
    fields->addWidget(dayLabel_, 0, 2);
    fields->addWidget(yearField_, 1, 0);
    fields->addWidget(monthField_, 1, 1);
    fields->addWidget(dayField_, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(applyButton_);
    buttons->addWidget(todayButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(refusal_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QSpinBox* spin : {dayField_, monthField_, yearField_}) {
        connect(spin, &QSpinBox::valueChanged, this, &DateDialog::updateCaption);
        connect(spin, &QSpinBox::valueChanged, this, [this] { showRefusal({}); });
    }
    connect(applyButton_, &QPushButton::clicked, this, &DateDialog::apply);
    connect(cancelButton_, &QPushButton::clicked, this, &DateDialog::cancel);
    connect(todayButton_, &QPushButton::clicked, this, &DateDialog::returnToToday);
}

void DateDialog::showDate(const GregorianDate& date) {
    showRefusal({});
    yearField_->setValue(date.year);
    monthField_->setValue(date.month);
    dayField_->setValue(date.day);
}

void DateDialog::openOn(const GregorianDate& date) {
    showDate(date);
    showWithKeys(*this);
}

bool DateDialog::pickModally(const GregorianDate& date) {
    showDate(date);
    return exec() == QDialog::Accepted;
}

void DateDialog::showEvent(QShowEvent* event) {
    updateCaption();
    readCaptions();
    QDialog::showEvent(event);
    // Every showing starts in the year field, ready for typing.
    yearField_->setFocus(Qt::OtherFocusReason);
    yearField_->selectAll();
}

void DateDialog::readCaptions() {
    reportFailures(data_, kErrorReadText, kSenderReadText, [this] {
        const WorkingFolder& folder = data_.folder;
        applyButton_->setText(baseLine(folder, base_line::kApplyButton));
        cancelButton_->setText(baseLine(folder, base_line::kCancelButton));
        todayButton_->setText(baseLine(folder, base_line::kTodayButton));
        yearLabel_->setText(baseLine(folder, base_line::kYearFieldLabel));
        monthLabel_->setText(baseLine(folder, base_line::kMonthFieldLabel));
        dayLabel_->setText(baseLine(folder, base_line::kDayFieldLabel));
    });
}

void DateDialog::updateCaption() {
    setWindowTitle(QStringLiteral("%1.%2.%3")
                       .arg(dayField_->value())
                       .arg(monthField_->value())
                       .arg(yearField_->value()));
}

void DateDialog::apply() {
    const QString refusal =
        dateDialogRefusal(yearField_->value(), monthField_->value(), dayField_->value());
    if (!refusal.isEmpty()) {
        showRefusal(refusal);
        dayField_->setFocus(Qt::OtherFocusReason);
        dayField_->selectAll();
        return;
    }
    GregorianDate date = data_.day.date();
    date.day = std::uint8_t(dayField_->value());
    date.month = std::uint8_t(monthField_->value());
    date.year = yearField_->value();
    data_.day.setDate(date);
    done(QDialog::Accepted);
}

// An empty reason takes the hint away.
void DateDialog::showRefusal(const QString& reason) {
    if (reason == refusal_->text()) return;
    refusal_->setText(reason);
    refusal_->setVisible(!reason.isEmpty());
    dayField_->setStyleSheet(spinStyle(reason.isEmpty() ? "purple" : "rgb(190, 0, 0)"));
}

void DateDialog::cancel() { done(QDialog::Rejected); }

void DateDialog::returnToToday() {
    data_.day.showToday();
    done(QDialog::Accepted);
    updateCaption();
}

}  // namespace orbisca
