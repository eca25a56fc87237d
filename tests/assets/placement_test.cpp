// The pictures where the views put them: every highlight fits the frame at every place a date puts
// it and leaves the pictures it marks readable; the boards and their tables agree with the
// positions the views compute; the columns of the month and 13-moon views do not overlap.
#include "pack_reader.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cmath>

using namespace packtest;

namespace {

constexpr int kFrameWidth = 670, kFrameHeight = 550;

// The U in which the year places its moons and the wavespell its tones: step i (from 0) adds a
// row for i <= 4, a column for 5..8, removes a row for 9..11 and a column for 12.
QPoint uPlace(int index) {
    QPoint p(0, 0);
    for (int i = 0; i <= index; ++i)
        p += i <= 4    ? QPoint(0, 1)
             : i <= 8  ? QPoint(1, 0)
             : i <= 11 ? QPoint(0, -1)
                       : QPoint(-1, 0);
    return p;
}

std::vector<QPoint> techPoints() {
    QFile file(QStringLiteral(ORBISCA_HOME_DIR "/tech.dat"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "the build wrote no tech.dat";
    const QList<QByteArray> lines = file.readAll().split('\n');
    std::vector<QPoint> points;
    for (int kin = 0; kin < 260 && 2 * kin + 1 < lines.size(); ++kin)
        points.emplace_back(lines[2 * kin].toInt(), lines[2 * kin + 1].toInt());
    EXPECT_EQ(points.size(), 260u);
    return points;
}

struct Highlight {
    const char* pictures;  // blank-separated, all drawn through `mask`
    const char* mask;
    std::vector<QPoint> places;    // every top left a date can give
    std::vector<QRect> keepClear;  // pictures under it, relative to its top left
};

std::vector<Highlight> highlights() {
    std::vector<Highlight> all;
    Highlight year{"shine5.bmp", "shine5t.bmp", {}, {}};
    for (int moon = 0; moon < 13; ++moon)
        for (int week = 0; week < 4; ++week)
            for (int day = 0; day < 7; ++day) {
                const QPoint cell = uPlace(moon);
                year.places.emplace_back(128 * cell.x() + 17 * day + 20 - 13,
                                         100 * cell.y() + 23 * week - 78 - 19);
            }
    // The day's cell frame at (x - 1, y - 7) from the highlight point.
    year.keepClear = {QRect(QPoint(12, 12), loadPicture("fr1.bmp").size())};
    all.push_back(year);

    Highlight month{"shine2.bmp shine7.bmp shine8.bmp shine9.bmp", "shine2t.bmp", {}, {}};
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 7; ++c) month.places.emplace_back(76 * c - 40, 86 * r + 40);
    month.keepClear = {QRect(QPoint(10, 10), loadPicture("md0001.bmp").size()),
                       QRect(QPoint(36, 13), loadPicture("tn350000.bmp").size()),
                       QRect(QPoint(36, 33), loadPicture("zc350000.bmp").size())};
    all.push_back(month);

    Highlight moons{"shine6.bmp", "shine6t.bmp", {}, {}};
    for (int c = 1; c <= 7; ++c) moons.places.emplace_back(76 * c - 40, 119);
    moons.keepClear = {QRect(QPoint(10, 10), loadPicture("md0005.bmp").size()),
                       QRect(QPoint(36, 40), loadPicture("zc350000.bmp").size()),
                       QRect(QPoint(25, 161), loadPicture("rns0000.bmp").size()),
                       QRect(QPoint(20, 206), loadPicture("qntr0000.bmp").size()),
                       QRect(QPoint(20, 251), loadPicture("vnl500001.bmp").size())};
    all.push_back(moons);

    Highlight zolkin{"shine3.bmp", "shine3t.bmp", {}, {}};
    for (int kin = 1; kin <= 260; ++kin)
        zolkin.places.emplace_back(23 * ((kin - 1) / 20) + 156, 22 * ((kin - 1) % 20) + 16);
    all.push_back(zolkin);

    Highlight wavespell{"shine1.bmp", "shine1t.bmp", {}, {}};
    for (int i = 0; i < 13; ++i)
        wavespell.places.emplace_back(102 * uPlace(i).x() + 50, 91 * uPlace(i).y() - 91);
    // The tone at (X + 79, Y - 68), the sign at (X + 79, Y - 44), the guide at (X + 128, Y - 35).
    wavespell.keepClear = {QRect(QPoint(29, 23), loadPicture("tn450000.bmp").size()),
                           QRect(QPoint(29, 47), loadPicture("zc450000.bmp").size()),
                           QRect(QPoint(78, 56), loadPicture("zc350000.bmp").size())};
    all.push_back(wavespell);

    Highlight wings{"shine4.bmp", "shine4t.bmp", {}, {}};
    for (const QPoint& p : techPoints()) wings.places.push_back(p - QPoint(7, 14));
    all.push_back(wings);
    return all;
}

}  // namespace

TEST(Placement, HighlightsFitTheFrameEverywhereAndLeaveWhatTheyMarkReadable) {
    for (const Highlight& h : highlights()) {
        SCOPED_TRACE(h.mask);
        const QImage mask = loadPicture(h.mask);
        for (const QString& picture : QString(h.pictures).split(' '))
            EXPECT_EQ(loadPicture(picture).size(), mask.size()) << picture.toStdString();
        // The masked drawing draws nothing for a picture reaching beyond the frame.
        for (const QPoint& at : h.places)
            EXPECT_TRUE(QRect(0, 0, kFrameWidth, kFrameHeight).contains(QRect(at, mask.size())))
                << at.x() << "," << at.y();
        // A halo: bright around its middle, faint over the middle itself and at its edges.
        int peak = 0;
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x) {
                const int m = qRed(rgbAt(mask, x, y));
                peak = std::max(peak, m);
                if (x == 0 || y == 0 || x == mask.width() - 1 || y == mask.height() - 1) {
                    ASSERT_LE(m, 8) << "edge " << x << "," << y;
                }
            }
        EXPECT_GE(peak, 200);
        EXPECT_LE(qRed(rgbAt(mask, mask.width() / 2, mask.height() / 2)), 30);
        for (const QRect& r : h.keepClear)
            for (int y = r.top() + 2; y <= r.bottom() - 2; ++y)
                for (int x = r.left() + 2; x <= r.right() - 2; ++x)
                    ASSERT_LE(qRed(rgbAt(mask, x, y)), 30) << "over a picture at " << x << "," << y;
    }
}

