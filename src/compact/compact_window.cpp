// SPDX-License-Identifier: GPL-3.0-or-later
#include "compact/compact_window.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <utility>

#include "calendar/calendar_state.h"
#include "calendar/calendar_strings.h"
#include "compact/date_dialog.h"
#include "compact/outline_loader.h"
#include "data/attributes.h"
#include "data/conf_file.h"
#include "data/data_error.h"
#include "data/day_words.h"
#include "data/program_title.h"
#include "gfx/font_table.h"
#include "gfx/image_io.h"
#include "gfx/region.h"
#include "state/program_state.h"
#include "views/compact_panel.h"
#include "views/full_mode_state.h"
#include "widgets/desktop_compositing.h"

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

std::optional<FullModeView> fullModeViewOfPhase(CompactPhase phase) {
    switch (phase) {
        case CompactPhase::OracleAsked:
            return FullModeView::Oracle;
        case CompactPhase::DayAsked:
            return FullModeView::Day;
        case CompactPhase::ToneAsked:
            return FullModeView::Tone;
        case CompactPhase::SignAsked:
            return FullModeView::Sign;
        case CompactPhase::PlasmaAsked:
            return FullModeView::Plasma;
        default:
            return std::nullopt;
    }
}

namespace {

// The areas that open a full-mode view when pressed, with the phase each asks for.
struct AreaPhase {
    CompactArea area;
    CompactPhase phase;
};
constexpr AreaPhase kViewAreas[] = {{CompactArea::Tone, CompactPhase::ToneAsked},
                                    {CompactArea::Sign, CompactPhase::SignAsked},
                                    {CompactArea::Guide, CompactPhase::OracleAsked},
                                    {CompactArea::Plasma, CompactPhase::PlasmaAsked}};

// The areas with a hint, the hint and its line of "BASE.KTX", in the order they are tested.
struct AreaHint {
    CompactArea area;
    CompactHint hint;
    int line;
};
constexpr AreaHint kAreaHints[] = {
    {CompactArea::Guide, CompactHint::Guide, base_line::kGuideHint},
    {CompactArea::Tone, CompactHint::Tone, base_line::kToneHint},
    {CompactArea::Sign, CompactHint::Sign, base_line::kSignHint},
    {CompactArea::Plasma, CompactHint::Plasma, base_line::kPlasmaHint},
    {CompactArea::Affirmation, CompactHint::Affirmation, base_line::kAffirmationHint},
    {CompactArea::Moon, CompactHint::Moon, base_line::kMoonHint}};

// Whether the font database holds every family of the table.
bool allFamiliesInstalled(const FontTable& table) {
    return std::all_of(table.fonts.begin(), table.fonts.end(), [](const auto& entry) {
        return !entry || QFontDatabase::hasFamily(entry->font.family());
    });
}

bool inArea(CompactArea area, QPoint position) {
    return kCompactAreas[std::size_t(area)].contains(position);
}

// Where the two buttons and the hint line stand on the face's base.
constexpr QPoint kExpandButtonAt(44, 414);
constexpr QPoint kCloseButtonAt(532, 414);
const QRect kHintLine(70, 404, 460, 18);

}  // namespace

