// Walks of the table window: opening a table from the working folder.
#include <QTest>

#include "AppFixture.h"
#include "TestMain.h"
#include "tables/CTableDlg.h"

using namespace phonotab;
using namespace phonotab::testing;

class TableWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheTableName() {
        AppFixture app;
        app.start();
        ReportTable table(3, 2);
        table.name = "Шум";
        CTableDlg window(app.session(), std::move(table), nullptr);
        QCOMPARE(window.windowTitle(), QStringLiteral("Шум"));
    }
};

PHONOTAB_REGISTER_TEST(TableWindowTest)
#include "TableWindowTest.moc"
