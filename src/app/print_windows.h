// TForm5 and TForm6: the print manager and its printing setup. Created at start and kept hidden;
// their contents come later.
#pragma once

#include <QWidget>

namespace orbisca {

class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr) : QWidget(parent) {}
};

class TForm6 : public QWidget {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace orbisca
