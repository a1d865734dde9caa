// A walk of the report window: the title page filled, a standard table added
// to the report, a picture added as an illustration, and the report written
// through the shipped template with scripted file dialogs, then read back by
// python-docx.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "AppFixture.h"
#include "TestMain.h"
#include "app/ChildWindowList.h"
#include "base/StringTable.h"
#include "project/CPrjReportDlg.h"
#include "tables/CTableDlg.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

QAction* item(QMenu& menu, int textId) {
    for (QAction* a : menu.actions())
        if (a->text() == QString::fromStdString(tr(textId))) return a;
    return nullptr;
}

// The document as python-docx reads it: its paragraphs' texts, then "tables N" and "pictures N".
QStringList readBack(const QString& path) {
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, docx\nd = docx.Document(sys.argv[1])\n"
                                 "for p in d.paragraphs: print('p ' + p.text)\n"
                                 "print('tables %d' % len(d.tables))\n"
                                 "print('cell ' + d.tables[0].cell(0, 0).text if d.tables else 'cell')\n"
                                 "print('pictures %d' % len(d.inline_shapes))\n"),
                  path});
    python.waitForFinished(60000);
    return QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

}  // namespace

class ReportWindowTest : public QObject {
    Q_OBJECT
private slots:
    void fillAddAndWriteTheReport() {
        AppFixture f;
        f.start();
        const QString work = f.copyDemo(QStringLiteral("work"));
        QVERIFY(f.session().loadProject(work + "/demo.pht"));
        f.prompts.folders.push_back(work);
        QVERIFY(f.session().controller().changeWorkingFolder());
        f.window().run(command::ReportWindow);
        auto* w = dynamic_cast<CPrjReportDlg*>(f.window().windows().find(WindowKind::Report));
        QVERIFY(w);
        const std::size_t tablesBefore = f.session().state().tables.size();
        QCOMPARE(static_cast<std::size_t>(w->tabs()->count()), 3 + tablesBefore);

        // The title page: a protocol number typed, and "Сегодня" for the date.
        qobject_cast<QLineEdit*>(w->textField(4))->setText(QStringLiteral("П-17/2026"));
        for (QPushButton* b : w->findChildren<QPushButton*>())
            if (b->text() == QString::fromStdString(phonotab::tr(6460))) b->click();
        QVERIFY(!qobject_cast<QLineEdit*>(w->textField(2))->text().isEmpty());

        // A standard table from the store into the report.
        f.prompts.items = {0};
        w->addTableAction()->trigger();
        QCOMPARE(f.session().state().tables.size(), tablesBefore + 1);
        QCOMPARE(static_cast<std::size_t>(w->tabs()->count()), 4 + tablesBefore);
        QVERIFY(w->tableWindow(tablesBefore));
        QVERIFY(!w->tableWindow(tablesBefore)->action(CTableDlg::Command::Save)->isEnabled());

        // A picture file as an illustration.
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        const QString png = work + "/рисунок.png";
        QVERIFY(picture.save(png));
        f.prompts.fileLists = {{png}};
        std::unique_ptr<QMenu> menu = w->illustrationMenu(-1);
        QAction* add = item(*menu, 6468);
        QVERIFY(add);
        const std::size_t illustrationsBefore = f.session().state().illustrations.size();
        add->trigger();
        QCOMPARE(f.session().state().illustrations.size(), illustrationsBefore + 1);
        QCOMPARE(f.session().state().illustrations.back().caption, std::string("рисунок"));

        // The report through the shipped template, beside the project.
        const QString output = work + "/отчет.docx";
        f.prompts.files = {dataFolder() + "/report/template_ru.docx", output};
        QVERIFY(w->writeReport());
        QCOMPARE(f.prompts.opened.value(0), output);
        QCOMPARE(f.session().state().reportTexts[4], std::string("П-17/2026"));
        const QStringList lines = readBack(output);
        QVERIFY2(lines.filter(QStringLiteral("П-17/2026")).size() == 1, qPrintable(lines.join('\n')));
        // Every report table is a table of the document (the template has tables of its own too).
        const QStringList tables = lines.filter(QRegularExpression(QStringLiteral("^tables ")));
        QCOMPARE(tables.size(), 1);
        QVERIFY2(tables[0].mid(7).toInt() >= static_cast<int>(tablesBefore + 1), qPrintable(lines.join('\n')));
        QVERIFY2(!lines.filter(QRegularExpression(QStringLiteral("^pictures [1-9]"))).isEmpty(), qPrintable(lines.join('\n')));
    }

    void removingATableAsksBeforeItsGraphIllustrationsGo() {
        AppFixture f;
        f.start();
        QVERIFY(f.session().loadProject(demoFile(QStringLiteral("demo.pht"))));
        f.window().run(command::ReportWindow);
        auto* w = dynamic_cast<CPrjReportDlg*>(f.window().windows().find(WindowKind::Report));
        QVERIFY(w);
        QVERIFY(!f.session().state().tables.empty());
        f.prompts.items = {0};
        std::unique_ptr<QMenu> menu = w->illustrationMenu(-1);
        item(*menu, 6478)->trigger();  // "Добавить график таблицы" of table 1
        const std::size_t tables = f.session().state().tables.size();
        f.prompts.answers = {Prompts::Answer::No};
        item(*w->tableTabMenu(0), 6464)->trigger();
        QCOMPARE(f.session().state().tables.size(), tables);
        f.prompts.answers = {Prompts::Answer::Yes};
        const std::size_t illustrations = f.session().state().illustrations.size();
        item(*w->tableTabMenu(0), 6464)->trigger();
        QCOMPARE(f.session().state().tables.size(), tables - 1);
        QVERIFY(f.session().state().illustrations.size() < illustrations);
        QCOMPARE(static_cast<std::size_t>(w->tabs()->count()), 3 + tables - 1);
    }
};

PHONOTAB_REGISTER_TEST(ReportWindowTest)
#include "ReportWindowTest.moc"
