#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QTest>

#include "AppFixture.h"
#include "TestMain.h"
#include "WindowWalk.h"
#include "core/base/StringTable.h"
#include "gui/acoustics/ParametersWindow.h"
#include "gui/app/ChildWindowList.h"
#include "gui/periods/PeriodsWindow.h"
#include "gui/periods/TextTableModel.h"
#include "gui/acoustics/ParameterTableModel.h"
#include "gui/plotwindows/BarChartWidget.h"
#include "gui/plotwindows/TimePlotWindow.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

template <typename W>
W* openWindow(AppFixture& f) {
    for (ChildWindowInterface* c : f.window().windows().all())
        if (auto* w = dynamic_cast<W*>(c)) return w;
    return nullptr;
}

}  // namespace

class PeriodsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setCurrentStrings(StringTable::russian()); }

    // The station's day of monitoring (entry 4 of the demo project): the
    // window from the parameters window's row menu, the eu scheme with events,
    // the tables, the chart, the clipboard and the CSV export.
    void openCalculateCopyAndExport() {
        AppFixture f;
        f.start();
        const QString work = f.openDemoCopy("work");
        QVERIFY(!work.isEmpty());
        QVERIFY(f.session().controller().openProjectEntry(4));
        f.window().run(command::ShowParameters);
        auto* parameters = openWindow<ParametersWindow>(f);
        QVERIFY(parameters);
        QVERIFY(QTest::qWaitForWindowExposed(parameters));
        const QRect first = parameters->view()->visualRect(parameters->model()->index(0, 1));
        std::unique_ptr<QMenu> menu = parameters->menuAt(first.center());
        QVERIFY(menu);
        actionNamed(*menu, text::ShowPeriodsAndEvents)->trigger();
        auto* window = openWindow<PeriodsWindow>(f);
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QString("Периоды и события"));
        QCOMPARE(window->code(), f.session().currentFile()->entries[0].code);

        window->scheme()->setCurrentIndex(window->scheme()->findData("eu"));
        window->findEvents()->setChecked(true);
        window->threshold()->setValue(70.0);
        window->minDuration()->setValue(10.0);
        window->mergeGap()->setValue(15.0);
        QTest::mouseClick(window->calculateButton(), Qt::LeftButton);
        QVERIFY(window->results().has_value());
        QCOMPARE(f.prompts.messages, QStringList());
        const PeriodIndicators& r = *window->results();
        // The record runs from midnight: the night before 07:00 belongs to the previous date.
        QCOMPARE(window->model(PeriodsWindow::PeriodsTab)->rowCount(), static_cast<int>(r.periods.size()));
        QCOMPARE(window->model(PeriodsWindow::PeriodsTab)->index(0, 1).data().toString(), QString("ночь"));
        QCOMPARE(window->model(PeriodsWindow::DaysTab)->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString("Lden, дБ"));
        QVERIFY(window->model(PeriodsWindow::EventsTab)->rowCount() > 0);

        // A double click on an event: the time plot shows the curve around it, the markers on its ends.
        if (!f.session().currentFile()->entries[0].flags.plot)
            QVERIFY(static_cast<bool>(f.session().controller().toggleParameterFlag(0, kPlotColumn)));
        window->showEventInPlot(1);
        auto* plot = openWindow<TimePlotWindow>(f);
        QVERIFY(plot);
        const PaneSet& panes = plot->graph()->paneSet();
        QVERIFY(panes.zoomed());
        const double period = f.session().currentFile()->settings.samplePeriod;
        const double origin = static_cast<double>(toCivilSeconds(f.session().currentFile()->file.startTime));
        const auto eventFirst = static_cast<std::int64_t>((r.events[1].start - origin) / period);
        const auto eventLast = static_cast<std::int64_t>((r.events[1].end - origin) / period) - 1;
        QVERIFY(panes.visibleRange().first <= eventFirst && panes.visibleRange().last >= eventLast);
        QVERIFY(panes.visibleRange().count() < static_cast<std::int64_t>(f.session().currentFile()->file.count) / 10);
        // "Ночи и события на графике": the nights and the events shaded behind the curves,
        // gone again when the box is cleared.
        std::size_t nights = 0;
        for (const PeriodRow& p : r.periods) nights += p.period == r.scheme.midnightPeriod();
        window->shadeInPlot()->setChecked(true);
        const GraphPane& pane = *plot->graph()->paneSet().pane(0);
        QCOMPARE(pane.shadedSpans().size(), nights + r.events.size());
        QCOMPARE(pane.shadedSpans().front().from, plot->content().xOfSeconds(r.periods.front().begin - origin));
        window->shadeInPlot()->setChecked(false);
        QVERIFY(pane.shadedSpans().empty());
        QCOMPARE(window->model(PeriodsWindow::HoursTab)->rowCount(), static_cast<int>(r.hours.size()));
        QCOMPARE(window->chart()->chart().values.size(), std::size_t{24});
        QVERIFY(window->summary()->text().contains("LEX,8h"));

        // "Копировать": the days' table as tab-separated text.
        window->tabs()->setCurrentIndex(PeriodsWindow::DaysTab);
        window->copyTable();
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY(copied.startsWith("Дата\tLeq, дБ\t"));
        QCOMPARE(copied.count('\n'), 1 + static_cast<int>(r.days.size()));

        // "Экспорт в CSV...": every table, then where it was written.
        const QString csv = work + "/periods.csv";
        f.prompts.files.push_back(csv);
        window->exportCsv();
        QFile written(csv);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(written.readAll());
        QVERIFY(text.startsWith("Периоды\n"));
        QVERIFY(text.contains("\nСобытия\n"));
        QCOMPARE(f.prompts.messages.size(), 1);
        QVERIFY(f.prompts.messages.front().contains(csv));

        // The project does not store the window; a change of the zones clears its results.
        for (const WindowRecord& rec : f.window().windows().records()) QVERIFY(rec.kind != WindowKind::Other);
        QVERIFY(static_cast<bool>(f.session().controller().addExclusionZone(100.0, 200.0)));
        QVERIFY(!window->results().has_value());
        QCOMPARE(window->model(PeriodsWindow::PeriodsTab)->rowCount(), 0);
        QCOMPARE(f.prompts.unexpected, 0);
    }

    // A user's scheme that cannot be read is refused with its line; a good one is offered and used.
    void userSchemes() {
        AppFixture f;
        f.start();
        const QString work = f.openDemoCopy("work");
        QVERIFY(!work.isEmpty());
        QVERIFY(f.session().controller().openProjectEntry(4));
        PeriodsWindow window(f.session(), f.session().currentFile()->entries[0].code, &f.window());
        window.show();
        auto writeScheme = [&](const QString& name, const QByteArray& bytes) {
            QFile file(work + "/" + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };
        writeScheme("bad.txt", "day 07:00 0\nnight 25:00 10\n");
        writeScheme("shifts.txt", "first 06:00 0\nsecond 14:00 0\nthird 22:00 5\n");
        const int fromFile = window.scheme()->count() - 1;
        f.prompts.files.push_back(work + "/bad.txt");
        window.scheme()->setCurrentIndex(fromFile);
        emit window.scheme()->activated(fromFile);
        QCOMPARE(f.prompts.messages.size(), 1);
        QVERIFY(f.prompts.messages.front().contains("строка 2"));
        QCOMPARE(window.scheme()->currentData().toString(), QString("eu"));
        f.prompts.files.push_back(work + "/shifts.txt");
        window.scheme()->setCurrentIndex(fromFile);
        emit window.scheme()->activated(fromFile);
        QCOMPARE(window.scheme()->currentText(), QString("shifts.txt"));
        QVERIFY(window.calculate());
        QCOMPARE(window.results()->scheme.periods.size(), std::size_t{3});
        QCOMPARE(window.model(PeriodsWindow::PeriodsTab)->index(0, 1).data().toString(), QString("third"));
        // Kept for the next window.
        PeriodsWindow again(f.session(), window.code(), &f.window());
        QCOMPARE(again.scheme()->currentText(), QString("shifts.txt"));
    }
};

PHONOTAB_REGISTER_TEST(PeriodsWindowTest)
#include "PeriodsWindowTest.moc"
