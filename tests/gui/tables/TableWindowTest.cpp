// Walks of the table window as a user works in it: the header and cell menus,
// undo and redo, the clipboard between two open tables and to other programs,
// saving a new table and the question on closing.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QTest>

#include <memory>

#include "AppFixture.h"
#include "TestMain.h"
#include "TableWalk.h"
#include "gui/tables/TableWindow.h"
#include "gui/tables/TableGridView.h"
#include "core/tables/io/TableFile.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

ReportTable numbered(int rows, int columns, const std::string& name) {
    ReportTable t(rows, columns);
    t.name = name;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) t.texts[{c, r}] = std::to_string(10 * r + c);
    return t;
}

}  // namespace

class TableWindowTest : public QObject {
    Q_OBJECT
private slots:
    void headerMenusChangeTheStructureAndUndoTakesThemBack() {
        AppFixture app;
        app.start();
        TableWindow w(app.session(), numbered(3, 2, "Шум"), nullptr);
        QCOMPARE(w.windowTitle(), QStringLiteral("Шум"));
        // A freshly opened window has nothing to undo.
        QVERIFY(!w.action(TableWindow::Command::Undo)->isEnabled());
        QVERIFY(!w.action(TableWindow::Command::Redo)->isEnabled());
        int changes = 0;
        connect(&w, &TableWindow::tableChanged, [&] { ++changes; });

        trigger(w.rowHeaderMenu(1), text::InsertRowAfter);
        QCOMPARE(w.table().rowCount(), 4);
        QCOMPARE(w.displayTexts().at(0, 3), std::string("20"));
        trigger(w.columnHeaderMenu(0), text::ExcludeColumn);
        QVERIFY(!w.table().columnInReport(0));
        // The menu now offers the opposite.
        QVERIFY(actionNamed(*w.columnHeaderMenu(0), text::IncludeColumn));
        QCOMPARE(changes, 2);
        QVERIFY(w.action(TableWindow::Command::Undo)->isEnabled());

        w.action(TableWindow::Command::Undo)->trigger();
        w.action(TableWindow::Command::Undo)->trigger();
        QCOMPARE(w.table().rowCount(), 3);
        QVERIFY(w.table().columnInReport(0));
        QVERIFY(!w.action(TableWindow::Command::Undo)->isEnabled());
        w.action(TableWindow::Command::Redo)->trigger();
        QCOMPARE(w.table().rowCount(), 4);
    }

    void cellBlockGoesBetweenTwoOpenTablesAndUndoes() {
        AppFixture app;
        app.start();
        ReportTable withFormula = numbered(3, 3, "Источник");
        withFormula.formulas[{2, 2}].text = "A1+B1";
        TableWindow source(app.session(), std::move(withFormula), nullptr);
        TableWindow target(app.session(), ReportTable(4, 4), nullptr);
        select(source, {1, 1, 3, 3});
        trigger(source.cellMenu({1, 1}), text::CopyCells);
        // Other programs get the texts.
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("11\t12\r\n21\t1.0"));

        trigger(target.cellMenu({0, 0}), text::PasteCells);
        QCOMPARE(target.table().texts.at({0, 0}), std::string("11"));
        QCOMPARE(target.table().formulas.at({1, 1}).text, std::string("A1+B1"));
        QCOMPARE(target.displayTexts().at(1, 1), std::string("23.0"));  // its own A1 + B1
        target.action(TableWindow::Command::Undo)->trigger();
        QVERIFY(target.table().texts.empty());
        QVERIFY(target.table().formulas.empty());

