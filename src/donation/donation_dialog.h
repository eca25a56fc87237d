// SPDX-License-Identifier: GPL-3.0-or-later
// The donation reminder: a modal window that asks for a donation, lets the user put the reminder
// off by a number of launches or switch it off, and shows the donation details for a country and
// a currency. It restricts nothing. Its creation counts the launch in "strt.dat"; the compact
// window shows it while it is due, at most once in a run. The first time it closes it writes all
// the details into "Donation info.txt" for the user.
#pragma once

#include <QDialog>
#include <functional>

#include "data/donation_details.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace orbisca {

struct DataState;

// The reminder's state for the run.
struct DonationState {
    bool due = false;                // this launch asked for the reminder; cleared when it closes
    bool shownThisRun = false;       // it is shown once in a run at most
    bool detailsShown = false;       // the details panel is open
    bool switchOffOnDetails = true;  // showing details switches the reminder off for good, until
                                     // "Donation info.txt" has been written in this run
    DonationTexts texts;             // "donation.ktx" and "print.dat" as read at the showing
    QString refusedChoiceMessage;    // BASE.KTX 716
    QString detailsFileWrittenMessage;  // BASE.KTX 717
};

class DonationDialog : public QDialog {
    Q_OBJECT
public:
    explicit DonationDialog(DataState& dataState, QWidget* parent = nullptr);

signals:
    // Hands the details to the print manager, which shows them in easy mode on a canvas of the
    // given size. It must keep the user's own script (show the print-out beside it, or put the
    // script back when the print-out is done) and leave the full-mode window enabled. Until it is
    // connected, the print button is disabled.
    void printAsked(const DetailsPrintOut& out);

public:
    // Counts this launch; the reminder is due when the count says so.
    void countThisLaunch();
    // The launch was counted before this dialog was made (countLaunch()); `due` is its answer.
    void takeLaunchCount(bool due) { state_.due = due; }
    bool reminderDue() const { return state_.due; }
    // Shows the reminder modally when it is due and has not been shown in this run.
    void showReminder();
    // Shows the reminder modally now, whatever the count says; returns when it has closed.
    void runReminder();

    // The buttons and lists, as the user works them.
    void donate();
    void back();
    void remindLater();
    void switchOff();
    void printOut();
    void chooseCountry(int country);
    void chooseCurrency(int currency);

    const DonationState& state() const { return state_; }
    void resetState() { state_ = {}; }
    // The lines of the text area.
    QStringList shownLines() const;
    QPlainTextEdit* textArea() const { return text_; }
    QComboBox* remindAfterBox() const { return remindAfter_; }
    QComboBox* countryBox() const { return country_; }
    QComboBox* currencyBox() const { return currency_; }
    QPushButton* donateButton() const { return donate_; }
    QPushButton* remindButton() const { return remind_; }
    QPushButton* neverButton() const { return never_; }
    QPushButton* closeButton() const { return close_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* backButton() const { return back_; }
    bool detailsPanelShown() const;

    // Closing by any road (a button, Escape, the window's close button) ends here: the first close
    // in a run writes "Donation info.txt" when it is missing.
    void done(int result) override;

private:
    DataState& data_;
    void createControls();
    bool prepare();
    void setCaptions();
    void showDetails();
    void showLines(const QStringList& lines);

    DonationState state_;
    QPlainTextEdit* text_ = nullptr;
    QStackedWidget* panels_ = nullptr;
    QWidget* answerPanel_ = nullptr;
    QWidget* detailsPanel_ = nullptr;
    QPushButton* donate_ = nullptr;
    QPushButton* remind_ = nullptr;
    QComboBox* remindAfter_ = nullptr;
    QLabel* launchesLabel_ = nullptr;
    QPushButton* never_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* back_ = nullptr;
    QLabel* countryLabel_ = nullptr;
    QComboBox* country_ = nullptr;
    QLabel* currencyLabel_ = nullptr;
    QComboBox* currency_ = nullptr;
    QPushButton* detailsClose_ = nullptr;
    QPushButton* print_ = nullptr;
};

}  // namespace orbisca
