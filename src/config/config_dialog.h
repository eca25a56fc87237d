// The configuration dialog. Created at start and kept hidden; its controls come later.
#pragma once

#include <QDialog>

namespace orbisca {

class ConfigDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConfigDialog(QWidget* parent = nullptr);
};

}  // namespace orbisca
