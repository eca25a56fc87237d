// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/config_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "data/data_error.h"
#include "data/data_state.h"
#include "data/day_words.h"
#include "data/desktop_entries.h"
#include "data/error_log.h"
#include "data/print_window_file.h"
#include "data/text_file.h"

namespace orbisca {

namespace {

using namespace base_line;

// The switches in the order they stand, with their captions before BASE.KTX gives them.
struct SwitchRow {
    bool Settings::*field;
    const char* designCaption;
    int captionLine;
};
constexpr SwitchRow kSwitchRows[] = {
    {&Settings::yearShine, "Shine in Year mode", kYearShineSwitch},
    {&Settings::yearLine, "Line in Year mode", kYearLineSwitch},
    {&Settings::yearDayIcon, "Day icon in Year mode", kYearDayIconSwitch},
    {&Settings::castleDayIcon, "Day icon in Castle mode", kCastleDayIconSwitch},
    {&Settings::swapDayKeys, "Swap up/down button function", kSwapDayKeysSwitch},
    {&Settings::useTransition, "Use transition", kTransitionSwitch},
    {&Settings::gregorianOnKinBook, "Gregorian date on the izin page", kGregorianOnKinBookSwitch},
    {&Settings::gregorianOnDay, "Gregorian date on the day page", kGregorianOnDaySwitch},
    {&Settings::gregorianInViews, "Gregorian dates in the views", kGregorianInViewsSwitch},
    {&Settings::threeTurtles, "Three turtles", kThreeTurtlesSwitch},
    {&Settings::showInTray, "Show in the system tray", kShowInTraySetting},
    {&Settings::notifyNewDay, "Notify me of the new day", kNewDayNoticeSetting},
    {&Settings::startWithDesktop, "Start with the desktop", kStartWithDesktopSetting},
};

// Runs a handler's work at its edge: a failure (BASE.KTX that cannot be read) is reported once
// and never leaves the event handler.
void guarded(DataState& data, const std::function<void()>& work) {
    reportFailures(data, kErrorReadText, kSenderReadText, work);
}

QComboBox* editableList() {
    auto* box = new QComboBox;
    box->setEditable(true);
    // A typed text is a choice, never a new entry: the lists are those of BASE.KTX.
    box->setInsertPolicy(QComboBox::NoInsert);
    // What is typed is what is read: a completer would turn "dd.mm" into the first entry it
    // begins ("dd.MM.yyyy") before the text is matched.
    box->setCompleter(nullptr);
    box->setMinimumContentsLength(18);
    return box;
}

// Lines 7 and 8 of WindWHP.dat, or the default place when the file is missing or malformed (the
// print manager, which owns the file, reports its problems).
QPoint storedPosition(const WorkingFolder& folder) {
    PrintWindowValues values;
    if (const std::optional<QStringList> lines =
            readTextLines(folder, QStringLiteral("WindWHP.dat"))) {
        try {
            values = parseWindowValues(*lines);
        } catch (const DataFileError&) {
            values = PrintWindowValues{};
        }
    }
    return {values.configLeft, values.configTop};
}

}  // namespace

int chosenEntry(const QComboBox& box) {
    return box.findText(box.currentText(), Qt::MatchFixedString);
}

ConfigDialog::ConfigDialog(DataState& dataState, QWidget* parent)
    : QDialog(parent), data_(dataState) {
    setObjectName(QStringLiteral("configDialog"));
    setWindowTitle(QStringLiteral("Calendar configuration"));
    createControls();
}

void ConfigDialog::createControls() {
    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);  // no resizing
    for (const SwitchRow& row : kSwitchRows) {
        if (row.field == &Settings::threeTurtles) {
            turtlesHeading_ = new QLabel(QStringLiteral("Telectonon"));
            QFont bold = turtlesHeading_->font();
            bold.setBold(true);
            turtlesHeading_->setFont(bold);
            column->addSpacing(6);
            column->addWidget(turtlesHeading_);
        }
        if (row.field == &Settings::showInTray) column->addSpacing(6);  // the desktop's switches
        auto* box = new QCheckBox(QString::fromLatin1(row.designCaption));
        switches_.push_back({box, row.field, row.captionLine});
        column->addWidget(box);
        if (row.field == &Settings::useTransition) {
            auto* speedRow = new QHBoxLayout;
            speedLabel_ = new QLabel(QStringLiteral("Transition speed"));
            speed_ = new QSpinBox;
            speed_->setRange(kTransitionSpeedMin, kTransitionSpeedMax);
            speed_->setValue(10);
            speedLabel_->setBuddy(speed_);
            speedRow->addSpacing(20);
            speedRow->addWidget(speedLabel_);
            speedRow->addWidget(speed_);
            speedRow->addStretch();
            column->addLayout(speedRow);
            connect(box, &QCheckBox::toggled, this, &ConfigDialog::followTransitionSwitch);
        }
    }
    auto* lists = new QGridLayout;
    dateFormatLabel_ = new QLabel;
    moonLabel_ = new QLabel;
    dateFormat_ = editableList();
    moon_ = editableList();
    lists->addWidget(dateFormatLabel_, 0, 0);
    lists->addWidget(dateFormat_, 0, 1);
    lists->addWidget(moonLabel_, 1, 0);
    lists->addWidget(moon_, 1, 1);
    languageLabel_ = new QLabel(QStringLiteral("Language"));
    language_ = new QComboBox;
    language_->setObjectName(QStringLiteral("languageBox"));
    languageLabel_->setBuddy(language_);
    lists->addWidget(languageLabel_, 2, 0);
    lists->addWidget(language_, 2, 1);
    column->addSpacing(6);
    column->addLayout(lists);
    saveButton_ = new QPushButton(QStringLiteral("Save and exit"));
    saveButton_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton_);
    column->addSpacing(6);
    column->addLayout(buttons);
    connect(saveButton_, &QPushButton::clicked, this,
            [this] { guarded(data_, [this] { saveAndClose(); }); });
}

