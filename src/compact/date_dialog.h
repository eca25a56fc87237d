// SPDX-License-Identifier: GPL-3.0-or-later
// The date dialog. Three spin boxes pick a Gregorian date; "apply" takes it when it exists in the
// program's calendar (no 29 February), "cancel" leaves the date alone, "today" returns to the
// date taken at start-up. A new date repaints the compact window and the full-mode window's view.
// A date it does not take (31 April, 29 February) turns the day field red, says why below the
// fields and keeps the dialog open; any change of a field takes the hint away.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "calendar/calendar.h"

namespace orbisca {

struct DataState;

// The date the dialog accepts: month 1..12, day 1..daysInMonth(month); any year.
bool dateDialogAccepts(int year, int month, int day);
// Why the dialog does not take a date, as a sentence for the user; empty when it takes it.
QString dateDialogRefusal(int year, int month, int day);

class DateDialog : public QDialog {
    Q_OBJECT
public:
    explicit DateDialog(DataState& dataState, QWidget* parent = nullptr);

    // Sets the three fields from a date and shows the dialog (not modally).
    void openOn(const GregorianDate& date);
    // Sets the fields from a date and shows the dialog modally; true when it closed with OK.
    bool pickModally(const GregorianDate& date);

    void apply();
    void cancel();
    void returnToToday();

protected:
    void showEvent(QShowEvent* event) override;

private:
    DataState& data_;
    void readCaptions();
    void showDate(const GregorianDate& date);
    void updateCaption();
    void showRefusal(const QString& reason);

    QSpinBox* yearField_ = nullptr;
    QSpinBox* monthField_ = nullptr;
    QSpinBox* dayField_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* todayButton_ = nullptr;
    QLabel* yearLabel_ = nullptr;
    QLabel* monthLabel_ = nullptr;
    QLabel* dayLabel_ = nullptr;
    QLabel* refusal_ = nullptr;
};

}  // namespace orbisca
