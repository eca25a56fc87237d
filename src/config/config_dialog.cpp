#include "config/config_dialog.h"

namespace orbisca {

ConfigDialog::ConfigDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("configDialog"));
    setWindowTitle(QStringLiteral("Calendar configuration"));
}

}  // namespace orbisca
