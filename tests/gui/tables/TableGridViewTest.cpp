// The grid view alone: selecting with the mouse and the keys, the menus'
// signals, the hints, and painting only what is visible.
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "TestMain.h"
#include "core/tables/TableCommands.h"
#include "gui/tables/TableGridView.h"

Q_DECLARE_METATYPE(phonotab::CellKey)

using namespace phonotab;
using namespace phonotab::testing;

namespace {

QPoint centre(TableGridView& v, CellKey k) { return v.cellRect(k).center(); }

}  // namespace

class TableGridViewTest : public QObject {
    Q_OBJECT
private slots:
    void mouseDragGrowsOverMergedBlocksAndKeysMove() {
        ReportTable t(40, 6);
        MergeCellsCommand(t, CellRect{1, 1, 3, 3});  // B2:C3
        TableGridView v;
        v.setTable(&t);
        v.resize(500, 300);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QSignalSpy changed(&v, &TableGridView::selectionChanged);

        QTest::mousePress(v.viewport(), Qt::LeftButton, {}, centre(v, {0, 0}));
        QMouseEvent move(QEvent::MouseMove, centre(v, {1, 1}), v.viewport()->mapToGlobal(centre(v, {1, 1})),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(v.viewport(), &move);
        QTest::mouseRelease(v.viewport(), Qt::LeftButton, {}, centre(v, {1, 1}));
        QCOMPARE(t.selection.rect, (CellRect{0, 0, 3, 3}));
        QCOMPARE(t.selection.cells.size(), std::size_t(9));
        QVERIFY(changed.count() >= 2);

        // A click inside the block selects the whole block.
        QTest::mouseClick(v.viewport(), Qt::LeftButton, {}, v.cellRect({1, 1}).bottomRight() - QPoint(3, 3));
        QCOMPARE(t.selection.rect, (CellRect{1, 1, 3, 3}));
        QTest::keyClick(&v, Qt::Key_Down);
        QCOMPARE(t.selection.rect, (CellRect{1, 3, 2, 4}));
        QTest::keyClick(&v, Qt::Key_PageDown);
        QCOMPARE(t.selection.rect, (CellRect{1, 13, 2, 14}));
        // The view scrolled so the cell shows.
        QVERIFY(v.viewport()->rect().contains(v.cellRect({1, 13})));
        QSignalSpy cleared(&v, &TableGridView::clearRequested);
        QTest::keyClick(&v, Qt::Key_Delete);
        QCOMPARE(cleared.count(), 1);
        QSignalSpy activated(&v, &TableGridView::cellActivated);
        QTest::keyClick(&v, Qt::Key_Return);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.at(0).at(0).value<CellKey>(), (CellKey{1, 13}));
    }

    void headersCellsAndHints() {
        ReportTable t(5, 5);
        TableGridView v;
        v.setTable(&t);
        v.setHintProvider([](CellKey k) { return QStringLiteral("ячейка %1").arg(k.row); });
        v.resize(400, 200);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        const QRect c = v.cellRect({0, 2});
        QCOMPARE(v.rowHeaderAt(QPoint(5, c.center().y())), 2);
        QCOMPARE(v.columnHeaderAt(QPoint(v.cellRect({3, 0}).center().x(), 5)), 3);
        QCOMPARE(v.cellAt(QPoint(5, 5)), std::optional<CellKey>());
        QCOMPARE(TableGridView::columnName(0), QStringLiteral("A"));
        QCOMPARE(TableGridView::columnName(26), QStringLiteral("AA"));
        QCOMPARE(TableGridView::columnName(52), QStringLiteral("BA"));

        QSignalSpy rowMenu(&v, &TableGridView::rowHeaderMenuRequested);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, c.center().y()));
        QApplication::sendEvent(v.viewport(), &menu);
        QCOMPARE(rowMenu.count(), 1);
        QCOMPARE(rowMenu.at(0).at(0).toInt(), 2);

        // A right click on a cell outside the selection selects it first.
        QSignalSpy cellMenu(&v, &TableGridView::cellMenuRequested);
        QContextMenuEvent onCell(QContextMenuEvent::Mouse, v.cellRect({4, 4}).center());
        QApplication::sendEvent(v.viewport(), &onCell);
        QCOMPARE(cellMenu.count(), 1);
        QCOMPARE(t.selection.rect, (CellRect{4, 4, 5, 5}));
    }

    void paintsOnlyTheVisibleCellsOfALargeTable() {
        ReportTable t(1000, 1000);
        TableGridView v;
        v.setTable(&t);
        DisplayTexts texts(1000, 1000);
        texts.set({500, 500}, "x");
        v.setDisplayTexts(texts);
        v.resize(700, 420);
        v.horizontalScrollBar()->setValue(500 * 70);
        v.verticalScrollBar()->setValue(500 * 20);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        v.viewport()->repaint();
        // About (700 - 40) / 70 columns by (420 - 20) / 20 rows, a partial one more each way.
        QVERIFY2(v.paintedCells() > 0 && v.paintedCells() <= 11 * 22, qPrintable(QString::number(v.paintedCells())));
        QCOMPARE(v.cellAt(v.cellRect({500, 500}).center()), std::optional<CellKey>(CellKey{500, 500}));
    }
};

PHONOTAB_REGISTER_TEST(TableGridViewTest)
#include "TableGridViewTest.moc"
