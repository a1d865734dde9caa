// Walks of the table window's cell commands with the real dialogs: a formula
// typed and wrapped, a cell bound to a project result through the parameter
// chooser that shows its value after the project's recalculation, and the
// demo project's table macro answered through its popup menu.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "AppFixture.h"
#include "TestMain.h"
#include "TableWalk.h"
#include "gui/acoustics/ParameterChooserDialog.h"
#include "gui/app/ChildWindowList.h"
#include "gui/project/ProjectFilesWindow.h"
#include "gui/tables/TableWindow.h"
#include "gui/tables/DataFileParameterDialog.h"
#include "gui/tables/FormulaDialog.h"
#include "gui/tables/MacroEditorDialog.h"
#include "gui/tables/TextDialog.h"
#include "gui/tables/GraphSettingsDialog.h"
#include "gui/plotwindows/HistogramPlotWindow.h"
#include "gui/tables/CellFormatDialog.h"
#include "gui/tables/TablePropertiesDialog.h"
#include <QCheckBox>
#include <QSpinBox>
#include "core/tables/formula/FormulaDialogText.h"

#include <QPlainTextEdit>

using namespace phonotab;
using namespace phonotab::testing;

namespace {

// Picks the item at `position` of the next popup menu by the keys, as a user would.
void whenPopup(int position) {
    QTimer::singleShot(0, [position] {
        QWidget* popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        for (int i = 0; i <= position; ++i) QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
    });
}

}  // namespace

class TableCellCommandsWalkTest : public QObject {
    Q_OBJECT
private slots:
    void formulaTextAndMacroThroughTheirDialogs() {
        AppFixture app;
        app.start();
        TableWindow w(app.session(), ReportTable(3, 2), nullptr);
        select(w, {1, 0, 2, 2});
        whenShown<FormulaDialog>([](FormulaDialog& d) {
            d.edit->setText(QStringLiteral("2+3"));
            d.wraps[static_cast<std::size_t>(FormulaWrap::Max)]->click();
            QCOMPARE(d.edit->text(), QStringLiteral("MAX(2+3)"));
            d.accept();
        });
        w.activateCell({1, 0}, false);  // a double click on a plain cell opens the formula dialog
        QCOMPARE(w.table().formulas.at({1, 0}).text, std::string("MAX(2+3)"));
        QCOMPARE(w.displayTexts().at(1, 0), std::string("5.0"));
        QCOMPARE(w.displayTexts().at(1, 1), std::string("5.0"));

        select(w, {0, 2, 1, 3});
        whenShown<TextDialog>([](TextDialog& d) {
            d.edit->setPlainText(QStringLiteral("две\nстроки"));
            d.accept();
        });
        trigger(w.cellMenu({0, 2}), text::CellText);
        QCOMPARE(w.table().texts.at({0, 2}), std::string("две\r\nстроки"));

        whenShown<MacroEditorDialog>([](MacroEditorDialog& d) {
            d.edit->setPlainText(QStringLiteral("a1 = 7"));
            d.accept();
        });
        trigger(w.cellMenu({0, 1}), text::SetMacro);
        QCOMPARE(w.table().macros.at({0, 1}), std::string("A1 = 7"));
        w.activateCell({0, 1}, false);  // runs it
        QCOMPARE(w.table().texts.at({0, 0}), std::string("7"));
        w.action(TableWindow::Command::Undo)->trigger();
        QCOMPARE(w.table().texts.count({0, 0}), std::size_t(0));
    }

