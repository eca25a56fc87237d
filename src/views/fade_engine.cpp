// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/fade_engine.h"

#include <QTime>
#include <algorithm>
#include <cmath>

#include "data/conf_file.h"
#include "gfx/mask_draw.h"

namespace orbisca {

int FadeEngine::fadeStepsInForce() const {
    // The settings keep the speed within 1..99; the bound here keeps a struct set by hand from
    // fading for minutes while keys are ignored.
    return std::clamp(frame_.settings().fadeSteps(), 0, kTransitionSpeedMax);
}

void FadeEngine::request(FullModeView view) {
    FullModeState& s = frame_.state();
    s.fade.requestedMode = view;
    s.fade.fadeStepsLeft = 0;
}

template <typename Work>
TickResult FadeEngine::guarded(Work work) {
    TickResult result;
    try {
        work(result);
    } catch (const FatalError& e) {
        fail(result, e, true);
    } catch (const std::exception& e) {
        fail(result,
             FatalError(kErrorViewPaint, kSenderViewPaint,
                        {QStringLiteral("mode:") +
                         QString::number(modeNumber(frame_.state().exports.exportMode))},
                        QString::fromUtf8(e.what())),
             false);
    }
    const double dayFraction = QTime::currentTime().msecsSinceStartOfDay() / 86'400'000.0;
    frame_.state().fade.tickTime = dayFraction * 100;
    return result;
}

TickResult FadeEngine::tick() {
    return guarded([this](TickResult& result) {
        FullModeState& s = frame_.state();
        if (s.fade.requestedMode != s.fade.mode && s.fade.fadeStepsLeft == 0) startChange();
        if (s.fade.fadeStepsLeft > 0)
            showBlend(result);
        else
            showFinal(result);
    });
}

TickResult FadeEngine::repaint() {
    return guarded([this](TickResult& result) {
        keepShownFrame();
        frame_.paintMode(frame_.state().fade.mode);
        result.buttonsEnabled = frame_.state().fade.buttonsEnabled;
        result.keepTicking = frame_.state().fade.fadeStepsLeft > 0;
        present(result, frame_.buffers().frame);
    });
}

void FadeEngine::startChange() {
    FullModeState& s = frame_.state();
    FrameBuffers& b = frame_.buffers();
    keepShownFrame();
    s.fade.fadeLength = fadeStepsInForce();
    s.fade.fadeStepsLeft = s.fade.fadeLength - 1;
    s.fade.paintingIncoming = true;
    frame_.paintMode(s.fade.requestedMode);
    copyFrame(b.frame, b.incoming);
    s.fade.paintingIncoming = false;
    frame_.paintMode(s.fade.mode);       // the outgoing frame
    s.fade.mode = s.fade.requestedMode;  // read again: the incoming paint may have redirected it
    s.fade.arrivalPending = true;
}

void FadeEngine::showBlend(TickResult& result) {
    FullModeState& s = frame_.state();
    FrameBuffers& b = frame_.buffers();
    --s.fade.fadeStepsLeft;
    if (s.fade.fadeStepsLeft == 1) s.fade.buttonsEnabled = false;
    const double share = double(s.fade.fadeLength - s.fade.fadeStepsLeft) / s.fade.fadeLength;
    s.fade.fadeOpacity = std::uint8_t(std::nearbyint(share * 255.0));
    gfx::crossFade(b.frame, b.incoming, b.blend, kFrameBackground, s.fade.fadeOpacity);
    result.buttonsEnabled = s.fade.buttonsEnabled;
    result.keepTicking = true;
    present(result, b.blend);
    shownInBlend_ = true;
}

void FadeEngine::showFinal(TickResult& result) {
    FullModeState& s = frame_.state();
    s.fade.buttonsEnabled = true;
    keepShownFrame();
    const PaintOccasion occasion =
        s.fade.arrivalPending ? PaintOccasion::Arrival : PaintOccasion::Repaint;
    s.fade.arrivalPending = false;
    result.request = frame_.paintMode(s.fade.mode, occasion);
    result.buttonsEnabled = true;
    // A paint that asked for another mode (the print manager's return to the day overview, a help
    // page past the end) keeps the timer going so that the change happens.
    result.keepTicking = s.fade.requestedMode != s.fade.mode;
    present(result, frame_.buffers().frame);
}

void FadeEngine::present(TickResult& result, const QImage& image) {
    result.frame = image;
    shownInBlend_ = false;
}

// Before a paint overwrites the frame buffer, the picture on show is kept in the blend buffer,
// where a failed paint finds it again.
void FadeEngine::keepShownFrame() {
    if (shownInBlend_) return;
    copyFrame(frame_.buffers().frame, frame_.buffers().blend);
    shownInBlend_ = true;
}

void FadeEngine::fail(TickResult& result, const FatalError& error, bool fatal) {
    FullModeState& s = frame_.state();
    s.fade.fadeStepsLeft = 0;
    s.fade.paintingIncoming = false;
    s.fade.arrivalPending = false;
    s.fade.buttonsEnabled = true;
    if (s.fade.mode != FullModeView::Closed)
        s.fade.requestedMode = s.fade.mode;  // no retry at the next tick
    copyFrame(frame_.buffers().blend, frame_.buffers().frame);
    result = TickResult{};
    result.failure = error;
    result.fatal = fatal;
}

}  // namespace orbisca
