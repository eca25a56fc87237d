#include "printing/page_setup_window.h"

namespace orbisca {

PageSetupWindow::PageSetupWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pageSetupWindow"));
}

void PageSetupWindow::setCaptions(const PageSetupCaptions& captions) {
    captions_ = captions;
    setWindowTitle(captions.window);
}

}  // namespace orbisca