    void formatAndPropertiesDialogs() {
        AppFixture app;
        app.start();
        ReportTable table(3, 3);
        table.cell(0, 0).font |= cellfont::Bold;
        TableWindow w(app.session(), std::move(table), nullptr);
        select(w, {0, 0, 2, 2});
        // A refused width keeps the dialog open with the message; then bold is set for all.
        whenShown<CellFormatDialog>([&](CellFormatDialog& d) {
            QCOMPARE(d.bold->checkState(), Qt::PartiallyChecked);  // the cells differ
            QCOMPARE(d.width->text(), QStringLiteral("70"));
            d.width->setText(QStringLiteral("0"));
            d.accept();
            QVERIFY(d.isVisible());
            QCOMPARE(app.prompts.messages.size(), 1);
            d.width->setText(QStringLiteral("100"));
            d.bold->setCheckState(Qt::Checked);
            d.accept();
        });
        trigger(w.cellMenu({0, 0}), text::CellFormat);
        QVERIFY(w.table().cell(1, 1).font & cellfont::Bold);
        QCOMPARE(w.table().cell(1, 0).width, 100);
        QCOMPARE(w.table().cell(2, 0).width, 70);
        w.action(TableWindow::Command::Undo)->trigger();
        QVERIFY(!(w.table().cell(1, 1).font & cellfont::Bold));
        QCOMPARE(w.table().cell(1, 0).width, 70);

        whenShown<TablePropertiesDialog>([](TablePropertiesDialog& d) {
            QCOMPARE(d.rowCount->maximum(), ReportTable::MaxRows);
            d.rowCount->setValue(5);
            d.nameEdit->setText(QStringLiteral("Новое имя"));
            d.accept();
        });
        w.action(TableWindow::Command::SizeAndName)->trigger();
        QCOMPARE(w.table().rowCount(), 5);
        QCOMPARE(w.windowTitle(), QStringLiteral("Новое имя"));

        // Shrinking over a filled cell asks first: No keeps the table, Yes
        // shrinks it, and Undo gives the cell back.
        w.table().texts[{2, 4}] = "keep";
        auto shrink = [&](Prompts::Answer answer) {
            app.prompts.answers = {answer};
            whenShown<TablePropertiesDialog>([](TablePropertiesDialog& d) {
                d.rowCount->setValue(2);
                d.accept();
            });
            w.action(TableWindow::Command::SizeAndName)->trigger();
        };
        shrink(Prompts::Answer::No);
        QCOMPARE(app.prompts.questions.size(), 1);
        QCOMPARE(w.table().rowCount(), 5);
        shrink(Prompts::Answer::Yes);
        QCOMPARE(w.table().rowCount(), 2);
        QVERIFY(w.table().texts.empty());
        w.action(TableWindow::Command::Undo)->trigger();
        QCOMPARE(w.table().rowCount(), 5);
        QCOMPARE(w.table().texts.at({2, 4}), std::string("keep"));
        w.table().SetModified(false);
    }

    void graphSettingsAndShowingTheGraph() {
        AppFixture app;
        app.start();
        ReportTable table(4, 2);
        for (int r = 0; r < 4; ++r) {
            table.texts[{0, r}] = std::to_string(63 << r);
            table.texts[{1, r}] = std::to_string(40 + r);
        }
        table.texts[{1, 3}] = "шум";
        TableWindow w(app.session(), std::move(table), nullptr);
        whenShown<GraphSettingsDialog>([](GraphSettingsDialog& d) {
            d.series[1].range->setText(QStringLiteral("B1:B4"));
            d.marking->setText(QStringLiteral("A1:A4"));
            d.accept();
        });
        w.action(TableWindow::Command::GraphSettings)->trigger();
        QCOMPARE(w.table().graph.series[1].cellRange, std::string("B1:B4"));
        QVERIFY(w.table().modified());
        // A text among the numbers: 303 naming the second graph, no window.
        w.action(TableWindow::Command::ShowGraph)->trigger();
        QCOMPARE(app.prompts.messages.size(), 1);
        QCOMPARE(app.prompts.messages[0], QString::fromStdString(Message(msg::GraphCellError, 2).text()));
        QVERIFY(w.findChildren<HistogramPlotWindow*>().isEmpty());
        whenShown<GraphSettingsDialog>([](GraphSettingsDialog& d) {
            d.series[1].range->setText(QStringLiteral("B1:B3"));
            d.accept();
        });
        w.action(TableWindow::Command::GraphSettings)->trigger();
        w.action(TableWindow::Command::ShowGraph)->trigger();
        QCOMPARE(w.findChildren<HistogramPlotWindow*>().size(), 1);
        w.table().SetModified(false);
    }

    void aBoundCellShowsItsValueAfterTheProjectIsRecalculated() {
        AppFixture app;
        app.start();
        // A copy of the demo project: the recalculation writes result files beside its data.
        const QString work = app.openDemoCopy(QStringLiteral("work"));
        QVERIFY(!work.isEmpty());
        auto* w = new TableWindow(app.session(), ReportTable(2, 2), &app.window());
        select(*w, {0, 0, 1, 1});
        QString source;
        whenShown<ParameterChooserDialog>([&](ParameterChooserDialog& d) {
            source = d.source->currentText();
            QVERIFY(d.item->isVisible() || !d.item->isHidden());
            QVERIFY(d.bands->count() > 0);
            d.bands->setCurrentRow(0);
            d.accept();
        });
        trigger(w->cellMenu({0, 0}), text::ProjectData);
        QCOMPARE(w->table().bindings.size(), std::size_t(1));
        const CellBinding bound = w->table().bindings.begin()->second;
        QVERIFY(source.startsWith(QString::fromStdString(bound.sourceName)));
        QCOMPARE(bound.itemIndex, CellBinding::Leq);
        QCOMPARE(w->displayTexts().at(0, 0), std::string("???"));

        app.window().run(command::ShowProjectFiles);
        auto* files = dynamic_cast<ProjectFilesWindow*>(app.window().windows().find(WindowKind::ProjectFiles));
        QVERIFY(files);
        files->recalculate(true, false);
        const double value = w->table().bindings.begin()->second.value;
        QVERIFY(value > 0.0);
        QCOMPARE(w->displayTexts().at(0, 0), QString::asprintf("%.1f", value).toStdString());
        w->table().SetModified(false);
        w->close();
    }

