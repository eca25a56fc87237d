// SPDX-License-Identifier: GPL-3.0-or-later
// The print manager's controls, its texts, and what it does when shown and hidden. The commands
// themselves are in print_manager_commands.cpp.
#include "printing/print_manager_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "calendar/calendar_state.h"
#include "calendar/iso_date.h"
#include "data/conf_file.h"
#include "data/notifier.h"
#include "printing/canvas_view.h"
#include "printing/page_setup_window.h"
#include "printing/print_manager_actions.h"
#include "printing/script_editor.h"
#include "printpage/page_services.h"
#include "printpage/script_file.h"
#include "printpage/script_line.h"
#include "widgets/window_keys.h"

namespace orbisca {
namespace {

constexpr int kMaxSpin = kMaxImageSide;

// A small arrow for the day buttons.
QIcon arrowIcon(bool pointsLeft) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 40));
    const QPolygonF arrow =
        pointsLeft ? QPolygonF({{12, 3}, {12, 13}, {4, 8}}) : QPolygonF({{4, 3}, {4, 13}, {12, 8}});
    painter.drawPolygon(arrow);
    return QIcon(pixmap);
}

// The available area of the screen that holds `point`, or of the primary screen.
QRect availableAreaAt(QPoint point) {
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QSpinBox* canvasSpin(const char* name) {
    auto* spin = new QSpinBox;
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(1, kMaxSpin);
    // The canvas follows the finished number, not each digit typed.
    spin->setKeyboardTracking(false);
    return spin;
}

}  // namespace

PrintManagerWindow::PrintManagerWindow(ProgramState& program, QWidget* parent)
    : QMainWindow(parent),
      program_(program),
      controller_(program),
      actions_(std::make_unique<PrintManagerActions>()) {
    setObjectName(QStringLiteral("printManagerWindow"));
    controller_.setScriptHolder(this);
    connect(&program_.data.day, &DayModel::dayChanged, this, &PrintManagerWindow::showDay);
    // Shown, the window takes new texts at once; hidden, at its next showing.
    connect(&program_.data.texts, &TextsModel::textsChanged, this, [this] {
        if (isVisible()) guardedWork(program_.data, [this] { applyCaptions(); });
    });
    createActions();
    createMenus();
    createToolBars();
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("printManagerSplitter"));
    splitter->addWidget(createScriptPanel());
    scroller_ = new QScrollArea;
    scroller_->setObjectName(QStringLiteral("canvasScroll"));
    scroller_->setBackgroundRole(QPalette::Dark);
    scroller_->setAlignment(Qt::AlignCenter);
    canvasView_ = new CanvasView(page(), *scroller_);
    connect(canvasView_, &CanvasView::pointerMoved, this, &PrintManagerWindow::onPointerMoved);
    connect(canvasView_, &CanvasView::pressed, this, &PrintManagerWindow::placeElementAt);
    connect(canvasView_, &CanvasView::menuRequested, this, &PrintManagerWindow::openImageMenu);
    scroller_->setWidget(canvasView_);
    splitter->addWidget(scroller_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({320, 480});
    layout->addWidget(splitter, 1);
    layout->addWidget(createCanvasBar());
    setCentralWidget(central);
    createStatusBar();
    connectActions();
    connectController();
    resize(800, 600);
    showValues();
}

PrintManagerWindow::~PrintManagerWindow() {
    // The program can end with the window open: its state is saved as a hide would.
    const PrintManagerState& s = controller_.state();
    if (isVisible() && s.filesLoaded && !s.opening.forDonation()) {
        rememberPlace();
        controller_.saveWindowFiles(QRect(QPoint(s.values.left, s.values.top), size()));
    }
    controller_.setScriptHolder(nullptr);
}

// ---- controls

