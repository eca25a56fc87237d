#include "donation/donation_dialog.h"

#include "data/donation_files.h"

namespace orbisca {

DonationDialog::DonationDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("donationDialog"));
}

void DonationDialog::countThisLaunch() { reminderDue_ = countLaunch(); }

void DonationDialog::showReminder() {}

}  // namespace orbisca
