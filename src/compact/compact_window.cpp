#include "compact/compact_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <utility>

#include "calendar/calendar_state.h"
#include "calendar/calendar_strings.h"
#include "compact/Regloader.h"
#include "compact/setdate.h"
#include "compact/window_links.h"
#include "data/attributes.h"
#include "data/conf_file.h"
#include "data/error_log.h"
#include "data/font_table.h"
#include "data/notifier.h"
#include "data/program_state.h"
#include "data/text_file.h"
#include "data/working_folder.h"
#include "gfx/image_io.h"
#include "gfx/region.h"

namespace orbisca {

QColor hintStartColour() { return QColor(80, 90, 75); }

bool stepHintColour(int& red, int& green, int& /*blue*/) {
    if (red < 240 && green < 91)
        red += 15;
    else
        green = 91;
    if (green == 91) {
        if (red > 80)
            red -= 3;
        else
            return false;
    }
    return true;
}

std::optional<int> fullModeViewOfState(int state) {
    switch (state) {
        case 1:
            return 4;
        case 2:
            return 0;
        case 12:
            return 1;
        case 22:
            return 2;
        case 32:
            return 3;
        default:
            return std::nullopt;
    }
}

int dateStepOfKey(int key, bool swapButtons) {
    const int forward = swapButtons ? -1 : 1;
    switch (key) {
        case Qt::Key_Right:
        case Qt::Key_PageUp:
            return forward;
        case Qt::Key_Left:
        case Qt::Key_PageDown:
            return -forward;
        case Qt::Key_Comma:
        case Qt::Key_Less:
            return -28;  // the comma key, shifted or not
        case Qt::Key_Period:
        case Qt::Key_Greater:
            return 28;
        default:
            return 0;
    }
}

namespace {

// The face's areas with their hint: area index, sym and line of "BASE.KTX", in testing order.
struct AreaHint {
    int area;
    int sym;
    int line;
};
constexpr AreaHint kAreaHints[] = {{2, 1, 393}, {0, 2, 394}, {1, 3, 395},
                                   {3, 4, 396}, {5, 5, 398}, {4, 6, 397}};

// Where the two buttons and the hint line stand on the face's base.
constexpr QPoint kLeftButtonAt(44, 414);
constexpr QPoint kRightButtonAt(532, 414);
const QRect kHintLine(70, 404, 460, 18);

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Orbisca v1.2"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    Timer1.setInterval(50);
    connect(&Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    createControls();
}

TForm1::~TForm1() {
    stopLoader();
    if (calendarState().repaint) calendarState().repaint = nullptr;
    killfonts();
}

void TForm1::createControls() {
    xl = new QLabel(this);
    xl->setGeometry(kHintLine);
    xl->setAlignment(Qt::AlignCenter);
    xl->setAttribute(Qt::WA_TransparentForMouseEvents);
    myButton1 = new TmyButton(this);
    myButton2 = new TmyButton(this);
    myButton1->move(kLeftButtonAt);
    myButton2->move(kRightButtonAt);
    connect(myButton1, &TmyButton::mouseMoved, this, &TForm1::myButton1MouseMove);
    connect(myButton1, &TmyButton::clicked, this, &TForm1::myButton1Click);
    connect(myButton2, &TmyButton::mouseMoved, this, &TForm1::myButton2MouseMove);
    connect(myButton2, &TmyButton::clicked, this, &TForm1::myButton2Click);
    // Until the loader has given the window its face, only the splash picture shows.
    xl->hide();
    myButton1->hide();
    myButton2->hide();
}

bool TForm1::FormCreate() {
    LoadingLog log;
    log.start(programNow());
    try {
        runStartUpSteps(log);
    } catch (const std::exception&) {
        if (log.fail()) requestProgramEnd(1);
        return false;
    }
    log.finish(programNow());
    return true;
}

void TForm1::runStartUpSteps(LoadingLog& log) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    log.stepDone("ControlsStyle");
    setattributes();
    log.stepDone("SetAttributes");
    log.stepDone("RectsCreated");  // kCompactAreas
    moonBitmap_ = QImage();
    log.stepDone("MoonBitmapCreated");
    moonBitmap_ = gfx::LoadBitmap(resolvePath(QStringLiteral("graphic\\moon.bmp")));
    log.stepDone("MoonLoaded");
    log.stepDone("MoonTransparency");  // black is left out wherever the moon is drawn
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move(screen.width() / 2 - 40, screen.height() / 2 - 40);
    log.stepDone("WindowPosition");
    compactState().STATE = -101;
    frameBitmap_ = QImage();
    log.stepDone("FrameBitmapCreated");
    frameBitmap_ = gfx::LoadBitmap(resolvePath(QStringLiteral("graphic\\frame1.bmp")));
    log.stepDone("FrameBitmapLoaded");
    CalendarState& calendar = calendarState();
    calendar.currentDate = GetGregorianDate(calendar.clock());
    log.stepDone("GetGregorianDate");
    calendar.today = calendar.currentDate;
    if (startDate_) calendar.currentDate = *startDate_;
    log.stepDone("TodaySet");
    calendar.currentPosition = GregorianToMayan(calendar.currentDate);
    log.stepDone("GregorianToMayan");
    const std::string glyphs = GetMayanString(calendar.currentPosition);
    log.stepDone("GetMayanString");
    (void)glyphs;  // computed as the start-up always has; the compact window shows none of it
    log.stepDone("SetTextValue");
    setFace(gfx::LoadBitmap(resolvePath(QStringLiteral("graphic\\frameclr.bmp"))));
    log.stepDone("Load!FrameClr!Bitmap");
    const QRegion outline =
        gfx::BitmapToRegion(frameBitmap_, qRgb(0, 0, 0), gfx::RegionMode::KeepDiffering);
    log.stepDone("CreateRegion");
    setMask(outline);
    log.stepDone("SetWindowRegion");
    log.stepDone("DeleteRegion");
    readfonts();
    log.stepDone("ReadingFonts");
    calendar.repaint = [this] { PAINTALL(compactState().STATE); };
    loadButtonGlyphs();
}

// The button glyphs are no part of the logged start: a missing one leaves a plain button.
void TForm1::loadButtonGlyphs() {
    const std::pair<TmyButton*, const char*> glyphs[] = {{myButton1, "graphic\\btnExpand.bmp"},
                                                         {myButton2, "graphic\\btnClose.bmp"}};
    for (const auto& [button, file] : glyphs) {
        try {
            button->setGlyph(gfx::LoadBitmap(resolvePath(QString::fromLatin1(file))));
        } catch (const gfx::ImageError&) {
            button->setFixedSize(24, 24);
        }
    }
}

void TForm1::setFace(const QImage& face) {
    Image1 = face;
    if (!Image1.isNull()) setFixedSize(Image1.size());
    update();
}

void TForm1::FormShow() {
    WindowLinks& links = windowLinks();
    if (links.reminderDue && links.reminderDue() && links.showReminder) links.showReminder();
    compactState().STATE = -101;
    load(configModel(), settings());
    stopLoader();  // one loader at a time
    loader_ = std::make_unique<regload>(this);
}

void TForm1::stopLoader() {
    if (loader_) loader_->stop();
}

void TForm1::waitForLoader() {
    if (loader_) loader_->wait();
}

void TForm1::loaderSetFace(const QImage& face) {
    setFace(face);
    xl->show();
    myButton1->show();
    myButton2->show();
}

void TForm1::loaderSetFrame(const QImage& frame) { frameBitmap_ = frame; }

void TForm1::loaderSetRegion(const QRegion& region) { setMask(region); }

void TForm1::loaderCentre() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move(screen.width() / 2 - 300, screen.height() / 2 - 225);
}

