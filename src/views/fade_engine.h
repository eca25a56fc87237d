// SPDX-License-Identifier: GPL-3.0-or-later
// The display engine of the full-mode window: every change of mode goes through it, as a
// cross-fade of N steps (the transition speed) or at once when transitions are off. The window
// calls tick() every 10 ms while its timer runs and does what the result says; the engine itself
// shows nothing and calls no window.
//
// A fade from mode A to B with N >= 2 steps: the first tick paints B (the incoming snapshot) and
// A (the outgoing frame), makes B current and shows the first blend; the ticks show N - 1 blends
// in all, B at opacity 2/N, 3/N ... N/N of 255, then the final tick paints B afresh and stops.
// A blend is two passes onto the cleared blend buffer: the outgoing frame at 255 - t, then the
// incoming one at t, each channel rounded to the nearest integer. The mode buttons are disabled
// from the blend at (N - 1)/N to the final frame. With N = 0 or 1 the final frame comes in the
// tick that starts the change.
#pragma once

#include <QImage>
#include <optional>

#include "data/error_log.h"
#include "views/full_mode_frame.h"

namespace orbisca {

struct TickResult {
    QImage frame;                // the picture to show now; null: keep showing the last one
    bool buttonsEnabled = true;  // the sixteen mode buttons take clicks
    bool keepTicking = false;    // the timer goes on
    FrameRequest request = FrameRequest::None;  // the mode just made current wants a window
    // A paint failed: the fade has stopped, the frame buffer holds the last picture shown, and
    // this is to be reported once. `fatal` for the failures that end the program (a text
    // database that cannot be read).
    std::optional<FatalError> failure;
    bool fatal = false;
};

class FadeEngine {
public:
    explicit FadeEngine(FullModeFrame& frame) : frame_(frame) {}

    // Asks for a mode: the next tick starts the change (a fade under way starts again from the
    // mode it made current). The caller starts its timer.
    void request(FullModeView view);
    // One timer tick.
    TickResult tick();
    // Paints the current mode again at once, without a fade (after a key changed the day).
    TickResult repaint();

    // The fade steps in force: the settings' transition speed, 0 while transitions are off.
    int fadeStepsInForce() const;

private:
    void startChange();
    void showBlend(TickResult& result);
    void showFinal(TickResult& result);
    void present(TickResult& result, const QImage& image);
    void keepShownFrame();
    void fail(TickResult& result, const FatalError& error, bool fatal);
    template <typename Work>
    TickResult guarded(Work work);

    FullModeFrame& frame_;
    bool shownInBlend_ = false;  // the picture shown last is the blend buffer's
};

}  // namespace orbisca
