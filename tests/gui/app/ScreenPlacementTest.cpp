#include <QTest>

#include "TestMain.h"
#include "gui/base/ScreenPlacement.h"

using namespace phonotab;

namespace {
const QSize kMinimum(740, 445);
const QRect kPrimary(0, 0, 1920, 1050);        // a panel below
const QRect kRight(1920, 0, 1280, 1024);       // a second screen to the right
const QList<QRect> kScreens = {kPrimary, kRight};
}  // namespace

class ScreenPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void mainWindow_data() {
        QTest::addColumn<QRect>("stored");  // null: none stored
        QTest::addColumn<QRect>("expected");
        // Never placed: centred at three quarters of the primary screen.
        QTest::newRow("none stored") << QRect() << QRect(240, 131, 1440, 787);
        QTest::newRow("kept where stored") << QRect(100, 120, 900, 600)
                                           << QRect(100, 120, 900, 600);
        QTest::newRow("small one grows in place") << QRect(100, 120, 500, 300)
                                                  << QRect(100, 120, 740, 445);
        QTest::newRow("on the second screen") << QRect(2000, 200, 800, 500)
                                              << QRect(2000, 200, 800, 500);
        // The stored default corner: the title bar would lie above the screen.
        QTest::newRow("title bar above the screen") << QRect(0, 0, 740, 445)
                                                    << QRect(590, 302, 740, 445);
        QTest::newRow("on a screen no longer there") << QRect(3400, 100, 800, 600)
                                                     << QRect(560, 225, 800, 600);
        QTest::newRow("far left and larger than the screen")
            << QRect(-5000, 40, 2500, 1400) << QRect(0, 32, 1920, 1018);
        QTest::newRow("only a corner shows") << QRect(1890, 1060, 800, 500)
                                             << QRect(560, 275, 800, 500);
    }
    void mainWindow() {
        QFETCH(QRect, stored);
        QFETCH(QRect, expected);
        const QRect r =
            mainWindowRect(stored.isNull() ? std::nullopt : std::optional(stored), kMinimum, kScreens, kPrimary);
        QCOMPARE(r, expected);
        QVERIFY(titleBarReachable(r, kScreens));
    }

    void smallScreenKeepsTheMinimumSize() {
        const QRect screen(0, 0, 800, 600);
        const QRect r = mainWindowRect(std::nullopt, kMinimum, {screen}, screen);
        QCOMPARE(r.size(), QSize(740, 450));
        QVERIFY(screen.contains(r));
        QVERIFY(titleBarReachable(r, {screen}));
    }

    void childWindowsCascadeInsideTheScreen() {
        const QRect area(0, 0, 1280, 1000);
        const QSize size(420, 300);
        const QPoint main(100, 80);
        QList<QPoint> seen;
        for (int n = 0; n < 40; ++n) {
            const QPoint p = cascadePosition(main, n, size, area);
            QVERIFY2(area.contains(QRect(p, size)), qPrintable(QString("window %1 leaves the screen").arg(n)));
            QVERIFY(titleBarReachable(QRect(p, size), {area}));
            if (n < 10) QVERIFY(!seen.contains(p));  // the first ones never cover each other
            seen << p;
        }
        QCOMPARE(seen[0], QPoint(130, 110));
        QCOMPARE(seen[1], QPoint(160, 140));
        // Down to the bottom edge, then back to the first place.
        const int places = (1000 - 300 - 80) / kCascadeStep;
        QCOMPARE(seen[places - 1].y() + size.height() <= 1000, true);
        QCOMPARE(seen[places], seen[0]);

        // A main window off the area's corner, and a window larger than the area.
        QCOMPARE(cascadePosition(QPoint(-300, -200), 0, size, area), QPoint(30, 62));
        QCOMPARE(cascadePosition(main, 3, QSize(2000, 300), area).x(), 0);
        QCOMPARE(cascadePosition(main, 3, QSize(400, 2000), area).y(), kTitleBarAllowance);
    }
};

PHONOTAB_REGISTER_TEST(ScreenPlacementTest)
#include "ScreenPlacementTest.moc"
