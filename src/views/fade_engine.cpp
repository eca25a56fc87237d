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
    s.requestedMode = view;
    s.fadeStepsLeft = 0;
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
             FatalError(
                 kErrorViewPaint, kSenderViewPaint,
                 {QStringLiteral("mode:") + QString::number(modeNumber(frame_.state().exportMode))},
                 QString::fromUtf8(e.what())),
             false);
    }
    const double dayFraction = QTime::currentTime().msecsSinceStartOfDay() / 86'400'000.0;
    frame_.state().tickTime = dayFraction * 100;
    return result;
}

TickResult FadeEngine::tick() {
    return guarded([this](TickResult& result) {
        FullModeState& s = frame_.state();
        if (s.requestedMode != s.mode && s.fadeStepsLeft == 0) startChange();
        if (s.fadeStepsLeft > 0)
            showBlend(result);
        else
            showFinal(result);
    });
}

TickResult FadeEngine::repaint() {
    return guarded([this](TickResult& result) {
        keepShownFrame();
        frame_.paintMode(frame_.state().mode);
        result.buttonsEnabled = frame_.state().buttonsEnabled;
        result.keepTicking = frame_.state().fadeStepsLeft > 0;
        present(result, frame_.buffers().frame);
    });
}

void FadeEngine::startChange() {
    FullModeState& s = frame_.state();
    FrameBuffers& b = frame_.buffers();
    keepShownFrame();
    s.fadeLength = fadeStepsInForce();
    s.fadeStepsLeft = s.fadeLength - 1;
    s.paintingIncoming = true;
    frame_.paintMode(s.requestedMode);
    copyFrame(b.frame, b.incoming);
    s.paintingIncoming = false;
    frame_.paintMode(s.mode);  // the outgoing frame
    s.mode = s.requestedMode;  // read again: the incoming paint may have redirected it
    s.arrivalPending = true;
}

void FadeEngine::showBlend(TickResult& result) {
    FullModeState& s = frame_.state();
    FrameBuffers& b = frame_.buffers();
    --s.fadeStepsLeft;
    if (s.fadeStepsLeft == 1) s.buttonsEnabled = false;
    const double share = double(s.fadeLength - s.fadeStepsLeft) / s.fadeLength;
    s.fadeOpacity = std::uint8_t(std::nearbyint(share * 255.0));
    gfx::crossFade(b.frame, b.incoming, b.blend, kFrameBackground, s.fadeOpacity);
    result.buttonsEnabled = s.buttonsEnabled;
    result.keepTicking = true;
    present(result, b.blend);
    shownInBlend_ = true;
}

void FadeEngine::showFinal(TickResult& result) {
    FullModeState& s = frame_.state();
    s.buttonsEnabled = true;
    keepShownFrame();
    const PaintOccasion occasion =
        s.arrivalPending ? PaintOccasion::Arrival : PaintOccasion::Repaint;
    s.arrivalPending = false;
    result.request = frame_.paintMode(s.mode, occasion);
    result.buttonsEnabled = true;
    // A paint that asked for another mode (the print manager's return to the day overview, a help
    // page past the end) keeps the timer going so that the change happens.
    result.keepTicking = s.requestedMode != s.mode;
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
    s.fadeStepsLeft = 0;
    s.paintingIncoming = false;
    s.arrivalPending = false;
    s.buttonsEnabled = true;
    if (s.mode != FullModeView::Closed) s.requestedMode = s.mode;  // no retry at the next tick
    copyFrame(frame_.buffers().blend, frame_.buffers().frame);
    result = TickResult{};
    result.failure = error;
    result.fatal = fatal;
}

}  // namespace orbisca
