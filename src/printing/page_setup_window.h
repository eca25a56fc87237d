// SPDX-License-Identifier: GPL-3.0-or-later
// The page setup window of the print manager: where the canvas goes on the printer's page, its
// printed size or scale, centring, fitting, orientation and paper, with a small preview whose
// picture frame can be moved and resized by its corners. A thin shell over page_geometry.h and
// the CanvasPrinter; created at start and kept hidden until "Setup...".
//
// Its labels are lines 682..696 of "BASE.KTX" (the field names, the check boxes, the printer
// button, the placement box and the three unit names), read at creation; the window caption and
// the orientation, save and print captions are the print manager's, handed over each time the
// print manager is shown.
#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>

#include "printing/print_manager_links.h"
#include "printpage/page_geometry.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orbisca {

class WorkingFolder;

class CanvasPrinter;
class PagePreviewWidget;

struct PageSetupCaptions {
    QString window;
    QString portrait, landscape;
    QString save;
    QString print, printNow;
};

// What each of the window's 15 lines of "BASE.KTX" names, from base_line::kPageSetupFirstLabel on.
enum class PageSetupLabel {
    Left,
    Top,
    Width,
    Height,
    Scale,
    PaperWidth,
    PaperHeight,
    Centre,
    Fit,
    ShowFrame,
    Printer,
    Placement,
    Pixels,
    Centimetres,
    Inches
};
inline constexpr int kPageSetupLabelCount = 15;

class PageSetupWindow : public QWidget {
    Q_OBJECT
public:
    // Its words come from the texts of `folder`.
    explicit PageSetupWindow(const WorkingFolder& folder, QWidget* parent = nullptr);
    ~PageSetupWindow() override;

    // "Setup...": shows the window, or takes the canvas and the printer's page anew when it is
    // shown already.
    void open();

    // The captions the print manager gives, and the window's own labels read again from the texts.
    void setCaptions(const PageSetupCaptions& captions);
    const PageSetupCaptions& captions() const { return captions_; }

    // The printer and the canvas it prints, with the window's place as the print manager keeps
    // it; both must outlive the window.
    void setPrinter(CanvasPrinter* printer) { printer_ = printer; }
    void setCanvas(PrintedCanvas* canvas) { canvas_ = canvas; }

    // The controls, for the program's tests.
    QLineEdit* field(PageField which) const { return fields_[int(which)]; }
    QComboBox* unitBox(PageField which) const { return units_[int(which)]; }
    QCheckBox* centreBox() const { return centre_; }
    QCheckBox* fitBox() const { return fit_; }
    QCheckBox* frameBox() const { return frame_; }
    QRadioButton* landscapeButton() const { return landscape_; }
    QRadioButton* portraitButton() const { return portrait_; }
    PagePreviewWidget* preview() const { return preview_; }
    QLabel* problemLabel() const { return problem_; }
    // The text of each of the 15 labels, as shown by the control it names.
    QString labelText(PageSetupLabel which) const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* createFields();
    QWidget* createOptions();
    QWidget* createButtons();
    void readLabels();
    void takeCanvas();
    void onFieldEdited(PageField which);
    void onUnitChanged(PageField which);
    void onOrientation();
    void onCentre(bool on);
    void onFit(bool on);
    void onPrinterSetup();
    void onSave();
    void placeAnew();
    void refresh(std::optional<PageField> beingTyped = std::nullopt);

    const WorkingFolder& folder_;
    PageSetupCaptions captions_;
    std::array<QString, kPageSetupLabelCount> labels_;
    CanvasPrinter* printer_ = nullptr;
    PrintedCanvas* canvas_ = nullptr;
    PageMetrics metrics_;
    bool updating_ = false;  // the window writes its own fields: their change events do nothing

    std::array<QLineEdit*, kPageFieldCount> fields_{};
    std::array<QComboBox*, kPageFieldCount> units_{};  // none for the scale
    std::array<QLabel*, kPageFieldCount> fieldLabels_{};
    QGroupBox* placement_ = nullptr;
    QCheckBox *centre_ = nullptr, *fit_ = nullptr, *frame_ = nullptr;
    QRadioButton *landscape_ = nullptr, *portrait_ = nullptr;
    QPushButton *save_ = nullptr, *setup_ = nullptr, *print_ = nullptr, *printNow_ = nullptr;
    QLabel* problem_ = nullptr;
    PagePreviewWidget* preview_ = nullptr;
    QPointer<QWidget> opener_;  // the active window when it was opened
};

}  // namespace orbisca
