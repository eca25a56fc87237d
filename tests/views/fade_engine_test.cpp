// SPDX-License-Identifier: GPL-3.0-or-later
// The cross-fade engine tick by tick.
#include "views/fade_engine.h"
#include "support/full_mode_fixture.h"
#include "views/mode_table.h"

namespace orbisca::testing {
namespace {

// Two views painted plain white and black, so that a blend can be checked pixel by pixel.
constexpr FullModeView kWhite = FullModeView::Zolkin;
constexpr FullModeView kBlack = FullModeView::Wavespell;

class Fade : public FullModeTest {
protected:
    void SetUp() override {
        FullModeTest::SetUp();
        frame.setModePainter(kWhite, [](FullModeFrame& f) { f.drawingTarget().fill(Qt::white); });
        frame.setModePainter(kBlack, [](FullModeFrame& f) { f.drawingTarget().fill(Qt::black); });
        data.settings.useTransition = true;
        data.settings.transitionSpeed = 10;
        frame.state().fade.mode = kWhite;
    }
    // Ticks while the engine asks for it (at most 200 ticks).
    std::vector<TickResult> run() {
        std::vector<TickResult> results;
        do results.push_back(fade.tick());
        while (results.back().keepTicking && results.size() < 200);
        return results;
    }
    static std::vector<FrameRequest> requests(const std::vector<TickResult>& results) {
        std::vector<FrameRequest> found;
        for (const TickResult& r : results)
            if (r.request != FrameRequest::None) found.push_back(r.request);
        return found;
    }
    FadeEngine fade{frame};
};

TEST_F(Fade, NineBlendsAtRisingOpacitiesThenTheNewModeWithTheButtonsOffForTheLastTwoBlends) {
    fade.request(kBlack);
    std::vector<int> opacities;
    std::vector<bool> buttons;
    std::vector<TickResult> results;
    for (int tick = 0; tick < 20; ++tick) {
        results.push_back(fade.tick());
        opacities.push_back(frame.state().fade.fadeOpacity);
        buttons.push_back(results.back().buttonsEnabled);
        if (!results.back().keepTicking) break;
    }
    ASSERT_EQ(results.size(), 10u);
    opacities.pop_back();
    EXPECT_EQ(opacities, std::vector<int>({51, 76, 102, 128, 153, 178, 204, 230, 255}));
    EXPECT_EQ(buttons,
              std::vector<bool>({true, true, true, true, true, true, true, false, false, true}));
    // White going out over black coming in, each pass onto the background rounded on its own.
    EXPECT_EQ(results[0].frame.pixel(3, 3), qRgb(164, 163, 169));
    EXPECT_EQ(results.back().frame.pixel(3, 3), qRgb(0, 0, 0));
    EXPECT_EQ(frame.state().fade.mode, kBlack);
    EXPECT_TRUE(fade.tick().frame.pixel(3, 3) == qRgb(0, 0, 0));  // idle: the frame again
}

TEST_F(Fade, WithoutTransitionsTheNewModeComesInTheSameTick) {
    data.settings.useTransition = false;
    fade.request(kBlack);
    const std::vector<TickResult> results = run();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].frame.pixel(3, 3), qRgb(0, 0, 0));
    // A speed set beyond the settings' range by hand still fades in at most 99 steps.
    data.settings.useTransition = true;
    data.settings.transitionSpeed = 100000;
    fade.request(kWhite);
    EXPECT_EQ(run().size(), 99u);
}

TEST_F(Fade, ThePrintManagerAndTheConfigurationOpenOnceWhenTheirModeArrives) {
    for (bool transitions : {true, false}) {
        data.settings.useTransition = transitions;
        frame.state().fade.mode = kWhite;
        fade.request(FullModeView::Configuration);
        std::vector<TickResult> results = run();
        EXPECT_EQ(requests(results), std::vector{FrameRequest::OpenConfiguration}) << transitions;
        EXPECT_EQ(results.back().request, FrameRequest::OpenConfiguration);
        // Repaints of the mode, and the change back when the dialog closes, open nothing.
        EXPECT_EQ(fade.repaint().request, FrameRequest::None);
        fade.request(FullModeView::Day);
        EXPECT_TRUE(requests(run()).empty()) << transitions;

        fade.request(FullModeView::PrintManager);
        results = run();  // opens the print manager, then returns to the day overview
        EXPECT_EQ(requests(results), std::vector{FrameRequest::OpenPrintManager}) << transitions;
        EXPECT_EQ(frame.state().fade.mode, FullModeView::Day);
        EXPECT_TRUE(frame.state().print.printFromFullMode);
    }
}

TEST_F(Fade, APaintThatFailsStopsTheFadeKeepsTheLastFrameAndIsReportedOnce) {
    fade.request(kBlack);
    const QImage shown = run().back().frame.copy();
    int failures = 0;
    frame.setModePainter(FullModeView::Month, [&](FullModeFrame& f) {
        f.drawingTarget().fill(Qt::red);  // half-painted, then the picture is missing
        ++failures;
        throw gfx::ImageError("cannot read picture \"graphic/0.bmp\"");
    });
    fade.request(FullModeView::Month);
    const TickResult failed = fade.tick();
    ASSERT_TRUE(failed.failure.has_value());
    EXPECT_FALSE(failed.fatal);
    EXPECT_EQ(failed.failure->code(), kErrorViewPaint);
    EXPECT_EQ(failed.failure->reason(), "cannot read picture \"graphic/0.bmp\"");
    EXPECT_TRUE(failed.frame.isNull());
    EXPECT_FALSE(failed.keepTicking);
    EXPECT_TRUE(failed.buttonsEnabled);
    EXPECT_EQ(frame.buffers().frame, shown);
    // The timer would be stopped; a stray tick neither retries nor reports again.
    const TickResult after = fade.tick();
    EXPECT_FALSE(after.failure.has_value());
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(frame.state().fade.mode, kBlack);
    // A text database that cannot be read stays the fatal failure it is.
    QFile::remove(home.filePath("BASE.KTX"));
    clearTextCache(data.folder);
    fade.request(FullModeView::Day);
    const TickResult fatal = fade.tick();
    ASSERT_TRUE(fatal.failure.has_value());
    EXPECT_TRUE(fatal.fatal);
    EXPECT_EQ(fatal.failure->code(), kErrorReadText);
}

TEST_F(Fade, AHelpPagePastTheEndLeadsBackToPageOne) {
    data.settings.helpPages = 2;
    fade.request(viewOfHelpPage(3));
    run();
    EXPECT_EQ(frame.state().fade.mode, FullModeView::FirstHelpPage);
}

}  // namespace
}  // namespace orbisca::testing
