#include "printing/print_manager_window.h"

namespace orbisca {

PrintManagerWindow::PrintManagerWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("printManagerWindow"));
}

}  // namespace orbisca
