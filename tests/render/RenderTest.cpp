// The drawing without windows that the desktop's report window and the batch
// tool's report share: pictures converted for the document and report tables'
// graphs drawn as the table window's chart.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>

#include <string>

#include "core/base/MessageIds.h"
#include "core/tables/DisplayTexts.h"
#include "core/tables/ReportTable.h"
#include "render/pictures/PictureConverter.h"
#include "render/pictures/TableGraphPicture.h"

using namespace phonotab;

namespace {

QImage decodePng(const std::string& bytes) {
    QImage image;
    image.loadFromData(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), "PNG");
    return image;
}

// Levels of three bands in column B under their names in column A.
struct GraphTable {
    ReportTable table{3, 2};
    DisplayTexts shown{3, 2};
    GraphTable() {
        const char* bands[] = {"63", "125", "250"};
        for (int r = 0; r < 3; ++r) {
            shown.set({0, r}, bands[r]);
            shown.set({1, r}, std::to_string(50 + 5 * r));
        }
        table.graph.series[0].cellRange = "B1:B3";
        table.graph.series[0].fillColour = 0x0000FF;
        table.graph.xMarkingRange = "A1:A3";
    }
};

}  // namespace

TEST(RenderPictures, SvgIsDrawnToPngAtItsOwnSize) {
    const std::string svg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="120" height="80">)"
        R"(<rect x="0" y="0" width="120" height="80" fill="#ff0000"/></svg>)";
    const Result<std::string> png = convertPictureToPng(svg, "plan.svg");
    ASSERT_TRUE(png.ok()) << png.error().text();
    const QImage image = decodePng(*png);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(120, 80));
    EXPECT_EQ(image.pixelColor(60, 40), QColor(255, 0, 0));
}

TEST(RenderPictures, UnreadablePictureIsRefusedWithAMessage) {
    const Result<std::string> png = convertPictureToPng("not a picture at all", "plan.svg");
    ASSERT_FALSE(png.ok());
    EXPECT_TRUE(png.error().id == msg::PictureUnreadable || png.error().id == msg::PictureNotConverted)
        << png.error().id;
}

TEST(RenderPictures, TableGraphIsTheChartWithItsBarsInTheSeriesColour) {
    GraphTable g;
    const Result<std::string> png = tableGraphPng(g.table, g.shown, "Levels");
    ASSERT_TRUE(png.ok()) << png.error().text();
    const QImage image = decodePng(*png);
    ASSERT_EQ(image.size(), QSize(kTableGraphWidth, kTableGraphHeight));
    // The series' fill colour (0x00BBGGRR: red) covers a part of the picture.
    int red = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (image.pixelColor(x, y) == QColor(255, 0, 0)) ++red;
    EXPECT_GT(red, 500);
}

TEST(RenderPictures, TableGraphWithoutNumbersIsRefused) {
    GraphTable g;
    for (int r = 0; r < 3; ++r) g.shown.set({1, r}, "???");
    const Result<std::string> png = tableGraphPng(g.table, g.shown, "Levels");
    EXPECT_FALSE(png.ok());
}