void TForm1::PAINTALL(int state) {
    CompactState& c = compactState();
    if (c.closed) return;
    try {
        if (state == 0) {
            FILLPYR(calendarState().currentPosition);
        } else if (state == -101) {
            // Before the loader has given the face, the frame bitmap is still the small splash
            // picture the panel cannot be painted on; the first tick paints the day instead.
        } else if (const std::optional<int> view = fullModeViewOfState(state)) {
            fullModeState()._newstate = std::uint8_t(*view);
            c.moved = true;
            if (windowLinks().showFullMode) windowLinks().showFullMode();
        }
        if (state > 0) hide();
    } catch (const FailureReported&) {
        Timer1.stop();
    } catch (const std::exception&) {
        Timer1.stop();
        if (writeerror(kErrorPaintAll, QStringLiteral("PAINTALL in orbisca"))) requestProgramEnd(1);
    }
}

void TForm1::FILLPYR(const MayanDate& position) {
    PanelPictures pictures{frameBitmap_, moonBitmap_, configModel().com2Index == 1};
    orbisca::FILLPYR(Image1, pictures, position);
    update();
}

void TForm1::Image1MouseDown(Qt::MouseButton button, QPoint position) {
    CompactState& c = compactState();
    pressTaken_ = button == Qt::LeftButton && c.STATE >= 0;
    if (!pressTaken_) return;
    c.moved = false;
    const auto hit = [&](int area) { return kCompactAreas[area].contains(position); };
    const int areaStates[4] = {12, 22, 1, 32};  // A1..A4
    for (int area = 0; area < 4; ++area) {
        if (!hit(area)) continue;
        c.STATE = areaStates[area];
        PAINTALL(c.STATE);
        c.moved = true;
        return;
    }
    if (hit(6)) {
        fullModeState()._newstate = 0;
        if (windowLinks().showFullMode) windowLinks().showFullMode();
        c.moved = true;
        return;
    }
    c.move = true;
    c.xm = position.x();
    c.ym = position.y();
}

