// SPDX-License-Identifier: GPL-3.0-or-later
// The donation reminder offscreen, run modally as the program runs it.
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "data/donation_details.h"
#include "data/donation_files.h"
#include "donation/donation_dialog.h"
#include "support/compact_fixture.h"
#include "support/language_pack.h"

namespace orbisca::testing {
namespace {

// Counts the showings of a dialog and runs an action inside each, once its modal loop runs.
class ShowWatcher : public QObject {
public:
    std::function<void()> whileShown;
    int shows = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            ++shows;
            auto* dialog = static_cast<QDialog*>(watched);
            QTimer::singleShot(0, dialog, [this, dialog] {
                if (whileShown) whileShown();
                if (dialog->isVisible()) dialog->reject();
            });
        }
        return false;
    }
};

class ReminderTest : public CompactFolderTest {
protected:
    void SetUp() override {
        CompactFolderTest::SetUp();
        createDialog();
    }
    void TearDown() override {
        dialog.reset();
        CompactFolderTest::TearDown();
    }
    // A new run: the dialog is created and counts the launch.
    void createDialog() {
        dialog = std::make_unique<DonationDialog>(data);
        dialog->installEventFilter(&watcher);
        dialog->countThisLaunch();
    }
    void runWith(std::function<void()> whileShown) {
        watcher.whileShown = std::move(whileShown);
        dialog->runReminder();
    }
    QStringList launchFile() const { return readLines(home.filePath("strt.dat")); }
    // The sections of donation.ktx, split here as a reader of the file would.
    QList<QStringList> packSections() const {
        QList<QStringList> sections{{}};
        for (const QString& line : readLines(home.filePath("donation.ktx"))) {
            if (line == "%%%%")
                sections.append(QStringList{});
            else
                sections.last() << line;
        }
        return sections;
    }
    // View `view` of the details as the pack's files give it.
    QStringList packView(int view) const {
        const QStringList entries =
            readLines(QStringLiteral(ORBISCA_SOURCE_DIR "/share/donation_details.txt"));
        QStringList lines;
        const QStringList labels = packSections().value(3 + view);
        for (int i = 0; i < labels.size(); ++i)
            lines << labels[i] + " " + entries.value(detailsBaseIndex(view) + i);
        return lines;
    }

    ShowWatcher watcher;
    std::unique_ptr<DonationDialog> dialog;
};

// The reminder used to stay due all through the run, and the compact window shows it again at
// every return from the full-mode window.
TEST_F(ReminderTest, AnswersGoToStrtDatAndTheReminderComesOncePerRun) {
    ASSERT_TRUE(QFile::remove(home.filePath("strt.dat")));  // the first launch
    createDialog();
    ASSERT_TRUE(dialog->reminderDue());
    watcher.whileShown = [this] {
        EXPECT_EQ(dialog->shownLines(), packSections()[0] + packSections()[2]);
        EXPECT_TRUE(dialog->closeButton()->isVisible() && !dialog->neverButton()->isVisible());
        QComboBox* after = dialog->remindAfterBox();
        EXPECT_FALSE(after->isEditable());
        EXPECT_EQ(after->currentText(), "5");
        after->setCurrentText("20");
        QTest::mouseClick(dialog->remindButton(), Qt::LeftButton);
    };
    dialog->showReminder();
    dialog->showReminder();
    EXPECT_EQ(watcher.shows, 1);
    EXPECT_EQ(launchFile(), (QStringList{"1", "20"}));

    createDialog();  // the next run counts down
    EXPECT_FALSE(dialog->reminderDue());
    runWith([this] {
        EXPECT_TRUE(dialog->neverButton()->isVisible() && !dialog->closeButton()->isVisible());
        QTest::mouseClick(dialog->neverButton(), Qt::LeftButton);
    });
    EXPECT_EQ(launchFile(), (QStringList{"1", "-1"}));
}

TEST_F(ReminderTest, TheFirstCloseWritesTheSevenBlocksOnceAndTheNextShowingWorks) {
    runWith([this] { QTest::keyClick(dialog.get(), Qt::Key_Escape); });
    QStringList expected;
    for (int view : {2, 1, 0, 3, 4, 5, 6}) expected << packView(view) << QStringList(4, " ");
    EXPECT_EQ(readLines(home.filePath("Donation info.txt")), expected);
    EXPECT_EQ(messages(), QStringList{"The donation details were written to the file Donation "
                                      "info.txt in the Orbisca folder."});
    const QByteArray written = readFile("Donation info.txt");

    // The text area and the details answer as on the first showing; Donate no longer switches
    // the reminder off, since the details are now with the user.
    writeLines("strt.dat", {"1", "5"});
    runWith([this] {
        EXPECT_TRUE(dialog->textArea()->isVisible());
        EXPECT_EQ(dialog->shownLines(), packSections()[0] + packSections()[2]);
        QTest::mouseClick(dialog->donateButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog->detailsPanelShown());
        EXPECT_EQ(dialog->shownLines(), packView(1));
    });
    EXPECT_EQ(launchFile(), (QStringList{"1", "5"}));
    EXPECT_EQ(readFile("Donation info.txt"), written);
    EXPECT_EQ(messages().size(), 1);
}

