#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>

#include <cmath>
#include <random>
#include <vector>

#include "TestSupport.h"
#include "gui/plots/GraphWindow.h"
#include "render/plots/ScenePainter.h"

using namespace phonotab;

namespace {

constexpr QRgb kYellow = qRgb(252, 252, 84);
constexpr QRgb kRed = qRgb(255, 0, 0);

// One pane of a thousand levels between 40 and 80 dB in red, with a yellow band
// from x = 200 to x = 400.
struct Window {
    std::vector<double> levels;
    GraphWindow w;
    GraphPane* pane = nullptr;

    explicit Window(std::size_t n = 1000) : levels(n) {
        for (std::size_t i = 0; i < n; ++i) levels[i] = 60 + 20 * std::sin(static_cast<double>(i) / 60.0);
        w.resize(800, 450);
        pane = &w.addPane(1);
        EXPECT_EQ(w.paneSet().addSeries(1, levels.data(), 0, static_cast<std::int64_t>(n), 0x800000FFu), 0);
        pane->addZone(200, 46);
        pane->addZone(400, 0x4000002E);
        pane->setTitles("LAeq", "t, s", "L, dB");
        w.setMessageSink([this](const Message& m) { messages.push_back(m); });
        w.invalidate();
    }
    const PaneScene& scene() {
        w.renderImage();
        return *w.scene(1);
    }
    std::vector<Message> messages;
};

// Moves the pointer without buttons, as the window system reports it.
void pointAt(GraphWindow& w, QPoint p) {
    QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(w.mapToGlobal(p)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&w, &move);
}

int countColour(const QImage& img, const QRect& r, QRgb c) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += (img.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF);
    return n;
}

std::string readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

}  // namespace

TEST(GraphWindow, PaintsBandsCurvesAndLabels) {
    Window win;
    const QImage img = win.w.renderImage();
    const PaneScene& s = *win.w.scene(1);
    ASSERT_FALSE(s.empty);
    // The band fills the plot's height between its boundaries (grid and curve aside).
    const QRect band(s.map.px(210), s.plot.top + 1, s.map.px(390) - s.map.px(210), s.plot.height() - 3);
    EXPECT_GT(countColour(img, band, kYellow), band.width() * band.height() * 8 / 10);
    const QRect outside(s.map.px(20), s.plot.top + 1, s.map.px(180) - s.map.px(20), s.plot.height() - 3);
    EXPECT_EQ(countColour(img, outside, kYellow), 0);
    // The curve passes through its samples.
    for (int k : {0, 137, 500, 999})
        EXPECT_EQ(img.pixel(s.map.px(k), s.map.py(win.levels[k])) & 0xFFFFFF, kRed & 0xFFFFFF) << k;
    // Labels and titles as the core laid them out, at the places it chose.
    EXPECT_TRUE(s.hasText("LAeq"));
    EXPECT_TRUE(s.hasText("60"));
    EXPECT_TRUE(s.hasText("L, dB"));
    const auto label = std::find_if(s.texts.begin(), s.texts.end(), [](const SceneText& t) { return t.text == "60"; });
    ASSERT_NE(label, s.texts.end());
    const QRect box(label->x, label->y, 20, 14);
    EXPECT_GT(countColour(img, box, qRgb(0, 0, 0)) + countColour(img, box, qRgb(128, 128, 128)), 0);
}

TEST(GraphWindow, ReducedCurveDrawsTheSamePixelsAsEverySample) {
    std::mt19937 rng(11);
    std::normal_distribution<double> step(0, 1);
    std::vector<double> v(300000);
    double walk = 0;
    for (double& x : v) x = (walk += step(rng));
    GraphPane pane;
    ASSERT_EQ(pane.addSeries(v.data(), 0, static_cast<std::int64_t>(v.size()), 0x80000000u), 0);
    pane.setVisibleRange({1000, 250000});
    pane.setPlotRect({60, 20, 660, 420});
    const FixedTextMetrics metrics(7, 13);
    PaneScene reduced = buildPaneScene(pane, metrics);
    ASSERT_EQ(reduced.curves.size(), 1u);
    EXPECT_LE(reduced.curves[0].points.size(), 4u * 600u);
    PaneScene full = reduced;
    full.curves[0].points.clear();
    for (std::int64_t k = 1000; k <= 250000; ++k)
        full.curves[0].points.push_back({reduced.map.px(static_cast<double>(k)), reduced.map.py(v[k])});
    full.curves[0].runs.clear();
    rasterisePolyline(full.curves[0].points, full.plot, full.curves[0].runs);

    const GraphFonts fonts = GraphFonts::standard();
    QImage a(700, 460, QImage::Format_RGB32), b(700, 460, QImage::Format_RGB32);
    a.fill(Qt::white);
    b.fill(Qt::white);
    {
        QPainter pa(&a), pb(&b);
        paintScene(pa, reduced, fonts);
        paintScene(pb, full, fonts);
    }
    int differ = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && differ++ < 10) {
                ADD_FAILURE() << x << "," << y << " reduced " << std::hex << a.pixel(x, y) << " full " << b.pixel(x, y) << std::dec;
                std::string r, f;
                for (const ScenePoint& q : reduced.curves[0].points)
                    if (std::abs(q.x - x) <= 1) r += " (" + std::to_string(q.x) + "," + std::to_string(q.y) + ")";
                ScenePoint last{-1, -1};
                for (const ScenePoint& q : full.curves[0].points)
                    if (std::abs(q.x - x) <= 1 && !(q == last)) f += " (" + std::to_string(q.x) + "," + std::to_string(q.y) + ")", last = q;
                ADD_FAILURE() << "reduced" << r << "\nfull" << f.substr(0, 600);
            }
    EXPECT_EQ(differ, 0);
}

