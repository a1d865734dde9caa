#include <QApplication>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <thread>

#include "TestMain.h"
#include "gui/app/AboutDialog.h"
#include "gui/base/LanguageDialog.h"
#include "gui/base/LongTask.h"
#include "gui/base/SettingsStore.h"

using namespace phonotab;

namespace {

// Presses the cancel button of the progress dialog as soon as it shows.
void cancelWhenShown() {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QProgressDialog*>(w); d && d->isVisible()) {
                QTest::mouseClick(d->findChild<QPushButton*>(), Qt::LeftButton);
                timer->deleteLater();
                return;
            }
    });
    timer->start(20);
}

}  // namespace

class ShellPartsTest : public QObject {
    Q_OBJECT

private slots:
    void longWorkRunsOffTheInterfaceThread() {
        const auto ui = std::this_thread::get_id();
        bool elsewhere = false;
        const bool cancelled =
            runLongTask(nullptr, "work", [&](const Progress&) { elsewhere = std::this_thread::get_id() != ui; });
        QVERIFY(!cancelled);
        QVERIFY(elsewhere);
    }

    void cancelStopsTheWorkAndWaitsForItsEnd() {
        cancelWhenShown();
        int steps = 0;
        bool ended = false;
        const bool cancelled = runLongTask(nullptr, "work", [&](const Progress& p) {
            while (p.report(0.5) && steps < 1000) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                ++steps;
            }
            ended = true;
        });
        QVERIFY(cancelled);
        QVERIFY(ended);  // the call returned only after the work ended by itself
        QVERIFY(steps < 1000);
    }

    void rectanglesAreSixteenBytes() {
        QTemporaryDir dir;
        SettingsStore s(dir.path() + "/phonotab.ini");
        s.setRect("Settings", "ProjectDlg", QRect(10, 20, 300, 200));
        QCOMPARE(s.rect("Settings", "ProjectDlg"), std::optional<QRect>(QRect(10, 20, 300, 200)));
        s.setText("Settings", "PlotDlg", "short");
        QCOMPARE(s.rect("Settings", "PlotDlg"), std::optional<QRect>());
        QCOMPARE(s.integer("Phonotab", "Right", 740), 740);
        s.setText("Phonotab", "Left", "not a number");
        QCOMPARE(s.integer("Phonotab", "Left", 0), 0);
        s.setText("PhonotabDlg", "Doc1", "/data/a, b.bin");
        s.sync();
        QFile f(s.fileName());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray ini = f.readAll();
        QVERIFY(ini.contains("[Settings]"));
        QVERIFY(ini.contains("ProjectDlg=@ByteArray("));
        f.close();

        // A value with commas written by hand, without quotes, is still one text.
        QFile hand(dir.path() + "/hand.ini");
        QVERIFY(hand.open(QIODevice::WriteOnly));
        hand.write("[PhonotabDlg]\nDoc1=/data/a,b.bin\nDoc2=/данные/x.bin\n");
        hand.close();
        SettingsStore edited(hand.fileName());
        QCOMPARE(edited.text("PhonotabDlg", "Doc1"), QString("/data/a,b.bin"));
        QCOMPARE(edited.text("PhonotabDlg", "Doc2"), QString("/данные/x.bin"));
        QCOMPARE(SettingsStore(s.fileName()).text("PhonotabDlg", "Doc1"), QString("/data/a, b.bin"));
        QVERIFY(SettingsStore::defaultPath().endsWith("/phonotab.ini"));
    }

    void languageDialogWantsAChoice() {
        LanguageDialog d({{"en.txt", "English", "OK", "Cancel"}, {"en2.txt", "English", "OK", "Cancel"}}, -1);
        QCOMPARE(d.windowTitle(), QString("Select language"));
        QCOMPARE(d.list()->count(), 2);
        d.show();
        d.accept();  // nothing selected: stays open
        QVERIFY(d.isVisible());
        QCOMPARE(d.chosen(), -1);
        d.list()->setCurrentRow(1);  // two tables of one name: the choice goes by position
        d.accept();
        QVERIFY(!d.isVisible());
        QCOMPARE(d.chosen(), 1);

        // The locale's language is selected at first: Return takes it. The
        // buttons speak the selected language, English while none is selected.
        LanguageDialog first({{"ru.txt", "Русский", "ОК", "Отмена"}, {"en.txt", "English", "OK", "Cancel"}}, 1);
        const auto captions = [&first] { return first.okButton()->text() + "/" + first.cancelButton()->text(); };
        QCOMPARE(captions(), QString("OK/Cancel"));
        first.list()->setCurrentRow(0);
        QCOMPARE(captions(), QString("ОК/Отмена"));
        first.list()->clearSelection();
        QCOMPARE(captions(), QString("OK/Cancel"));
        first.list()->setCurrentRow(1);
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        QTest::keyClick(first.list(), Qt::Key_Return);
        QVERIFY(!first.isVisible());
        QCOMPARE(first.result(), int(QDialog::Accepted));
        QCOMPARE(first.chosen(), 1);
    }

    void aboutBoxNamesTheVersion() { QCOMPARE(AboutDialog::versionText(), QString("Программа Phonotab версия 2.6")); }
};

PHONOTAB_REGISTER_TEST(ShellPartsTest)
#include "ShellPartsTest.moc"
