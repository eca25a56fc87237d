// TForm1: the compact window, the program's main window. A borderless, shaped 600 x 450 picture
// of the current day that is dragged by its face, opens the full-mode views through its areas,
// steps the day with the keys and opens the date dialog with a plain click.
#pragma once

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "calendar/calendar.h"
#include "compact/compact_panel.h"
#include "widgets/Mybutton.h"

namespace orbisca {

class TForm2;
class LoadingLog;
class regload;

// The seven areas of the face, both edges inside.
inline const std::array<QRect, 7> kCompactAreas = {
    QRect(QPoint(226, 177), QPoint(298, 217)),  // A1: full-mode view 1
    QRect(QPoint(226, 222), QPoint(298, 294)),  // A2: view 2
    QRect(QPoint(310, 231), QPoint(370, 291)),  // A3: view 4
    QRect(QPoint(154, 218), QPoint(208, 272)),  // A4: view 3
    QRect(QPoint(393, 218), QPoint(447, 272)),  // A5: hint only (moon)
    QRect(QPoint(125, 300), QPoint(475, 390)),  // A6: hint only (affirmation)
    QRect(QPoint(285, 70), QPoint(315, 95)),    // A7: the full-mode window in view 0
};

// The colour a hint starts from, and one 50 ms step of its animation: red rises by 15 until it
// passes 240, then the colour fades by 3 a step. False when the animation has ended.
QColor hintStartColour();  // red 80, green 90, blue 75
bool stepHintColour(int& red, int& green, int& blue);

// The full-mode view a state asks for (1 -> 4, 2 -> 0, 12 -> 1, 22 -> 2, 32 -> 3); none for others.
std::optional<int> fullModeViewOfState(int state);

// The step in days of a key, or 0 for keys that do not move the date.
int dateStepOfKey(int key, bool swapButtons);

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The day to start on instead of today (today stays the real date). Set before FormCreate.
    void setStartDate(const GregorianDate& date) { startDate_ = date; }
    void setDateDialog(TForm2* dialog) { dateDialog_ = dialog; }

    // The start-up sequence, each step logged to "Loading.log". False after a failure, which has
    // been reported (code 104) and the program's end requested.
    bool FormCreate();
    // Shows the reminder when due, loads the configuration and starts the shaped-window loader.
    void FormShow();

    void PAINTALL(int state);
    void FILLPYR(const MayanDate& position);

    // Input, as the window's events deliver it; tests may call them directly.
    void Image1MouseDown(Qt::MouseButton button, QPoint position);
    void Image1MouseMove(QPoint position);
    void Image1MouseUp();
    bool FormKeyDown(int key);
    void Timer1Timer();
    void myButton1MouseMove();
    void myButton1Click();
    void myButton2MouseMove();
    void myButton2Click();

    const QImage& face() const { return Image1; }
    const QImage& frameBitmap() const { return frameBitmap_; }
    QLabel* hintLabel() const { return xl; }
    QColor hintColour() const { return QColor(hintRed_, hintGreen_, hintBlue_); }
    QTimer& timer() { return Timer1; }
    TmyButton* leftButton() const { return myButton1; }
    TmyButton* rightButton() const { return myButton2; }
    // Called once, when the panel has first been painted after the start (STATE 0).
    std::function<void()> panelPainted;
    // Waits for a running loader (tests; closing).
    void waitForLoader();

    // The loader's window operations, run on the user-interface thread in its order.
    void loaderSetFace(const QImage& face);
    void loaderSetFrame(const QImage& frame);
    void loaderSetRegion(const QRegion& region);
    void loaderCentre();

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
    void setFace(const QImage& face);
    void loadButtonGlyphs();
    void showHint(int sym, int line);
    void resetHintColour();
    void applyHintColour();
    void stepDate(int days);
    void openDateDialog();
    void stopLoader();

    QImage Image1;        // the face picture
    QImage frameBitmap_;  // background of every repaint
    QImage moonBitmap_;
    QLabel* xl = nullptr;
    TmyButton* myButton1 = nullptr;
    TmyButton* myButton2 = nullptr;
    QTimer Timer1;
    TForm2* dateDialog_ = nullptr;
    std::unique_ptr<regload> loader_;
    std::optional<GregorianDate> startDate_;
    bool pressTaken_ = false;  // the current press came while the areas were live
    int hintRed_ = 80, hintGreen_ = 90, hintBlue_ = 75;
};

}  // namespace orbisca