QCheckBox* ConfigDialog::switchFor(bool Settings::*field) const {
    for (const Switch& s : switches_)
        if (s.field == field) return s.box;
    return nullptr;
}

void ConfigDialog::setCaptions() {
    setWindowTitle(baseLine(data_.folder, kConfigCaption));
    for (const Switch& s : switches_) s.box->setText(baseLine(data_.folder, s.captionLine));
    turtlesHeading_->setText(baseLine(data_.folder, kConfigTurtlesHeading));
    dateFormatLabel_->setText(baseLine(data_.folder, kConfigDateFormatLabel));
    moonLabel_->setText(baseLine(data_.folder, kConfigMoonLabel));
    languageLabel_->setText(baseLine(data_.folder, kLanguageLabel));
}

// The lists in the language in force, at each showing: the entries chosen stay chosen.
void ConfigDialog::fillLists() {
    const int dateEntry = chosenEntry(*dateFormat_);
    const int moonEntry = chosenEntry(*moon_);
    const QSignalBlocker blockDates(dateFormat_);
    const QSignalBlocker blockMoon(moon_);
    const QSignalBlocker blockLanguage(language_);
    dateFormat_->clear();
    for (int i = 0; i < kDateFormatEntries; ++i)
        dateFormat_->addItem(baseLine(data_.folder, kFirstDateFormat + i));
    moon_->clear();
    for (int i = 0; i < kMoonEntries; ++i)
        moon_->addItem(baseLine(data_.folder, kFirstMoonEntry + i));
    // Entries are chosen by conf.dat; until then none is.
    dateFormat_->setCurrentIndex(dateEntry);
    moon_->setCurrentIndex(moonEntry);
    language_->clear();
    for (const LanguagePack& pack : languagePacks(data_.folder))
        language_->addItem(pack.name, pack.code);
    language_->setCurrentIndex(language_->findData(languageShown()));
}