    void theDemoTablesMacroAsksForItsVariant() {
        AppFixture app;
        app.start();
        QVERIFY(app.session().loadProject(QFileInfo(demoFile("demo.pht")).absoluteFilePath()));
        QVERIFY(!app.session().state().tables.empty());
        TableWindow w(app.session(), app.session().state().tables[0].table, nullptr);
        const CellKey macroCell{0, 7};
        QVERIFY(w.table().macros.count(macroCell));
        whenPopup(1);  // the second variant: the night's limits
        w.activateCell(macroCell, false);
        QCOMPARE(w.displayTexts().at(0, 7), std::string("Норма ночью"));
        QCOMPARE(w.displayTexts().at(1, 7), std::string("30"));
        QVERIFY(w.table().modified());
        w.action(TableWindow::Command::Undo)->trigger();
        QVERIFY(w.displayTexts().at(1, 7) != "30");
        w.table().SetModified(false);
    }

    // "Данные из файла": a demo file chosen, its record, channel, type and mode
    // in the chooser, two bands from the first into two cells; then undone.
    void cellsTakeValuesFromADataFileThroughTheChooser() {
        AppFixture app;
        app.start();
        TableWindow w(app.session(), ReportTable(3, 2), nullptr);
        select(w, {0, 0, 2, 1});
        app.prompts.files = {demoFile("SLM101_street_day.bin")};
        QString firstBand;
        whenShown<DataFileParameterDialog>([&](DataFileParameterDialog& d) {
            QVERIFY(d.record->count() > 0 && d.channel->count() > 0 && d.type->count() > 0 && d.mode->count() > 0);
            QVERIFY(d.bands->count() > 1);
            QCOMPARE(d.count->value(), 2);  // as many as the cells chosen
            // Another channel, then back: the levels below follow.
            if (d.channel->count() > 1) {
                d.channel->setCurrentIndex(1);
                d.channel->setCurrentIndex(0);
            }
            QVERIFY(d.bands->count() > 1);
            d.bands->setCurrentRow(0);
            firstBand = d.bands->currentItem()->text();
            d.accept();
        });
        trigger(w.cellMenu({0, 0}), text::FileData);
        QVERIFY(!firstBand.isEmpty());
        for (int c : {0, 1}) {
            bool number = false;
            QString::fromStdString(w.displayTexts().at(c, 0)).toDouble(&number);
            QVERIFY2(number, w.displayTexts().at(c, 0).c_str());
        }
        QVERIFY(w.displayTexts().at(2, 0).empty());
        QCOMPARE(app.prompts.unexpected, 0);
        w.action(TableWindow::Command::Undo)->trigger();
        QVERIFY(w.displayTexts().at(0, 0).empty());
        w.table().SetModified(false);
    }

    // "Подменить источник данных": a bound cell of the demo table takes another
    // measuring point of the same kind.
    void aBoundCellTakesAnotherSource() {
        AppFixture app;
        app.start();
        QVERIFY(app.session().loadProject(QFileInfo(demoFile("demo.pht")).absoluteFilePath()));
        TableWindow w(app.session(), app.session().state().tables[0].table, nullptr);
        const CellKey cell{1, 1};
        QCOMPARE(w.table().bindings.at(cell).sourceName, std::string("Улица день"));
        select(w, {1, 1, 2, 2});
        app.prompts.items = {2};  // the third file of the project: "Двор"
        trigger(w.cellMenu(cell), text::ReplaceSource);
        QCOMPARE(w.table().bindings.at(cell).sourceName, std::string("Двор"));
        QCOMPARE(app.prompts.unexpected, 0);
        w.table().SetModified(false);
    }
};

PHONOTAB_REGISTER_TEST(TableCellCommandsWalkTest)
#include "TableCellCommandsWalkTest.moc"
