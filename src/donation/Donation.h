// TForm7: the donation reminder. Its creation counts the launch in "strt.dat" and decides whether
// the reminder is due; the window itself comes later, so showing it does nothing yet.
#pragma once

#include <QDialog>

namespace orbisca {

class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);

    void FormCreate();
    bool reminderDue() const { return reminderDue_; }
    void showReminder();

private:
    bool reminderDue_ = false;
};

}  // namespace orbisca
