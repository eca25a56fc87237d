// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration dialog: the switches, the transition speed, the two lists of "conf.dat" and the
// language of the texts.
// It is created at start and only shown and hidden. Each showing reads "conf.dat" into the
// controls; "Save and exit" writes them back; every hiding (also by the window's close button)
// puts the controls' values in force, so unsaved changes last until "conf.dat" is read again; a
// language chosen is put in force at once, in every window.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "data/conf_file.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace orbisca {

struct DataState;

// The entry of a list that the text of its box names: the whole text, without regard to case (a
// typed "DD.MM.YYYY" is the entry "dd.mm.yyyy"); -1 when the text is in no entry.
int chosenEntry(const QComboBox& box);

class ConfigDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConfigDialog(DataState& dataState, QWidget* parent = nullptr);

    // Fills the lists once, reads "conf.dat" into the controls and puts them in force. A missing
    // file leaves the controls as they are; a bad line leaves its control and is named.
    void load();
    // Writes "conf.dat" from the controls; false (and shown) when it could not be written.
    bool save();
    // Puts the controls' values in force.
    void apply();
    // "Save and exit": save, apply, hide.
    void saveAndClose();

    // The settings the controls show (with the values that have no control, as last read).
    Settings controlSettings() const;
    // Shows `settings` in the controls; no control reports a change.
    void showSettings(const Settings& settings);

    QCheckBox* switchFor(bool Settings::*field) const;
    QSpinBox* speedBox() const { return speed_; }
    QComboBox* dateFormatBox() const { return dateFormat_; }
    QComboBox* moonBox() const { return moon_; }
    // The language packs the working folder offers, each by its own name; the item's data is its
    // code.
    QComboBox* languageBox() const { return language_; }
    QPushButton* saveButton() const { return saveButton_; }

signals:
    // The dialog is shown: the window that opened it takes no input meanwhile.
    void shown();
    // The dialog has gone, its settings in force: the full-mode window fades back to its day
    // overview.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Switch {
        QCheckBox* box;
        bool Settings::*field;
        int captionLine;  // of BASE.KTX
    };
    void createControls();
    void setCaptions();
    void fillLists();
    QString languageShown() const;  // the code of the language in force
    void moveToStoredPosition();
    void followTransitionSwitch();

    DataState& data_;
    std::vector<Switch> switches_;
    QSpinBox* speed_ = nullptr;
    QLabel* speedLabel_ = nullptr;
    QLabel* turtlesHeading_ = nullptr;
    QLabel* dateFormatLabel_ = nullptr;
    QLabel* moonLabel_ = nullptr;
    QLabel* languageLabel_ = nullptr;
    QComboBox* dateFormat_ = nullptr;
    QComboBox* moon_ = nullptr;
    QComboBox* language_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    Settings shown_;  // the values last shown, for those without a control
};

}  // namespace orbisca
