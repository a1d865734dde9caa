// A walk of the report window: the title page filled, a standard table added
// to the report, a picture added as an illustration, and the report written
// through the shipped template with scripted file dialogs, then read back by
// python-docx.
#include <QDir>
#include <QFile>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "AppFixture.h"
#include "TestMain.h"
#include "WindowWalk.h"
#include "gui/app/ChildWindowList.h"
#include "core/base/StringTable.h"
#include "core/project/ProjectPaths.h"
#include "gui/project/ReportWindow.h"
#include "gui/project/ProjectFilesWindow.h"
#include "gui/project/ReportIllustrationList.h"
#include "gui/project/TextChooserDialog.h"
#include <QListWidget>
#include "gui/tables/TableWindow.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

// The document as python-docx reads it: its paragraphs' texts, then "tables N",
// the first cell, "pictures N" and the text of every table cell ("td ...").
QStringList readBack(const QString& path) {
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, docx\nd = docx.Document(sys.argv[1])\n"
                                 "for p in d.paragraphs: print('p ' + p.text)\n"
                                 "print('tables %d' % len(d.tables))\n"
                                 "print('cell ' + d.tables[0].cell(0, 0).text if d.tables else 'cell')\n"
                                 "print('pictures %d' % len(d.inline_shapes))\n"
                                 "for t in d.tables:\n"
                                 "    for row in t.rows:\n"
                                 "        for c in row.cells: print('td ' + c.text)\n"),
                  path});
    python.waitForFinished(60000);
    return QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// The program's PATH changed for a walk, then restored.
class SearchPathForWalk {
public:
    explicit SearchPathForWalk(const QString& path) : old_(qgetenv("PATH")) { qputenv("PATH", path.toLocal8Bit()); }
    ~SearchPathForWalk() { qputenv("PATH", old_); }

private:
    QByteArray old_;
};

// A stand-in for LibreOffice: its "PDF" holds the document it was given.
bool writeFakeOffice(const QString& folder) {
    QFile script(folder + "/soffice");
    if (!script.open(QIODevice::WriteOnly)) return false;
    script.write("#!/bin/sh\n"
                 "PATH=/usr/bin:/bin\n"  // the walk's own PATH holds the stand-in alone
                 "for a; do [ \"$prev\" = --outdir ] && out=$a; prev=$a; doc=$a; done\n"
                 "name=$(basename \"$doc\" .docx)\n"
                 "{ printf '%%PDF-1.4\\n'; cat \"$doc\"; printf '\\n%%%%EOF\\n'; } > \"$out/$name.pdf\"\n");
    script.close();
    return script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
}

// The report window, shown through the main window's command.
ReportWindow* reportWindow(AppFixture& f) {
    f.window().run(command::ShowReport);
    return dynamic_cast<ReportWindow*>(f.window().windows().find(WindowKind::Report));
}

}  // namespace