// Where the view puts a kin's highlight, the board shows that kin: its tone in its sign's row.
TEST(Placement, TheZolkinBoardShowsEachKinWhereItsHighlightGoes) {
    const QImage board = loadPicture("zolkin.bmp");
    const QSize halo = loadPicture("shine3.bmp").size();
    const QPoint origin(299 + 20 - board.width() / 2, 30);
    for (int kin = 1; kin <= 260; ++kin) {
        const QPoint centre = QPoint(23 * ((kin - 1) / 20) + 156, 22 * ((kin - 1) % 20) + 16) +
                              QPoint(halo.width() / 2, halo.height() / 2) - origin;
        const QImage cell = board.copy(QRect(centre - QPoint(8, 7), QSize(17, 15)));
        const int ground = luminance(rgbAt(cell, 1, 1));
        int bars = 0, dots = 0;
        for (const QRect& b :
             blobs(cell, [&](QRgb c) { return std::abs(luminance(c) - ground) > 60; }))
            (b.width() >= 3 * b.height() ? bars : dots) += 1;
        EXPECT_EQ(bars, ((kin - 1) % 13 + 1) / 5) << "kin " << kin;
        EXPECT_EQ(dots, ((kin - 1) % 13 + 1) % 5) << "kin " << kin;
    }
}