        // Once the source window is gone its block names no open table.
        {
            TableWindow gone(app.session(), numbered(2, 2, "Закрыта"), nullptr);
            select(gone, {0, 0, 1, 1});
            trigger(gone.cellMenu({0, 0}), text::CopyCells);
        }
        trigger(target.cellMenu({3, 3}), text::PasteCells);
        QVERIFY(target.table().texts.empty());
    }

    void copiesTheTableAsHtmlAndPastesPlainText() {
        AppFixture app;
        app.start();
        TableWindow w(app.session(), numbered(2, 2, "Шум"), nullptr);
        w.table().cell(0, 0).background = 0x0000FF;  // red in the table's colour words
        w.action(TableWindow::Command::CopyColour)->trigger();
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(data->hasHtml());
        const QString html = QString::fromUtf8(data->data(QStringLiteral("text/html")));
        QVERIFY(html.startsWith(QStringLiteral("<HTML>")));
        QVERIFY(html.contains(QStringLiteral("11")));
        QVERIFY(html.contains(QStringLiteral("#FF0000"), Qt::CaseInsensitive));
        QCOMPARE(data->text(), QStringLiteral("0\t1\r\n10\t11"));
        w.action(TableWindow::Command::CopyBlackAndWhite)->trigger();
        QVERIFY(!QString::fromUtf8(QApplication::clipboard()->mimeData()->data(QStringLiteral("text/html")))
                     .contains(QStringLiteral("#FF0000"), Qt::CaseInsensitive));

        // Every column left out of the report: nothing is copied, and the user hears why.
        QApplication::clipboard()->setText(QStringLiteral("held before"));
        for (int c = 0; c < w.table().columnCount(); ++c) w.table().setColumnInReport(c, false);
        w.action(TableWindow::Command::CopyColour)->trigger();
        QCOMPARE(app.prompts.messages.size(), 1);
        QCOMPARE(app.prompts.messages.front(), QString::fromStdString(Message(msg::NothingToCopy).text()));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("held before"));
        for (int c = 0; c < w.table().columnCount(); ++c) w.table().setColumnInReport(c, true);
        app.prompts.messages.clear();

        // Ctrl+V pastes text from the selection's first cell; Ctrl+Z takes it back.
        QApplication::clipboard()->setText(QStringLiteral("a\tb"));
        select(w, {0, 1, 1, 2});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();
        w.grid().setFocus();
        QTest::keyClick(&w.grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.table().texts.at({0, 1}), std::string("a"));
        QCOMPARE(w.table().texts.at({1, 1}), std::string("b"));
        QTest::keyClick(&w.grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.table().texts.at({0, 1}), std::string("10"));
    }

    void aNewTableIsSavedThroughTheSaveAsDialog() {
        AppFixture app;
        app.start();
        auto* w = new TableWindow(app.session(), ReportTable(2, 2), nullptr);
        w->table().texts[{0, 0}] = "набрано";
        w->table().SetModified();
        const QString path = QDir(app.folder(QStringLiteral("tables"))).filePath(QStringLiteral("Новая.tbl"));
        // Closing asks; Yes saves, and the save asks where since the table has no file.
        app.prompts.answers = {Prompts::Answer::Yes};
        app.prompts.files = {path};
        QVERIFY(w->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ReportTable read;
        QVERIFY(TableFile::Load(read, path.toStdString(), nullptr).ok());
        QCOMPARE(read.texts.at({0, 0}), std::string("набрано"));
    }

    void closingAskedKeepsTheWindowOnCancelAndOnAFailedSave() {
        AppFixture app;
        app.start();
        TableWindow w(app.session(), numbered(2, 2, "Шум"), nullptr);
        w.setAttribute(Qt::WA_DeleteOnClose, false);
        w.show();
        w.table().SetModified();
        app.prompts.answers = {Prompts::Answer::Cancel};
        QVERIFY(!w.close());
        QVERIFY(w.table().modified());
        // Yes, but the save-as dialog is cancelled: nothing is lost.
        app.prompts.answers = {Prompts::Answer::Yes};
        QVERIFY(!w.close());
        QVERIFY(w.table().modified());
        // Yes, and the file cannot be written: the message, and the window stays.
        app.prompts.answers = {Prompts::Answer::Yes};
        app.prompts.files = {QStringLiteral("/nonexistent-folder/x.tbl")};
        QVERIFY(!w.close());
        QCOMPARE(app.prompts.messages.size(), 1);
        QVERIFY(w.table().modified());
        app.prompts.answers = {Prompts::Answer::No};
        QVERIFY(w.close());
    }

    void mergeSelectLinkedAndExportAsAUserDoes() {
        AppFixture app;
        app.start();
        ReportTable table = numbered(3, 3, "Шум");
        table.formulas[{2, 2}].text = "A1+B2";
        TableWindow w(app.session(), std::move(table), nullptr);
        select(w, {0, 0, 2, 1});
        trigger(w.cellMenu({0, 0}), text::MergeCells);
        QVERIFY(w.table().covered(1, 0));
        trigger(w.cellMenu({0, 0}), text::UnmergeCells);
        QVERIFY(!w.table().covered(1, 0));
        select(w, {2, 2, 3, 3});
        trigger(w.cellMenu({2, 2}), text::SelectLinkedCells);
        QVERIFY(w.table().selection.cells.count({0, 0}));
        QVERIFY(w.table().selection.cells.count({1, 1}));

        // The workbook goes where the user says and opens with the desktop's program.
        const QString xlsx = QDir(app.folder(QStringLiteral("export"))).filePath(QStringLiteral("Шум.xlsx"));
        app.prompts.files = {xlsx};
        w.action(TableWindow::Command::ExportWorkbook)->trigger();
        QVERIFY(QFileInfo(xlsx).size() > 0);
        QCOMPARE(app.prompts.opened.value(0), xlsx);
        w.table().SetModified(false);
    }

    void embeddedFormHasNoSave() {
        AppFixture app;
        app.start();
        TableWindow w(app.session(), numbered(2, 2, "Шум"), nullptr, TableWindowForm::Embedded);
        QVERIFY(!w.action(TableWindow::Command::Save)->isEnabled());
    }
};

PHONOTAB_REGISTER_TEST(TableWindowTest)
#include "TableWindowTest.moc"
