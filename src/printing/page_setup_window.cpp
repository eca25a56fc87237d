#include "printing/page_setup_window.h"

namespace orbisca {

PageSetupWindow::PageSetupWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pageSetupWindow"));
}

}  // namespace orbisca
