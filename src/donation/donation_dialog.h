// The donation reminder. Its creation counts the launch in "strt.dat" and decides whether the
// reminder is due; the window itself comes later, so showing it does nothing yet.
#pragma once

#include <QDialog>

namespace orbisca {

class DonationDialog : public QDialog {
    Q_OBJECT
public:
    explicit DonationDialog(QWidget* parent = nullptr);

    // Counts this launch.
    void countThisLaunch();
    bool reminderDue() const { return reminderDue_; }
    void showReminder();

private:
    bool reminderDue_ = false;
};

}  // namespace orbisca