void PrintManagerWindow::createActions() {
    PrintManagerActions& a = *actions_;
    auto make = [this](const char* name, QKeySequence key = {}) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        return action;
    };
    a.easy = make("actionEasy", Qt::CTRL | Qt::Key_E);
    a.creative = make("actionCreative", Qt::CTRL | Qt::Key_C);
    auto* modes = new QActionGroup(this);
    for (QAction* mode : {a.easy, a.creative}) {
        mode->setCheckable(true);
        modes->addAction(mode);
    }
    for (std::size_t i = 0; i < kScriptExports.size(); ++i) {
        const ScriptExportInfo& info = kScriptExports[i];
        a.exports[i] = make(qPrintable(QStringLiteral("actionExport") + info.name()), info.key);
    }
    a.load = make("actionLoad", Qt::CTRL | Qt::Key_L);
    a.save = make("actionSave", Qt::CTRL | Qt::Key_S);
    a.previousDay = make("actionPreviousDay", Qt::Key_F2);
    a.nextDay = make("actionNextDay", Qt::Key_F3);
    a.previousDay->setIcon(arrowIcon(true));
    a.nextDay->setIcon(arrowIcon(false));
    a.show = make("actionShow", Qt::CTRL | Qt::Key_D);
    a.optimize = make("actionOptimize", Qt::CTRL | Qt::Key_Q);
    a.blackAndWhite = make("actionBlackAndWhite", Qt::CTRL | Qt::Key_M);
    a.exportAsText = make("actionExportAsText");
    a.autoOptimize = make("actionAutoOptimize");
    a.autoBlur = make("actionAutoBlur");
    for (QAction* toggle : {a.blackAndWhite, a.exportAsText, a.autoOptimize, a.autoBlur})
        toggle->setCheckable(true);
    a.blur = make("actionBlur", Qt::CTRL | Qt::Key_B);
    a.increase = make("actionIncreaseResolution");
    a.decrease = make("actionDecreaseResolution");
    a.zoomIn = make("actionZoomIn", Qt::CTRL | Qt::Key_I);
    a.zoomOut = make("actionZoomOut", Qt::CTRL | Qt::Key_O);
    a.screenScale = make("actionScreenScale", Qt::CTRL | Qt::Key_R);
    a.setup = make("actionSetup", Qt::CTRL | Qt::Key_G);
    a.print = make("actionPrint", Qt::CTRL | Qt::Key_P);
    a.printNow = make("actionPrintNow", Qt::CTRL | Qt::Key_N);
    a.saveImage = make("actionSaveImage");
    // The desktop's close key (Ctrl+W), also where no window manager gives the window a frame.
    a.close = make("actionClose", QKeySequence::Close);
    addAction(a.close);
}

