#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QTest>

#include "AppFixture.h"
#include "TestMain.h"
#include "core/project/ReportConfig.h"
#include "gui/project/SummaryCommand.h"
#include "gui/project/SummaryDialog.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

QByteArray readFileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class SummaryDialogTest : public QObject {
    Q_OBJECT
private slots:
    // A summary made through the dialog is the batch tool's summary of the
    // same columns; the list is remembered for the kind of file.
    void summaryThroughTheDialogMatchesTheBatchTool() {
        AppFixture f;
        f.start();
        const QString out = f.folder("out");
        const QString day = demoFile(QStringLiteral("SLM101_street_day.bin"));
        const QString night = demoFile(QStringLiteral("SLM101_street_night.bin"));
        f.prompts.fileLists.push_back({day, night});
        f.prompts.files.push_back(out + "/summary.csv");
        std::vector<ReportColumn> chosen;
        makeSummary(f.session(), &f.window(), [&](SummaryDialog& d) {
            d.addAllColumns();
            d.list()->setCurrentRow(0);
            d.removeColumn();
            d.addColumn();  // the first detector of the first family, at the end
            chosen = d.columns();
            return true;
        });
        QVERIFY(chosen.size() > 1);
        const QByteArray ours = readFileBytes(out + "/summary.csv");
        QVERIFY(!ours.isEmpty());
        // The file choosers start next time where the user took the data files
        // from and put the summary (the folders the other windows share).
        QCOMPARE(f.settings().text("BrowseSect", "BinPath"), QFileInfo(day).absolutePath() + "/");
        QCOMPARE(f.settings().text("BrowseSect", "ResultPath"), out + "/");

        QStringList args{QStringLiteral("--teledesc"), dataFolder() + "/TeleDescFile.bin", QStringLiteral("summary"),
                         day, night, QStringLiteral("-o"), out + "/cli.csv"};
        for (const ReportColumn& c : chosen) {
            const auto code = static_cast<std::uint32_t>(c.code);
            args << QStringLiteral("--column")
                 << QStringLiteral("%1:%2:%3").arg(code >> 24).arg((code >> 8) & 0xFF).arg(code & 0xFF);
        }
        QProcess cli;
        cli.start(QString::fromLocal8Bit(qgetenv("PHONOTAB_CLI")), args);
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(ours, readFileBytes(out + "/cli.csv"));

        // The list and the flags are there the next time, for this kind of file.
        const ReportConfig stored = ReportConfig::load(f.session().paths().reportConfig().toStdString());
        QCOMPARE(stored.lists().size(), std::size_t(1));
        QCOMPARE(stored.lists().begin()->second, chosen);
        f.prompts.fileLists.push_back({day});
        makeSummary(f.session(), &f.window(), [&](SummaryDialog& d) {
            [&] { QCOMPARE(d.columns(), chosen); }();
            d.findChildren<QCheckBox*>().front()->setChecked(false);  // no date column
            return false;  // cancelled: nothing written, the flag kept
        });
        QCOMPARE(f.settings().integer("ReportDialog", "bDate", 1), 0);

        // Files of two kinds: the message, no dialog.
        f.prompts.fileLists.push_back({day, demoFile(QStringLiteral("VM21_workshop.bin"))});
        bool shown = false;
        makeSummary(f.session(), &f.window(), [&](SummaryDialog&) { return shown = true; });
        QVERIFY(!shown);
        QVERIFY(f.prompts.messages.value(0).startsWith(QStringLiteral("Разные типы файлов")));
        QCOMPARE(f.prompts.unexpected, 0);
    }
};

PHONOTAB_REGISTER_TEST(SummaryDialogTest)
#include "SummaryDialogTest.moc"
