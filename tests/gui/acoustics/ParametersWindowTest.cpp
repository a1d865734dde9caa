#include <QAction>
#include <QApplication>
#include <QDir>
#include <QProcess>

#include <algorithm>
#include <QFileInfo>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

#include "AppFixture.h"
#include "TestMain.h"
#include "gui/acoustics/ParametersWindow.h"
#include "gui/acoustics/CalcSettingsDialog.h"
#include "gui/acoustics/HistogramSettingsDialog.h"
#include "gui/acoustics/ParameterChooserDialog.h"
#include "WindowWalk.h"
#include "gui/app/ChildWindowList.h"
#include "core/base/StringTable.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

struct ParametersWalk {
    AppFixture f;
    ParametersWindow* window = nullptr;

    // The demo project on a scratch copy of its folder, its first file open,
    // the parameters window shown.
    void open() {
        f.start();
        const QString work = f.openDemoCopy("work");
        QVERIFY(!work.isEmpty());
        QVERIFY(f.session().controller().openProjectEntry(0));
        f.window().run(command::ShowParameters);
        for (ChildWindowInterface* c : f.window().windows().all())
            if (auto* p = dynamic_cast<ParametersWindow*>(c)) window = p;
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    const CalcFile& file() { return *f.session().currentFile(); }
    int rows() { return window->model()->rowCount(); }
};

// The batch tool's arguments that ask for what the current file's entries and
// settings ask for.
QStringList batchArguments(const CalcFile& cf, const ProjectState& state, const QString& output) {
    QStringList args{"calc", QString::fromStdString(cf.file.path), "-o", output, "--mode"};
    const char* modes[] = {"samples", "histograms", "records"};
    args << modes[std::clamp(static_cast<int>(state.currentFile.workMode), 0, 2)];
    for (const ParameterEntry& e : cf.entries) {
        QStringList stats;
        if (e.flags.minimum) stats << "min";
        if (e.flags.maximum) stats << "max";
        if (e.flags.leq) stats << "leq";
        if (e.flags.percentiles) stats << "pct";
        if (e.flags.histogram) stats << "hist";
        if (e.flags.uncorrected) stats << "uncorr";
        if (stats.isEmpty()) continue;
        args << "--param" << QString("0x%1:%2:%3").arg(e.code, 8, 16, QChar('0')).arg(stats.join(',')).arg(e.subEntries.size() + 1);
    }
    const CalcSettings& s = cf.settings;
    args << "--range" << QString("%1:%2").arg(s.firstSample).arg(s.sampleCount);
    if (s.scanning) args << "--scan" << QString("%1:%2").arg(s.scanInterval, 0, 'g', 17).arg(s.scanStep, 0, 'g', 17);
    const HistogramSettings& h = s.histogram;
    args << "--classes" << QString("%1:%2:%3%4").arg(h.lower, 0, 'g', 17).arg(h.width, 0, 'g', 17).arg(h.classes).arg(h.excludeEdges ? ":noedges" : "");
    QStringList pct;
    for (double v : h.percentiles) pct << QString::number(v, 'g', 17);
    if (!pct.isEmpty()) args << "--percentiles" << pct.join(',');
    for (std::size_t i = 0; i < cf.ranges.zoneCount(); ++i) {
        const RangeZone& z = cf.ranges.zone(i);
        if (z.exclusion) args << "--exclude" << QString("%1:%2").arg(z.begin, 0, 'g', 17).arg(z.end, 0, 'g', 17);
    }
    if (state.csvResults) args << "--csv";
    if (state.singleResultFile) args << "--single-file";
    if (!state.groupByParameter) args << "--plain";
    if (state.noLeqTime) args << "--no-leq-time";
    if (!s.includeExclusionsUncorrected) args << "--no-exclusions-uncorrected";
    return args;
}

}  // namespace

class ParametersWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setCurrentStrings(StringTable::russian()); }

    void chooseCalculateAndReadTheValues() {
        ParametersWalk w;
        w.open();
        if (QTest::currentTestFailed()) return;
        ParametersWindow& p = *w.window;
        QSignalSpy plots(&w.f.session(), &ProjectSession::plotContentChanged);
        const int before = w.rows();
        QCOMPARE(p.model()->headerData(kUncorrectedColumn, Qt::Horizontal, Qt::DisplayRole).toString(), QString("без корр."));

        // "Добавить параметр" below the rows: the chooser, its first band, two bands.
        std::unique_ptr<QMenu> menu = p.menuAt(QPoint(5, p.view()->viewport()->height() - 2));
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 1);
        whenShown<ParameterChooserDialog>([](ParameterChooserDialog& d) {
            QVERIFY(!d.severalFiles->isVisible());
            QVERIFY(d.type->count() > 0);
            QVERIFY(d.bands->count() > 1);
            d.bands->setCurrentRow(0);
            d.count->setValue(2);
            d.accept();
        });
        actionNamed(*menu, text::AddParameter)->trigger();
        QCOMPARE(w.rows(), before + 1);
        QCOMPARE(plots.count(), 1);
        const ParameterEntry& added = w.file().entries.back();
        QCOMPARE(parameterKind(added.code), ParameterKind::MeasuredLevel);
        QCOMPARE(added.subEntries.size(), std::size_t(1));
        QCOMPARE(w.f.session().state().currentFile.selections.size(), w.file().entries.size());
        QVERIFY(w.f.settings().integer("ParChose", "Type", 0) >= 1);

        // Flags by clicks: Leq and the percentiles; a plot click on an entry with sub-entries does nothing.
        const int row = w.rows() - 1;
        p.cellClicked(p.model()->index(row, kLeqColumn));
        p.cellClicked(p.model()->index(row, kPercentileColumn));
        p.cellClicked(p.model()->index(row, kPlotColumn));
        QVERIFY(w.file().entries.back().flags.leq);
        QVERIFY(w.file().entries.back().flags.percentiles);
        QVERIFY(!w.file().entries.back().flags.plot);
        QCOMPARE(plots.count(), 3);
        QCOMPARE(p.model()->data(p.model()->index(row, kPlotColumn), Qt::CheckStateRole).toInt(),
                 static_cast<int>(Qt::PartiallyChecked));

        // "Посчитать": values in the tooltips, the result file in the working folder.
        QTest::mouseClick(p.calculateButton(), Qt::LeftButton);
        const QString leq = p.model()->data(p.model()->index(row, kLeqColumn), Qt::ToolTipRole).toString();
        QVERIFY2(leq.startsWith("LEq: ") && leq.size() > 6, qPrintable(leq));
        const double value = leq.section(' ', 1, 1).toDouble();
        QVERIFY(value > 0);
        // The percentiles as a small table: a labelled row per percentile.
        const QString percentiles = p.model()->data(p.model()->index(row, kPercentileColumn), Qt::ToolTipRole).toString();
        QVERIFY2(percentiles.startsWith("<table") && percentiles.contains("<td>L5</td>") && percentiles.contains("Процентиль"),
                 qPrintable(percentiles));
        for (const QString& m : w.f.prompts.messages) QVERIFY2(m == QString::fromStdString(phonotab::tr(msg::InsufficientSamples)), qPrintable(m));

        // Rename and remove through the row's menu.
        const QRect cell = p.view()->visualRect(p.model()->index(row, kSourceColumn));
        w.f.prompts.texts.push_back("Мой параметр");
        menu = p.menuAt(cell.center());
        QCOMPARE(menu->actions().size(), 6);  // add, remove, colour, rename, a separator, periods and events
        QVERIFY(actionNamed(*menu, text::ShowPeriodsAndEvents));
        actionNamed(*menu, text::RenameParameter)->trigger();
        QCOMPARE(p.model()->data(p.model()->index(row, kSourceColumn), Qt::DisplayRole).toString(), QString("Мой параметр"));
        menu = p.menuAt(cell.center());
        actionNamed(*menu, text::RemoveParameter)->trigger();
        QCOMPARE(w.rows(), before);
        QCOMPARE(w.f.prompts.unexpected, 0);
    }

    // What "Посчитать" writes is what the batch tool writes for the same file
    // and settings, byte for byte (an exclusion zone and a work range not
    // starting at 0 included).
    void resultsAgreeWithTheBatchTool() {
        ParametersWalk w;
        w.open();
        if (QTest::currentTestFailed()) return;
        const double period = w.file().settings.samplePeriod;
        DocumentController& doc = w.f.session().controller();
        while (doc.currentFile()->ranges.zoneCount() > 0) QVERIFY(doc.removeZone(0).ok());
        QVERIFY(doc.setWorkRange(10, 159).ok());
        QVERIFY(doc.setScanning(true).ok());
        const ProjectState& p = w.f.session().state();
        DocumentController::CalculationOptions options;
        options.scanInterval = options.scanStep = 30 * period;
        options.grouped = p.groupByParameter != 0;
        options.includeExclusionsUncorrected = p.includeExclusionsUncorrected != 0;
        options.noLeqTime = p.noLeqTime != 0;
        options.csv = p.csvResults != 0;
        options.singleFile = p.singleResultFile != 0;
        QVERIFY(doc.setCalculationOptions(options).ok());
        // Every entry with its minimum, maximum, Leq and percentiles asked for.
        std::vector<ParameterEntry> entries = doc.currentFile()->entries;
        for (ParameterEntry& e : entries) e.flags.minimum = e.flags.maximum = e.flags.leq = e.flags.percentiles = true;
        while (!doc.currentFile()->entries.empty()) QVERIFY(doc.removeParameterEntry(0).ok());
        for (const ParameterEntry& e : entries) QVERIFY(doc.addParameterEntry(e).ok());
        QVERIFY(doc.addExclusionZone(40 * period, 55 * period).ok());
        QVERIFY(!w.file().entries.empty());
        const QDir work(w.f.folder("work"));
        const QStringList before = work.entryList(QDir::Files);
        QTest::mouseClick(w.window->calculateButton(), Qt::LeftButton);
        QStringList written;
        for (const QString& name : work.entryList(QDir::Files))
            if (!before.contains(name)) written << name;
        QVERIFY(!written.isEmpty());

        const QString batch = w.f.folder("batch");
        QProcess cli;
        cli.start(PHONOTAB_CLI, batchArguments(w.file(), w.f.session().state(), batch));
        QVERIFY(cli.waitForFinished(60000));
        QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
        QCOMPARE(QDir(batch).entryList(QDir::Files), written);
        for (const QString& name : written) {
            QFile a(work.filePath(name)), b(batch + "/" + name);
            QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            QVERIFY2(a.readAll() == b.readAll(), qPrintable(name));
        }
    }

    void theChooserServesTableBindingsAndMacros() {
        ParametersWalk w;
        w.open();
        if (QTest::currentTestFailed()) return;
        const NamingContext naming = w.window->model()->naming();
        // Table bindings: every project file as a source, the bound item and the checkbox.
        ChooserRequest binding;
        binding.sources = {{"a [a.bin]", naming, false}, {"b [b.bin]", naming, false}};
        binding.tableBinding = true;
        binding.boundItem = "B2";
        {
            ParameterChooserDialog d(binding, w.f.session().settings(), w.window);
            d.show();
            QVERIFY(d.source->isVisible());
            QVERIFY(d.severalFiles->isVisible());
            QVERIFY(d.bound->text().endsWith(": B2"));
            d.source->setCurrentIndex(1);
            d.severalFiles->setChecked(true);
            d.all->setChecked(true);  // "все": one item for every band
            QCOMPARE(d.bands->count(), 1);
            QVERIFY(d.bands->item(0)->text().contains(" - "));
            QVERIFY(d.hasChoice());
            const ChooserChoice c = d.choice();
            QCOMPARE(c.source, 1);
            QVERIFY(c.severalFiles);
            QVERIFY(!c.entry.subEntries.empty());
            d.accept();
        }
        QCOMPARE(w.f.settings().text("ParChose", "Source"), QString("b [b.bin]"));
        // A macro's loaded data file: no source field, no binding controls.
        ChooserRequest macro;
        macro.sources = {{"file.bin", naming, false}};
        macro.showSource = false;
        ParameterChooserDialog d(macro, w.f.session().settings(), w.window);
        d.show();
        QVERIFY(!d.source->isVisible());
        QVERIFY(!d.severalFiles->isVisible());
    }

    void settingsDialogsRefuseBadValues() {
        ParametersWalk w;
        w.open();
        if (QTest::currentTestFailed()) return;
        ParametersWindow& p = *w.window;
        const HistogramSettings kept = w.file().settings.histogram;
        // The histogram settings behind the percentile column's header.
        struct Case {
            const char *lower, *upper, *width, *percentiles;
            int refusal;
        } cases[] = {{"20", "120", "0", "5 95", msg::ClassWidthNotPositive},
                     {"20", "120", "-1", "5 95", msg::ClassWidthNotPositive},
                     {"20", "20", "1", "5 95", msg::ClassCountOutOfRange},
                     {"20", "120", "1", "150 -3", msg::PercentileOutOfRange},
                     {"20", "120", "x", "5", msg::NotANumber}};
        for (const Case& c : cases) {
            w.f.prompts.messages.clear();
            whenShown<HistogramSettingsDialog>([c](HistogramSettingsDialog& d) {
                d.lower->setText(c.lower);
                d.upper->setText(c.upper);
                d.width->setText(c.width);
                d.percentiles->setText(c.percentiles);
                d.accept();
                QVERIFY(d.isVisible());  // refused: the dialog stays
                d.reject();
            });
            p.headerClicked(kPercentileColumn);
            QCOMPARE(w.f.prompts.messages.size(), 1);
            const QString want = QString::fromStdString(phonotab::tr(c.refusal)).section('%', 0, 0);
            QVERIFY2(w.f.prompts.messages.front().startsWith(want), qPrintable(w.f.prompts.messages.front()));
            QVERIFY(w.f.session().currentFile()->settings.histogram.width == kept.width);
        }
        // Good values are stored. The demo's tables read L5 and L95 of this
        // file, which the new set lacks: asked first, No keeps the old set.
        auto goodValues = [](HistogramSettingsDialog& d) {
            d.lower->setText("30");
            d.upper->setText("130");
            d.width->setText("0.5");
            d.percentiles->setText("10 50 90");
            d.accept();
        };
        const int questionsBefore = w.f.prompts.questions.size();
        whenShown<HistogramSettingsDialog>(goodValues);
        p.headerClicked(kHistogramColumn);
        QCOMPARE(w.f.prompts.questions.size(), questionsBefore + 1);
        QVERIFY2(w.f.prompts.questions.last().contains("(L5)"), qPrintable(w.f.prompts.questions.last()));
        QCOMPARE(w.file().settings.histogram.width, kept.width);
        w.f.prompts.answers.push_back(Prompts::Answer::Yes);
        whenShown<HistogramSettingsDialog>(goodValues);
        p.headerClicked(kHistogramColumn);
        QCOMPARE(w.file().settings.histogram.classes, 200);
        QCOMPARE(w.f.session().state().currentFile.histogramClasses, 200);
        QCOMPARE(w.f.session().state().currentFile.percentiles, (std::set<double>{10, 50, 90}));

        // The calculation settings refuse a scan step of 0 and keep the interval.
        const double interval = w.file().settings.scanInterval;
        w.f.prompts.messages.clear();
        whenShown<CalcSettingsDialog>([](CalcSettingsDialog& d) {
            d.interval->setText("60");
            d.step->setText("0");
            d.accept();
            QVERIFY(d.isVisible());
            d.reject();
        });
        QTest::mouseClick(p.settingsButton(), Qt::LeftButton);
        QCOMPARE(w.f.prompts.messages, QStringList{QString::fromStdString(Message(msg::ScanNotPositive).text())});
        QCOMPARE(w.file().settings.scanInterval, interval);
        whenShown<CalcSettingsDialog>([](CalcSettingsDialog& d) {
            d.interval->setText("60");
            d.step->setText("30");
            d.csv->setChecked(true);
            d.accept();
        });
        QTest::mouseClick(p.settingsButton(), Qt::LeftButton);
        QCOMPARE(w.file().settings.scanStep, 30.0);
        QVERIFY(w.f.session().state().csvResults);
        p.scanning()->click();
        QCOMPARE(w.file().settings.scanning, p.scanning()->isChecked());
    }
};

PHONOTAB_REGISTER_TEST(ParametersWindowTest)
#include "ParametersWindowTest.moc"
