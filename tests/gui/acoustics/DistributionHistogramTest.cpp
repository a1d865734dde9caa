#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "AppFixture.h"
#include "TestMain.h"
#include "gui/acoustics/DistributionHistogramDialog.h"
#include "core/base/StringTable.h"

using namespace phonotab;
using namespace phonotab::testing;

class DistributionHistogramTest : public QObject {
    Q_OBJECT

private slots:
    void percentilesOfExportFilesAndTheirCopy() {
        AppFixture f;
        f.start();
        {
            DistributionHistogramDialog d(f.prompts, f.session().settings(), f.session().teleDescription(), &f.window());
            d.show();
            // No file: nothing read.
            QVERIFY(!d.calculate());
            QCOMPARE(f.prompts.messages.size(), 1);
            d.addFile(demoFile("SLM101_street_day.bin"));
            d.addFile(demoFile("SLM101_street_day.bin"));
            QVERIFY(d.field->count() > 0);
            // A percentile outside (0, 100) is refused before anything is read.
            d.percentiles[0]->setText("150");
            QVERIFY(!d.calculate());
            QVERIFY(f.prompts.messages.last().startsWith(QString::fromStdString(phonotab::tr(msg::PercentileOutOfRange)).section('%', 0, 0)));
            d.percentiles[0]->setText("5");
            for (int i = 1; i < 6; ++i) d.percentiles[static_cast<std::size_t>(i)]->setText(i == 1 ? "95" : "");
            const int level = d.field->findData(QVariant::fromValue<uint>(0x01300100u));
            QVERIFY(level >= 0);
            QVERIFY2(!d.field->itemText(level).startsWith("0x"), qPrintable(d.field->itemText(level)));  // named
            d.field->setCurrentIndex(level);
            QVERIFY(d.calculate());
            const QString text = d.results->toPlainText();
            // Largest fraction first, then the minimum and maximum.
            QVERIFY2(text.startsWith("L95\t") && text.contains("\nL5\t") && text.contains("\nМинимум\t"), qPrintable(text));
            d.copyResults();
            QCOMPARE(QGuiApplication::clipboard()->text(), text);
        }
        // The percentile fields are kept when the dialog closes.
        QCOMPARE(f.settings().text("Histo", "Pr1"), QString("95"));
        QCOMPARE(f.settings().text("Histo", "Pr2"), QString());
    }
};

PHONOTAB_REGISTER_TEST(DistributionHistogramTest)
#include "DistributionHistogramTest.moc"