// tech.dat gives the top left of a kin's cell on the wings board drawn centred at (0, 10): the
// small sign inside it (1 right, 7 down) is the kin's sign. The castle texts (about x 118) and the
// wavespell texts (about x 481) stand in the board's upper corners, which stay calm.
TEST(Placement, TechPointsLandOnTheirKinsCellsOfTheWingsBoard) {
    const QImage board = loadPicture("wings.bmp");
    const QPoint origin(299 - board.width() / 2, 10);
    const Tint order[] = {Tint::Red, Tint::White, Tint::Blue, Tint::Yellow};
    const std::vector<QPoint> points = techPoints();
    for (int kin = 1; kin <= static_cast<int>(points.size()); ++kin) {
        const QPoint sign = points[kin - 1] - origin + QPoint(1, 7);
        ASSERT_TRUE(board.rect().contains(QRect(sign, QSize(15, 15)))) << "kin " << kin;
        EXPECT_EQ(tintOf(rgbAt(board, sign.x() + 2, sign.y() + 2)), order[(kin - 1) % 4])
            << "kin " << kin;
    }
    for (const QRect& corner : {QRect(0, 0, 237, 141), QRect(380, 0, 218, 141)}) {
        int low = 255, high = 0;
        for (int y = corner.top(); y <= corner.bottom(); ++y)
            for (int x = corner.left(); x <= corner.right(); ++x) {
                low = std::min(low, luminance(rgbAt(board, x, y)));
                high = std::max(high, luminance(rgbAt(board, x, y)));
            }
        EXPECT_LE(high - low, 20) << corner.x();
    }
}

namespace {
QPoint dialPoint(double angle, int radius, QPoint centre) {
    const double a = -std::nearbyint(angle) * M_PI / 180;
    return centre + QPoint(int(std::nearbyint(radius * std::cos(a))),
                           int(std::nearbyint(radius * std::sin(a))));
}
}  // namespace

// The markers land on the slots of the board's dials, and on the fields of the day signs.
TEST(Placement, TheTelectononBoardHasASlotUnderEveryMarkerPlace) {
    const QImage board = loadPicture("telectonon.bmp");
    ASSERT_EQ(board.size(), QSize(kFrameWidth, kFrameHeight));
    const QImage marker = loadPicture("tlstB.bmp");
    ASSERT_EQ(loadPicture("tlstW.bmp").size(), marker.size());
    std::vector<QPoint> places;
    const QPoint upper(71, 103), lower(71, 416);
    for (int sign = 1; sign <= 20; ++sign) places.push_back(dialPoint(18.0 * sign + 99, 52, upper));
    for (int day = 1; day <= 28; ++day) places.push_back(dialPoint(12.85714 * day + 83, 52, lower));
    for (int n = 1; n <= 13; ++n) {
        places.push_back(n < 11 ? dialPoint(36.0 * n + 89, 30, upper)
                                : upper + QPoint(0, 13 * (n - 12)));
        places.push_back(n < 11 ? dialPoint(36.0 * n + 90, 30, lower)
                                : lower + QPoint(0, 13 * (n - 12)));
    }
    for (const QPoint& p : places) {
        // A dark slot under the marker's middle, its ring 4 pixels out.
        const QPoint c = p + QPoint(marker.width() / 2, marker.height() / 2);
        const int middle = luminance(rgbAt(board, c.x(), c.y()));
        EXPECT_LT(middle, 40) << p.x() << "," << p.y();
        EXPECT_GT(luminance(rgbAt(board, c.x() + 4, c.y())), middle + 40) << p.x() << "," << p.y();
    }
    // Sign s has its field at column 8 + s mod 5, row 2 + s div 5 (sign 20 at row 2), cells of
    // 33.5 pixels from (133, 133); the field shows the sign in its colour.
    const Tint order[] = {Tint::Red, Tint::White, Tint::Blue, Tint::Yellow};
    for (int sign = 1; sign <= 20; ++sign) {
        const int column = 8 + sign % 5, row = sign == 20 ? 2 : 2 + sign / 5;
        const QPointF centre(133 + 33.5 * column + 16.75, 133 + 33.5 * row + 16.75);
        EXPECT_EQ(tintOf(rgbAt(board, int(centre.x()) - 8, int(centre.y()) - 2)),
                  order[(sign - 1) % 4])
            << "sign " << sign;
    }
    // The view clears the hint area with the frame's colour: the board has that colour there.
    for (int y = 455; y < 535; ++y)
        for (int x = 505; x < 665; ++x) ASSERT_EQ(rgbAt(board, x, y), qRgb(7, 0, 35) & 0xFFFFFF);
}