class ReportWindowTest : public QObject {
    Q_OBJECT
private slots:
    void fillAddAndWriteTheReport() {
        AppFixture f;
        f.start();
        const QString work = f.openDemoCopy(QStringLiteral("work"));
        QVERIFY(!work.isEmpty());
        ReportWindow* w = reportWindow(f);
        QVERIFY(w);
        const std::size_t tablesBefore = f.session().state().tables.size();
        QCOMPARE(static_cast<std::size_t>(w->tabs()->count()), 3 + tablesBefore);

        // The title page: a protocol number typed, and "Сегодня" for the date.
        qobject_cast<QLineEdit*>(w->textField(ReportText::ProtocolNumber))->setText(QStringLiteral("П-17/2026"));
        for (QPushButton* b : w->findChildren<QPushButton*>())
            if (b->text() == QString::fromStdString(phonotab::tr(text::Today))) b->click();
        QVERIFY(!qobject_cast<QLineEdit*>(w->textField(ReportText::MeasurementDate))->text().isEmpty());

        // A standard table from the store into the report.
        f.prompts.items = {0};
        w->addTableAction()->trigger();
        QCOMPARE(f.session().state().tables.size(), tablesBefore + 1);
        QCOMPARE(static_cast<std::size_t>(w->tabs()->count()), 4 + tablesBefore);
        QVERIFY(w->tableWindow(tablesBefore));
        QVERIFY(!w->tableWindow(tablesBefore)->action(TableWindow::Command::Save)->isEnabled());

        // A picture file as an illustration, its caption typed.
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        const QString png = work + "/рисунок.png";
        QVERIFY(picture.save(png));
        f.prompts.files = {png};
        f.prompts.texts = {QStringLiteral("Зелёный рисунок")};
        const std::size_t illustrationsBefore = f.session().state().illustrations.size();
        actionNamed(*w->illustrationList()->menu(-1), text::AddIllustration)->trigger();
        QCOMPARE(f.session().state().illustrations.size(), illustrationsBefore + 1);
        QCOMPARE(f.session().state().illustrations.back().caption, std::string("Зелёный рисунок"));
        // In the working folder: stored relative to it, so that the link moves with the project.
        QCOMPARE(f.session().state().illustrations.back().picturePath, std::string("рисунок.png"));
        QCOMPARE(w->illustrationList()->currentIndex().row(), static_cast<int>(illustrationsBefore));

        // The project calculated, so that the demo table's graph has its values.
        f.window().run(command::ShowProjectFiles);
        auto* files = dynamic_cast<ProjectFilesWindow*>(f.window().windows().find(WindowKind::ProjectFiles));
        QVERIFY(files);
        files->recalculate(true, false);
        QVERIFY2(f.window().statusBar()->currentMessage().startsWith(QStringLiteral("Проект пересчитан")),
                 qPrintable(f.window().statusBar()->currentMessage()));

        // The report through the shipped template, beside the project.
        const QString output = work + "/отчет.docx";
        f.prompts.files = {dataFolder() + "/report/template_ru.docx", output};
        QVERIFY(w->decimalCommaBox()->isChecked());  // in Russian, until the user says otherwise
        QVERIFY(w->writeReport());
        QCOMPARE(f.prompts.opened.value(0), output);
        // The status bar says what was written and where.
        QCOMPARE(f.window().statusBar()->currentMessage(), QStringLiteral("Отчет записан: ") + QDir::toNativeSeparators(output));
        QCOMPARE(f.session().state().reportText(ReportText::ProtocolNumber), std::string("П-17/2026"));
        const QStringList lines = readBack(output);
        QVERIFY2(lines.filter(QRegularExpression(QStringLiteral("^p .*П-17/2026"))).size() == 1, qPrintable(lines.join('\n')));
        // Every report table is a table of the document (the template has tables of its own too).
        const QStringList tables = lines.filter(QRegularExpression(QStringLiteral("^tables ")));
        QCOMPARE(tables.size(), 1);
        QVERIFY2(tables[0].mid(7).toInt() >= static_cast<int>(tablesBefore + 1), qPrintable(lines.join('\n')));
        // The picture file and the demo table's graph, each with its caption.
        QVERIFY2(lines.contains(QStringLiteral("pictures 2")), qPrintable(lines.join('\n')));
        QVERIFY2(lines.contains(QStringLiteral("p Зелёный рисунок")), qPrintable(lines.join('\n')));
        QVERIFY2(lines.contains(QStringLiteral("p Уровни звука в точках измерений")), qPrintable(lines.join('\n')));
        // The tables captioned, their numbers with a decimal comma; the tables themselves keep the point.
        QVERIFY2(lines.contains(QStringLiteral("p Таблица 1 — Уровни звука")), qPrintable(lines.join('\n')));
        QVERIFY2(!lines.filter(QRegularExpression(QStringLiteral("^td \\d+,\\d$"))).isEmpty(), qPrintable(lines.join('\n')));
        QVERIFY2(lines.filter(QRegularExpression(QStringLiteral("^td \\d+\\.\\d$"))).isEmpty(), qPrintable(lines.join('\n')));
        // The choice is remembered.
        w->decimalCommaBox()->setChecked(false);
        QCOMPARE(f.session().settings().integer(QStringLiteral("Report"), QStringLiteral("DecimalComma"), 1), 0);
        QCOMPARE(f.prompts.unexpected, 0);
    }

