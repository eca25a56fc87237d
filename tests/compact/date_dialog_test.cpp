// SPDX-License-Identifier: GPL-3.0-or-later
// The date dialog.
#include <QLabel>
#include <QTest>

#include "compact/date_dialog.h"
#include "support/compact_fixture.h"

namespace orbisca::testing {
namespace {

class DateDialogTest : public CompactFolderTest {
protected:
    void SetUp() override {
        CompactFolderTest::SetUp();
        data.day.setClock([this] { return clockNow; });
        data.day.start();
        // Every window repaints on the day model's announcement; here it is counted.
        QObject::connect(&data.day, &DayModel::dayChanged, [this] { ++repaints; });
    }
    QSpinBox* field(const char* name) { return dialog.findChild<QSpinBox*>(name); }
    QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(name); }
    int choose(int year, int month, int day) {
        dialog.openOn(data.day.date());
        field("yearField")->setValue(year);
        field("monthField")->setValue(month);
        field("dayField")->setValue(day);
        QTest::mouseClick(button("applyButton"), Qt::LeftButton);
        return dialog.result();
    }
    // 10 March 2026, 23:59 local time.
    std::chrono::system_clock::time_point clockNow = std::chrono::system_clock::from_time_t([] {
        std::tm t{};
        t.tm_year = 126, t.tm_mon = 2, t.tm_mday = 10, t.tm_hour = 23, t.tm_min = 59,
        t.tm_isdst = -1;
        return std::mktime(&t);
    }());
    DateDialog dialog{data};
    int repaints = 0;
};

TEST_F(DateDialogTest, TakesExistingDatesOfAnyYearAndSaysWhyItRefusesTheOthers) {
    // 31 April and 29 February change nothing: the dialog stays open and says why (it used to
    // close as if the date had been taken).
    const std::pair<GregorianDate, const char*> refused[] = {
        {{31, 4, 0, 2026}, "31.4.2026 does not exist: month 4 has 30 days."},
        {{29, 2, 0, 2027}, "29.2.2027 does not exist: month 2 has 28 days."},
        {{29, 2, 0, 2024},
         "29.2.2024 is no day of this calendar: 29 February counts as 28 "
         "February."}};
    auto* hint = dialog.findChild<QLabel*>("refusalLabel");
    for (const auto& [d, says] : refused) {
        choose(d.year, d.month, d.day);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(data.day.date(), (GregorianDate{10, 3, 0, 2026}));
        EXPECT_TRUE(hint->isVisible());
        EXPECT_EQ(hint->text(), says);
        EXPECT_TRUE(field("dayField")->hasFocus() || !dialog.isActiveWindow());
    }
    QTest::keyClick(field("dayField"), Qt::Key_Down);  // 28 February 2024
    EXPECT_FALSE(hint->isVisible());
    QTest::keyClick(field("dayField"), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(data.day.position(), gregorianToMayan({28, 2, 0, 2024}));
    choose(2026, 3, 10);
    repaints = 0;
    EXPECT_FALSE(dateDialogAccepts(2026, 13, 1) || dateDialogAccepts(2026, 1, 0));
    int n = 0;
    for (const GregorianDate& d : {GregorianDate{31, 1, 0, 2026}, GregorianDate{30, 4, 0, 2026},
                                   GregorianDate{28, 2, 0, 2024}, GregorianDate{1, 1, 0, 1},
                                   GregorianDate{15, 6, 0, 9999}}) {
        EXPECT_EQ(choose(d.year, d.month, d.day), QDialog::Accepted);
        EXPECT_EQ(data.day.position(), gregorianToMayan(d));
        EXPECT_EQ(repaints, n + 1);
        ++n;
    }
}

// A showing starts in the year field, a second one too even after the focus went elsewhere; the
// caption follows the fields, and Cancel or Escape in a field changes nothing. (Return in a field
// applies the date: the first test.)
TEST_F(DateDialogTest, EveryShowingFocusesTheYearFieldAndCancelOrEscapeChangesNothing) {
    for (int showing = 0; showing < 2; ++showing) {
        dialog.openOn({5, 9, 0, 2030});
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        EXPECT_EQ(dialog.focusWidget(), field("yearField")) << showing;
        EXPECT_EQ(dialog.windowTitle(), "5.9.2030");
        field("dayField")->setFocus();
        field("dayField")->setValue(6);
        EXPECT_EQ(dialog.windowTitle(), "6.9.2030");
        if (showing == 0)
            QTest::mouseClick(button("cancelButton"), Qt::LeftButton);
        else
            QTest::keyClick(field("dayField"), Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(button("applyButton")->text(), readDatabaseLine(data.folder, 167, "BASE.KTX"));
    EXPECT_EQ(data.day.date(), (GregorianDate{10, 3, 0, 2026}));
}

TEST_F(DateDialogTest, TodayAfterMidnightReturnsToTheStartDay) {
    choose(2031, 5, 5);
    clockNow += std::chrono::minutes(2);  // past midnight
    dialog.openOn(data.day.date());
    QTest::mouseClick(button("todayButton"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(data.day.date(), (GregorianDate{10, 3, 0, 2026}));
    EXPECT_EQ(repaints, 2);
}

}  // namespace
}  // namespace orbisca::testing