// The seventh day of a week shows the whole hexagram of the week's izin line, whose number names
// its figure: the figure's lines are those of the pattern iznum.dat gives that number.
TEST(Placement, HexagramFiguresShowTheirPatternsAtTheHeightsOfTheIzinStacks) {
    QFile table(QStringLiteral(ORBISCA_SOURCE_DIR "/share/iznum.dat"));
    ASSERT_TRUE(table.open(QIODevice::ReadOnly));
    int checked = 0;
    for (const QByteArray& line : table.readAll().split('\n')) {
        if (line.size() < 8) continue;
        const int number = line.mid(7).toInt();
        const QString file = fileForKind(250 + number);
        SCOPED_TRACE(file.toStdString());
        const QImage figure = loadPicture(file);
        // Figure at (517, 222) in the 13-moon view; the stacks' k-th mark at y 262 - 7 (k - 1).
        for (int k = 1; k <= 6; ++k) {
            const int y = 262 - 7 * (k - 1) - 222 + 2;
            const bool solid = line[k - 1] == '1';
            EXPECT_GT(luminance(rgbAt(figure, 7, y)), 150) << "line " << k;
            EXPECT_EQ(luminance(rgbAt(figure, figure.width() / 2, y)) > 150, solid) << "line " << k;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 64);
    const QImage solid = loadPicture("izin9.bmp"), broken = loadPicture("izin6.bmp");
    EXPECT_GT(luminance(rgbAt(solid, solid.width() / 2, 2)), 150);
    EXPECT_TRUE(isBlack(rgbAt(broken, broken.width() / 2, 2)));
}

namespace {
struct Placed {
    QString file;
    QPoint at;
};
QRect extent(const Placed& p) { return {p.at, loadPicture(p.file).size()}; }
}  // namespace

// A month cell and a 13-moon column, as the views place them with c = 0 and r = 0: each stays
// in its 76-pixel column and the rows do not overlap.
TEST(Placement, TheDaysOfTheMonthAnd13MoonViewsKeepToTheirColumns) {
    // Month: the moon-day mark stands above the kin mark, the tone above the sign.
    const Placed mark{"md0001.bmp", {-30, 50}}, kin{"kin78.bmp", {-18, 73}},
        pv{"pvsign.bmp", {-18, 73}}, tone{"tn350000.bmp", {-4, 53}}, sign{"zc350000.bmp", {-4, 73}};
    for (int n = 1; n <= 4; ++n)
        EXPECT_LE(extent({fileForKind(137 + n), mark.at}).bottom(), extent(kin).top() - 1);
    EXPECT_EQ(extent(kin), extent(pv));
    EXPECT_LE(extent(kin).right(), extent(sign).left() - 1);
    EXPECT_LE(extent(tone).bottom(), extent(sign).top() - 1);

    // 13 moons, from the plasma down to the vinals, above the bottom line at 424.
    const std::vector<std::vector<Placed>> rows = {
        {{"pl350000.bmp", {-13, 90}}},
        {{"md0005.bmp", {-30, 129}}, {"tn350000.bmp", {-4, 139}}},
        {{"zc350000.bmp", {-4, 159}}, {"kin78.bmp", {-18, 159}}},
        {{"izin9.bmp", {-14, 220 + 42 - 35}}, {"izin9.bmp", {-14, 220 + 42}}},
        {{"rns0000.bmp", {-15, 280}}},
        {{"qntr0000.bmp", {-20, 325}}},
        {{"vnl500001.bmp", {-20, 370}},
         {"vnl400001.bmp", {-4, 375}},
         {"vnt400000.bmp", {-21, 380}}},
    };
    int bottom = 0;
    for (const auto& row : rows) {
        int rowBottom = 0;
        for (const Placed& p : row) {
            const QRect r = extent(p);
            EXPECT_GE(r.left(), -38) << p.file.toStdString();
            EXPECT_LE(r.right(), 37) << p.file.toStdString();
            EXPECT_GE(r.top(), bottom + 1) << p.file.toStdString();
            rowBottom = std::max(rowBottom, r.bottom());
        }
        bottom = std::max(bottom, rowBottom);
    }
    EXPECT_LT(bottom, 424);
    // The small vinal fills the large one's right part, the vinal tone ends where it begins.
    const QRect large = extent({"vnl500001.bmp", {-20, 370}}),
                small = extent({"vnl400001.bmp", {-4, 375}});
    EXPECT_TRUE(large.contains(small));
    EXPECT_EQ(small.right(), large.right());
    EXPECT_EQ(extent({"vnt400000.bmp", {-21, 380}}).right(), small.left() - 1);
}
