// SPDX-License-Identifier: GPL-3.0-or-later
#include "fullmode/full_mode_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <utility>

#include "calendar/calendar_state.h"
#include "data/conf_file.h"
#include "data/day_words.h"
#include "data/help_rects.h"
#include "data/program_title.h"
#include "gfx/image_io.h"
#include "views/mode_table.h"
#include "views/telectonon_board.h"
#include "widgets/about_box.h"
#include "widgets/window_keys.h"

namespace orbisca {
namespace {

constexpr int kTickMs = 10;
// Below this y a click outside the paint box leaves the window; above it lies the button row.
constexpr int kButtonRowBottom = 50;

struct ButtonSpec {
    const char* name;
    const char* glyph;
    FullModeView view;  // Closed: back and exit
    bool fades;         // disabled during the last two blends of a fade
};
// In the order of FullModeButton.
constexpr std::array<ButtonSpec, kFullModeButtons> kButtons = {{
    {"dayButton", "btnDay.bmp", FullModeView::Day, true},
    {"toneButton", "btnTone.bmp", FullModeView::Tone, true},
    {"signButton", "btnSign.bmp", FullModeView::Sign, true},
    {"plasmaButton", "btnPlasma.bmp", FullModeView::Plasma, true},
    {"oracleButton", "btnOracle.bmp", FullModeView::Oracle, true},
    {"monthButton", "btnMonth.bmp", FullModeView::Month, true},
    {"zolkinButton", "btnZolkin.bmp", FullModeView::Zolkin, true},
    {"wavespellButton", "btnWavespell.bmp", FullModeView::Wavespell, true},
    {"pulsarsButton", "btnPulsars.bmp", FullModeView::Pulsars, true},
    {"yearButton", "btnYear.bmp", FullModeView::Year, true},
    {"moonsButton", "btnMoons.bmp", FullModeView::Moons, true},
    {"castleButton", "btnCastle.bmp", FullModeView::Wings, true},
    {"boardButton", "btnTelectonon.bmp", FullModeView::Board, true},
    {"izinButton", "btnIzin.bmp", FullModeView::KinBook, false},
    {"printButton", "btnPrint.bmp", FullModeView::PrintManager, true},
    {"helpButton", "btnHelp.bmp", FullModeView::FirstHelpPage, true},
    {"configurationButton", "btnConfig.bmp", FullModeView::Configuration, true},
    {"backButton", "btnCompact.bmp", FullModeView::Closed, false},
    {"exitButton", "btnExit.bmp", FullModeView::Closed, false},
}};

// The view to go back to when a dialog's view leads nowhere: the one shown before, or the day
// overview when that was a dialog's view itself.
FullModeView viewToReturnTo(FullModeView from) {
    const bool dialog = from == FullModeView::PrintManager || from == FullModeView::Configuration;
    return from == FullModeView::Closed || dialog ? FullModeView::Day : from;
}

// The paint box: it shows the presented picture at its top left on the frame's background, and
// hands its mouse to the window.
class PaintBox : public QWidget {
public:
    PaintBox(FullModeWindow* window, const QImage& picture)
        : QWidget(window), window_(window), picture_(picture) {
        setObjectName(QStringLiteral("paintBox"));
        setFixedSize(kPaintBoxSize);
        setFocusPolicy(Qt::NoFocus);
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(kFrameBackground));
        painter.drawImage(0, 0, picture_);
        window_->paintBoxPainted();
    }
    void mousePressEvent(QMouseEvent* event) override {
        window_->handleViewPress(event->button(), event->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        window_->handleViewMove(event->position().toPoint());
    }

private:
    FullModeWindow* window_;
    const QImage& picture_;
};

}  // namespace

QPoint paintBoxPosition(QSize size) {
    // Integer division rounds toward zero, also on a screen narrower than the box.
    return {(size.width() - kPaintBoxSize.width()) / 2,
            (size.height() - kPaintBoxSize.height()) / 2 + 20};
}

QPoint buttonPosition(FullModeButton button, int width) {
    const int index = int(button);
    const int fromRight[] = {170, 130, 90, 50};  // help, configuration, back, exit
    const int firstRight = int(FullModeButton::Help);
    const int x = index < firstRight ? 8 + 40 * index : width - fromRight[index - firstRight];
    return {x, kButtonTop};
}

FullModeView viewOfButton(FullModeButton button) { return kButtons[std::size_t(button)].view; }

FullModeWindow::FullModeWindow(ProgramState& program, QWidget* parent)
    : QWidget(parent),
      program_(program),
      frame_(program.data, program.fonts),
      logSource_(program.data.errorLog,
                 [this] { return fullModeLogValues(frame_.state(), pointer_); }) {
    setObjectName(QStringLiteral("fullModeWindow"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(programTitle());
    // The window counts as one of the program's main windows (Qt's quit-on-close stays on): while
    // it shows, with the compact window hidden, a dialog it opened may close without the program
    // taking that for its last window closing. It is closed only at the program's end anyway.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    paintBox_ = new PaintBox(this, window_.presented);
    paintBox_->installEventFilter(this);
    aboutButton_ = new QPushButton(this);
    aboutButton_->setObjectName(QStringLiteral("aboutButton"));
    aboutButton_->setFlat(true);
    aboutButton_->setFocusPolicy(Qt::NoFocus);  // the arrow keys stay the window's
    aboutButton_->setStyleSheet(QStringLiteral("QPushButton { color: rgb(255, 217, 0); }"));
    aboutButton_->hide();
    connect(aboutButton_, &QPushButton::clicked, this,
            [this] { showAboutBox(program_.data.folder, this); });
    connect(&program_.data.day, &DayModel::dayChanged, this, &FullModeWindow::dateChanged);
    connect(&program_.data.texts, &TextsModel::textsChanged, this, &FullModeWindow::showNewTexts);
    createButtons();
    timer_.setInterval(kTickMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &FullModeWindow::onTick);
    window_.presented = frame_.buffers().frame;
    resize(825, 506);
}

void FullModeWindow::createButtons() {
    for (int i = 0; i < kFullModeButtons; ++i) {
        auto* b = new GlyphButton(this);
        b->setObjectName(QLatin1String(kButtons[std::size_t(i)].name));
        b->setFixedSize(kButtonSide, kButtonSide);
        b->installEventFilter(this);
        connect(b, &GlyphButton::clicked, this,
                [this, i] { pressButton(static_cast<FullModeButton>(i)); });
        buttons_[std::size_t(i)] = b;
    }
}

bool FullModeWindow::startUp() {
    loadButtonGlyphs();
    return reportFailures(program_.data, kErrorStartUp, QStringLiteral("orbisca window"), [this] {
        program_.data.helpRects = loadHelpFields(program_.data.folder);
        loadButtonHints();
    });
}

// Each button's name as its hint, from the texts.
void FullModeWindow::loadButtonHints() {
    for (int i = 0; i < kFullModeButtons; ++i)
        buttons_[std::size_t(i)]->setToolTip(
            baseLine(program_.data.folder, base_line::kFullModeButtonNameFirst + i));
}

void FullModeWindow::paintBoxPainted() {
    const FullModeState& s = frame_.state();
    if (framePaintedAnnounced_ || window_.presentations == 0 ||
        s.fade.mode == FullModeView::Closed || s.fade.fadeStepsLeft > 0)
        return;
    framePaintedAnnounced_ = true;
    emit framePainted();
}

// A missing glyph leaves a plain button of the same size: the buttons are no part of the start.
void FullModeWindow::loadButtonGlyphs() {
    for (int i = 0; i < kFullModeButtons; ++i) {
        const QString file = QStringLiteral("graphic\\") + kButtons[std::size_t(i)].glyph;
        try {
            buttons_[std::size_t(i)]->setGlyph(gfx::loadBitmap(program_.data.folder.resolve(file)));
        } catch (const gfx::ImageError&) {
            buttons_[std::size_t(i)]->setGlyph(QImage());
        }
    }
}

void FullModeWindow::coverScreen(QScreen* screen) {
    if (screen) setGeometry(screen->geometry());
}

void FullModeWindow::showMode(FullModeView view, bool stopFade) {
    frame_.state().fade.requestedMode = view;
    if (stopFade) frame_.state().fade.fadeStepsLeft = 0;
    showWithKeys(*this);
    timer_.start();
}

void FullModeWindow::requestMode(FullModeView view) {
    fade_.request(view);
    timer_.start();
}

void FullModeWindow::dateChanged() {
    FullModeState& s = frame_.state();
    s.year.cachedYearSign = 0;
    s.year.cachedYearTone = 0;
    if (isVisible() && s.fade.mode != FullModeView::Closed) apply(fade_.repaint());
}

void FullModeWindow::showNewTexts() {
    guarded([this] {
        program_.data.helpRects = loadHelpFields(program_.data.folder);
        loadButtonHints();
    });
    placeControls();
    dateChanged();
}

void FullModeWindow::pressButton(FullModeButton which) {
    FullModeState& s = frame_.state();
    switch (which) {
        case FullModeButton::Back:
            returnToCompactWindow();
            return;
        case FullModeButton::Exit:
            endProgram();
            return;
        case FullModeButton::Board:
            s.drawing.boardDrawn = false;  // the board is drawn afresh once per choice of the mode
            break;
        case FullModeButton::Print:
            s.print.printedMode = s.fade.mode;
            break;
        case FullModeButton::Configuration:
            window_.configurationFrom = s.fade.mode;
            break;
        default:
            break;
    }
    requestMode(viewOfButton(which));
}

bool FullModeWindow::handleKey(int key) {
    // While more than one fade step is left every key is dropped, Escape too.
    if (frame_.state().fade.fadeStepsLeft > 1) return true;
    if (key == Qt::Key_Escape) {
        endProgram();
        return true;
    }
    const std::optional<DayStep> step = dayStepOfKey(key);
    if (!step) return false;
    // The day model announces the new day, and dateChanged() paints it.
    guarded([&] { emit dayStepAsked(*step); });
    return true;
}

void FullModeWindow::handleViewPress(Qt::MouseButton button, QPoint position) {
    FullModeState& s = frame_.state();
    pointer_.pressX = position.x();
    pointer_.pressY = position.y();
    if (helpPageOfView(s.fade.mode) > 0) {
        requestMode(nextHelpView(program_.data, s.fade.mode));
        return;
    }
    if (button == Qt::LeftButton || button == Qt::RightButton) emit dateDialogAsked();
}

void FullModeWindow::handleViewMove(QPoint position) {
    FullModeState& s = frame_.state();
    // Hints belong to the board as it stands: not during a fade, nor with a change pending.
    if (s.fade.mode != FullModeView::Board || s.fade.fadeStepsLeft > 0 ||
        s.fade.requestedMode != s.fade.mode)
        return;
    const DayModel& day = program_.data.day;
    if (showsExtraDayPage(day.date(), day.position())) return;
    QString text;
    findHelpField(program_.data.helpRects, position.x(), position.y(), text);
    if (text == pointer_.lastHint) return;
    // The paint box lets go of the frame, so that the hint is written into it in place.
    window_.presented = QImage();
    guarded([&] { drawBoardHint(program_.fonts, frame_.buffers().frame, text); });
    present(frame_.buffers().frame);
    pointer_.lastHint = text;
}

void FullModeWindow::handleOutsidePress(Qt::MouseButton button, QPoint position) {
    if (button == Qt::RightButton) {
        emit dateDialogAsked();
    } else if (position.y() > kButtonRowBottom) {
        returnToCompactWindow();
    }
}

void FullModeWindow::onTick() { apply(fade_.tick()); }

void FullModeWindow::apply(const TickResult& result) {
    if (!result.frame.isNull()) present(result.frame);
    aboutButton_->setVisible(helpPageOfView(frame_.state().fade.mode) > 0);
    setModeButtonsEnabled(result.buttonsEnabled);
    if (!result.keepTicking) timer_.stop();
    if (result.failure) {
        timer_.stop();  // one fault, one report: no tick runs into it again
        const FatalError& e = *result.failure;
        if (result.fatal)
            reportFatal(program_.data, e);
        else
            reportError(program_.data, e.code(), e.sender(), e.details(), e.reason());
        return;
    }
    openDialog(result.request);
}

// A new picture replaces whatever the frame showed, a hint included.
void FullModeWindow::present(const QImage& image) {
    window_.presented = image;
    ++window_.presentations;
    pointer_.lastHint.clear();
    paintBox_->update();
}

void FullModeWindow::setModeButtonsEnabled(bool enabled) {
    for (int i = 0; i < kFullModeButtons; ++i)
        if (kButtons[std::size_t(i)].fades) buttons_[std::size_t(i)]->setEnabled(enabled);
}

void FullModeWindow::openDialog(FrameRequest request) {
    FullModeState& s = frame_.state();
    // Without a window to open (a window on its own, in a test), the view asked from goes back.
    if (request == FrameRequest::OpenPrintManager) {
        if (isSignalConnected(QMetaMethod::fromSignal(&FullModeWindow::printManagerAsked)))
            emit printManagerAsked(s.print.printedMode);
        else
            requestMode(viewToReturnTo(s.print.printedMode));
    } else if (request == FrameRequest::OpenConfiguration) {
        if (isSignalConnected(QMetaMethod::fromSignal(&FullModeWindow::configurationAsked)))
            emit configurationAsked();
        else
            requestMode(viewToReturnTo(window_.configurationFrom));
    }
}

void FullModeWindow::returnToCompactWindow() {
    hide();
    emit compactAsked();
}

void FullModeWindow::endProgram() { emit endAsked(); }

void FullModeWindow::guarded(const std::function<void()>& work) {
    reportFailures(program_.data, kErrorViewPaint, QStringLiteral("paintall in orbisca"), work);
}

void FullModeWindow::placeControls() {
    paintBox_->move(paintBoxPosition(size()));
    // The About box's button under the help page's bottom right corner.
    aboutButton_->setText(baseLine(program_.data.folder, base_line::kAboutTitle));
    aboutButton_->adjustSize();
    const QPoint corner = paintBox_->geometry().bottomRight();
    aboutButton_->move(corner.x() - aboutButton_->width(), corner.y() + 4);
    for (int i = 0; i < kFullModeButtons; ++i)
        buttons_[std::size_t(i)]->move(buttonPosition(static_cast<FullModeButton>(i), width()));
}

void FullModeWindow::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), QColor(kFrameBackground));
}

void FullModeWindow::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event->key())) QWidget::keyPressEvent(event);
}

void FullModeWindow::mousePressEvent(QMouseEvent* event) {
    handleOutsidePress(event->button(), event->position().toPoint());
}

void FullModeWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeControls();
}

void FullModeWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    placeControls();
    guarded([this] { loadSettings(program_.data); });
    setFocus(Qt::ActiveWindowFocusReason);
    timer_.start();
}

// Hidden, the window fades to the empty frame, so that its next showing fades in from it.
void FullModeWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous()) return;
    requestMode(FullModeView::Empty);
}

// Closed by the window system, the window goes back to the compact window like the back button:
// the program must never be left without a window. A close the program asks for itself (while
// it ends) goes through.
void FullModeWindow::closeEvent(QCloseEvent* event) {
    if (!event->spontaneous()) {
        QWidget::closeEvent(event);
        return;
    }
    event->ignore();
    returnToCompactWindow();
}

// The window sees the keys before its controls (none takes the focus anyway).
bool FullModeWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent*>(event)->key()))
        return true;
    return QWidget::eventFilter(watched, event);
}

}  // namespace orbisca
