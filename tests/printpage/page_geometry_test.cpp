// SPDX-License-Identifier: GPL-3.0-or-later
// The placement of the canvas on the printer page.
#include <gtest/gtest.h>

#include <QLocale>

#include "printpage/page_geometry.h"

namespace orbisca {
namespace {

const QSize kA4{4960, 7016};  // A4 at 600 dpi
const QSize kSignCanvas{670, 550};
const PageMetrics kA4Metrics = wholePaperMetrics(kA4, 600);

std::string fields(const PageGeometry& g, const PageMetrics& m = kA4Metrics) {
    std::string text;
    for (PageField f :
         {PageField::Left, PageField::Top, PageField::Width, PageField::Height, PageField::Scale})
        text += pageFieldText(g, f, m).toStdString() + " ";
    return text;
}

PageGeometry shown(QSize canvas = kSignCanvas, QSize page = kA4) {
    PageGeometry g;
    placeOnPage(g, page, canvas);
    return g;
}

TEST(PageGeometry, NumbersAreReadRoundedAndShownWithAComma) {
    const std::pair<const char*, std::optional<double>> reads[] = {
        {"12.5", 12.5},  {"12,5", 12.5},    {"3-", -3}, {"4,", 4}, {"-,5", -0.5}, {"1 a2", 12},
        {"0.125", 0.13}, {"-0.125", -0.13}, {"", {}},   {"-", {}}, {"1,2,3", {}}, {"--5", {}}};
    for (const auto& [text, value] : reads) EXPECT_EQ(readFieldNumber(text), value) << text;
    EXPECT_EQ(roundPixels(2.5), 2);  // pixels round halves to even
    EXPECT_EQ(roundPixels(3.5), 4);
    QLocale::setDefault(QLocale(QLocale::English));
    EXPECT_EQ(formatFieldNumber(370.15), "370,15");
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(formatFieldNumber(1234.5), "1234,5");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(formatFieldNumber(-0.0), "0");
    EXPECT_EQ(roundPixels(convertPageUnit(1, PageUnit::Inches, PageUnit::Pixels, 236.22)), 600);
    EXPECT_DOUBLE_EQ(convertPageUnit(2.54, PageUnit::Centimetres, PageUnit::Inches, 99), 1.0);
}

// (That the canvas is placed at 100 % and that Fit off gives the placement back, the page setup
// window's tests show.) Unchecked Center keeps the typed position for the next canvas.
TEST(PageGeometry, UncentredTheTypedPositionStaysForTheNextCanvas) {
    PageGeometry g = shown();
    switchCentre(g, false, kA4);
    ASSERT_FALSE(editPageField(g, PageField::Left, "100", kA4Metrics, kSignCanvas));
    placeOnPage(g, kA4, {1340, 1100});
    EXPECT_EQ(fields(g), "100 3233 1340 1100 100 ");
}

TEST(PageGeometry, SizesBelowOnePixelAndTinyScalesAreRefused) {
    PageGeometry g = shown();
    const std::string before = fields(g);
    for (auto [field, text] : {std::pair{PageField::Width, "0"},
                               {PageField::Height, "-3"},
                               {PageField::Width, "0,4"},
                               {PageField::Scale, "0,99"},
                               {PageField::Width, "6"},
                               {PageField::Scale, "x"}}) {
        EXPECT_TRUE(editPageField(g, field, text, kA4Metrics, kSignCanvas)) << text;
        EXPECT_EQ(fields(g), before) << text;
    }
    // A 0 x 0 canvas and a 0 x 0 page count as one pixel: sizes stay positive, the ratio finite.
    PageGeometry empty = shown({0, 0}, {0, 0});
    EXPECT_EQ(fields(empty, wholePaperMetrics({0, 0}, 600)), "0 0 1 1 100 ");
    EXPECT_GT(previewOf(empty, {0, 0}).ratio, 0);
}

TEST(PageGeometry, PreviewAndCornerDrag) {
    PageGeometry g = shown();
    ASSERT_FALSE(editPageField(g, PageField::Width, "2480", kA4Metrics, kSignCanvas));
    const PagePreview p = previewOf(g, kA4);
    EXPECT_EQ(p.size, QSize(212, 300));
    EXPECT_EQ(p.picture, QRect(53, 106, 106, 88));
    EXPECT_EQ(gripAt(p, {100, 150}, true), PreviewGrip::None);  // centred: the body stays
    EXPECT_EQ(gripAt(p, {100, 150}, false), PreviewGrip::Body);
    EXPECT_EQ(gripAt(p, {157, 194}, false), PreviewGrip::BottomRight);  // the grip wins

    // Centred, both sides grow: 10 preview pixels to the right add twice their page pixels.
    const std::optional<PreviewDrag> drag = startPreviewDrag(g, p, {159, 193});
    ASSERT_TRUE(drag);
    dragPreview(g, *drag, {169, 193}, p.ratio, kA4, kSignCanvas);
    EXPECT_EQ(g.width, 2480 + roundPixels(20 * p.ratio));
    EXPECT_EQ(g.left, roundPixels(kA4.width() / 2.0 - g.width / 2.0));

    // Not centred: the top-left corner dragged past the bottom-right one stops at 1 %, and the
    // right and bottom edges stay where they were.
    switchCentre(g, false, kA4);
    const PageGeometry before = g;
    const PagePreview now = previewOf(g, kA4);
    const std::optional<PreviewDrag> topLeft = startPreviewDrag(g, now, now.picture.topLeft());
    ASSERT_TRUE(topLeft && topLeft->grip == PreviewGrip::TopLeft);
    dragPreview(g, *topLeft, topLeft->press + QPoint(0, 400), now.ratio, kA4, kSignCanvas);
    EXPECT_EQ(g.scale, kMinPrintScale);
    EXPECT_EQ(QSize(g.width, g.height), QSize(7, 6));
    EXPECT_EQ(g.left + g.width, before.left + before.width);
    EXPECT_EQ(g.top + g.height, before.top + before.height);
    switchFit(g, true, kA4, kSignCanvas);
    EXPECT_FALSE(startPreviewDrag(g, previewOf(g, kA4), {100, 150}));  // fitted: nothing moves
}

}  // namespace
}  // namespace orbisca
