#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

#include "AppFixture.h"
#include "TestMain.h"
#include "gui/acoustics/BoundsDialog.h"
#include "gui/acoustics/RangesWindow.h"
#include "gui/acoustics/CorrectionsDialog.h"
#include "WindowWalk.h"
#include "gui/app/ChildWindowList.h"
#include "core/base/CFormat.h"
#include "core/base/StringTable.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

// The centre of a time's x in a lane of the bar (0 work range, 1 exclusions, 2 corrections).
QPoint at(const RangesWindow& w, double t, BarLane lane) {
    const TimeBar bar = w.bar()->timeBar();
    const BarRect r = bar.lane(lane);
    return {bar.x(t), (r.top + r.bottom) / 2};
}

// The centre of a zone's block on the bar (zones can be narrower than their times suggest).
QPoint inZone(const RangesWindow& w, std::size_t zone) {
    for (const BarBlock& b : w.bar()->timeBar().blocks())
        if (b.zone && *b.zone == zone) return {(b.rect.left + b.rect.right - 1) / 2, (b.rect.top + b.rect.bottom) / 2};
    return {};
}

struct RangesWalk {
    AppFixture f;
    RangesWindow* window = nullptr;

    void open() {
        f.start();
        QVERIFY(f.session().loadProject(QFileInfo(demoFile("demo.pht")).absoluteFilePath()));
        QVERIFY(f.session().controller().openProjectEntry(0));
        f.window().run(command::ShowRanges);
        for (ChildWindowInterface* c : f.window().windows().all())
            if (auto* r = dynamic_cast<RangesWindow*>(c)) window = r;
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // The demo file comes with zones of its own: the walk starts from none.
        while (file().ranges.zoneCount() > 0) QVERIFY(f.session().controller().removeZone(0).ok());
    }
    const CalcFile& file() { return *f.session().currentFile(); }
    const ProjectFileEntry& entry() { return f.session().state().currentFile; }
    void sliders(int a, int b) {
        window->slider(0)->setValue(a);
        window->slider(1)->setValue(b);
    }
};

}  // namespace

class RangesWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setCurrentStrings(StringTable::russian()); }

    void workRangeAndZonesWithTheMouse() {
        RangesWalk w;
        w.open();
        if (QTest::currentTestFailed()) return;
        RangesWindow& r = *w.window;
        QSignalSpy ranges(&w.f.session(), &ProjectSession::workRangeChanged);
        QSignalSpy plots(&w.f.session(), &ProjectSession::plotContentChanged);
        const double period = w.file().settings.samplePeriod;
        QVERIFY(r.windowTitle().startsWith("Диапазоны ("));

        // The work range from the sliders: positions ordered, equal ones do nothing.
        w.sliders(40, 40);
        QTest::mouseClick(r.workButton(), Qt::LeftButton);
        QCOMPARE(ranges.count(), 0);
        w.sliders(200, 20);
        QCOMPARE(r.timeEdit(1)->text(), QString::fromStdString(sliderTimeText(20, period, w.file().ranges, true,
                                                                                w.file().file.startTime)));
        QTest::mouseClick(r.workButton(), Qt::LeftButton);
        QCOMPARE(ranges.count(), 1);
        QCOMPARE(w.file().settings.firstSample, 20);
        QCOMPARE(w.file().settings.sampleCount, 181);
        QCOMPARE(w.entry().rangeFirst, 20);
        QCOMPARE(w.entry().rangeCount, 181);
        QVERIFY(w.f.session().controller().modified());
        QVERIFY(r.windowTitle().startsWith(QString::fromStdString(cformat("Диапазоны (%.0lf сек)", 181 * period))));

        // An exclusion zone, then a correction zone through the corrections dialog.
        w.sliders(50, 60);
        QTest::mouseClick(r.exclusionsButton(), Qt::LeftButton);
        QCOMPARE(ranges.count(), 2);
        w.sliders(55, 90);
        whenShown<CorrectionsDialog>([](CorrectionsDialog& d) {
            QVERIFY(!d.edits().empty());
            d.edits().front()->setText("3.5");
            d.accept();
        });
        QTest::mouseClick(r.correctionsButton(), Qt::LeftButton);
        QCOMPARE(plots.count(), 1);
        QCOMPARE(w.entry().ranges.size(), std::size_t(3));  // the span and two zones
        QCOMPARE(w.entry().ranges[1].exclusion, 1);
        QCOMPARE(w.entry().ranges[1].begin, 50 * period);
        QCOMPARE(w.entry().ranges[2].exclusion, 0);
        QCOMPARE(w.entry().ranges[2].end, 90 * period);
        QCOMPARE(w.entry().ranges[2].corrections[static_cast<std::size_t>(correctionIndex(3, 0))], 3.5);

        // Where both zones lie under the point of the corrections lane only the
        // correction is hit; its menu removes it.
        std::unique_ptr<QMenu> menu = r.menuAt(inZone(r, 1));
        QVERIFY(menu);
        QVERIFY(actionNamed(*menu, text::ChangeCorrection));
        QAction* cancel = actionNamed(*menu, text::CancelCorrection);
        QVERIFY(cancel);
        cancel->trigger();
        QCOMPARE(plots.count(), 2);
        QCOMPARE(w.entry().ranges.size(), std::size_t(2));

        // The exclusion zone's bounds through "Границы": the relative frame rewrites the clock frame.
        menu = r.menuAt(inZone(r, 0));
        QVERIFY(menu);
        whenShown<BoundsDialog>([&w](BoundsDialog& d) {
            const QString clockBefore = d.field(1, 0, 3)->text();
            for (auto [part, text] : {std::pair{1, "0"}, std::pair{2, "1"}, std::pair{3, "30,5"}}) {
                QLineEdit* e = d.field(1, 1, part);  // the end, relative: 0 h 1 min 30.5 s (a decimal comma)
                e->selectAll();
                QTest::keyClicks(e, text);
            }
            QVERIFY(d.field(1, 0, 3)->text() != clockBefore);  // the clock frame followed
            QCOMPARE(d.end(), 90.5);
            // A field that holds no number is refused with a message; the dialog stays.
            const QString minutes = d.field(0, 1, 2)->text();
            d.field(0, 1, 2)->setText(QStringLiteral("1 мин"));
            d.accept();
            QCOMPARE(d.result(), int(QDialog::Rejected));
            QCOMPARE(w.f.prompts.messages.size(), 1);
            w.f.prompts.messages.clear();
            d.field(0, 1, 2)->setText(minutes);
            d.accept();
        });
        actionNamed(*menu, text::SetBounds)->trigger();
        QCOMPARE(w.file().ranges.zone(0).end, 90.5);
        QCOMPARE(ranges.count(), 3);

        // No zone under the top lane: the work range's menu.
        menu = r.menuAt(at(r, 150 * period, BarLane::WorkRange));
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 1);
        // The exclusion's menu removes it.
        menu = r.menuAt(inZone(r, 0));
        QVERIFY(menu);
        actionNamed(*menu, text::CancelExclusion)->trigger();
        QCOMPARE(w.entry().ranges.size(), std::size_t(1));
        QCOMPARE(ranges.count(), 4);

        // Ctrl+Z brings the exclusion back to the bar and the entry; Ctrl+Y takes it away again.
        r.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&r));
        QTest::keyClick(&r, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.entry().ranges.size(), std::size_t(2));
        QCOMPARE(ranges.count(), 5);
        QVERIFY(!inZone(r, 0).isNull());
        QTest::keyClick(&r, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(w.entry().ranges.size(), std::size_t(1));
        QCOMPARE(w.f.prompts.unexpected, 0);
        QVERIFY(w.f.prompts.messages.isEmpty());
    }

    void overlappingZonesArePickedAndTheCheckboxIsStored() {
        RangesWalk w;
        w.open();
        if (QTest::currentTestFailed()) return;
        RangesWindow& r = *w.window;
        w.sliders(10, 40);
        for (int i = 0; i < 2; ++i) {
            whenShown<CorrectionsDialog>([](CorrectionsDialog& d) { d.accept(); });
            QTest::mouseClick(r.correctionsButton(), Qt::LeftButton);
        }
        // Two zones under the point: the picker names them, the second is chosen.
        w.f.prompts.items.push_back(1);
        std::unique_ptr<QMenu> menu = r.menuAt(inZone(r, 0));
        QVERIFY(menu);
        actionNamed(*menu, text::CancelCorrection)->trigger();
        QCOMPARE(w.file().ranges.zoneCount(), std::size_t(1));
        QVERIFY(r.menuAt(inZone(r, 0)));  // one zone left: no picker needed
        QCOMPARE(w.f.prompts.unexpected, 0);

        // A bad correction is refused and nothing is stored.
        whenShown<CorrectionsDialog>([](CorrectionsDialog& d) {
            d.edits().front()->setText("abc");
            d.accept();
            QVERIFY(d.isVisible());
            d.reject();
        });
        QTest::mouseClick(r.correctionsButton(), Qt::LeftButton);
        QCOMPARE(w.file().ranges.zoneCount(), std::size_t(1));
        QCOMPARE(w.f.prompts.messages.size(), 1);

        // Inverting the (no) exclusions excludes the whole record.
        QTest::mouseClick(r.invertButton(), Qt::LeftButton);
        QCOMPARE(w.file().ranges.zoneCount(), std::size_t(2));
        QCOMPARE(w.file().ranges.zone(1).exclusion, 1);

        // The slider edits and the bar write a time alike, relative or on the instrument's clock.
        w.sliders(0, 0);
        QVERIFY(r.relativeTimes()->isChecked());  // default 1
        QCOMPARE(r.timeEdit(0)->text(), r.bar()->endTimeTexts().first);
        r.relativeTimes()->click();
        QCOMPARE(w.f.settings().integer("RangeDlg", "bATime", 1), 0);
        QCOMPARE(r.timeEdit(0)->text(), r.bar()->endTimeTexts().first);
        QVERIFY(r.timeEdit(0)->text().count(':') == 2);
    }
};

PHONOTAB_REGISTER_TEST(RangesWindowTest)
#include "RangesWindowTest.moc"
