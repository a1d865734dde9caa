#include <QDir>
#include <QListWidget>
#include <QFile>
#include <QTableView>
#include <QTest>

#include "AppFixture.h"
#include "TestMain.h"
#include "gui/project/DumpCommands.h"
#include "gui/project/ReferenceBookDialogs.h"
#include "gui/project/TextChooserDialog.h"
#include "core/tables/FormulaEvaluator.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

// The value the project's first table shows in its first cell.
double firstCell(AppFixture& f) {
    ReportTable t = f.session().state().tables.front().table;
    ResetFormulas(t);
    EvaluatePendingFormulas(t, DisplayTexts(), &f.session().controller().referenceBooks());
    const CellFormula& c = t.formulas.at({0, 0});
    return c.valid() ? c.value : -1.0;
}

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

class ReferenceBooksAndDumpsTest : public QObject {
    Q_OBJECT
private slots:
    // A book made and filled in the editors: a "#book#index" cell follows its
    // value and its name; deleting a record that formulas read is asked first.
    void bookEditsReachATableCell() {
        AppFixture f;
        f.start();
        f.prompts.folders.push_back(f.folder("work"));
        QVERIFY(f.session().controller().newProject());
        ReportTable table(2, 2);
        table.formulas[{0, 0}].text = "#Нормы#0";
        QVERIFY(f.session().controller().addReportTable(table).ok());

        ReferenceBookListDialog books(f.session(), &f.window());
        books.show();
        f.prompts.texts.push_back(QStringLiteral(" Нормы "));
        books.addBook();
        const int row = books.model()->rowOf("Нормы");
        QVERIFY(row >= 0);
        f.prompts.texts.push_back(QStringLiteral("Нормы"));
        books.addBook();
        QCOMPARE(f.prompts.messages.value(0), QStringLiteral("Такое имя уже есть в списке"));

        {
            ReferenceBookDialog records(f.session(), "Нормы", &books);
            records.show();
            records.addRecord();
            QCOMPARE(records.model()->rowCount(), 1);
            QVERIFY(!records.model()->setData(records.model()->index(0, 0), QStringLiteral("85 дБ"), Qt::EditRole));
            QCOMPARE(f.prompts.messages.value(1), QStringLiteral("Вы должны ввести число"));
            QVERIFY(records.model()->setData(records.model()->index(0, 0), QStringLiteral("85"), Qt::EditRole));
            QVERIFY(records.model()->setData(records.model()->index(0, 1), QStringLiteral(" День "), Qt::EditRole));
            QCOMPARE(firstCell(f), 85.0);
            QVERIFY(records.model()->setData(records.model()->index(0, 0), QStringLiteral("7.5e1"), Qt::EditRole));
            QCOMPARE(firstCell(f), 75.0);
            QCOMPARE(f.session().controller().referenceBooks().record("Нормы", 0)->description, std::string("День"));
        }

        // Renaming the book asks, then renames the formula with it.
        f.prompts.answers.push_back(Prompts::Answer::Yes);
        QVERIFY(books.model()->setData(books.model()->index(row, 0), QStringLiteral("Пределы"), Qt::EditRole));
        QCOMPARE(f.session().state().tables.front().table.formulas.at({0, 0}).text, std::string("#Пределы#0"));
        QCOMPARE(firstCell(f), 75.0);
        QVERIFY(f.session().controller().modified());

        ReferenceBookDialog records(f.session(), "Пределы", &books);
        f.prompts.answers.push_back(Prompts::Answer::No);
        records.removeRecord(0);
        QCOMPARE(records.model()->rowCount(), 1);
        QCOMPARE(f.prompts.questions.size(), 2);
        QCOMPARE(f.prompts.unexpected, 0);
    }

    // The title page's choosers keep their texts in the reference books.
    void choosersAddAndRemoveTexts() {
        AppFixture f;
        f.start();
        ReferenceBooks& books = f.session().controller().referenceBooks();
        books.measuringInstruments.clear();
        TextChooserDialog chooser(f.session(), TextChooserDialog::Kind::Instruments, &f.window());
        f.prompts.texts = {QStringLiteral("  Шумомер 1 "), QStringLiteral("Шумомер 1"), QStringLiteral("   ")};
        chooser.addText();
        chooser.addText();
        chooser.addText();
        QCOMPARE(chooser.list()->count(), 1);
        QCOMPARE(chooser.chosen(), QStringLiteral("Шумомер 1"));
        QCOMPARE(books.measuringInstruments.count("Шумомер 1"), std::size_t(1));
        chooser.removeText();
        QVERIFY(books.measuringInstruments.empty());

        const std::size_t documents = books.normativeDocuments.size();
        TextChooserDialog norms(f.session(), TextChooserDialog::Kind::Documents, &f.window());
        f.prompts.texts.push_back(QStringLiteral("Нормы шума"));
        norms.addText();
        QCOMPARE(books.normativeDocuments.size(), documents + 1);
        QCOMPARE(norms.chosen(), QStringLiteral("Нормы шума"));
        QCOMPARE(f.prompts.unexpected, 0);
    }

    // The text exports write whole files and show up in the folder.
    void dumpsOfOneAndOfSeveralFiles() {
        AppFixture f;
        f.start();
        const QString out = f.folder("out");
        const QString day = demoFile(QStringLiteral("SLM101_street_day.bin"));
        const QString night = demoFile(QStringLiteral("SLM101_street_night.bin"));
        f.prompts.fileLists.push_back({day, night});
        f.prompts.files.push_back(out + "/day.txt");
        f.prompts.files.push_back(out + "/night.txt");
        f.window().run(command::ConvertToText);
        QVERIFY(readAll(out + "/day.txt").contains(QStringLiteral("Запись; 1;")));
        QVERIFY(readAll(out + "/night.txt").contains(QStringLiteral("Запись; 1;")));

        f.prompts.fileLists.push_back({day, night});
        f.prompts.files.push_back(out + "/both.txt");
        f.window().run(command::JoinToText);
        const QString both = readAll(out + "/both.txt");
        QVERIFY(both.size() > readAll(out + "/day.txt").size());
        QCOMPARE(QDir(out).entryList(QDir::Files).size(), 3);  // no temporary file stays behind
        QVERIFY(f.prompts.messages.isEmpty());
        QCOMPARE(f.prompts.unexpected, 0);
    }
};

PHONOTAB_REGISTER_TEST(ReferenceBooksAndDumpsTest)
#include "ReferenceBooksAndDumpsTest.moc"
