// The full-mode window. For now it shows the requested view's number on its dark frame and
// returns to the compact window on a click or Escape; the views themselves come later.
#pragma once

#include <QWidget>
#include <functional>

#include "data/error_log.h"
#include "views/full_mode_frame.h"

namespace orbisca {

class FullModeWindow : public QWidget {
    Q_OBJECT
public:
    explicit FullModeWindow(QWidget* parent = nullptr);

    // Shows the window on `mode`; `stopFade` ends a running cross-fade first.
    void showMode(int mode, bool stopFade);
    // The current date changed: the year cache is stale and the view is painted again.
    void dateChanged();
    // Called when the window hides, to bring the compact window back.
    std::function<void()> returnToCompact;

    const FullModeState& state() const { return frame_.state(); }

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent*) override;
    void hideEvent(QHideEvent* event) override;

private:
    FullModeFrame frame_;
    FullModeState& state_ = frame_.state();
    ErrorLogSource logSource_{[this] { return fullModeLogValues(state_); }};
};

}  // namespace orbisca
