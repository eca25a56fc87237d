// SPDX-License-Identifier: GPL-3.0-or-later
// The full-mode window: a frameless window over the whole screen the compact window is on, with
// the 670 x 550 frame of the headless core (views/full_mode_frame.h) shown in a centred paint box,
// nineteen glyph buttons along the top, the keys that step the day, the mouse that pages the help
// and opens the date dialog, and the hints of the telectonon board's fields. The window holds no
// drawing of its own: the fade engine paints, the window presents what it is handed.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

#include "data/day_step.h"
#include "data/error_log.h"
#include "state/program_state.h"
#include "views/fade_engine.h"
#include "views/full_mode_frame.h"
#include "widgets/glyph_button.h"

class QScreen;

class QPushButton;

namespace orbisca {

// The nineteen buttons, left to right.
enum class FullModeButton {
    Day,
    Tone,
    Sign,
    Plasma,
    Oracle,
    Month,
    Zolkin,
    Wavespell,
    Pulsars,
    Year,
    Moons,
    Castle,
    Board,
    KinBook,
    Print,
    Help,
    Configuration,
    Back,
    Exit
};
inline constexpr int kFullModeButtons = 19;

// The paint box: 700 x 600, its place counted from the window's size.
inline constexpr QSize kPaintBoxSize(700, 600);
// Where the paint box of a window of `size` stands: centred, 20 pixels below the middle.
QPoint paintBoxPosition(QSize size);
// The buttons' row and size.
inline constexpr int kButtonTop = 8;
inline constexpr int kButtonSide = 33;
// Where a button stands in a window `width` pixels wide.
QPoint buttonPosition(FullModeButton button, int width);
// The view a button asks for; Closed for the back and exit buttons.
FullModeView viewOfButton(FullModeButton button);

// What the window keeps beside the frame's state.
struct FullModeWindowState {
    QImage presented;       // the picture the paint box shows
    int presentations = 0;  // pictures handed to the paint box so far
    // The view shown when the configuration was asked for.
    FullModeView configurationFrom = FullModeView::Day;
};

class FullModeWindow : public QWidget {
    Q_OBJECT
public:
    explicit FullModeWindow(ProgramState& program, QWidget* parent = nullptr);

    // Reads the board's fields and their hints and the button glyphs. False after a failure,
    // which has been reported (a missing or short "HRCT.dat" or "Fieldhlp.ktx" ends the program).
    bool startUp();

    // Covers the whole of `screen`.
    void coverScreen(QScreen* screen);
    // Shows the window on `view`; `stopFade` ends a running cross-fade first.
    void showMode(FullModeView view, bool stopFade);
    // Asks for a view: the next tick fades to it.
    void requestMode(FullModeView view);
    // The current date changed elsewhere (the date dialog): the year cache is stale and the view
    // is painted again at once.
    void dateChanged();
    // The texts are in another language now: the board's hints, the buttons' names and the
    // view are read and painted again.
    void showNewTexts();

    // Input, as the window's events deliver it; tests may call them directly.
    void pressButton(FullModeButton button);
    bool handleKey(int key);
    void handleViewPress(Qt::MouseButton button, QPoint position);
    void handleViewMove(QPoint position);
    void handleOutsidePress(Qt::MouseButton button, QPoint position);
    void onTick();
    // The paint box has painted the presented picture.
    void paintBoxPainted();

    const FullModeState& state() const { return frame_.state(); }
    const FullModePointer& pointer() const { return pointer_; }
    FullModeFrame& frame() { return frame_; }
    const FullModeWindowState& windowState() const { return window_; }
    GlyphButton* button(FullModeButton which) const { return buttons_[std::size_t(which)]; }
    QWidget* paintBox() const { return paintBox_; }
    QPushButton* aboutButton() const { return aboutButton_; }
    QTimer& tickTimer() { return timer_; }

signals:
    void dayStepAsked(DayStep step);  // a key stepped the day
    void dateDialogAsked();           // the date dialog, preset to the current date
    void compactAsked();              // the compact window is to show again
    void endAsked();                  // the program is to end, as Escape does (status 0)
    void printManagerAsked(FullModeView printed);  // on the view being shown
    void configurationAsked();
    // Once, when the first view has been painted on the screen with its fade ended.
    void framePainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createButtons();
    void loadButtonGlyphs();
    void loadButtonHints();
    void placeControls();
    void apply(const TickResult& result);
    void present(const QImage& image);
    void setModeButtonsEnabled(bool enabled);
    void openDialog(FrameRequest request);
    void returnToCompactWindow();
    void endProgram();
    // Runs an input handler's work; a failure is reported once and goes no further.
    void guarded(const std::function<void()>& work);

    ProgramState& program_;
    FullModeFrame frame_;
    FadeEngine fade_{frame_};
    FullModeWindowState window_;
    FullModePointer pointer_;
    std::array<GlyphButton*, kFullModeButtons> buttons_{};
    QWidget* paintBox_ = nullptr;
    QPushButton* aboutButton_ = nullptr;  // on the help pages: the About box
    QTimer timer_;
    ErrorLogSource logSource_;
    bool framePaintedAnnounced_ = false;
};

}  // namespace orbisca
