// SPDX-License-Identifier: GPL-3.0-or-later
// The compact window, the program's main window: a borderless, shaped 600 x 450 picture of the
// current day that is dragged by its face, opens the full-mode views through its areas, steps the
// day with the keys and opens the date dialog with a plain click.
#pragma once

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPoint>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "calendar/calendar.h"
#include "data/day_step.h"
#include "data/error_log.h"
#include "data/full_mode_view.h"
#include "state/program_state.h"
#include "widgets/glyph_button.h"

namespace orbisca {

class DateDialog;
class LoadingLog;
class OutlineLoader;

// Where the window stands; the numbers are those the error log prints.
enum class CompactPhase : std::int32_t {
    Starting = -101,      // created or shown again: the outline loader has not finished
    OutlineReady = -100,  // the loader has shaped the window; the next tick paints the panel
    Shown = 0,            // the panel is painted and the areas answer
    OracleAsked = 1,      // a full-mode view was asked for; the window hides
    DayAsked = 2,
    ToneAsked = 12,
    SignAsked = 22,
    PlasmaAsked = 32,
};

// The areas of the face.
enum class CompactArea { Tone, Sign, Guide, Plasma, Moon, Affirmation, TempleDoor };

// What the hint line explains; the numbers are those the error log prints.
enum class CompactHint : std::uint8_t {
    None = 0,
    Guide = 1,
    Tone = 2,
    Sign = 3,
    Plasma = 4,
    Affirmation = 5,
    Moon = 6,
    CloseButton = 7,
    ExpandButton = 8,
};

// The areas, in the order of CompactArea, with both edges inside.
inline const std::array<QRect, 7> kCompactAreas = {
    QRect(QPoint(226, 177), QPoint(298, 217)),  // tone: the tone view
    QRect(QPoint(226, 222), QPoint(298, 294)),  // sign: the sign view
    QRect(QPoint(310, 231), QPoint(370, 291)),  // guide: the oracle view
    QRect(QPoint(154, 218), QPoint(208, 272)),  // plasma: the plasma view
    QRect(QPoint(393, 218), QPoint(447, 272)),  // moon: a hint only
    QRect(QPoint(125, 300), QPoint(475, 390)),  // affirmation: a hint only
    QRect(QPoint(285, 70), QPoint(315, 95)),    // temple door: the day view beside this window
};

// The colour a hint starts from, and one 50 ms step of its animation: red rises by 15 until it
// passes 240, then the colour fades by 3 a step. False when the animation has ended.
QColor hintStartColour();  // red 80, green 90, blue 75
bool stepHintColour(int& red, int& green, int& blue);

// The full-mode view a phase asks for; none for the others.
std::optional<FullModeView> fullModeViewOfPhase(CompactPhase phase);

// The window's state, as the error log prints it.
struct CompactWindowState {
    CompactPhase phase = CompactPhase::Shown;
    QPoint dragStart;                      // mouse position where a window drag started
    CompactHint hint = CompactHint::None;  // the hint being shown and animated
    bool dragging = false;                 // a window drag is in progress
    bool pressUsed = false;                // the current mouse press dragged or opened a view
    bool closed = false;                   // the window has been closed: no more painting
};

class CompactWindow : public QWidget {
    Q_OBJECT
public:
    explicit CompactWindow(ProgramState& program, QWidget* parent = nullptr);
    ~CompactWindow() override;

    // The day to start on instead of today (today stays the real date). Set before startUp().
    void setStartDate(const GregorianDate& date) { startDate_ = date; }
    void setDateDialog(DateDialog* dialog) { dateDialog_ = dialog; }

    // The start-up sequence, each step logged to "Loading.log". False after a failure, which has
    // been reported (code 104) and the program's end requested.
    bool startUp();

    // Repaints the panel (Shown) or switches to the full-mode view a phase asks for. False after
    // a failure, which has been reported.
    bool applyPhase(CompactPhase phase);
    void paintPanel(const MayanDate& position);
    // The full-mode window has closed: the window shows again and reshapes itself.
    void returnFromFullMode();
    // The texts are in another language now.
    void showNewTexts();

    // Input, as the window's events deliver it; tests may call them directly.
    void handlePress(Qt::MouseButton button, QPoint position);
    void handleMove(QPoint position);
    void handleRelease();
    bool handleKey(int key);
    // Moves the current date by a step (the keys' step, swapped by the setting) and applies it.
    // The full-mode window and the print manager step the day through here too.
    void stepDay(DayStep step);
    void onTick();
    void onExpandButtonHover();
    void openFullMode();
    void onCloseButtonHover();

    const CompactWindowState& state() const { return state_; }
    const QImage& face() const { return face_; }
    const QImage& frameBitmap() const { return frameBitmap_; }
    // Whether the face is painted through the anti-aliased outline (a compositing desktop).
    bool showsSoftEdge() const;
    QLabel* hintLabel() const { return hintLabel_; }
    QColor hintColour() const { return QColor(hintRed_, hintGreen_, hintBlue_); }
    QTimer& tickTimer() { return tickTimer_; }
    GlyphButton* expandButton() const { return expandButton_; }
    GlyphButton* closeButton() const { return closeButton_; }
    // Waits for a running loader (tests; closing).
    void waitForLoader();

    // The loader's window operations, run on the user-interface thread in its order.
    void loaderSetPhase(CompactPhase phase) { state_.phase = phase; }
    void loaderSetFace(const QImage& face);
    void loaderSetFrame(const QImage& frame);
    void loaderSetRegion(const QRegion& region);
    void loaderCentre();
    // Starts the tick timer with a first tick at once: the panel is painted in the same pass of
    // the event loop as the new outline, and the face is never shown without it.
    void loaderStartTicks();

signals:
    // A full-mode view was asked for; `stopFade` ends a running cross-fade.
    void fullModeAsked(FullModeView view, bool stopFade);
    // The window is about to be shaped for a showing: the donation reminder may come first.
    void aboutToShape();
    // Each time the window has painted the panel that the tick after its shaping drew.
    void panelPainted();
    // The window has closed: the program ends with it, whatever other window shows.
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void runStartUpSteps(LoadingLog& log);
    void startShaping();
    void setFace(const QImage& face);
    void loadSoftEdge();
    void loadButtonGlyphs();
    void showHint(CompactHint hint, int line);
    void resetHintColour();
    void applyHintColour();
    void openDateDialog();
    void stopLoader();
    // Runs a handler's work; a failure stops the timer and is reported once (code 102).
    bool guarded(const std::function<void()>& work);
    LogValues logValues() const;

    CompactWindowState state_;
    ProgramState& program_;
    ErrorLogSource logSource_;
    QMetaObject::Connection followsDay_;  // repaints on every change of the day
    QImage face_;                         // the face picture
    QImage frameBitmap_;                  // background of every repaint
    QImage moonBitmap_;
    QImage softEdge_;  // alpha of the face's rim on a compositing desktop, else null
    QLabel* hintLabel_ = nullptr;
    GlyphButton* expandButton_ = nullptr;
    GlyphButton* closeButton_ = nullptr;
    QTimer tickTimer_;
    DateDialog* dateDialog_ = nullptr;
    std::unique_ptr<OutlineLoader> loader_;
    std::optional<GregorianDate> startDate_;
    bool pressTaken_ = false;     // the current press came while the areas were live
    bool announcePanel_ = false;  // the next paint shows the panel the start drew
    int hintRed_ = 80, hintGreen_ = 90, hintBlue_ = 75;
};

}  // namespace orbisca
