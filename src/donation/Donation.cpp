#include "donation/Donation.h"

#include "data/donation_files.h"

namespace orbisca {

TForm7::TForm7(QWidget* parent) : QDialog(parent) {}

void TForm7::FormCreate() { reminderDue_ = countLaunch(); }

void TForm7::showReminder() {}

}  // namespace orbisca
