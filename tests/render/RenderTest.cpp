// The drawing without windows that the desktop's report window and the batch
// tool's report share: pictures converted for the document and report tables'
// graphs drawn as the table window's chart.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <cmath>
#include <string>

#include "core/base/CFormat.h"
#include "core/base/MessageIds.h"
#include "core/base/StringTable.h"
#include "core/base/TextIds.h"
#include "core/platform/PictureInfo.h"
#include "core/plots/PlotFigure.h"
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

TEST(RenderPictures, SvgIsDrawnToPngAtItsOwnSizeForPrint) {
    const std::string svg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="120" height="80">)"
        R"(<rect x="0" y="0" width="120" height="80" fill="#ff0000"/></svg>)";
    const Result<std::string> png = convertPictureToPng(svg, "plan.svg");
    ASSERT_TRUE(png.ok()) << png.error().text();
    const QImage image = decodePng(*png);
    ASSERT_FALSE(image.isNull());
    // 120 × 80 CSS pixels are 1.25 × 0.83 inches, drawn at the print resolution.
    EXPECT_EQ(image.size(), QSize(300, 200));
    EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, figure::kPrintDpi, 0.5);
    EXPECT_EQ(image.pixelColor(150, 100), QColor(255, 0, 0));
}

// Every picture of a report is a PNG with at least 200 pixels to the inch at
// the size it is placed at: a screen-sized bitmap is enlarged to the page's
// text width, a fine one keeps its pixels.
TEST(RenderPictures, ReportPicturesArePngAtPrintResolution) {
    struct Case {
        const char* what;
        QSize size;
        int perMetre;     // 0: not stated
        int placedWidth;  // pixels wide at 200 dots per inch or more
    };
    const int textWidth = static_cast<int>(std::ceil(figure::kWidthCm / 2.54 * 200));
    for (const Case& c : {Case{"screen bitmap", {800, 500}, 3780, textWidth}, Case{"unstated", {300, 100}, 0, 625},
                          Case{"print figure", {1512, 945}, 9449, 1512}}) {
        SCOPED_TRACE(c.what);
        QImage source(c.size, QImage::Format_RGB32);
        source.fill(Qt::blue);
        if (c.perMetre) {
            source.setDotsPerMeterX(c.perMetre);
            source.setDotsPerMeterY(c.perMetre);
        }
        QByteArray bmp;
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(source.save(&buffer, "BMP"));
        const Result<std::string> png = printablePng(std::string(bmp.constData(), static_cast<std::size_t>(bmp.size())), "g.bmp");
        ASSERT_TRUE(png.ok()) << png.error().text();
        const auto info = readPictureInfo(*png);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->kind, PictureKind::Png);
        EXPECT_EQ(info->width, c.placedWidth);
        EXPECT_GE(info->dpiX, 199.9);
        EXPECT_LE(info->width / info->dpiX, figure::kWidthCm / 2.54 + 0.01);  // within the page's text
    }
}

TEST(RenderPictures, UnreadablePictureIsRefusedWithAMessage) {
    const Result<std::string> png = convertPictureToPng("not a picture at all", "plan.svg");
    ASSERT_FALSE(png.ok());
    EXPECT_TRUE(png.error().id == msg::PictureUnreadable || png.error().id == msg::PictureNotConverted)
        << png.error().id;
}

TEST(RenderPictures, TableGraphIsAFigureWithItsBarsInTheSeriesColourAndALegend) {
    GraphTable g;
    const Result<ReportPicture> picture = tableGraphPicture(g.table, g.shown, "Levels");
    ASSERT_TRUE(picture.ok()) << picture.error().text();
    const QImage image = decodePng(picture->bytes);
    EXPECT_EQ(image.width(), figure::pixelsAt(figure::unitsOfCm(figure::kWidthCm), figure::kPrintDpi));
    EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, figure::kPrintDpi, 0.5);
    // The series' fill colour (0x00BBGGRR: red) covers a part of the picture.
    int red = 0;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            if (image.pixelColor(x, y) == QColor(255, 0, 0)) ++red;
    EXPECT_GT(red, 500);
    // The drawing travels with it; its legend names the series.
    EXPECT_NE(picture->svg.find("<svg"), std::string::npos);
    EXPECT_NE(picture->svg.find(">" + cformat(tr(text::GraphSeries).c_str(), 1) + "</text>"), std::string::npos);
}

TEST(RenderPictures, TableGraphWithoutNumbersIsRefused) {
    GraphTable g;
    for (int r = 0; r < 3; ++r) g.shown.set({1, r}, "???");
    EXPECT_FALSE(tableGraphPicture(g.table, g.shown, "Levels").ok());
}