void TForm1::Image1MouseMove(QPoint position) {
    CompactState& c = compactState();
    if (c.move) {
        move(pos() + position - QPoint(c.xm, c.ym));
        c.moved = true;
    }
    for (const AreaHint& hint : kAreaHints) {
        if (!kCompactAreas[hint.area].contains(position) || c.sym == hint.sym) continue;
        resetHintColour();
        showHint(hint.sym, hint.line);
    }
}

void TForm1::Image1MouseUp() {
    CompactState& c = compactState();
    c.move = false;
    if (pressTaken_ && !c.moved) openDateDialog();
    c.moved = false;
    pressTaken_ = false;
}

void TForm1::openDateDialog() {
    if (!dateDialog_) return;
    dateDialog_->openOn(calendarState().currentDate);
}

bool TForm1::FormKeyDown(int key) {
    if (key == Qt::Key_Escape) {
        close();
        return true;
    }
    const int days = dateStepOfKey(key, settings()._Swapbtn);
    if (days == 0) return false;
    stepDate(days);
    return true;
}

void TForm1::stepDate(int days) {
    CalendarState& calendar = calendarState();
    calendar.currentDate = StepDate(calendar.currentDate, days);
    ApplyDate();
}

void TForm1::showHint(int sym, int line) {
    compactState().sym = std::uint8_t(sym);
    Timer1.start();
    xl->setText(readtext(line, QStringLiteral("BASE.KTX")));
}

void TForm1::resetHintColour() {
    const QColor start = hintStartColour();
    hintRed_ = start.red();
    hintGreen_ = start.green();
    hintBlue_ = start.blue();
    applyHintColour();
}

void TForm1::applyHintColour() {
    QPalette palette = xl->palette();
    palette.setColor(QPalette::WindowText, hintColour());
    xl->setPalette(palette);
}

void TForm1::Timer1Timer() {
    CompactState& c = compactState();
    if (c.STATE == -100) {
        c.STATE = 0;
        Timer1.stop();
        PAINTALL(0);
        if (panelPainted && !notifierState().endRequested) std::exchange(panelPainted, nullptr)();
    }
    if (c.sym < 1 || c.sym > 8) return;
    if (!stepHintColour(hintRed_, hintGreen_, hintBlue_)) {
        Timer1.stop();
        c.sym = 0;
    }
    applyHintColour();
}

void TForm1::myButton1MouseMove() {
    CompactState& c = compactState();
    if (c.sym == 8) return;
    resetHintColour();
    const QString text = readtext(413, QStringLiteral("BASE.KTX"));
    if (xl->text() != text) showHint(8, 413);
}

void TForm1::myButton1Click() {
    compactState().moved = true;
    fullModeState().spin = 0;
    fullModeState()._newstate = 0;
    if (windowLinks().showFullMode) windowLinks().showFullMode();
}

void TForm1::myButton2MouseMove() {
    if (compactState().sym == 7) return;
    resetHintColour();
    showHint(7, 399);
}

void TForm1::myButton2Click() { close(); }

void TForm1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Image1);
}

void TForm1::mousePressEvent(QMouseEvent* event) {
    Image1MouseDown(event->button(), event->position().toPoint());
}

void TForm1::mouseMoveEvent(QMouseEvent* event) { Image1MouseMove(event->position().toPoint()); }

void TForm1::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Image1MouseUp();
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyDown(event->key())) QWidget::keyPressEvent(event);
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TForm1::closeEvent(QCloseEvent* event) {
    compactState().closed = true;
    Timer1.stop();
    stopLoader();
    loader_.reset();
    frameBitmap_ = QImage();
    moonBitmap_ = QImage();
    QWidget::closeEvent(event);
}

}  // namespace orbisca