TEST_F(ReminderTest, DetailsFollowTheListsAndPrintGoesToThePrintManager) {
    writeLines("strt.dat", {"3", "5"});
    std::vector<DetailsPrintOut> printed;
    runWith([&] {
        QTest::mouseClick(dialog->donateButton(), Qt::LeftButton);
        EXPECT_EQ(launchFile(), (QStringList{"1", "-1"}));  // details before the first close
        EXPECT_FALSE(dialog->printButton()->isEnabled()) << "no print manager: nothing to print";
        QComboBox* country = dialog->countryBox();
        QComboBox* currency = dialog->currencyBox();
        currency->setCurrentIndex(1);
        EXPECT_EQ(dialog->shownLines(), packView(0));
        country->setCurrentIndex(1);  // the second currency cannot go abroad
        EXPECT_EQ(currency->currentIndex(), 0);
        EXPECT_EQ(dialog->shownLines(), packView(2));
        currency->setCurrentIndex(1);
        EXPECT_EQ(country->currentIndex(), 0);
        currency->setCurrentIndex(4);
        EXPECT_EQ(dialog->shownLines(), packView(5));
        QTest::mouseClick(dialog->backButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog->detailsPanelShown());
        QObject::connect(dialog.get(), &DonationDialog::printAsked,
                         [&](const DetailsPrintOut& out) { printed.push_back(out); });
        QTest::mouseClick(dialog->donateButton(), Qt::LeftButton);
        dialog->printOut();
    });
    EXPECT_EQ(messages().filter("A postal order can only be sent within Germany").size(), 2);
    ASSERT_EQ(printed.size(), 1u);
    const QStringList view = packView(5);
    ASSERT_EQ(printed[0].script.size(), view.size() + 1);
    EXPECT_EQ(printed[0].script[0], "FONT 12 -16 0 0 0 bld nrm Arial");
    EXPECT_EQ(printed[0].script[2], "TEXT 20 15 rgt '" + view[1] + "'");
    EXPECT_EQ(printed[0].canvas, QSize(670, 15 * int(view.size()) + 40));
    EXPECT_TRUE(printed[0].easyMode);
}

// Damaged or missing files: the reminder shows what it can read, says once what it cannot, and
// writes no "Donation info.txt" from details it could not read. (Every fault of print.dat and its
// message, the print.dat fuzz target meets.)
TEST_F(ReminderTest, DamagedFilesGiveOneMessageAndTheReminderAllTheSame) {
    const QByteArray good = readFile("print.dat");
    const std::pair<QByteArray, QString> cases[] = {
        {printValues({0x110000, -1}), "value 1114112 at byte 0"},
        {good + "ab", "cut short"},
        {printValues({65, -1}), ""},  // too few entries: the others read as "", no fault
    };
    for (const auto& [content, problem] : cases) {
        writeFile("print.dat", content);
        QFile::remove(home.filePath("Donation info.txt"));
        data.notifier = Notifier{};
        runWith([this] {
            EXPECT_EQ(dialog->shownLines(), packSections()[0] + packSections()[2]);
            QTest::mouseClick(dialog->donateButton(), Qt::LeftButton);
            EXPECT_EQ(dialog->shownLines().size(), packView(1).size());
        });
        EXPECT_EQ(messages().value(0).startsWith("print.dat: "), !problem.isEmpty()) << problem;
        EXPECT_TRUE(messages().value(0).contains(problem)) << messages().value(0);
        EXPECT_EQ(QFile::exists(home.filePath("Donation info.txt")), problem.isEmpty());
    }
    ASSERT_TRUE(QFile::remove(home.filePath("print.dat")));
    ASSERT_TRUE(QFile::remove(home.filePath("donation.ktx")));
    data.notifier = Notifier{};
    runWith([this] { EXPECT_EQ(dialog->shownLines(), QStringList{""}); });
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("donation.ktx") && messages()[0].contains("print.dat"))
        << messages()[0];
}

// The dialog keeps its size whatever the language: every caption, label and list on both panels
// gets the width its text needs, inside the dialog.
class ReminderLanguage : public ReminderTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ReminderLanguage, EveryControlOfBothPanelsHasTheWidthItsTextNeeds) {
    ASSERT_TRUE(overlayLanguagePack(data.folder, GetParam()));
    writeLines("strt.dat", {"3", "5"});
    int checked = 0;
    const auto checkPanel = [&] {
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            if (!w->isVisible() || !(qobject_cast<QPushButton*>(w) || qobject_cast<QLabel*>(w) ||
                                     qobject_cast<QComboBox*>(w)))
                continue;
            ++checked;
            EXPECT_GE(w->width(), w->sizeHint().width()) << w->metaObject()->className();
            EXPECT_TRUE(
                dialog->rect().contains(QRect(w->mapTo(dialog.get(), QPoint()), w->size())));
        }
    };
    runWith([&] {
        checkPanel();
        QTest::mouseClick(dialog->donateButton(), Qt::LeftButton);
        checkPanel();
    });
    EXPECT_GE(checked, 10);
}

INSTANTIATE_TEST_SUITE_P(Languages, ReminderLanguage, ::testing::ValuesIn(kPackLanguages),
                         packLanguageName);

}  // namespace
}  // namespace orbisca::testing
