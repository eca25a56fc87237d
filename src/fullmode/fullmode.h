// TForm3: the full-mode window. For now it shows the requested view's number on its dark frame
// and returns to the compact window on a click or Escape; the views themselves come later.
#pragma once

#include <QWidget>
#include <functional>

namespace orbisca {

class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    // Shows the window on the mode requested in fullModeState()._newstate.
    void showRequested();
    // Called when the window hides, to bring the compact window back.
    std::function<void()> returnToCompact;

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent*) override;
    void hideEvent(QHideEvent* event) override;
};

}  // namespace orbisca