CompactWindow::CompactWindow(ProgramState& program, QWidget* parent)
    : QWidget(parent),
      program_(program),
      logSource_(program.data.errorLog, [this] { return logValues(); }) {
    setObjectName(QStringLiteral("compactWindow"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(programTitle());
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    tickTimer_.setInterval(50);
    connect(&tickTimer_, &QTimer::timeout, this, &CompactWindow::onTick);
    // Decided before the native window exists: a translucent window needs a visual with alpha.
    if (desktopComposites()) setAttribute(Qt::WA_TranslucentBackground);
    connect(&program_.data.texts, &TextsModel::textsChanged, this, &CompactWindow::showNewTexts);
    createControls();
}

// The panel is painted again in the new texts, and a hint in the old ones goes. A window still
// being shaped paints its panel at its next tick anyway.
void CompactWindow::showNewTexts() {
    hintLabel_->clear();
    state_.hint = CompactHint::None;
    if (state_.closed || state_.phase == CompactPhase::Starting ||
        state_.phase == CompactPhase::OutlineReady || frameBitmap_.isNull())
        return;
    guarded([&] { paintPanel(program_.data.day.position()); });
}

CompactWindow::~CompactWindow() {
    stopLoader();
    program_.fonts.clear();
}

void CompactWindow::createControls() {
    hintLabel_ = new QLabel(this);
    hintLabel_->setObjectName(QStringLiteral("hintLabel"));
    hintLabel_->setGeometry(kHintLine);
    hintLabel_->setAlignment(Qt::AlignCenter);
    hintLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
    expandButton_ = new GlyphButton(this);
    expandButton_->setObjectName(QStringLiteral("expandButton"));
    expandButton_->move(kExpandButtonAt);
    closeButton_ = new GlyphButton(this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    closeButton_->move(kCloseButtonAt);
    connect(expandButton_, &GlyphButton::mouseMoved, this, &CompactWindow::onExpandButtonHover);
    connect(expandButton_, &GlyphButton::clicked, this, &CompactWindow::openFullMode);
    connect(closeButton_, &GlyphButton::mouseMoved, this, &CompactWindow::onCloseButtonHover);
    connect(closeButton_, &GlyphButton::clicked, this, &CompactWindow::close);
    // Until the loader has given the window its face, only the splash picture shows.
    hintLabel_->hide();
    expandButton_->hide();
    closeButton_->hide();
}

bool CompactWindow::startUp() {
    LoadingLog log(program_.data);
    log.start(programNow(program_.data.day));
    try {
        runStartUpSteps(log);
    } catch (const std::exception& e) {
        log.fail(QString::fromUtf8(e.what()));
        return false;
    }
    log.finish(programNow(program_.data.day));
    return true;
}

void CompactWindow::runStartUpSteps(LoadingLog& log) {
    const WorkingFolder& folder = program_.data.folder;
    if (!QFileInfo(folder.path()).isDir())
        throw DataFileError(
            QStringLiteral("the working folder \"%1\" does not exist").arg(folder.path()));
    setAttribute(Qt::WA_OpaquePaintEvent);
    log.stepDone("ControlsStyle");
    makeSettingsFilesWritable(program_.data);
    log.stepDone("SetAttributes");
    log.stepDone("RectsCreated");  // kCompactAreas
    moonBitmap_ = QImage();
    log.stepDone("MoonBitmapCreated");
    moonBitmap_ = gfx::loadBitmap(folder.resolve(QStringLiteral("graphic\\moon.bmp")));
    log.stepDone("MoonLoaded");
    log.stepDone("MoonTransparency");  // black is left out wherever the moon is drawn
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move(screen.width() / 2 - 40, screen.height() / 2 - 40);
    log.stepDone("WindowPosition");
    state_.phase = CompactPhase::Starting;
    frameBitmap_ = QImage();
    log.stepDone("FrameBitmapCreated");
    frameBitmap_ = gfx::loadBitmap(folder.resolve(QStringLiteral("graphic\\frame1.bmp")));
    log.stepDone("FrameBitmapLoaded");
    DayModel& day = program_.data.day;
    day.start();
    log.stepDone("GetGregorianDate");
    if (startDate_) day.setDate(*startDate_);
    log.stepDone("TodaySet");
    log.stepDone("GregorianToMayan");
    // Computed as the start-up always has; the compact window shows none of it.
    (void)glyphLetters(day.position());
    log.stepDone("GetMayanString");
    log.stepDone("SetTextValue");
    setFace(gfx::loadBitmap(folder.resolve(QStringLiteral("graphic\\frameclr.bmp"))));
    log.stepDone("Load!FrameClr!Bitmap");
    program_.data.startPhases.mark("splash pictures");
    const QRegion outline =
        gfx::bitmapToRegion(frameBitmap_, qRgb(0, 0, 0), gfx::RegionMode::KeepDiffering);
    log.stepDone("CreateRegion");
    setMask(outline);
    log.stepDone("SetWindowRegion");
    program_.data.startPhases.mark("splash region and mask");
    log.stepDone("DeleteRegion");
    program_.fonts.load(folder);
    // The glyph fonts are registered once the panel shows, unless the table names a family that
    // only they may hold: then they come first, and the table is made again with them.
    if (!allFamiliesInstalled(program_.fonts) && !program_.glyphFontsTried) {
        registerGlyphFonts(program_);
        program_.fonts.load(folder);
    }
    log.stepDone("ReadingFonts");
    program_.data.startPhases.mark("font table");
    if (!followsDay_)
        followsDay_ =
            connect(&day, &DayModel::dayChanged, this, [this] { applyPhase(state_.phase); });
    loadButtonGlyphs();
    loadSoftEdge();
}

// With a compositing desktop the face is shown through the pack's anti-aliased outline, inside the
// hard one, so its rim blends with what lies behind. Like the button glyphs it is no part of the
// logged start: without the picture, or without compositing, the window keeps its hard outline.
void CompactWindow::loadSoftEdge() {
    softEdge_ = QImage();
    if (!testAttribute(Qt::WA_TranslucentBackground)) return;
    try {
        softEdge_ =
            gfx::loadBitmap(program_.data.folder.resolve(QStringLiteral("graphic\\pyrS0.bmp")))
                .convertToFormat(QImage::Format_Grayscale8);
    } catch (const gfx::ImageError&) {
        return;
    }
    // Grey levels become the alpha the face is painted through.
    QImage alpha(softEdge_.size(), QImage::Format_Alpha8);
    for (int y = 0; y < softEdge_.height(); ++y)
        std::copy_n(softEdge_.constScanLine(y), softEdge_.width(), alpha.scanLine(y));
    softEdge_ = alpha;
}

// The button glyphs are no part of the logged start: a missing one leaves a plain button.
void CompactWindow::loadButtonGlyphs() {
    const std::pair<GlyphButton*, const char*> glyphs[] = {
        {expandButton_, "graphic\\btnExpand.bmp"}, {closeButton_, "graphic\\btnClose.bmp"}};
    for (const auto& [button, file] : glyphs) {
        try {
            button->setGlyph(
                gfx::loadBitmap(program_.data.folder.resolve(QString::fromLatin1(file))));
        } catch (const gfx::ImageError&) {
            button->setFixedSize(24, 24);
        }
    }
}

void CompactWindow::setFace(const QImage& face) {
    face_ = face;
    if (!face_.isNull()) setFixedSize(face_.size());
    update();
}

// Each showing shows the reminder when due, reads the settings again (unless the start has just
// read them) and has the window shaped anew; the window takes the keyboard focus, so the keys work
// without a click.
void CompactWindow::startShaping() {
    emit aboutToShape();
    state_.phase = CompactPhase::Starting;
    if (!std::exchange(program_.data.settingsJustRead, false)) loadSettings(program_.data);
    stopLoader();  // one loader at a time
    loader_ = std::make_unique<OutlineLoader>(this, program_.data);
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void CompactWindow::stopLoader() {
    if (loader_) loader_->stop();
}

void CompactWindow::waitForLoader() {
    if (loader_) loader_->wait();
}

void CompactWindow::loaderSetFace(const QImage& face) {
    setFace(face);
    hintLabel_->show();
    expandButton_->show();
    closeButton_->show();
}

void CompactWindow::loaderSetFrame(const QImage& frame) { frameBitmap_ = frame; }

void CompactWindow::loaderSetRegion(const QRegion& region) { setMask(region); }

void CompactWindow::loaderCentre() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move(screen.width() / 2 - 300, screen.height() / 2 - 225);
}

void CompactWindow::loaderStartTicks() {
    tickTimer_.start();
    QTimer::singleShot(0, this, [this] {
        if (state_.phase == CompactPhase::OutlineReady) onTick();
    });
}

bool CompactWindow::guarded(const std::function<void()>& work) {
    return reportFailures(program_.data, kErrorPanelRepaint, kSenderPanelRepaint, [&] {
        try {
            work();
        } catch (...) {
            tickTimer_.stop();  // one fault, one report: no tick runs into it again
            throw;
        }
    });
}

bool CompactWindow::applyPhase(CompactPhase phase) {
    if (state_.closed) return true;
    // While starting, the frame is still the small splash picture the panel cannot be painted
    // on: the first tick after the loader has shaped the window paints the day instead.
    return guarded([&] {
        if (phase == CompactPhase::Shown) {
            paintPanel(program_.data.day.position());
        } else if (const std::optional<FullModeView> view = fullModeViewOfPhase(phase)) {
            // The view is asked for once, by the press on the visible face. A date step made
            // while the full-mode window is up repaints the hidden panel instead: asking again
            // would take the full-mode window back to this view from whatever it shows now.
            if (!isVisible()) {
                paintPanel(program_.data.day.position());
                return;
            }
            state_.pressUsed = true;
            emit fullModeAsked(*view, false);
            hide();
        }
    });
}

void CompactWindow::paintPanel(const MayanDate& position) {
    const PanelPictures pictures{frameBitmap_, moonBitmap_, program_.data.settings.southernMoon()};
    orbisca::paintPanel({program_.data.folder, program_.fonts}, face_, pictures, position);
    update();
}

void CompactWindow::returnFromFullMode() {
    state_.phase = CompactPhase::Shown;
    hintLabel_->clear();
    show();
}

void CompactWindow::handlePress(Qt::MouseButton button, QPoint position) {
    pressTaken_ = button == Qt::LeftButton && int(state_.phase) >= 0;
    if (!pressTaken_) return;
    state_.pressUsed = false;
    for (const AreaPhase& view : kViewAreas) {
        if (!inArea(view.area, position)) continue;
        state_.phase = view.phase;
        applyPhase(view.phase);
        state_.pressUsed = true;
        return;
    }
    if (inArea(CompactArea::TempleDoor, position)) {
        emit fullModeAsked(FullModeView::Day, false);
        state_.pressUsed = true;
        return;
    }
    state_.dragging = true;
    state_.dragStart = position;
}

void CompactWindow::handleMove(QPoint position) {
    if (state_.dragging) {
        move(pos() + position - state_.dragStart);
        state_.pressUsed = true;
    }
    for (const AreaHint& area : kAreaHints) {
        if (!inArea(area.area, position) || state_.hint == area.hint) continue;
        resetHintColour();
        showHint(area.hint, area.line);
    }
}

void CompactWindow::handleRelease() {
    state_.dragging = false;
    if (pressTaken_ && !state_.pressUsed) openDateDialog();
    state_.pressUsed = false;
    pressTaken_ = false;
}

void CompactWindow::openDateDialog() {
    if (dateDialog_) dateDialog_->openOn(program_.data.day.date());
}

bool CompactWindow::handleKey(int key) {
    if (key == Qt::Key_Escape) {
        close();
        return true;
    }
    const std::optional<DayStep> step = dayStepOfKey(key);
    if (!step) return false;
    stepDay(*step);
    return true;
}

void CompactWindow::stepDay(DayStep step) {
    DayModel& day = program_.data.day;
    day.setDate(stepDate(day.date(), daysOfStep(step, program_.data.settings.swapDayKeys)));
}

void CompactWindow::showHint(CompactHint hint, int line) {
    state_.hint = hint;
    tickTimer_.start();
    guarded([&] { hintLabel_->setText(baseLine(program_.data.folder, line)); });
}

void CompactWindow::resetHintColour() {
    const QColor start = hintStartColour();
    hintRed_ = start.red();
    hintGreen_ = start.green();
    hintBlue_ = start.blue();
    applyHintColour();
}

void CompactWindow::applyHintColour() {
    QPalette palette = hintLabel_->palette();
    palette.setColor(QPalette::WindowText, hintColour());
    hintLabel_->setPalette(palette);
}

void CompactWindow::onTick() {
    if (state_.phase == CompactPhase::OutlineReady) {
        state_.phase = CompactPhase::Shown;
        if (applyPhase(CompactPhase::Shown)) {
            program_.data.startPhases.mark("panel drawn");
            announcePanel_ = true;  // once the window has painted it
        }
    }
    if (state_.hint != CompactHint::None) {
        if (!stepHintColour(hintRed_, hintGreen_, hintBlue_)) state_.hint = CompactHint::None;
        applyHintColour();
    }
    // The timer runs on while a hint animates: the tick that paints the panel after the window
    // comes back must not freeze a hint that began before it was hidden.
    if (state_.hint == CompactHint::None) tickTimer_.stop();
}

void CompactWindow::onExpandButtonHover() {
    if (state_.hint == CompactHint::ExpandButton) return;
    resetHintColour();
    QString text;
    if (!guarded([&] { text = baseLine(program_.data.folder, base_line::kExpandButtonHint); }))
        return;
    if (hintLabel_->text() != text)
        showHint(CompactHint::ExpandButton, base_line::kExpandButtonHint);
}

void CompactWindow::openFullMode() {
    state_.pressUsed = true;
    emit fullModeAsked(FullModeView::Day, true);
}

void CompactWindow::onCloseButtonHover() {
    if (state_.hint == CompactHint::CloseButton) return;
    resetHintColour();
    showHint(CompactHint::CloseButton, base_line::kCloseButtonHint);
}

LogValues CompactWindow::logValues() const {
    return {{LogField::CompactPhase, (long long)state_.phase},
            {LogField::DragStartX, (long long)state_.dragStart.x()},
            {LogField::DragStartY, (long long)state_.dragStart.y()},
            {LogField::HintShown, (long long)state_.hint},
            {LogField::Dragging, state_.dragging},
            {LogField::PressUsed, state_.pressUsed},
            {LogField::CompactClosed, state_.closed}};
}

void CompactWindow::paintEvent(QPaintEvent*) {
    {
        QPainter painter(this);
        if (!showsSoftEdge()) {
            painter.drawImage(0, 0, face_);
        } else {
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(0, 0, face_);
            painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
            painter.drawImage(0, 0, softEdge_);
        }
    }
    if (std::exchange(announcePanel_, false)) {
        program_.data.startPhases.mark("first paint of the panel");
        emit panelPainted();
    }
}

bool CompactWindow::showsSoftEdge() const {
    return !softEdge_.isNull() && softEdge_.size() == face_.size();
}

void CompactWindow::mousePressEvent(QMouseEvent* event) {
    handlePress(event->button(), event->position().toPoint());
}

void CompactWindow::mouseMoveEvent(QMouseEvent* event) { handleMove(event->position().toPoint()); }

void CompactWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) handleRelease();
}

void CompactWindow::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event->key())) QWidget::keyPressEvent(event);
}

void CompactWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) startShaping();
}

void CompactWindow::closeEvent(QCloseEvent* event) {
    state_.closed = true;
    tickTimer_.stop();
    stopLoader();
    loader_.reset();
    frameBitmap_ = QImage();
    moonBitmap_ = QImage();
    QWidget::closeEvent(event);
    emit closed();
}

}  // namespace orbisca