void PrintManagerWindow::createMenus() {
    PrintManagerActions& a = *actions_;
    auto menu = [this](const char* name) {
        QMenu* m = menuBar()->addMenu(QString());
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    a.modeMenu = menu("modeMenu");
    a.modeMenu->addActions({a.easy, a.creative});
    a.scriptMenu = menu("scriptMenu");
    a.exportMenu = a.scriptMenu->addMenu(QString());
    a.exportMenu->setObjectName(QStringLiteral("exportMenu"));
    for (QAction* action : a.exports) a.exportMenu->addAction(action);
    a.scriptMenu->addActions({a.load, a.save});
    a.scriptMenu->addSeparator();
    a.scriptMenu->addActions({a.previousDay, a.nextDay});
    a.scriptMenu->addSeparator();
    a.scriptMenu->addActions({a.show, a.optimize});
    a.editMenu = menu("editMenu");
    a.editMenu->addActions({a.blackAndWhite, a.exportAsText, a.autoOptimize, a.autoBlur});
    a.editMenu->addSeparator();
    a.editMenu->addActions({a.blur, a.increase, a.decrease});
    a.editMenu->addSeparator();
    a.editMenu->addActions({a.zoomIn, a.zoomOut, a.screenScale});
    a.printMenu = menu("printMenu");
    a.printMenu->addActions({a.setup, a.print, a.printNow});
    imageMenu_ = new QMenu(this);
    imageMenu_->setObjectName(QStringLiteral("imageMenu"));
    imageMenu_->addActions({a.saveImage, a.print, a.printNow});
    imageMenu_->addSeparator();
    imageMenu_->addActions({a.zoomIn, a.zoomOut, a.screenScale});
}

void PrintManagerWindow::createToolBars() {
    PrintManagerActions& a = *actions_;
    auto bar = [this](const char* name) {
        QToolBar* b = addToolBar(QString::fromLatin1(name));
        b->setObjectName(QString::fromLatin1(name));
        b->setMovable(false);
        b->setFloatable(false);
        return b;
    };
    auto name = [](QToolBar* b, QAction* action, const QString& buttonName) {
        b->widgetForAction(action)->setObjectName(buttonName);
    };
    a.exportBar = bar("exportBar");
    for (std::size_t i = 0; i < kScriptExports.size(); ++i) {
        a.exportBar->addAction(a.exports[i]);
        name(a.exportBar, a.exports[i],
             QStringLiteral("export%1Button").arg(QLatin1String(kScriptExports[i].name())));
    }
    addToolBarBreak();
    a.commandBar = bar("commandBar");
    const std::pair<QAction*, const char*> commands[] = {
        {a.show, "showButton"},       {a.optimize, "optimizeButton"}, {a.zoomIn, "zoomInButton"},
        {a.zoomOut, "zoomOutButton"}, {a.setup, "setupButton"},       {a.print, "printButton"}};
    for (const auto& [action, buttonName] : commands) {
        a.commandBar->addAction(action);
        name(a.commandBar, action, QString::fromLatin1(buttonName));
    }
    a.commandBar->addSeparator();
    dateButton_ = new QToolButton;
    dateButton_->setObjectName(QStringLiteral("dateButton"));
    a.commandBar->addWidget(dateButton_);
    a.commandBar->addAction(a.previousDay);
    name(a.commandBar, a.previousDay, QStringLiteral("previousDayButton"));
    a.commandBar->addAction(a.nextDay);
    name(a.commandBar, a.nextDay, QStringLiteral("nextDayButton"));
}

QWidget* PrintManagerWindow::createScriptPanel() {
    scriptPanel_ = new QWidget;
    scriptPanel_->setObjectName(QStringLiteral("scriptPanel"));
    auto* layout = new QVBoxLayout(scriptPanel_);
    layout->setContentsMargins(0, 0, 0, 0);
    QLabel* label = captionLabel(Caption::PrintingScript, "scriptLabel");
    editor_ = new QPlainTextEdit;
    editor_->setObjectName(QStringLiteral("scriptEditor"));
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    editor_->installEventFilter(this);
    label->setBuddy(editor_);
    layout->addWidget(label);
    layout->addWidget(editor_, 1);
    layout->addWidget(createElementPanel());
    return scriptPanel_;
}

QWidget* PrintManagerWindow::createCanvasBar() {
    auto* bar = new QWidget;
    bar->setObjectName(QStringLiteral("canvasBar"));
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    widthSpin_ = canvasSpin("canvasWidthSpin");
    heightSpin_ = canvasSpin("canvasHeightSpin");
    const std::pair<QSpinBox*, Caption> spins[] = {{widthSpin_, Caption::CanvasWidth},
                                                   {heightSpin_, Caption::CanvasHeight}};
    for (const auto& [spin, caption] : spins) {
        QLabel* label = captionLabel(caption);
        label->setBuddy(spin);
        layout->addWidget(label);
        layout->addWidget(spin);
    }
    layout->addStretch(1);
    backgroundSwatch_ = new QPushButton;
    backgroundSwatch_->setObjectName(QStringLiteral("backgroundSwatch"));
    textSwatch_ = new QPushButton;
    textSwatch_->setObjectName(QStringLiteral("textColourSwatch"));
    addCaption(Caption::Background, [this](const QString& t) { backgroundSwatch_->setText(t); });
    addCaption(Caption::TextColour, [this](const QString& t) { textSwatch_->setText(t); });
    layout->addWidget(backgroundSwatch_);
    layout->addWidget(textSwatch_);
    return bar;
}

void PrintManagerWindow::createStatusBar() {
    pointerLabel_ = new QLabel;
    pointerLabel_->setObjectName(QStringLiteral("pointerLabel"));
    progressPanel_ = new QWidget;
    progressPanel_->setObjectName(QStringLiteral("progressPanel"));
    auto* layout = new QHBoxLayout(progressPanel_);
    layout->setContentsMargins(0, 0, 0, 0);
    QLabel* label = captionLabel(Caption::Executing, "progressLabel");
    progressBar_ = new QProgressBar;
    progressBar_->setObjectName(QStringLiteral("progressBar"));
    progressBar_->setRange(0, 100);
    progressBar_->setMaximumWidth(200);
    layout->addWidget(label);
    layout->addWidget(progressBar_);
    progressPanel_->hide();
    statusBar()->addPermanentWidget(pointerLabel_);
    statusBar()->addPermanentWidget(progressPanel_);
}

// ---- texts

void PrintManagerWindow::addCaption(Caption entry, std::function<void(const QString&)> apply) {
    captionTargets_.emplace_back(entry, std::move(apply));
}

QLabel* PrintManagerWindow::captionLabel(Caption entry, const char* name) {
    auto* label = new QLabel;
    if (name) label->setObjectName(QString::fromLatin1(name));
    addCaption(entry, [label](const QString& t) { label->setText(t); });
    return label;
}

void PrintManagerWindow::applyCaptions() {
    captions_ = CaptionTable::load(program_.data.folder);
    const CaptionTable& table = captions_;
    for (const auto& [entry, apply] : captionTargets_) apply(table[entry]);
    showEditorValues();
    setWindowTitle(table[Caption::PrintManagerWindow]);
    if (pageSetup_)
        pageSetup_->setCaptions({table[Caption::SetupWindow], table[Caption::SetupPortrait],
                                 table[Caption::SetupLandscape], table[Caption::Save],
                                 table[Caption::PrintWithDialog], table[Caption::PrintNow]});
}

// ---- showing and hiding

void PrintManagerWindow::openFromFullMode(FullModeView view) {
    controller_.state().opening.openedFromFullMode(view);
    placeForOpening();
    showWithKeys(*this);
}

void PrintManagerWindow::openForDonation() {
    controller_.state().opening.openedForDonation();
    placeForOpening();
    showWithKeys(*this);
    controller_.keepUserPage();
}

void PrintManagerWindow::openOnItsOwn() {
    controller_.state().opening.openedOnItsOwn();
    // No compact or full-mode window has read conf.dat before: the exports need its settings (the
    // glyph face of the sign glyphs, the Gregorian dates).
    loadSettings(program_.data);
    placeForOpening();
    showWithKeys(*this);
}

void PrintManagerWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    emit fullModeLocked(true);
    guardedWork(program_.data, [this] {
        PrintManagerState& s = controller_.state();
        if (!s.filesLoaded) loadWindowFiles();
        showDay();
        applyCaptions();
        // The canvas has the size the spin boxes show, cleared until the drawing that follows.
        setCanvas(page(), s.canvasSpins.width(), s.canvasSpins.height(), true);
        s.canvasBlank = true;
        canvasView_->canvasChanged();
    });
    drawAfterOpening();
}