// Runs written straight into a bitmap give the picture of filling each run in
// turn, curve after curve, although a run's rows that a later run covers are
// never written: random scenes of overlapping curves, some runs reaching beyond
// the image, on an image whose height is no multiple of anything. The cases
// run from scattered short runs in no particular column order (several runs
// of one curve in a column) to one tall run per column and curve, as dense
// series give (whole bands of rows over many neighbouring columns), and
// curves sharing a colour.
TEST(GraphWindow, CurveRunsFilledIntoABitmapCoverLikeRunByRun) {
    struct Case {
        unsigned seed;
        int curves;
        int runs;       // per curve; 0: one per column, in column order
        int maxLength;  // rows below the top
        bool sharedColour;
    };
    const Case cases[] = {
        {5, 3, 150, 60, false},  {11, 4, 400, 8, false}, {23, 2, 0, 90, false},
        {37, 6, 0, 50, false},   {41, 5, 60, 120, true}, {53, 1, 300, 30, false},
        {61, 4, 0, 200, false},
    };
    const ColourWord palette[] = {rgbWord(255, 0, 0), rgbWord(0, 128, 0), rgbWord(0, 0, 255),
                                  rgbWord(200, 120, 0), rgbWord(0, 150, 150), rgbWord(90, 0, 90)};
    for (const Case& k : cases) {
        std::mt19937 rng(k.seed);
        std::uniform_int_distribution<int> column(-3, 99), row(-20, 90), length(0, k.maxLength);
        PaneScene scene;
        scene.empty = false;
        scene.plot = {0, 0, 97, 75};
        for (int i = 0; i < k.curves; ++i) {
            SceneCurve c;
            c.colour = palette[k.sharedColour ? i % 2 : i];
            const int runs = k.runs > 0 ? k.runs : 97;
            for (int j = 0; j < runs; ++j) {
                const int top = row(rng);
                c.runs.push_back({k.runs > 0 ? column(rng) : j, top, top + length(rng)});
            }
            scene.curves.push_back(std::move(c));
        }
        // The second, shorter image is filled with the buffers the first one left.
        for (int height : {75, 40}) {
            QImage filled(97, height, QImage::Format_RGB32), expected(97, height, QImage::Format_RGB32);
            filled.fill(Qt::white);
            expected.fill(Qt::white);
            fillCurveRuns(filled, scene);
            for (const SceneCurve& c : scene.curves)
                for (const ColumnRun& r : c.runs)
                    for (int y = r.top; y <= r.bottom; ++y)
                        if (expected.rect().contains(r.x, y)) expected.setPixel(r.x, y, toQColor(c.colour).rgb());
            EXPECT_TRUE(filled == expected) << "seed " << k.seed << ", height " << height;
        }
    }
}