    // "Сохранить отчет в PDF": without LibreOffice the package to install is
    // said before any question; with it (a stand-in here), the report is
    // written, converted, said and opened.
    void writeTheReportAsPdf() {
        AppFixture f;
        f.start();
        const QString work = f.openDemoCopy(QStringLiteral("work"));
        QVERIFY(!work.isEmpty());
        ReportWindow* w = reportWindow(f);
        QVERIFY(w);
        QTemporaryDir bin;
        QVERIFY(bin.isValid());
        const SearchPathForWalk path(bin.path());
        QVERIFY(!w->writePdfReport());
        QCOMPARE(f.prompts.messages.size(), 1);
        QVERIFY2(f.prompts.messages[0].contains(QStringLiteral("libreoffice-writer-nogui")), qPrintable(f.prompts.messages[0]));
        QCOMPARE(f.prompts.unexpected, 0);

        QVERIFY(writeFakeOffice(bin.path()));
        const QString output = work + "/протокол.pdf";
        f.prompts.files = {dataFolder() + "/report/template_ru.docx", output};
        w->writePdfReportAction()->trigger();
        QCOMPARE(f.prompts.opened.value(0), output);
        QCOMPARE(f.window().statusBar()->currentMessage(), QStringLiteral("Отчет записан: ") + QDir::toNativeSeparators(output));
        QFile pdf(output);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF-1.4\nPK"));  // the report document went through the converter
        QCOMPARE(f.prompts.unexpected, 0);
    }

    void removingATableAsksBeforeItsGraphIllustrationsGo() {
        AppFixture f;
        f.start();
        QVERIFY(f.session().loadProject(demoFile(QStringLiteral("demo.pht"))));
        ReportWindow* w = reportWindow(f);
        QVERIFY(w);
        QVERIFY(!f.session().state().tables.empty());
        f.prompts.items = {0};
        f.prompts.texts = {QStringLiteral("График")};
        actionNamed(*w->illustrationList()->menu(-1), text::AddGraphFromTable)->trigger();  // "Добавить график из таблицы", table 1
        // Only the tables that have a graph are offered.
        std::size_t withGraph = 0;
        for (const ProjectTable& t : f.session().state().tables) withGraph += t.table.graph.hasSeries() ? 1 : 0;
        QVERIFY(withGraph > 0 && withGraph < f.session().state().tables.size());
        QCOMPARE(static_cast<std::size_t>(f.prompts.offeredItems.size()), withGraph);
        const std::size_t tables = f.session().state().tables.size();
        f.prompts.answers = {Prompts::Answer::No};
        actionNamed(*w->tableTabMenu(0), text::RemoveTable)->trigger();
        QCOMPARE(f.session().state().tables.size(), tables);
        f.prompts.answers = {Prompts::Answer::Yes};
        const std::size_t illustrations = f.session().state().illustrations.size();
        actionNamed(*w->tableTabMenu(0), text::RemoveTable)->trigger();
        QCOMPARE(f.session().state().tables.size(), tables - 1);
        QVERIFY(f.session().state().illustrations.size() < illustrations);
        QCOMPARE(static_cast<std::size_t>(w->tabs()->count()), 3 + tables - 1);
    }

