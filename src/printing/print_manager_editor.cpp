// SPDX-License-Identifier: GPL-3.0-or-later
// The print manager's element editor panel: the buttons that start a text, a picture, a moon or a
// font line, the edit line the element's line goes through, the instruction, and the clicks on
// the canvas that place an element with its preview. The steps themselves are ElementEditor's.
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>

#include "data/notifier.h"
#include "data/working_folder.h"
#include "printing/canvas_view.h"
#include "printing/print_manager_window.h"
#include "printpage/script_line.h"

namespace orbisca {
namespace {

constexpr int kLargestSamplePixels = 64;

// The sample shows a font's face and style; a font enlarged for the printer page would make it
// taller than the window, so it is shown at most kLargestSamplePixels high.
void showSample(QLabel& sample, QFont font, const QColor& colour) {
    if (QFontInfo(font).pixelSize() > kLargestSamplePixels) font.setPixelSize(kLargestSamplePixels);
    sample.setFont(font);
    QPalette colours = sample.palette();
    colours.setColor(QPalette::WindowText, colour);
    sample.setPalette(colours);
}

}  // namespace

QWidget* PrintManagerWindow::createElementPanel() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("elementPanel"));
    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto button = [this, layout](QPushButton*& target, const char* name, Caption entry, int column,
                                 void (PrintManagerWindow::*handler)()) {
        target = new QPushButton;
        target->setObjectName(QString::fromLatin1(name));
        addCaption(entry, [target](const QString& t) { target->setText(t); });
        connect(target, &QPushButton::clicked, this, handler);
        layout->addWidget(target, 0, column);
    };
    button(newTextButton_, "newTextButton", Caption::NewText, 0, &PrintManagerWindow::startText);
    button(newImageButton_, "newImageButton", Caption::NewImage, 1,
           &PrintManagerWindow::startImage);
    button(newMoonButton_, "newMoonButton", Caption::NewMoon, 2, &PrintManagerWindow::startMoon);
    button(newFontButton_, "newFontButton", Caption::NewFont, 3, &PrintManagerWindow::chooseFont);
    elementLine_ = new QLineEdit(QStringLiteral("Abcdef"));
    elementLine_->setObjectName(QStringLiteral("elementLine"));
    connect(elementLine_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (elementEditor_.values().state == EditorState::TypingText) sampleLabel_->setText(text);
    });
    layout->addWidget(elementLine_, 2, 0, 1, 3);
    addButton_ = new QPushButton;
    addButton_->setObjectName(QStringLiteral("addButton"));
    connect(addButton_, &QPushButton::clicked, this, &PrintManagerWindow::addElement);
    layout->addWidget(addButton_, 2, 3);
    // Return in the edit line does what the button beside it does.
    connect(elementLine_, &QLineEdit::returnPressed, addButton_, &QPushButton::click);
    instructionLabel_ = new QLabel(QStringLiteral("Instruction: click to button above."));
    instructionLabel_->setObjectName(QStringLiteral("instructionLabel"));
    // Between the buttons and the edit line, which its texts point to ("a button above", "the line
    // below").
    layout->addWidget(instructionLabel_, 1, 0, 1, 4);
    sampleLabel_ = captionLabel(Caption::Sample, "sampleLabel");
    // A long sample is cut at the panel's edge instead of widening the panel over the canvas.
    sampleLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(sampleLabel_, 3, 0, 1, 4);
    return panel;
}

// The editor's values in the panel; the edit line is left alone while the user types in it.
void PrintManagerWindow::showEditorValues() {
    const ElementEditorValues& v = elementEditor_.values();
    const QString instruction = captions_.at(v.instruction);
    if (!instruction.isEmpty()) instructionLabel_->setText(instruction);
    if (!v.pointer.isEmpty()) instructionLabel_->setText(v.pointer);
    const QString add = captions_.at(v.addCaption);
    addButton_->setText(add.isEmpty() ? QStringLiteral("add") : add);
    for (QPushButton* b : {newTextButton_, newImageButton_, newMoonButton_})
        b->setEnabled(v.startButtons);
}

// The FONT lines of the script alone: the canvas and the sample take the font in force at its
// end, the one a text is previewed in. False when a FONT line failed (the editor shows it).
bool PrintManagerWindow::takeScriptFont() {
    const bool ran = controller_.runScriptFonts();
    if (ran) showSample(*sampleLabel_, page().interp.font, QColor(page().interp.fontColour));
    return ran;
}

void PrintManagerWindow::startText() {
    controller_.prepareElement();
    elementEditor_.newText();
    elementLine_->setText(elementEditor_.values().editLine);
    showEditorValues();
    if (takeScriptFont()) elementLine_->setFocus();
}

void PrintManagerWindow::startImage() {
    controller_.prepareElement();
    page().interp.lastPictureKey = qRgb(0, 0, 0);
    std::optional<QString> file;
    if (elementEditor_.values().state == EditorState::Idle) {
        const QString chosen = QFileDialog::getOpenFileName(
            this, newImageButton_->text(), program_.data.folder.path(),
            QStringLiteral("Pictures (*.bmp *.png *.jpg *.jpeg);;All files (*)"), nullptr,
            QFileDialog::DontUseNativeDialog);
        regainActivation();
        if (!chosen.isEmpty()) file = scriptFileName(program_.data.folder, chosen);
    }
    elementEditor_.newImage(file);
    if (file) elementLine_->setText(elementEditor_.values().editLine);
    showEditorValues();
    takeScriptFont();
}

void PrintManagerWindow::startMoon() {
    controller_.prepareElement();
    elementEditor_.newMoon();
    showEditorValues();
    // The phase typed next replaces whatever the line held.
    elementLine_->selectAll();
    elementLine_->setFocus();
}

// Qt's font dialog has no colour: the line takes the text swatch's. The dialog opens on the
// script's font (its face and style, at the sample's size); the canvas keeps that font, as the new
// line is not in the script yet, and the sample shows the chosen one.
void PrintManagerWindow::chooseFont() {
    controller_.prepareElement();
    takeScriptFont();
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, sampleLabel_->font(), this, QString(),
                                            QFontDialog::DontUseNativeDialog);
    regainActivation();
    if (!ok) return;
    elementEditor_.newFont(font, controller_.state().textColour);
    elementLine_->setText(elementEditor_.values().editLine);
    showSample(*sampleLabel_, font, controller_.state().textColour);
}

void PrintManagerWindow::addElement() {
    guardedWork(program_.data, [this] {
        const auto askColour = [this]() -> std::optional<QColor> {
            const QColor chosen = QColorDialog::getColor(Qt::white, this);
            regainActivation();
            return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
        };
        const std::optional<QString> line =
            elementEditor_.add(elementLine_->text(), askColour, page().interp.lastPictureKey,
                               controller_.state().canvasSpins);
        if (line) {
            editor_->appendPlainText(*line);
            return;
        }
        if (elementEditor_.values().state == EditorState::Idle)
            elementLine_->setText(elementEditor_.values().editLine);
    });
    showEditorValues();
}

void PrintManagerWindow::onPointerMoved(QPoint at) {
    pointerLabel_->setText(ElementEditor::pointerText(at));
    if (elementEditor_.placing()) instructionLabel_->setText(ElementEditor::pointerText(at));
}

// The script drawn again, then the element at the click.
void PrintManagerWindow::placeElementAt(QPoint at) {
    if (!elementEditor_.placing() || controller_.running()) return;
    elementEditor_.place(at);
    showEditorValues();
    controller_.redrawWithPreview(
        [this](PrintPageState& page) { elementEditor_.drawPreview(page); });
}

}  // namespace orbisca
