#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <memory>

#include "AppFixture.h"
#include "TestMain.h"
#include "WindowWalk.h"
#include "core/acoustics/ParameterTable.h"
#include "gui/acoustics/RangesWindow.h"
#include "gui/app/ChildWindowList.h"
#include "gui/base/SettingsStore.h"
#include "core/base/StringTable.h"
#include "gui/plotwindows/TimePlotWindow.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

struct TimePlotWalk {
    AppFixture f;
    TimePlotWindow* plot = nullptr;
    RangesWindow* ranges = nullptr;

    void open() {
        f.start();
        QVERIFY(f.session().loadProject(QFileInfo(demoFile("demo.pht")).absoluteFilePath()));
        QVERIFY(f.session().controller().openProjectEntry(0));
        // The demo file's first parameter drawn, no zones of its own.
        DocumentController& doc = f.session().controller();
        while (doc.currentFile()->ranges.zoneCount() > 0) QVERIFY(doc.removeZone(0).ok());
        QVERIFY(!doc.currentFile()->entries.empty());
        if (!doc.currentFile()->entries.front().flags.plot) QVERIFY(doc.toggleParameterFlag(0, kPlotColumn).ok());
        f.window().run(command::ShowRanges);
        f.window().run(command::ShowTimePlot);
        for (ChildWindowInterface* c : f.window().windows().all()) {
            if (auto* p = dynamic_cast<TimePlotWindow*>(c)) plot = p;
            if (auto* r = dynamic_cast<RangesWindow*>(c)) ranges = r;
        }
        QVERIFY(plot && ranges);
        QVERIFY(QTest::qWaitForWindowExposed(plot));
        plot->graph()->redraw();
        QVERIFY(plot->graph()->scene(0) && !plot->graph()->scene(0)->empty);
    }
    const CalcFile& file() { return *f.session().currentFile(); }
    const ProjectFileEntry& entry() { return f.session().state().currentFile; }
    const PaneScene& scene() {
        plot->graph()->redraw();
        return *plot->graph()->scene(0);
    }
    // A point of the plot at a fraction of its width.
    QPoint at(double fraction) {
        const PlotRect& r = scene().plot;
        return {r.left + static_cast<int>(fraction * (r.width() - 1)), (r.top + r.bottom) / 2};
    }
    double secondsAt(QPoint p) { return plot->content().secondsOfX(scene().map.xAt(p.x())); }
    void choose(QPoint p, text::Id textId) {
        std::unique_ptr<QMenu> menu = plot->menuAt(p);
        QVERIFY(menu);
        QAction* a = actionNamed(*menu, textId);
        QVERIFY2(a, qPrintable(QString::fromStdString(tr(textId))));
        a->trigger();
    }
};

}  // namespace

class TimePlotWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setCurrentStrings(StringTable::russian()); }

    // Markers by the right-click menu, "Исключить диапазон" between them: the
    // zone is in the project entry, on the ranges window's bar and on the plot,
    // whose zoom stays.
    void excludeARangeWithTheMouse() {
        TimePlotWalk w;
        w.open();
        if (QTest::currentTestFailed()) return;
        QSignalSpy ranges(&w.f.session(), &ProjectSession::workRangeChanged);
        PaneSet& panes = w.plot->graph()->paneSet();
        const IndexRange full = panes.visibleRange();
        panes.scrollTo(full.first, full.count() * 3 / 4);
        const IndexRange zoomed = panes.visibleRange();

        // Outside zones the range items; the correction item too (not histogram mode).
        std::unique_ptr<QMenu> menu = w.plot->menuAt(w.at(0.5));
        QVERIFY(menu);
        for (text::Id item : {text::Marker1, text::Marker2, text::ExcludeRange, text::CorrectRange, text::SetWorkRange})
            QVERIFY(actionNamed(*menu, item));
        QVERIFY(!w.plot->menuAt(QPoint(2, 2)));  // outside the plot: no menu

        // A range command before the markers is refused with a message.
        w.choose(w.at(0.5), text::ExcludeRange);
        QCOMPARE(w.f.prompts.messages.size(), 1);
        QCOMPARE(w.file().ranges.zoneCount(), std::size_t(0));

        const QPoint m1 = w.at(0.6), m2 = w.at(0.3);  // in reverse order
        w.choose(m1, text::Marker1);
        w.choose(m2, text::Marker2);
        const double a = w.secondsAt(m2), b = w.secondsAt(m1);
        w.choose(w.at(0.9), text::ExcludeRange);
        QCOMPARE(ranges.count(), 1);
        QCOMPARE(w.entry().ranges.size(), std::size_t(2));
        QCOMPARE(w.entry().ranges[1].exclusion, 1);
        QVERIFY(std::abs(w.entry().ranges[1].begin - a) < 1e-6);
        QVERIFY(std::abs(w.entry().ranges[1].end - b) < 1e-6);
        QVERIFY(w.f.session().controller().modified());
        bool onBar = false;
        for (const BarBlock& block : w.ranges->bar()->timeBar().blocks()) onBar |= block.zone && *block.zone == 0;
        QVERIFY(onBar);
        QCOMPARE(w.plot->content().zones.size(), std::size_t(2));
        QCOMPARE(w.plot->graph()->paneSet().visibleRange(), zoomed);
        QVERIFY(std::abs(w.plot->content().zones[0].value - w.plot->content().xOfSeconds(a)) < 1e-9);

        // Inside the zone: its own items; cancelling the exclusion removes it.
        menu = w.plot->menuAt(w.at(0.45));
        QVERIFY(menu);
        QVERIFY(actionNamed(*menu, text::SetBounds));
        QVERIFY(actionNamed(*menu, text::CorrectRange));
        QVERIFY(!actionNamed(*menu, text::SetWorkRange));
        actionNamed(*menu, text::CancelExclusion)->trigger();
        QCOMPARE(w.entry().ranges.size(), std::size_t(1));
        QCOMPARE(w.plot->content().zones.size(), std::size_t(0));
        QCOMPARE(w.f.prompts.unexpected, 0);
    }

    void markersToWorkRange() {
        TimePlotWalk w;
        w.open();
        if (QTest::currentTestFailed()) return;
        const QPoint m1 = w.at(0.2), m2 = w.at(0.7);
        const std::int64_t first = w.file().settings.firstSample, count = w.file().settings.sampleCount;
        QSignalSpy ranges(&w.f.session(), &ProjectSession::workRangeChanged);
        w.choose(m1, text::Marker1);
        w.choose(m1, text::Marker2);
        w.choose(m1, text::SetWorkRange);  // the markers coincide: refused, nothing changes
        QCOMPARE(w.f.prompts.messages.size(), 1);
        QCOMPARE(w.file().settings.firstSample, first);
        QCOMPARE(w.file().settings.sampleCount, count);
        QCOMPARE(ranges.count(), 0);

        w.choose(m2, text::Marker2);
        w.choose(w.at(0.5), text::SetWorkRange);
        const CalcFile& f = w.file();
        const TimePlotContent& c = w.plot->content();
        QCOMPARE(f.settings.firstSample, c.sampleAtSeconds(w.secondsAt(m1)));
        QCOMPARE(f.settings.firstSample + f.settings.sampleCount - 1, c.sampleAtSeconds(w.secondsAt(m2)));
        QCOMPARE(w.entry().rangeFirst, f.settings.firstSample);
        QCOMPARE(ranges.count(), 1);
        // The curves stay where they were: sample k at the same time.
        QCOMPARE(w.plot->content().x0, c.x0);
    }

    // The legend mask: a toggled item is stored and changes the readout line;
    // the time axis follows the properties menu.
    void legendMaskAndProperties() {
        TimePlotWalk w;
        w.open();
        if (QTest::currentTestFailed()) return;
        QCOMPARE(w.plot->legendMask(), 3u);
        std::unique_ptr<QMenu> menu = w.plot->legendMenu();
        QCOMPARE(menu->actions().size(), 11);  // ten items and a separator
        QVERIFY(actionNamed(*menu, text::LegendClockTimes)->isChecked());  // relative times while bit 18 is clear
        actionNamed(*menu, text::LegendPoints)->trigger();
        QCOMPARE(w.plot->legendMask(), 3u | 128u);
        QCOMPARE(w.f.settings().integer("Diagram", "LegendD", 0), 131);
        QVERIFY(w.plot->readoutLine()->text().contains("pts: "));
        // A zoom by the keys updates the points shown before the mouse moves.
        const QString before = w.plot->readoutLine()->text();
        w.plot->graph()->setFocus();
        QTest::keyClick(w.plot->graph(), Qt::Key_Plus);
        QVERIFY(w.plot->readoutLine()->text().contains("pts: "));
        QVERIFY2(w.plot->readoutLine()->text() != before, qPrintable(before));

        menu = w.plot->propertiesMenu();
        actionNamed(*menu, text::TimeFromRecordStart)->trigger();  // relative axis on
        QVERIFY(w.plot->relativeTime());
        menu = w.plot->propertiesMenu();
        actionNamed(*menu, text::TimeInMinutes)->trigger();
        QCOMPARE(w.plot->content().dx, w.file().settings.samplePeriod / 60);
        // The unit's caption in the interface language.
        QCOMPARE(QString::fromStdString(w.plot->graph()->paneSet().pane(0)->xTitle()), QString("мин"));
        QCOMPARE(QString::fromStdString(w.plot->graph()->paneSet().pane(0)->yTitle()), QString("дБ"));
        w.f.prompts.texts.push_back("Время");
        menu = w.plot->propertiesMenu();
        actionNamed(*menu, text::ChangeXCaption)->trigger();
        QCOMPARE(QString::fromStdString(w.plot->graph()->paneSet().pane(0)->xTitle()), QString("Время"));
        QVERIFY(std::get<TimePlotWindowState>(w.plot->ownState()).xCaption == "Время");
        w.plot->close();
        QCOMPARE(w.f.settings().integer("Diagram", "bATime", 0), 1);
    }

    // "-> BMP" and "-> WMF" write through a temporary file: the chosen file
    // and nothing else appears; a cancelled dialog writes nothing.
    void exportsWriteWholeFiles() {
        TimePlotWalk w;
        w.open();
        if (QTest::currentTestFailed()) return;
        const QString folder = w.f.folder("exports");
        QDir().mkpath(folder);
        w.f.prompts.files.push_back(folder + "/plot.bmp");
        QTest::mouseClick(w.plot->bitmapButton(), Qt::LeftButton);
        w.f.prompts.files.push_back(folder + "/plot.svg");
        QTest::mouseClick(w.plot->vectorButton(), Qt::LeftButton);
        w.f.prompts.files.push_back(QString());  // cancelled
        QTest::mouseClick(w.plot->bitmapButton(), Qt::LeftButton);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList({"plot.bmp", "plot.svg"}));
        // The figure for print, not the window: 16 cm at the print resolution,
        // a legend of the curves, none of the window's buttons.
        const QImage bitmap(folder + "/plot.bmp");
        QCOMPARE(bitmap.width(), figure::pixelsAt(figure::unitsOfCm(figure::kWidthCm), figure::kPrintDpi));
        QVERIFY(std::abs(bitmap.dotsPerMeterX() * 0.0254 - figure::kPrintDpi) < 0.5);
        QFile svg(folder + "/plot.svg");
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QByteArray drawing = svg.readAll();
        QVERIFY(drawing.contains("<svg"));
        QVERIFY(!drawing.contains(QByteArray::fromStdString(phonotab::tr(text::ClearMarkers))));
        const PlotFigure figure = w.plot->figure();
        // A legend entry per curve in its colour (then the zones' key, where there are zones).
        QCOMPARE(figure.curves.size(), w.plot->content().curves.size());
        QVERIFY(!figure.curves.empty());
        QVERIFY(figure.legend.size() >= figure.curves.size());
        for (std::size_t i = 0; i < figure.curves.size(); ++i) QCOMPARE(figure.legend[i].colour, figure.curves[i].colour);
        for (const FigureLegendEntry& e : figure.legend) QVERIFY(drawing.contains(QByteArray::fromStdString(">" + e.name + "<")));
        QCOMPARE(w.f.prompts.messages.size(), 0);
    }
};

PHONOTAB_REGISTER_TEST(TimePlotWindowTest)
#include "TimePlotWindowTest.moc"