    // The table tab's menu: a table moved right takes its graph illustration's
    // link along; a table that came with the project is reloaded from a file the
    // user names. The title page's choosers fill their fields; "Очистить"
    // empties the normative documents.
    void tableTabsMoveAndReload() {
        AppFixture f;
        f.start();
        QVERIFY(f.session().loadProject(demoFile(QStringLiteral("demo.pht"))));
        ReportWindow* w = reportWindow(f);
        QVERIFY(w);
        const auto& state = f.session().state();
        QCOMPARE(state.tables.size(), std::size_t(2));
        const std::string first = state.tables[0].table.name, second = state.tables[1].table.name;
        QCOMPARE(state.illustrations.at(0).table, std::optional<std::size_t>(0));
        QVERIFY(!actionNamed(*w->tableTabMenu(0), text::MoveTableLeft)->isEnabled());  // nothing left of the first

        actionNamed(*w->tableTabMenu(0), text::MoveTableRight)->trigger();
        QCOMPARE(state.tables[0].table.name, second);
        QCOMPARE(state.tables[1].table.name, first);
        QCOMPARE(state.illustrations.at(0).table, std::optional<std::size_t>(1));
        QCOMPARE(w->tabs()->currentIndex(), 4);
        QCOMPARE(w->tableWindow(1)->table().name, first);

        const QString stored = dataFolder() + "/TblStore/Шум в жилой комнате, день.tbl";
        f.prompts.files = {stored};
        actionNamed(*w->tableTabMenu(0), text::ReloadTable)->trigger();  // "Обновить таблицу из файла": the table has no file
        QCOMPARE(state.tables[0].table.filePath, stored.toStdString());
        QCOMPARE(w->tableWindow(0)->table().name, state.tables[0].table.name);
        QVERIFY(state.tables[0].table.name != second);

        // "Выбрать" and "Добавить" through their choosers, then "Очистить".
        ReferenceBooks& books = f.session().controller().referenceBooks();
        books.measuringInstruments.insert("Шумомер SLM-202");
        books.normativeDocuments.insert("ГОСТ 23337-2014");
        auto press = [&](text::Id textId) {
            for (QPushButton* b : w->findChildren<QPushButton*>())
                if (b->text() == QString::fromStdString(phonotab::tr(textId))) b->click();
        };
        auto choose = [](const QString& text) {
            whenShown<TextChooserDialog>([text](TextChooserDialog& d) {
                const QList<QListWidgetItem*> found = d.list()->findItems(text, Qt::MatchExactly);
                QVERIFY(!found.isEmpty());
                d.list()->setCurrentItem(found.front());
                d.accept();
            });
        };
        choose(QStringLiteral("Шумомер SLM-202"));
        press(text::Choose);
        QCOMPARE(qobject_cast<QLineEdit*>(w->textField(ReportText::Instrument))->text(),
                 QStringLiteral("Шумомер SLM-202"));
        auto* documents = qobject_cast<QPlainTextEdit*>(w->textField(ReportText::NormativeDocuments));
        const QString before = documents->toPlainText();
        choose(QStringLiteral("ГОСТ 23337-2014"));
        press(text::Add);
        QCOMPARE(documents->toPlainText(), before + QStringLiteral("\nГОСТ 23337-2014"));
        press(text::Clear);
        QVERIFY(documents->toPlainText().isEmpty());
        QCOMPARE(f.prompts.unexpected, 0);
    }

    // "Создать иллюстрацию": the shipped empty picture copied under the chosen
    // name with ".bmp", stored relative to the working folder and opened; an
    // existing file, inside the working folder or not, is replaced only on Yes.
    void createdIllustrationsStartFromTheEmptyPicture() {
        AppFixture f;
        f.start();
        const QString work = f.openDemoCopy(QStringLiteral("work"));
        QVERIFY(!work.isEmpty());
        ReportWindow* w = reportWindow(f);
        QVERIFY(w);
        ReportIllustrationList* list = w->illustrationList();
        const auto& illustrations = f.session().state().illustrations;
        QFile empty(dataFolder() + "/empty.bmp");
        QVERIFY(empty.open(QIODevice::ReadOnly));
        const QByteArray blank = empty.readAll();
        auto bytes = [](const QString& path) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        auto create = [&] { actionNamed(*list->menu(-1), text::CreateIllustration)->trigger(); };

        const std::size_t before = illustrations.size();
        f.prompts.files = {work + "/plan.wmf"};
        f.prompts.texts = {QStringLiteral("План")};
        create();
        QCOMPARE(illustrations.size(), before + 1);
        QCOMPARE(illustrations.back().picturePath, std::string("plan.bmp"));
        QCOMPARE(illustrations.back().caption, std::string("План"));
        QCOMPARE(bytes(work + "/plan.bmp"), blank);
        QCOMPARE(f.prompts.opened.value(0), work + "/plan.bmp");
        QVERIFY(f.prompts.questions.isEmpty());

        const QString outside = f.folder(QStringLiteral("outside")) + "/photo.bmp";
        for (const QString& existing : {work + "/plan.bmp", outside}) {
            QFile drawn(existing);
            QVERIFY(drawn.open(QIODevice::WriteOnly));
            drawn.write("drawn by the user");
            drawn.close();
            // No keeps the user's picture and adds nothing.
            f.prompts.questions.clear();
            f.prompts.files = {existing};
            f.prompts.answers = {Prompts::Answer::No};
            const std::size_t count = illustrations.size();
            create();
            QCOMPARE(f.prompts.questions.size(), 1);
            QCOMPARE(illustrations.size(), count);
            QCOMPARE(bytes(existing), QByteArray("drawn by the user"));
            // Yes, then a cancelled caption: still nothing is replaced.
            f.prompts.files = {existing};
            f.prompts.answers = {Prompts::Answer::Yes};
            f.prompts.texts = {QString()};
            create();
            QCOMPARE(bytes(existing), QByteArray("drawn by the user"));
            // Yes and a caption: replaced by the empty picture.
            f.prompts.files = {existing};
            f.prompts.answers = {Prompts::Answer::Yes};
            f.prompts.texts = {QStringLiteral("Снова")};
            create();
            QCOMPARE(illustrations.size(), count + 1);
            QCOMPARE(bytes(existing), blank);
        }
        // Outside the working folder too the path is stored relative to it.
        const std::string stored = illustrations.back().picturePath;
        QVERIFY2(stored.rfind("..\\", 0) == 0, stored.c_str());
        QCOMPARE(QDir::cleanPath(QString::fromStdString(storedPathToLocal(stored, work.toStdString()))), outside);
        QCOMPARE(f.prompts.unexpected, 0);
    }

