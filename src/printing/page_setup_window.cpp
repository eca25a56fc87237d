// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/page_setup_window.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "data/day_words.h"
#include "printing/canvas_printer.h"
#include "printing/page_preview_widget.h"
#include "widgets/window_keys.h"

namespace orbisca {
namespace {

constexpr PageField kAllFields[] = {PageField::Left,       PageField::Top,   PageField::Width,
                                    PageField::Height,     PageField::Scale, PageField::PaperWidth,
                                    PageField::PaperHeight};

const QImage& noCanvas() {
    static const QImage none;
    return none;
}

}  // namespace

PageSetupWindow::PageSetupWindow(const WorkingFolder& folder, QWidget* parent)
    : QWidget(parent, Qt::Tool), folder_(folder) {
    setObjectName(QStringLiteral("pageSetupWindow"));
    auto* layout = new QHBoxLayout(this);
    auto* controls = new QVBoxLayout;
    controls->addWidget(createFields());
    controls->addWidget(createOptions());
    problem_ = new QLabel;
    problem_->setObjectName(QStringLiteral("pageSetupProblem"));
    problem_->setWordWrap(true);
    controls->addWidget(problem_);
    controls->addStretch();
    layout->addLayout(controls);
    auto* right = new QVBoxLayout;
    preview_ = new PagePreviewWidget;
    preview_->setPageGeometry(nullptr);
    right->addWidget(preview_, 0, Qt::AlignCenter);
    right->addStretch();
    right->addWidget(createButtons());
    layout->addLayout(right);
    connect(preview_, &PagePreviewWidget::dragged, this, [this] { refresh(); });
    // Escape closes the window, as it closes a dialog (an open unit list takes it first).
    auto* closeAction = new QAction(this);
    closeAction->setObjectName(QStringLiteral("pageSetupClose"));
    closeAction->setShortcut(Qt::Key_Escape);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    addAction(closeAction);
    readLabels();
}

PageSetupWindow::~PageSetupWindow() = default;

// The labels from the texts, into the controls; again when the texts change language.
void PageSetupWindow::readLabels() {
    for (int i = 0; i < kPageSetupLabelCount; ++i) {
        try {
            labels_[i] = baseLine(folder_, base_line::kPageSetupFirstLabel + i);
        } catch (const std::exception&) {
            labels_[i].clear();  // a window without its texts still works
        }
    }
    placement_->setTitle(labels_[int(PageSetupLabel::Placement)]);
    for (const PageField which : kAllFields) {
        const int row = int(which);
        fieldLabels_[row]->setText(labels_[row]);
        if (QComboBox* box = units_[row])
            for (int unit = 0; unit < 3; ++unit)
                box->setItemText(unit, labels_[int(PageSetupLabel::Pixels) + unit]);
    }
    centre_->setText(labels_[int(PageSetupLabel::Centre)]);
    fit_->setText(labels_[int(PageSetupLabel::Fit)]);
    frame_->setText(labels_[int(PageSetupLabel::ShowFrame)]);
    setup_->setText(labels_[int(PageSetupLabel::Printer)]);
}

QString PageSetupWindow::labelText(PageSetupLabel which) const {
    switch (which) {
        case PageSetupLabel::Centre:
            return centre_->text();
        case PageSetupLabel::Fit:
            return fit_->text();
        case PageSetupLabel::ShowFrame:
            return frame_->text();
        case PageSetupLabel::Printer:
            return setup_->text();
        case PageSetupLabel::Placement:
            return placement_->title();
        case PageSetupLabel::Pixels:
        case PageSetupLabel::Centimetres:
        case PageSetupLabel::Inches:
            return units_[0]->itemText(int(which) - int(PageSetupLabel::Pixels));
        default:
            return fieldLabels_[int(which)]->text();
    }
}

QWidget* PageSetupWindow::createFields() {
    placement_ = new QGroupBox;
    auto* grid = new QGridLayout(placement_);
    for (const PageField which : kAllFields) {
        const int row = int(which);
        fieldLabels_[row] = new QLabel;
        auto* edit = fields_[row] = new QLineEdit;
        edit->setObjectName(QStringLiteral("pageField%1").arg(row));
        fieldLabels_[row]->setBuddy(edit);
        grid->addWidget(fieldLabels_[row], row, 0);
        grid->addWidget(edit, row, 1);
        connect(edit, &QLineEdit::textEdited, this, [this, which] { onFieldEdited(which); });
        if (which == PageField::Scale) continue;
        auto* box = units_[row] = new QComboBox;
        box->setObjectName(QStringLiteral("pageUnit%1").arg(row));
        for (int unit = 0; unit < 3; ++unit) box->addItem(QString());
        grid->addWidget(box, row, 2);
        connect(box, &QComboBox::currentIndexChanged, this,
                [this, which] { onUnitChanged(which); });
    }
    fields_[int(PageField::PaperWidth)]->setReadOnly(true);
    fields_[int(PageField::PaperHeight)]->setReadOnly(true);
    return placement_;
}

QWidget* PageSetupWindow::createOptions() {
    auto* box = new QWidget;
    auto* layout = new QGridLayout(box);
    landscape_ = new QRadioButton;
    portrait_ = new QRadioButton;
    auto* group = new QButtonGroup(box);
    group->addButton(landscape_);
    group->addButton(portrait_);
    centre_ = new QCheckBox;
    fit_ = new QCheckBox;
    frame_ = new QCheckBox;
    frame_->setChecked(true);
    layout->addWidget(landscape_, 0, 0);
    layout->addWidget(portrait_, 1, 0);
    layout->addWidget(centre_, 0, 1);
    layout->addWidget(fit_, 1, 1);
    layout->addWidget(frame_, 2, 1);
    connect(landscape_, &QRadioButton::clicked, this, &PageSetupWindow::onOrientation);
    connect(portrait_, &QRadioButton::clicked, this, &PageSetupWindow::onOrientation);
    connect(centre_, &QCheckBox::clicked, this, &PageSetupWindow::onCentre);
    connect(fit_, &QCheckBox::clicked, this, &PageSetupWindow::onFit);
    connect(frame_, &QCheckBox::clicked, this, [this](bool on) { preview_->setShowFrame(on); });
    return box;
}

QWidget* PageSetupWindow::createButtons() {
    auto* box = new QWidget;
    auto* layout = new QHBoxLayout(box);
    save_ = new QPushButton;
    setup_ = new QPushButton;
    print_ = new QPushButton;
    printNow_ = new QPushButton;
    for (QPushButton* button : {save_, setup_, print_, printNow_}) layout->addWidget(button);
    connect(save_, &QPushButton::clicked, this, &PageSetupWindow::onSave);
    connect(setup_, &QPushButton::clicked, this, &PageSetupWindow::onPrinterSetup);
    for (QPushButton* button : {print_, printNow_})
        connect(button, &QPushButton::clicked, this, [this, button] {
            if (canvas_ && !canvas_->preparePrintedCanvas()) return;
            if (printer_)
                printer_->print(button == printNow_,
                                canvas_ ? canvas_->printedCanvas() : noCanvas(), this);
            placeAnew();
        });
    return box;
}

void PageSetupWindow::setCaptions(const PageSetupCaptions& captions) {
    readLabels();
    captions_ = captions;
    setWindowTitle(captions.window);
    landscape_->setText(captions.landscape);
    portrait_->setText(captions.portrait);
    save_->setText(captions.save);
    print_->setText(captions.print);
    printNow_->setText(captions.printNow);
}

void PageSetupWindow::open() {
    if (isVisible())
        takeCanvas();
    else if (QApplication::activeWindow() != this)
        opener_ = QApplication::activeWindow();
    showWithKeys(*this);
}

void PageSetupWindow::showEvent(QShowEvent* event) {
    if (canvas_) move(canvas_->savedSetupPosition());
    takeCanvas();
    QWidget::showEvent(event);
}

// One shrunk copy of the canvas for the preview, the orientation, and the placement anew.
void PageSetupWindow::takeCanvas() {
    if (printer_) {
        preview_->setPageGeometry(&printer_->geometry());
        preview_->setCanvas(canvas_ ? canvas_->printedCanvas() : noCanvas());
        const bool landscape = printer_->landscape();
        landscape_->setChecked(landscape);
        portrait_->setChecked(!landscape);
        placeAnew();
    }
}

void PageSetupWindow::hideEvent(QHideEvent* event) {
    if (canvas_) canvas_->rememberSetupPosition(pos());
    QWidget::hideEvent(event);
    // The window it was opened from takes the keys again, also where no window manager hands
    // them back.
    giveKeysBack(opener_);
    opener_ = nullptr;
}

// The printer's page anew, and the placement for it: the scale on the current canvas, centred
// and fitted as checked.
void PageSetupWindow::placeAnew() {
    if (!printer_) return;
    metrics_ = printer_->metrics();
    placeOnPage(printer_->geometry(), metrics_.page, preview_->canvasSize());
    preview_->setPage(metrics_.page);
    refresh();
}

// Writes every field but the one being typed in, the check boxes and the enabled states.
void PageSetupWindow::refresh(std::optional<PageField> beingTyped) {
    if (!printer_) return;
    const PageGeometry& g = printer_->geometry();
    updating_ = true;
    for (const PageField which : kAllFields) {
        QLineEdit* edit = fields_[int(which)];
        if (which != beingTyped) edit->setText(pageFieldText(g, which, metrics_));
        if (which != PageField::PaperWidth && which != PageField::PaperHeight)
            edit->setEnabled(pageFieldEnabled(g, which));
        if (units_[int(which)]) units_[int(which)]->setCurrentIndex(int(g.units[int(which)]));
    }
    centre_->setChecked(g.centre);
    fit_->setChecked(g.fit);
    updating_ = false;
    preview_->update();
}

void PageSetupWindow::onFieldEdited(PageField which) {
    if (updating_ || !printer_) return;
    const std::optional<QString> refused = editPageField(
        printer_->geometry(), which, fields_[int(which)]->text(), metrics_, preview_->canvasSize());
    problem_->setText(refused.value_or(QString()));
    if (!refused) refresh(which);
}

void PageSetupWindow::onUnitChanged(PageField which) {
    if (updating_ || !printer_) return;
    setFieldUnit(printer_->geometry(), which, PageUnit(units_[int(which)]->currentIndex()));
    refresh();
}

void PageSetupWindow::onOrientation() {
    if (!printer_) return;
    printer_->setLandscape(landscape_->isChecked());
    placeAnew();
}

void PageSetupWindow::onCentre(bool on) {
    if (!printer_) return;
    switchCentre(printer_->geometry(), on, metrics_.page);
    refresh();
}

void PageSetupWindow::onFit(bool on) {
    if (!printer_) return;
    switchFit(printer_->geometry(), on, metrics_.page, preview_->canvasSize());
    refresh();
}

void PageSetupWindow::onPrinterSetup() {
    if (!printer_ || !printer_->pageSetupDialog(this)) return;
    const bool landscape = printer_->landscape();
    landscape_->setChecked(landscape);
    portrait_->setChecked(!landscape);
    placeAnew();
}

void PageSetupWindow::onSave() {
    if (printer_) printer_->setLandscape(landscape_->isChecked());
    close();
}

}  // namespace orbisca