TEST(GraphWindow, ExportsUnderAutomaticNamesNeverReplaceAFile) {
    phonotab::testing::ScratchDir dir;
    Window win;
    win.w.setExportFolder(QString::fromStdString(dir.path().string()));
    win.w.setClock([] { return CalendarTime{2024, 5, 3, 14, 7, 9}; });
    win.pane->setVisibleRange({0, 2});
    win.w.paneSet().scrollTo(0, 3);

    const std::string older = "an earlier export\n";
    ASSERT_TRUE(phonotab::testing::writeBytes(dir.file("03140709.txt"), {older.begin(), older.end()}));
    const Result<QString> text = win.w.exportText(1);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->endsWith("03140709_2.txt"));
    EXPECT_EQ(phonotab::testing::readText(dir.file("03140709.txt")), older);
    EXPECT_EQ(readAll(*text), "LAeq\n0\t60\t\n1\t60.3333\t\n2\t60.6665\t\n");

    const Result<QString> svg = win.w.exportVector(1);
    ASSERT_TRUE(svg);
    EXPECT_TRUE(svg->endsWith("03140709.svg"));
    const std::string plain = readAll(*svg);
    EXPECT_NE(plain.find("<svg"), std::string::npos);
    // Zones and colours only with the colour flag.
    EXPECT_EQ(plain.find("#fcfc54"), std::string::npos);
    EXPECT_EQ(plain.find("#ff0000"), std::string::npos);
    win.pane->setFlags(paneflag::kExportColours);
    win.w.paneSet().showFullRange();
    const std::string coloured = readAll(*win.w.exportVector(1));
    EXPECT_NE(coloured.find("#fcfc54"), std::string::npos);
    EXPECT_NE(coloured.find("#ff0000"), std::string::npos);

    const Result<QString> bmp = win.w.saveBitmap();
    ASSERT_TRUE(bmp);
    EXPECT_TRUE(bmp->endsWith("03140709.bmp"));
    EXPECT_EQ(QImage(*bmp).size(), QSize(800, 450));
    // Nothing else is left in the folder (no temporary files).
    EXPECT_EQ(QDir(QString::fromStdString(dir.path().string())).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({"03140709.bmp", "03140709.svg", "03140709.txt", "03140709_2.svg", "03140709_2.txt"}));
}

TEST(GraphWindow, ChosenNamesAndCancelledDialogs) {
    phonotab::testing::ScratchDir dir;
    Window win;
    win.w.setExportFolder(QString::fromStdString(dir.path().string()));
    win.pane->setFlags(paneflag::kAskFileName);
    QString answer, offeredFilter;
    win.w.setFileChooser([&](const QString& filter, const QString&) {
        offeredFilter = filter;
        return answer;
    });
    // Cancelled: nothing is written, nothing is reported.
    const Result<QString> cancelled = win.w.exportText(1);
    ASSERT_TRUE(cancelled);
    EXPECT_TRUE(cancelled->isEmpty());
    EXPECT_TRUE(offeredFilter.contains("(*.txt)"));
    EXPECT_TRUE(QDir(QString::fromStdString(dir.path().string())).entryList(QDir::Files).isEmpty());

    // A chosen existing file is replaced by the complete export.
    const std::string old = "old";
    ASSERT_TRUE(phonotab::testing::writeBytes(dir.file("mine.txt"), {old.begin(), old.end()}));
    answer = QString::fromStdString(dir.file("mine.txt"));
    ASSERT_TRUE(win.w.exportText(1));
    EXPECT_EQ(phonotab::testing::readText(dir.file("mine.txt")).rfind("LAeq\n0\t60\t\n", 0), 0u);

    // A folder that cannot be written: the message, and no file.
    answer = QString::fromStdString(dir.file("missing/plot.svg"));
    const Result<QString> failed = win.w.exportVector(1);
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error().id, msg::CannotWrite);
    EXPECT_FALSE(QFile::exists(answer));
}

TEST(GraphWindow, TheCursorIsACrossOverThePlotOnly) {
    Window win;
    win.w.show();
    const PaneScene& s = win.scene();
    const struct {
        QPoint at;
        Qt::CursorShape shape;
    } cases[] = {
        {QPoint(s.map.px(300), s.map.py(60)), Qt::CrossCursor},  // over the plot
        {QPoint(2, 2), Qt::ArrowCursor},                          // the margin outside it
        {QPoint(s.map.px(500), s.map.py(70)), Qt::CrossCursor},  // back over the plot
    };
    for (const auto& c : cases) {
        pointAt(win.w, c.at);
        EXPECT_EQ(win.w.cursor().shape(), c.shape) << c.at.x() << "," << c.at.y();
    }
}

