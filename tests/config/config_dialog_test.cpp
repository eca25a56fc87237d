// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration dialog offscreen: what it reads, writes and asks of the full-mode window.
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStringEncoder>
#include <QTest>

#include "config/config_dialog.h"
#include "data/day_words.h"
#include "support/compact_fixture.h"

namespace orbisca::testing {
namespace {

class ConfigDialogTest : public CompactFolderTest {
protected:
    void SetUp() override {
        CompactFolderTest::SetUp();
        dialog = std::make_unique<ConfigDialog>(data);
        QObject::connect(dialog.get(), &ConfigDialog::shown, [this] { fullModeCalls << "off"; });
        QObject::connect(dialog.get(), &ConfigDialog::closed, [this] {
            fullModeCalls += QStringList{"on", "mode 0"};
        });
    }
    void TearDown() override {
        dialog.reset();
        CompactFolderTest::TearDown();
    }
    QCheckBox* box(bool Settings::*field) const { return dialog->switchFor(field); }
    void check(bool Settings::*field, bool on) { box(field)->setChecked(on); }
    QStringList confLines() const { return readLines(home.filePath("conf.dat")); }
    void saveByButton() { QTest::mouseClick(dialog->saveButton(), Qt::LeftButton); }

    std::unique_ptr<ConfigDialog> dialog;
    QStringList fullModeCalls;
};

TEST_F(ConfigDialogTest, SaveAndExitWritesTheFifteenLinesInTheirOrder) {
    dialog->show();
    for (QCheckBox* b : dialog->findChildren<QCheckBox*>()) b->setChecked(true);
    check(&Settings::swapDayKeys, false);
    dialog->speedBox()->setValue(10);
    dialog->dateFormatBox()->setCurrentIndex(0);
    dialog->moonBox()->setCurrentIndex(0);
    saveByButton();
    EXPECT_EQ(confLines(), (QStringList{"Y", "Y", "Y", "Y", "Y", "10", "N", "Orbisca Glyphs", "4",
                                        "Y", "Y", "Y", "Y", "0", "0", "", "Y", "Y", "Y"}));
    const QString autostart = home.filePath("config/autostart/org.orbisca.Orbisca.desktop");
    EXPECT_TRUE(QFileInfo::exists(autostart)) << "the start with the desktop was not set up";
    EXPECT_TRUE(data.settings.threeTurtles && !data.settings.swapDayKeys);

    // Transitions off keep their speed in the file, and no fade is made.
    dialog->show();
    EXPECT_TRUE(dialog->speedBox()->isEnabled());
    check(&Settings::useTransition, false);
    EXPECT_FALSE(dialog->speedBox()->isEnabled());  // kept, but without a say
    dialog->speedBox()->setValue(25);
    saveByButton();
    EXPECT_EQ(confLines().mid(4, 2), (QStringList{"N", "25"}));
    EXPECT_EQ(data.settings.fadeSteps(), 0);
    dialog->show();
    check(&Settings::startWithDesktop, false);
    saveByButton();
    EXPECT_FALSE(QFileInfo::exists(autostart)) << "the autostart entry stayed";

    // Closed by its window button: in force at once, in the file not, undone at the next showing.
    dialog->show();
    EXPECT_FALSE(dialog->speedBox()->isEnabled());  // as read back
    check(&Settings::swapDayKeys, true);
    dialog->close();
    EXPECT_TRUE(data.settings.swapDayKeys);
    EXPECT_EQ(confLines()[6], "N");
    dialog->show();
    EXPECT_FALSE(box(&Settings::swapDayKeys)->isChecked() || data.settings.swapDayKeys);
    EXPECT_EQ(fullModeCalls.join(", "),
              "off, on, mode 0, off, on, mode 0, off, on, mode 0, off, on, mode 0, off");
}

// A bad line used to stop the reading, and the next save then wrote stale values over the lines
// after it (the glyph font among them).
TEST_F(ConfigDialogTest, ABadLineIsNamedTheOthersApplyAndTheFileWaitsForSave) {
    QStringList lines = confLines();
    lines[0] = "y";  // only "Y" is true
    lines[5] = "fast";
    lines[6] = "Y";
    lines[7] = "Hand Font";
    lines[13] = "7";  // beyond the list
    writeLines("conf.dat", lines);
    const QByteArray before = readFile("conf.dat");
    dialog->show();
    EXPECT_EQ(messages(), QStringList{"conf.dat line 6: \"fast\" is not a whole number\n"
                                      "conf.dat line 14: entry 7 is not in the list of 7"});
    loadSettings(data);  // as every window switch reads it: said once per run
    dialog->hide();
    dialog->show();
    EXPECT_EQ(messages().size(), 1) << messages().join("|").toStdString();
    EXPECT_FALSE(box(&Settings::yearShine)->isChecked());
    EXPECT_TRUE(box(&Settings::swapDayKeys)->isChecked());
    EXPECT_EQ(dialog->speedBox()->value(), 10);  // kept
    EXPECT_TRUE(data.settings.swapDayKeys);      // applied
    EXPECT_EQ(data.settings.glyphFont, "Hand Font");
    EXPECT_EQ(readFile("conf.dat"), before);
    saveByButton();
    EXPECT_EQ(confLines()[5], "10");
    EXPECT_EQ(confLines()[7], "Hand Font");
    EXPECT_EQ(confLines()[13], "-1");  // the list had no entry chosen yet
}

// Without conf.dat the controls stay as they are; a typed list text chooses the entry it spells,
// whatever its case, anything else none, which is saved as -1 and must read back, or the program
// would refuse its own file. Typing never adds entries to the lists.
TEST_F(ConfigDialogTest, ATypedListTextIsMatchedWholeWithoutRegardToCase) {
    ASSERT_TRUE(QFile::remove(home.filePath("conf.dat")));
    dialog->show();
    EXPECT_EQ(messages(), QStringList{"Error. Configuration file not exists!"});
    EXPECT_EQ(dialog->speedBox()->value(), 10);
    QComboBox* dates = dialog->dateFormatBox();
    EXPECT_EQ(dates->currentText(), "");
    const std::pair<const char*, int> typed[] = {
        {"DD.MM.YY", 1}, {"No Gregorian Date", 6}, {"dd.mm.yyyy ", -1}, {"dd", -1}};
    for (const auto& [text, entry] : typed) {
        dates->lineEdit()->selectAll();
        QTest::keyClicks(dates->lineEdit(), text);
        QTest::keyClick(dates->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(chosenEntry(*dates), entry) << text;
    }
    EXPECT_EQ(dates->count(), 7);
    // Typed and saved without Return: the text as typed, not a longer entry it begins.
    for (const auto& [text, line] : {std::pair{"dd.mm", "2"}, {"DD.MM.YY", "1"}, {"mm/DD", "4"}}) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        dates->setFocus();
        dates->lineEdit()->selectAll();
        QTest::keyClicks(dates->lineEdit(), text);
        EXPECT_EQ(dates->currentText(), text);
        saveByButton();
        EXPECT_EQ(confLines()[13], line) << text;
        dialog->show();
    }
    dates->lineEdit()->selectAll();
    QTest::keyClicks(dates->lineEdit(), "dd.mm.yyyy ");
    dialog->moonBox()->setEditText("Southern Hemisphere");
    saveByButton();
    EXPECT_EQ(confLines().mid(13), (QStringList{"-1", "1"}));
    EXPECT_EQ(data.settings.dateLayout(), -1);  // a date shown, in no layout: no text
    EXPECT_TRUE(data.settings.showsGregorian() && data.settings.southernMoon());
    dialog->show();
    EXPECT_EQ(messages().size(), 1) << "the file it wrote was refused";
    EXPECT_EQ(dates->currentIndex(), -1);
}

// The choice lists each pack by its own name; Save puts the one chosen in force at once, announced
// once to every window, and writes it as line 16 after the fifteen lines as they were.
TEST_F(ConfigDialogTest, TheLanguageChosenIsSavedAsLineSixteenAndTakesEffectAtOnce) {
    QStringList russian = QString::fromUtf8(readFile("BASE.KTX")).split('\n');
    russian[base_line::kLanguageName] = QString::fromUtf8("Русский");
    russian[base_line::kConfigCaption] = QString::fromUtf8("Настройка календаря");
    writeFile("ru/BASE.KTX", QStringEncoder("windows-1251").encode(russian.join("\r\n")));
    const QStringList before = confLines();
    QSignalSpy changed(&data.texts, &TextsModel::textsChanged);
    dialog->show();
    QComboBox* languages = dialog->languageBox();
    ASSERT_EQ(languages->count(), 2);
    EXPECT_EQ(languages->itemText(0), "English");
    EXPECT_EQ(languages->itemText(1), QString::fromUtf8("Русский"));
    EXPECT_EQ(languages->currentData(), "en");
    languages->setCurrentIndex(1);
    saveByButton();
    EXPECT_EQ(confLines(), before.first(kSharedConfLines) + QStringList{"ru"});
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(data.folder.language(), "ru");
    dialog->show();
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Настройка календаря"));
    EXPECT_EQ(languages->currentData(), "ru");
    saveByButton();  // saved unchanged: nothing to announce
    EXPECT_EQ(changed.count(), 1);
    // Chosen over the command line's language, English is written as such.
    data.commandLineLanguage = "ru";
    dialog->show();
    languages->setCurrentIndex(0);
    saveByButton();
    EXPECT_EQ(confLines().value(kSharedConfLines), "en");
    EXPECT_EQ(data.folder.language(), "");
    EXPECT_EQ(changed.count(), 2);
}

}  // namespace
}  // namespace orbisca::testing
