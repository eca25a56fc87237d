// TForm4: the configuration dialog. Created at start and kept hidden; its controls come later.
#pragma once

#include <QDialog>

namespace orbisca {

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
};

}  // namespace orbisca
