// The print manager. Created at start and kept hidden; its contents come later.
#pragma once

#include <QWidget>

namespace orbisca {

class PrintManagerWindow : public QWidget {
    Q_OBJECT
public:
    explicit PrintManagerWindow(QWidget* parent = nullptr);
};

}  // namespace orbisca
