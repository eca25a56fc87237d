// The page setup window of the print manager. Created at start and kept hidden; its contents
// come later.
#pragma once

#include <QWidget>

namespace orbisca {

class PageSetupWindow : public QWidget {
    Q_OBJECT
public:
    explicit PageSetupWindow(QWidget* parent = nullptr);
};

}  // namespace orbisca