// Never from inside the show: the export or the drawing is a run of its own, once the window
// stands. The donation print-out draws its own page.
void PrintManagerWindow::drawAfterOpening() {
    if (controller_.state().opening.forDonation()) return;
    const std::optional<ScriptExport> which = controller_.state().opening.takeExport();
    QMetaObject::invokeMethod(
        this,
        [this, which] {
            controller_.whenIdle([this, which] {
                if (which)
                    controller_.exportScript(*which);
                else if (isVisible())
                    controller_.drawCanvasIfBlank();
            });
        },
        Qt::QueuedConnection);
}

void PrintManagerWindow::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    if (event->spontaneous()) return;
    PrintManagerState& s = controller_.state();
    if (s.opening.forDonation()) {
        controller_.restoreUserPage();
    } else if (s.filesLoaded) {
        guardedWork(program_.data, [this, &s] {
            rememberPlace();
            controller_.saveWindowFiles(QRect(QPoint(s.values.left, s.values.top), size()));
        });
    }
    // Whoever opened the window, the full-mode window takes input again.
    emit fullModeLocked(false);
    if (const std::optional<FullModeView> view = s.opening.takeReturnMode())
        emit fullModeViewAsked(*view);
}

void PrintManagerWindow::closeEvent(QCloseEvent* event) {
    if (!controller_.running()) return QMainWindow::closeEvent(event);
    controller_.closeAfterRun();
    event->ignore();
}

