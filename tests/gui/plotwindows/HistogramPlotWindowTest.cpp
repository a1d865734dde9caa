#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QTest>

#include <memory>

#include "AppFixture.h"
#include "TestMain.h"
#include "WindowWalk.h"
#include "gui/app/ChildWindowList.h"
#include "core/base/StringTable.h"
#include "gui/plotwindows/HistogramPlotWindow.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

QPoint centreOf(const SceneBar& b) { return {(b.rect.left + b.rect.right) / 2, b.rect.bottom - 1}; }

// The first and the last bar hold counts: the level axis spans the data.
void expectFittedToData(HistogramPlotWindow& w) {
    const std::vector<double>& v = w.chart()->chart().values;
    QVERIFY(!v.empty());
    QVERIFY(v.front() != 0);
    QVERIFY(v.back() != 0);
    QCOMPARE(w.chart()->chart().captions.size(), v.size());
}

void choose(HistogramPlotWindow& w, text::Id textId) {
    std::unique_ptr<QMenu> menu = w.settingsMenu();
    QAction* a = actionNamed(*menu, textId);
    QVERIFY2(a, qPrintable(QString::fromStdString(tr(textId))));
    a->trigger();
}

}  // namespace

class HistogramPlotWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setCurrentStrings(StringTable::russian()); }

    // The monitoring file of the demo project in histogram mode: the plot
    // command opens its histograms; the step dialog rounds and bounds the step.
    void currentFileHistograms() {
        AppFixture f;
        f.start();
        QVERIFY(f.session().loadProject(QFileInfo(demoFile("demo.pht")).absoluteFilePath()));
        QVERIFY(f.session().controller().openProjectEntry(5));
        f.window().run(command::ShowTimePlot);
        HistogramPlotWindow* w = nullptr;
        for (ChildWindowInterface* c : f.window().windows().all())
            if (auto* h = dynamic_cast<HistogramPlotWindow*>(c)) w = h;
        QVERIFY(w);
        QCOMPARE(w->kind(), HistogramPlotWindow::Kind::CurrentFile);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY(!w->chooser()->isVisible());
        // 1 dB a bar, over the levels that were counted (the street's 72 to 86 dB),
        // not over 0 to 256 dB; titled with the histogram and the axes' units.
        expectFittedToData(*w);
        QVERIFY(w->chart()->chart().values.size() < 20);
        const double lowest = std::stod(captionHead(w->chart()->chart().captions.front()));
        const double highest = std::stod(captionHead(w->chart()->chart().captions.back()));
        QVERIFY2(lowest >= 70 && highest <= 90, qPrintable(QString("%1 .. %2").arg(lowest).arg(highest)));
        QVERIFY(!w->chart()->chart().title.empty());
        QCOMPARE(w->chart()->chart().captionTitle, phonotab::tr(text::LevelColumn));
        const PlotFigure figure = w->figure();
        QVERIFY(figure.hasText(w->chart()->chart().title));
        QVERIFY(figure.hasText(phonotab::tr(text::LevelColumn)));
        QVERIFY(figure.hasText(phonotab::tr(text::CountAxisTitle)));

        // The step item shows the step in dB; the dialog's answer is rounded to
        // whole bins and bounded to 1 … 128.
        // The step is the window's view, not stored with the project: it leaves the project unmodified.
        const bool modifiedBefore = f.session().controller().modified();
        struct Case { const char* typed; int step; const char* item; };
        for (const Case& c : {Case{"0.1", 1, "Показывать в 1 столбце 1 дБ"},
                              Case{"40", 128, "Показывать в 1 столбце 0.25 дБ"},
                              Case{"2", 8, "Показывать в 1 столбце 32 дБ"}}) {
            f.prompts.texts.push_back(c.typed);
            std::unique_ptr<QMenu> menu = w->settingsMenu();
            QAction* step = menu->actions().back();
            QCOMPARE(step->text(), QString(c.item));
            step->trigger();
            QCOMPARE(w->step(), c.step);
            expectFittedToData(*w);
        }
        QCOMPARE(f.session().controller().modified(), modifiedBefore);

        // Percentile curve with a step of 1 bin: one point per percent, and it ends.
        f.prompts.texts.push_back("0.25");
        w->settingsMenu()->actions().back()->trigger();
        choose(*w, text::ShowPercentiles);
        QCOMPARE(w->displayMode(), HistogramDisplay::Percentiles);
        QCOMPARE(w->chart()->chart().values.size(), std::size_t(100));
        QCOMPARE(w->settingsMenu()->actions().back()->text(), QString("Показывать с шагом 0.25 процентов"));

        // The readout over a bar names the histogram and the bar's levels.
        choose(*w, text::ShowCounts);
        f.prompts.texts.push_back("32");
        w->settingsMenu()->actions().back()->trigger();
        const BarChartScene& scene = w->chart()->scene();
        QCOMPARE(scene.bars.size(), std::size_t(1));  // every level counted lies in 64 to 96 dB
        const std::string readout = w->chart()->readoutAt(centreOf(scene.bars[0]));
        QVERIFY2(readout.find(") [64 - 96]: ") != std::string::npos, readout.c_str());

        // Exports through the dialogs; a cancelled one writes nothing.
        const QString folder = f.folder("exports");
        QDir().mkpath(folder);
        f.prompts.files.push_back(folder + "/h.bmp");
        QTest::mouseClick(w->bitmapButton(), Qt::LeftButton);
        f.prompts.files.push_back(folder + "/h.svg");
        QTest::mouseClick(w->vectorButton(), Qt::LeftButton);
        f.prompts.files.push_back(QString());
        QTest::mouseClick(w->vectorButton(), Qt::LeftButton);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList({"h.bmp", "h.svg"}));
        QCOMPARE(f.prompts.messages.size(), 0);
    }

    // A histogram file: the spin box steps through its histograms, whose own
    // classes are the bars; no percentile curve and no step.
    void histogramFileAndTableGraph() {
        AppFixture f;
        f.start();
        HistogramFile file;
        file.lower = 30, file.upper = 33, file.width = 1;
        file.series = {{"A", {1, 2, 3, 4, 0}}, {"B", {0, 0, 5, 5, 0}}};
        HistogramPlotWindow h(f.session(), file, &f.window());
        h.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h));
        QVERIFY(h.chooser()->isVisible());
        // The classes that hold counts.
        QCOMPARE(h.chart()->chart().values, (std::vector<double>{1, 2, 3, 4}));
        h.chooser()->setValue(2);
        QCOMPARE(h.chart()->chart().values, (std::vector<double>{5, 5}));
        choose(h, text::ShowPercent);
        QCOMPARE(h.chart()->chart().values, (std::vector<double>{50, 50}));
        QCOMPARE(h.chart()->chart().valueTitle, phonotab::tr(text::PercentAxisTitle));
        std::unique_ptr<QMenu> menu = h.settingsMenu();
        QVERIFY(!actionNamed(*menu, text::ShowPercentiles));
        QVERIFY(actionNamed(*menu, text::SetBarColour));

        // A table's graph: the bars and captions it was given, only the background item.
        BarChartInput table;
        table.captions = {"Пн", "Вт", "Ср"};
        table.values = {55.5, 62.25, 58};
        HistogramPlotWindow g(f.session(), table, &f.window(), {"LAeq"});
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QCOMPARE(g.settingsMenu()->actions().size(), 1);
        const BarChartScene& scene = g.chart()->scene();
        QCOMPARE(scene.bars.size(), std::size_t(3));
        QCOMPARE(g.chart()->readoutAt(centreOf(scene.bars[1])), std::string("Вт: 62.25"));
        QVERIFY(!g.chooser()->isVisible());
        const PlotFigure figure = g.figure();
        QCOMPARE(figure.legend.size(), std::size_t(1));
        QCOMPARE(figure.legend[0].name, std::string("LAeq"));
    }
};

PHONOTAB_REGISTER_TEST(HistogramPlotWindowTest)
#include "HistogramPlotWindowTest.moc"