TEST(GraphWindow, MouseSetsMarkersReadoutsFollowAndTheWheelZooms) {
    Window win;
    win.w.show();
    const PaneScene& s = win.scene();
    const QPoint p(s.map.px(300), s.map.py(70));
    pointAt(win.w, p);
    const GraphMarker expected{s.map.xAt(p.x()), s.map.yAt(p.y())};
    const ReadoutText cursor = readoutText(*win.pane, ReadoutMode::Cursor, expected);
    QTest::mouseClick(&win.w, Qt::LeftButton, {}, p);
    ASSERT_TRUE(win.pane->markerSet(1));
    EXPECT_DOUBLE_EQ(win.pane->marker(1).x, expected.x);
    EXPECT_DOUBLE_EQ(win.pane->marker(1).y, expected.y);
    EXPECT_FALSE(win.pane->markerSet(2));
    QTest::mouseClick(&win.w, Qt::LeftButton, Qt::ShiftModifier, QPoint(s.map.px(500), p.y()));
    EXPECT_TRUE(win.pane->markerSet(2));

    // The readout fields show the cursor; a click on one steps to the next mode.
    const QRect rx(win.pane->readoutXRect().left, win.pane->readoutXRect().top, win.pane->readoutXRect().right -
                   win.pane->readoutXRect().left, win.pane->readoutXRect().bottom - win.pane->readoutXRect().top);
    pointAt(win.w, p);
    EXPECT_EQ(win.w.readoutMode(), ReadoutMode::Cursor);
    EXPECT_EQ(win.w.readouts(1).first.toStdString(), cursor.x);
    EXPECT_EQ(win.w.readouts(1).second.toStdString(), cursor.y);
    QTest::mouseClick(&win.w, Qt::LeftButton, {}, rx.center());
    EXPECT_EQ(win.w.readoutMode(), ReadoutMode::FromMarker1);
    pointAt(win.w, p);
    EXPECT_EQ(win.w.readouts(1).first.toStdString(), "0.000000");

    // Markers are drawn in XOR: the marker line changes the pixels under it.
    const QImage withMarkers = win.w.renderImage();
    const int mx = s.map.px(win.pane->marker(1).x);
    win.pane->clearMarkers();
    const QImage without = win.w.renderImage();
    EXPECT_NE(withMarkers.pixel(mx, s.plot.top + 5), without.pixel(mx, s.plot.top + 5));

    // The wheel zooms around the pointer; Home shows everything again.
    QWheelEvent wheel(QPointF(p), QPointF(win.w.mapToGlobal(p)), {}, QPoint(0, 120), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&win.w, &wheel);
    const IndexRange zoomed = win.w.paneSet().visibleRange();
    EXPECT_EQ(zoomed.count(), 800);
    EXPECT_NEAR(static_cast<double>(zoomed.first), 300 - 300 * 0.8, 2);
    QTest::keyClick(&win.w, Qt::Key_Right);
    EXPECT_EQ(win.w.paneSet().visibleRange().first, zoomed.first + 80);
    QTest::keyClick(&win.w, Qt::Key_Home);
    EXPECT_EQ(win.w.paneSet().visibleRange(), (IndexRange{0, 999}));

    // Dragging scrolls the curve with the pointer.
    win.w.paneSet().scrollTo(200, 400);
    win.w.invalidate();
    const PaneScene& z = win.scene();
    const QPoint from(z.map.px(400), z.map.py(60)), to(z.map.px(300), z.map.py(60));
    QTest::mousePress(&win.w, Qt::LeftButton, {}, from);
    QTest::mouseMove(&win.w, to);
    QTest::mouseRelease(&win.w, Qt::LeftButton, {}, to);
    EXPECT_NEAR(static_cast<double>(win.w.paneSet().visibleRange().first), 300, 1);
    EXPECT_FALSE(win.pane->markerSet(1));  // a drag sets no marker
}

TEST(GraphWindow, ButtonsAndKeysOfThePicture) {
    phonotab::testing::ScratchDir dir;
    Window win;
    win.w.show();
    win.w.setExportFolder(QString::fromStdString(dir.path().string()));
    win.w.setClock([] { return CalendarTime{2024, 1, 31, 23, 59, 58}; });
    win.pane->setMarker(1, {100, 60});
    win.w.renderImage();

    // Clear-markers button.
    const QRect area = win.w.paneArea(1);
    const PlotRect& plot = win.pane->plotRect();
    // The buttons stand under the plot, flush with its right edge: text, vector, clear.
    const int y = area.bottom() + 4 + 11;
    QTest::mouseClick(&win.w, Qt::LeftButton, {}, QPoint(plot.right - 100, y));
    EXPECT_FALSE(win.pane->markersShown());
    QTest::mouseClick(&win.w, Qt::LeftButton, {}, QPoint(plot.right - 20, y));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(dir.file("31235958.txt"))));
    QTest::mouseClick(&win.w, Qt::LeftButton, {}, QPoint(plot.right - 65, y));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(dir.file("31235958.svg"))));

    QTest::keyClick(&win.w, Qt::Key_Print, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(dir.file("31235958.bmp"))));
    QTest::keyClick(&win.w, Qt::Key_Insert, Qt::AltModifier);
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(800, 450));
    EXPECT_TRUE(win.messages.empty());
}
