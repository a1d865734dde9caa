// Walks of what a user meets every day: a question stays with the window that
// asked it, the document windows stand on their own beside the main window,
// and an English user reads the bands in hertz.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <memory>

#include <functional>
#include "AppFixture.h"
#include "TestMain.h"
#include "WindowWalk.h"
#include "gui/acoustics/ParameterChooserDialog.h"
#include "gui/acoustics/ParametersWindow.h"
#include "gui/app/ChildWindowList.h"
#include "gui/base/DialogPrompts.h"
#include "gui/tables/TableWindow.h"

using namespace phonotab;
using namespace phonotab::testing;

class EverydayWorkTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { setCurrentStrings(StringTable::russian()); }

    void aQuestionFromATableWindowLeavesItActive() {
        AppFixture f;
        f.start();
        auto* table = new TableWindow(f.session(), ReportTable(2, 2), &f.window());
        table->show();
        table->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(table));
        // A document window: owned by the main window, not bound above it.
        QVERIFY(table->windowHandle());
        QVERIFY(!table->windowHandle()->transientParent());

        DialogPrompts prompts;
        prompts.setParent(&f.window());
        const struct {
            const char* what;
            std::function<void()> ask;
        } cases[] = {
            {"question", [&] { QCOMPARE(prompts.ask(QStringLiteral("?"), false), Prompts::Answer::Yes); }},
            {"message", [&] { prompts.showMessage(QStringLiteral("!")); }},
        };
        for (const auto& c : cases) {
            QWidget* owner = nullptr;
            QString accept;
            whenShown<QMessageBox>([&](QMessageBox& box) {
                owner = box.parentWidget();
                accept = box.buttons().front()->text();
                box.buttons().front()->click();
            });
            c.ask();
            QCOMPARE(owner, table);
            QTRY_COMPARE(QApplication::activeWindow(), table);
            // The buttons speak the interface language.
            QVERIFY2(accept == QStringLiteral("Да") || accept == QStringLiteral("ОК"), c.what);
        }
        delete table;
    }

    void theEnglishChooserListsBandsInHertz() {
        AppFixture f;
        f.settings().setText("Init", "Language", "en.txt");
        f.start();
        QVERIFY(!f.openDemoCopy("work").isEmpty());
        QVERIFY(f.session().controller().openProjectEntry(0));
        f.window().run(command::ShowParameters);
        auto* window = dynamic_cast<ParametersWindow*>(f.window().windows().find(WindowKind::Parameters));
        QVERIFY(window);
        QStringList offered, types;
        whenShown<ParameterChooserDialog>([&](ParameterChooserDialog& d) {
            for (int t = 0; t < d.type->count(); ++t) {
                d.type->setCurrentIndex(t);
                types << d.type->currentText();
                for (int b = 0; b < d.bands->count(); ++b) offered << d.bands->item(b)->text();
            }
            d.reject();
        });
        std::unique_ptr<QMenu> menu = window->menuAt(QPoint(5, window->view()->viewport()->height() - 2));
        QVERIFY(menu);
        actionNamed(*menu, text::AddParameter)->trigger();
        QVERIFY2(offered.contains(QStringLiteral("31.5 Hz")), qPrintable(offered.join(" | ")));
        QVERIFY(offered.contains(QStringLiteral("1 kHz")));
        for (const QString& band : offered) QVERIFY2(!band.contains(QStringLiteral("Гц")), qPrintable(band));
        // The second set of a family says what it holds.
        QVERIFY2(types.contains(QStringLiteral("Octaves (dB, 16-bit)")), qPrintable(types.join(" | ")));
    }
};

PHONOTAB_REGISTER_TEST(EverydayWorkTest)
#include "EverydayWorkTest.moc"