QString ConfigDialog::languageShown() const {
    const QString code = data_.folder.language();
    return code.isEmpty() ? kEnglish : code;
}

Settings ConfigDialog::controlSettings() const {
    Settings s = shown_;
    for (const Switch& sw : switches_) s.*sw.field = sw.box->isChecked();
    s.transitionSpeed = speed_->value();
    s.dateFormatEntry = chosenEntry(*dateFormat_);
    s.moonEntry = chosenEntry(*moon_);
    // The language is written when the user chose another than the one in force; else the line
    // stays as it was (empty: the desktop's language).
    const QString chosen = language_->currentData().toString();
    if (!chosen.isEmpty() && chosen != languageShown()) s.language = chosen;
    return s;
}

void ConfigDialog::showSettings(const Settings& s) {
    shown_ = s;
    for (const Switch& sw : switches_) {
        const QSignalBlocker block(sw.box);
        sw.box->setChecked(s.*sw.field);
    }
    const QSignalBlocker blockSpeed(speed_);
    speed_->setValue(s.transitionSpeed);
    const QSignalBlocker blockDates(dateFormat_);
    const QSignalBlocker blockMoon(moon_);
    // -1 ("no entry") clears the box.
    dateFormat_->setCurrentIndex(s.dateFormatEntry < dateFormat_->count() ? s.dateFormatEntry : -1);
    moon_->setCurrentIndex(s.moonEntry < moon_->count() ? s.moonEntry : -1);
    const QSignalBlocker blockLanguage(language_);
    language_->setCurrentIndex(language_->findData(languageShown()));
    followTransitionSwitch();
}

// The speed is kept while transitions are off, but has no say then.
void ConfigDialog::followTransitionSwitch() {
    const bool on = switchFor(&Settings::useTransition)->isChecked();
    speed_->setEnabled(on);
    speedLabel_->setEnabled(on);
}

void ConfigDialog::load() {
    fillLists();
    speedLabel_->setText(baseLine(data_.folder, kConfigSpeedLabel));
    saveButton_->setText(baseLine(data_.folder, kConfigSaveButton));
    Settings read = controlSettings();
    if (readConfFile(data_, read) != ConfigLoad::Missing) showSettings(read);
    apply();
}

// The autostart entry follows its switch: written when it is on, removed when it is off.
bool ConfigDialog::save() {
    const Settings chosen = controlSettings();
    const QString entry = autostartEntryPath();
    if (chosen.startWithDesktop != startsWithDesktop(entry)) {
        QString error;
        if (!setStartWithDesktop(entry, chosen.startWithDesktop, &error))
            data_.notifier.notify(error);
    }
    return saveSettings(data_, chosen);
}

void ConfigDialog::apply() {
    // A language chosen here stands before the one the command line gave.
    const QString picked = language_->currentData().toString();
    if (!picked.isEmpty() && picked != languageShown()) data_.commandLineLanguage.clear();
    data_.settings = controlSettings();
    shown_.language = data_.settings.language;  // the choice is the one in force from now on
    applyLanguage(data_);
}

void ConfigDialog::saveAndClose() {
    save();
    apply();
    hide();
}

void ConfigDialog::moveToStoredPosition() {
    QPoint at = storedPosition(data_.folder);
    // A place saved on a larger screen must not put the dialog out of reach.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect room = screen->availableGeometry();
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - width())));
        at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - height())));
    }
    move(at);
}

void ConfigDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    emit shown();
    guarded(data_, [this] {
        setCaptions();
        load();
    });
    adjustSize();
    moveToStoredPosition();
    switches_.front().box->setFocus();  // the keyboard starts at the top, not on "Save"
}

void ConfigDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous()) return;
    apply();
    emit closed();
}

}  // namespace orbisca
