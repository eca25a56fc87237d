// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures where the views put them: the boards and their tables agree with the positions
// the views compute.
#include "pack_reader.h"

#include "views/kin_board_table.h"
#include "views/telectonon_board.h"
#include "views/wave_views.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace packtest;

namespace {

// The wings board's kin points as the castle view reads them from "tech.dat".
std::vector<QPoint> techPoints() {
    QFile file(QStringLiteral(ORBISCA_HOME_DIR "/tech.dat"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "the build wrote no tech.dat";
    return orbisca::parseKinBoardTable(QString::fromLatin1(file.readAll()).split('\n'),
                                       loadPicture("shine4.bmp").size());
}

}  // namespace

// Where the view puts a kin's highlight, the board shows that kin: its tone in its sign's row.
TEST(Placement, TheZolkinBoardShowsEachKinWhereItsHighlightGoes) {
    const QImage board = loadPicture("zolkin.bmp");
    const QSize halo = loadPicture("shine3.bmp").size();
    const QPoint origin(299 + 20 - board.width() / 2, 30);
    for (int kin = 1; kin <= 260; ++kin) {
        const QPoint centre =
            orbisca::zolkinHighlightOf(kin) + QPoint(halo.width() / 2, halo.height() / 2) - origin;
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
    const std::vector<QPoint> points = techPoints();
    for (int kin = 1; kin <= static_cast<int>(points.size()); ++kin) {
        const QPoint sign = points[kin - 1] - origin + QPoint(1, 7);
        ASSERT_TRUE(board.rect().contains(QRect(sign, QSize(15, 15)))) << "kin " << kin;
        EXPECT_EQ(tintOf(rgbAt(board, sign.x() + 2, sign.y() + 2)), signTint(kin)) << "kin " << kin;
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

// The markers land on the slots of the board's dials, and on the fields of the day signs, where
// the board view puts them.
TEST(Placement, TheTelectononBoardHasASlotUnderEveryMarkerPlace) {
    using orbisca::BoardDial;
    const QImage board = loadPicture("telectonon.bmp");
    const QImage marker = loadPicture("tlstB.bmp");
    ASSERT_EQ(loadPicture("tlstW.bmp").size(), marker.size());
    std::vector<QPoint> places;
    for (const auto& [dial, last] : {std::pair{BoardDial::Sign, 20},
                                     {BoardDial::Day, 28},
                                     {BoardDial::Tone, 13},
                                     {BoardDial::Month, 13}})
        for (int n = 1; n <= last; ++n) places.push_back(orbisca::dialMarkerPoint(dial, n));
    for (const QPoint& p : places) {
        // A dark slot under the marker's middle, its ring 4 pixels out.
        const QPoint c = p + QPoint(marker.width() / 2, marker.height() / 2);
        const int middle = luminance(rgbAt(board, c.x(), c.y()));
        EXPECT_LT(middle, 40) << p.x() << "," << p.y();
        EXPECT_GT(luminance(rgbAt(board, c.x() + 4, c.y())), middle + 40) << p.x() << "," << p.y();
    }
    // The field of a sign shows the sign in its colour.
    for (int sign = 1; sign <= 20; ++sign) {
        const QPoint field = orbisca::boardCellPoint(orbisca::signMarkerCell(sign), 8.25, 14.25);
        EXPECT_EQ(tintOf(rgbAt(board, field.x(), field.y())), signTint(sign)) << "sign " << sign;
    }
    // The view clears the hint area with the frame's colour: the board has that colour there.
    for (int y = 455; y < 535; ++y)
        for (int x = 505; x < 665; ++x) ASSERT_EQ(rgbAt(board, x, y), qRgb(7, 0, 35) & 0xFFFFFF);
}