bool PrintManagerWindow::eventFilter(QObject* watched, QEvent* event) {
    // The editor would take the window's Ctrl keys (Ctrl+D deletes a character in some key
    // schemes); only the clipboard keys stay with it.
    if (watched == editor_ && event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool clipboard = key->matches(QKeySequence::Copy) ||
                               key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Paste);
        if (!clipboard && (key->modifiers() & Qt::ControlModifier) &&
            actions_->hasShortcut(QKeySequence(key->keyCombination()))) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- WindWHP.dat and "~last.spt"

// The window takes the size WindWHP.dat gives, within the screen it stands on.
void PrintManagerWindow::loadWindowFiles() {
    const PrintWindowValues values = controller_.loadWindowFiles();
    const QRect area = availableAreaAt(QPoint(values.left, values.top));
    const QSize stored(values.width, values.height);
    resize(area.isEmpty() ? stored : stored.boundedTo(area.size()));
}

// Each opening places the window anew, unless it is shown already: where the user moved it, or
// centred on the screen of the window it is opened from (not over that window's buttons).
void PrintManagerWindow::placeForOpening() {
    const PrintManagerState& s = controller_.state();
    if (!s.filesLoaded) guardedWork(program_.data, [this] { loadWindowFiles(); });
    if (isVisible()) return;
    const QWidget* opener = QApplication::activeWindow();
    const QRect openerArea = opener && opener != this ? opener->screen()->availableGeometry()
                                                      : availableAreaAt(QCursor::pos());
    // Placed with its frame, once the window system has given it one.
    const QSize outer = frameGeometry().size(), frame = outer - size();
    const QRect stored(QPoint(s.values.left, s.values.top), outer);
    const QRect placed =
        openingPlace(s.values, outer, availableAreaAt(stored.center()), openerArea);
    resize(placed.size() - frame);
    move(placed.topLeft());
    placedAt_ = placed.topLeft();
}

// A window the user moved opens there next time; one left where it was placed keeps the stored
// place, so that it opens centred again.
void PrintManagerWindow::rememberPlace() {
    if (!placedAt_ || pos() == *placedAt_) return;
    controller_.state().values.left = x();
    controller_.state().values.top = y();
}

// Shows the state in the controls: check marks, the editor panel, spin boxes and swatches.
void PrintManagerWindow::showValues() {
    const PrintManagerState& s = controller_.state();
    PrintManagerActions& a = *actions_;
    a.easy->setChecked(s.easyMode);
    a.creative->setChecked(!s.easyMode);
    scriptPanel_->setVisible(!s.easyMode);
    a.autoOptimize->setVisible(s.easyMode);
    a.autoBlur->setVisible(s.easyMode);
    a.autoOptimize->setChecked(s.autoOptimizeChecked);
    a.autoBlur->setChecked(s.autoBlurChecked);
    a.exportAsText->setChecked(s.exportAsText);
    a.blackAndWhite->setChecked(page().interp.blackAndWhite);
    showInCanvasSpins(s.canvasSpins);
    const QString style = QStringLiteral("background-color: %1; color: %2;")
                              .arg(QColor(page().background).name(), s.textColour.name());
    backgroundSwatch_->setStyleSheet(style);
    textSwatch_->setStyleSheet(style);
}

// The spin boxes show `size` without taking it as typed.
void PrintManagerWindow::showInCanvasSpins(QSize size) {
    const QSignalBlocker blockWidth(widthSpin_);
    const QSignalBlocker blockHeight(heightSpin_);
    widthSpin_->setValue(size.width());
    heightSpin_->setValue(size.height());
}

void PrintManagerWindow::showDay() {
    dateButton_->setText(QString::fromStdString(formatIsoDate(program_.data.day.date())));
}

}  // namespace orbisca
