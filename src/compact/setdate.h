// TForm2: the date dialog. Three spin boxes pick a Gregorian date; "yes" applies it when it
// exists in the program's calendar (no 29 February), "no" cancels, "today" returns to the date
// taken at start-up. Applying repaints the compact window and the full-mode window's view.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "calendar/calendar.h"

namespace orbisca {

// The date the dialog accepts: month 1..12, day 1..DaysInMonth(month); any year.
bool dateDialogAccepts(int year, int month, int day);

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    // Sets the three fields from a date and shows the dialog (not modally).
    void openOn(const GregorianDate& date);

    void yesClick();
    void noClick();
    void todaybClick();

    QSpinBox* sp1 = nullptr;  // day
    QSpinBox* sp2 = nullptr;  // month
    QSpinBox* sp3 = nullptr;  // year
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* todayb = nullptr;
    QLabel* lp1 = nullptr;
    QLabel* lp2 = nullptr;
    QLabel* lp3 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateCaption();
    void dateChanged();
};

}  // namespace orbisca