    // The list names each picture's place ("PIC01" ...), renumbered as rows
    // move or go; a caption is edited in place; a double click opens the picture.
    void theListRenumbersEditsCaptionsAndOpensPictures() {
        AppFixture f;
        f.start();
        QVERIFY(f.session().loadProject(demoFile(QStringLiteral("demo.pht"))));
        DocumentController& doc = f.session().controller();
        while (!doc.state().illustrations.empty()) QVERIFY(doc.removeIllustration(0).ok());
        QVERIFY(doc.addIllustration({"Первый", "first.png", std::nullopt}).ok());
        QVERIFY(doc.addIllustration({"Второй", "second.png", std::nullopt}).ok());
        QVERIFY(doc.addIllustration({"График", "", std::size_t{0}}).ok());
        doc.notify(DocumentNotice::SyncFromProject);  // the open report window takes the list
        ReportWindow* w = reportWindow(f);
        QVERIFY(w);
        ReportIllustrationList* list = w->illustrationList();
        auto cell = [&](int row, int column) { return list->model()->index(row, column).data().toString(); };
        QCOMPARE(list->model()->rowCount(), 3);
        QCOMPARE(cell(2, 1), QStringLiteral("---"));
        QCOMPARE(cell(2, 2), QStringLiteral("PIC03"));

        actionNamed(*list->menu(0), text::IllustrationMoveDown)->trigger();
        QCOMPARE(cell(1, 0), QStringLiteral("Первый"));
        QCOMPARE(cell(1, 2), QStringLiteral("PIC02"));
        QCOMPARE(list->currentIndex().row(), 1);
        actionNamed(*list->menu(0), text::RemoveIllustration)->trigger();  // "Удалить иллюстрацию": "Второй"
        QCOMPARE(cell(0, 0), QStringLiteral("Первый"));
        QCOMPARE(cell(0, 2), QStringLiteral("PIC01"));
        QVERIFY(!actionNamed(*list->menu(0), text::IllustrationMoveUp)->isEnabled());  // nothing above the first

        list->model()->setData(list->model()->index(0, 0), QStringLiteral("Новая подпись"));
        QCOMPARE(f.session().state().illustrations[0].caption, std::string("Новая подпись"));
        QVERIFY(f.session().controller().modified());

        w->tabs()->setCurrentWidget(list);
        QVERIFY(list->isVisible());
        const QRect first = list->visualRect(list->model()->index(0, 1));
        // A view takes a double click after the press that starts it.
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, first.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(f.prompts.opened.size(), 1);
        QVERIFY(f.prompts.opened[0].endsWith(QStringLiteral("/first.png")));
        const QRect graph = list->visualRect(list->model()->index(1, 1));
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, graph.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, graph.center());
        QCOMPARE(f.prompts.opened.size(), 1);  // a table's graph has no file
    }
};

PHONOTAB_REGISTER_TEST(ReportWindowTest)
#include "ReportWindowTest.moc"
