// The date dialog: the dates it accepts and ignores, "no", and "today" after midnight.
#include <QTest>

#include "compact/setdate.h"
#include "compact_fixture.h"

namespace orbisca::testing {
namespace {

class DateDialogTest : public CompactFolderTest {
protected:
    void SetUp() override {
        CompactFolderTest::SetUp();
        calendarState().clock = [this] { return clockNow; };
        StartCalendar();
        calendarState().repaint = [this] { ++repaints; };
        windowLinks().repaintFullMode = [this] { ++fullModeRepaints; };
        fullModeState().pb2ys = 9;
        fullModeState().pb2yt = 3;
    }
    int choose(int year, int month, int day) {
        dialog.openOn(calendarState().currentDate);
        dialog.sp3->setValue(year);
        dialog.sp2->setValue(month);
        dialog.sp1->setValue(day);
        QTest::mouseClick(dialog.yes, Qt::LeftButton);
        return dialog.result();
    }
    // 10 March 2026, 23:59 local time.
    std::chrono::system_clock::time_point clockNow = std::chrono::system_clock::from_time_t([] {
        std::tm t{};
        t.tm_year = 126, t.tm_mon = 2, t.tm_mday = 10, t.tm_hour = 23, t.tm_min = 59,
        t.tm_isdst = -1;
        return std::mktime(&t);
    }());
    TForm2 dialog;
    int repaints = 0;
    int fullModeRepaints = 0;
};

TEST_F(DateDialogTest, TakesExistingDatesOfAnyYearAndIgnoresTheOthers) {
    // 31 April and 29 February close the dialog but change nothing.
    for (const GregorianDate& d : {GregorianDate{31, 4, 0, 2026}, GregorianDate{29, 2, 0, 2024}}) {
        EXPECT_EQ(choose(d.year, d.month, d.day), QDialog::Accepted);
        EXPECT_EQ(calendarState().currentDate, (GregorianDate{10, 3, 0, 2026}));
    }
    EXPECT_EQ(repaints + fullModeRepaints, 0);
    EXPECT_EQ(fullModeState().pb2ys, 9);
    EXPECT_FALSE(dateDialogAccepts(2026, 13, 1));
    EXPECT_FALSE(dateDialogAccepts(2026, 1, 0));
    int n = 0;
    for (const GregorianDate& d : {GregorianDate{31, 1, 0, 2026}, GregorianDate{30, 4, 0, 2026},
                                   GregorianDate{28, 2, 0, 2024}, GregorianDate{1, 1, 0, 1},
                                   GregorianDate{15, 6, 0, 9999}}) {
        EXPECT_EQ(choose(d.year, d.month, d.day), QDialog::Accepted);
        EXPECT_EQ(calendarState().currentDate, d);
        EXPECT_EQ(calendarState().currentPosition, GregorianToMayan(d));
        EXPECT_EQ(repaints, ++n);
        EXPECT_EQ(fullModeRepaints, n);
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_EQ(fullModeState().pb2ys, 0);
    EXPECT_EQ(fullModeState().pb2yt, 0);
}

TEST_F(DateDialogTest, CaptionFollowsTheFieldsAndNoChangesNothing) {
    dialog.openOn({5, 9, 0, 2030});
    EXPECT_EQ(dialog.windowTitle(), "5.9.2030");
    EXPECT_EQ(dialog.yes->text(), readtext(167, "BASE.KTX"));
    EXPECT_EQ(dialog.lp1->text(), readtext(422, "BASE.KTX"));
    dialog.sp1->setValue(6);
    EXPECT_EQ(dialog.windowTitle(), "6.9.2030");
    QTest::mouseClick(dialog.no, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(calendarState().currentDate, (GregorianDate{10, 3, 0, 2026}));
}

TEST_F(DateDialogTest, TodayAfterMidnightReturnsToTheStartDay) {
    choose(2031, 5, 5);
    clockNow += std::chrono::minutes(2);  // past midnight
    dialog.openOn(calendarState().currentDate);
    QTest::mouseClick(dialog.todayb, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(calendarState().currentDate, (GregorianDate{10, 3, 0, 2026}));
    EXPECT_EQ(fullModeState().pb2ys, 0);
    EXPECT_EQ(fullModeRepaints, 2);
}

}  // namespace
}  // namespace orbisca::testing
