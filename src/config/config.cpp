#include "config/config.h"

namespace orbisca {

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Calendar configuration"));
}

}  // namespace orbisca
