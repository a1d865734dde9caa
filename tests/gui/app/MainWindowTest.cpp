#include <QAbstractItemView>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

#include "AppFixture.h"
#include "TestMain.h"
#include "gui/project/ProjectFilesWindow.h"
#include "gui/tables/TableWindow.h"
#include "gui/app/ChildWindowList.h"
#include "gui/app/FolderCommands.h"
#include "gui/app/FolderView.h"
#include "gui/base/ScreenPlacement.h"
#include "core/base/StringTable.h"
#include "core/project/ProjectFile.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

const QString kStreetDay = QStringLiteral("SLM101_street_day.bin");
const QString kStreetDayTitle = QStringLiteral("SLM101_street_day.bin (Шумомер SLM-101, VIN: 00A1B201)");

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

ProjectState readProject(const QString& path) {
    Result<ProjectState> p = LoadProject(path.toStdString(), ProjectState{});
    if (!p) qWarning("%s", p.error().text().c_str());
    return p ? *p : ProjectState{};
}

std::vector<WindowKind> kinds(const std::vector<WindowRecord>& records) {
    std::vector<WindowKind> out;
    for (const auto& r : records) out.push_back(r.kind);
    return out;
}

// The user's locale for the life of the object (LC_ALL), the one before restored after.
class LocaleForTest {
public:
    explicit LocaleForTest(const char* locale) : had_(qEnvironmentVariableIsSet("LC_ALL")), old_(qgetenv("LC_ALL")) {
        qputenv("LC_ALL", locale);
    }
    ~LocaleForTest() {
        if (had_)
            qputenv("LC_ALL", old_);
        else
            qunsetenv("LC_ALL");
    }

private:
    bool had_;
    QByteArray old_;
};

std::vector<WindowKind> openKinds(ChildWindowList& windows) {
    std::vector<WindowKind> out;
    for (ChildWindowInterface* w : windows.all()) out.push_back(w->windowKind());
    return out;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setCurrentStrings(StringTable::russian()); }

    void projectCommandsNeedAProjectAndFileWindowsAFile() {
        namespace c = command;
        AppFixture f;
        f.start();
        const int projectCommands[] = {c::SaveProject, c::SaveProjectAs, c::ShowProjectFiles, c::ShowReport};
        const int fileCommands[] = {c::ShowRanges, c::ShowTimePlot, c::ShowParameters};
        auto expect = [&](bool project, bool file) {
            for (int cmd : projectCommands) QCOMPARE(f.enabled(cmd), project);
            for (int cmd : fileCommands) QCOMPARE(f.enabled(cmd), file);
            for (int cmd : {c::OpenProject, c::NewTable, c::InsertStandardTable, c::OpenFile, c::NewProject})
                QVERIFY(f.enabled(cmd));
        };
        expect(false, false);

        QVERIFY(f.session().openDataFile(demoFile(kStreetDay)));
        expect(false, true);

        f.prompts.folders.push_back(f.folder("work"));
        QVERIFY(f.session().controller().newProject());
        expect(true, false);

        // A file that cannot be read leaves no current file.
        QVERIFY(!f.session().openDataFile(f.folder("work") + "/missing.bin"));
        QCOMPARE(f.prompts.messages.size(), 1);
        expect(true, false);
        QCOMPARE(f.prompts.unexpected, 0);
    }

    void recentListsHoldFourPathsWithoutRepeats() {
        using namespace command;
        AppFixture f;
        {
            SettingsStore s = f.settings();
            s.setText("PhonotabDlg", "Doc1", "");
            s.setText("PhonotabDlg", "Doc2", "/old/a.bin");
            s.setText("PhonotabDlg", "Prj3", "/old/p.pht");
        }
        f.start();
        QCOMPARE(f.commands().action(RecentFile1)->text(), QString("/old/a.bin"));
        QCOMPARE(f.commands().action(RecentFile1 + 1)->text(), QString(".."));
        QCOMPARE(f.commands().action(RecentProject1)->text(), QString("/old/p.pht"));
        // An empty place does nothing.
        f.window().run(RecentFile1 + 3);
        QCOMPARE(f.prompts.messages.size(), 0);

        const QStringList files = {"SLM101_street_day.bin", "SLM101_street_night.bin", "SLM101_yard.bin",
                                   "VM21_workshop.bin", "MS31_station.bin"};
        for (const QString& name : files) QVERIFY(f.session().openDataFile(demoFile(name)));
        QVERIFY(f.session().openDataFile(demoFile("SLM101_yard.bin")));  // again: to the front, once
        const QString demo = QDir(dataFolder() + "/demo").absolutePath() + "/";
        const QStringList expected = {demo + "SLM101_yard.bin", demo + "MS31_station.bin",
                                      demo + "VM21_workshop.bin", demo + "SLM101_street_night.bin"};
        for (int i = 0; i < 4; ++i) QCOMPARE(f.commands().action(RecentFile1 + i)->text(), expected[i]);

        // A recent file opens from its menu item and moves to the front.
        f.window().run(RecentFile1 + 3);
        QCOMPARE(f.commands().action(RecentFile1)->text(), expected[3]);

        QVERIFY(f.window().close());
        SettingsStore s = f.settings();
        QCOMPARE(s.text("PhonotabDlg", "Doc1"), expected[3]);
        QCOMPARE(s.text("PhonotabDlg", "Doc4"), expected[2]);
        QCOMPARE(s.text("PhonotabDlg", "Prj1"), QString("/old/p.pht"));
        QCOMPARE(s.text("PhonotabDlg", "Prj2", "unset"), QString(""));
    }

    void titleNamesProjectAndCurrentFile() {
        AppFixture f;
        f.start();
        QCOMPARE(f.window().windowTitle(), QString("Phonotab"));

        QVERIFY(f.session().openDataFile(demoFile(kStreetDay)));
        QCOMPARE(f.window().windowTitle(), "Phonotab: " + kStreetDayTitle);

        const QString project = QFileInfo(demoFile("demo.pht")).absoluteFilePath();
        QVERIFY(f.session().loadProject(project));
        QCOMPARE(f.window().windowTitle(), project);  // the loaded project has no current file
        QVERIFY(f.session().controller().openProjectEntry(0));
        QCOMPARE(f.window().windowTitle(), project + ": " + kStreetDayTitle);

        const QString copy = f.folder("saved") + "/copy.pht";
        f.prompts.files.push_back(copy);
        QVERIFY(f.session().controller().saveProjectAs());
        QCOMPARE(f.window().windowTitle(), copy + ": " + kStreetDayTitle);

        f.prompts.answers.push_back(Prompts::Answer::No);  // nothing to save: no question is expected
        f.prompts.folders.push_back(QString());            // and the folder chooser is cancelled
        f.session().controller().newProject();
        QCOMPARE(f.window().windowTitle(), QString("Phonotab"));
        QVERIFY(f.prompts.questions.isEmpty());
    }

    void storedSmallWindowOpensAtTheMinimumSize() {
        AppFixture f;
        {
            SettingsStore s = f.settings();
            s.setInteger("Phonotab", "Left", 100);
            s.setInteger("Phonotab", "Top", 120);
            s.setInteger("Phonotab", "Right", 600);
            s.setInteger("Phonotab", "Bottom", 420);
        }
        f.start();
        QCOMPARE(f.window().geometry(), QRect(100, 120, 740, 445));
        QVERIFY(f.window().close());
        SettingsStore s = f.settings();
        QCOMPARE(s.integer("Phonotab", "Right", 0), 840);
        QCOMPARE(s.integer("Phonotab", "Bottom", 0), 565);
    }

    void firstStartCentresTheWindowAndALostOneComesBack() {
        const QRect screen = primaryScreenArea();
        {
            AppFixture f;  // never placed: centred, larger than the minimum where the screen allows
            f.start();
            const QRect g = f.window().geometry();
            QVERIFY(std::abs(g.center().x() - screen.center().x()) <= 1);
            QVERIFY(g.top() >= screen.top() + kTitleBarAllowance);
            QVERIFY(screen.contains(g));
            QVERIFY(g.width() >= MainWindow::kMinWidth && g.height() >= MainWindow::kMinHeight);
        }
        AppFixture f;  // placed on a screen that is gone
        {
            SettingsStore s = f.settings();
            s.setInteger("Phonotab", "Left", screen.right() + 2000);
            s.setInteger("Phonotab", "Top", 100);
            s.setInteger("Phonotab", "Right", screen.right() + 2000 + 760);
            s.setInteger("Phonotab", "Bottom", 100 + 460);
        }
        f.start();
        QCOMPARE(f.window().size(), QSize(760, 460));
        QVERIFY(screen.contains(f.window().geometry()));
        QVERIFY(titleBarReachable(f.window().geometry(), availableScreenAreas()));
    }

    void childWindowsWithoutAPlacementCascadeOverTheMainWindow() {
        AppFixture f;
        {
            SettingsStore s = f.settings();
            s.setRect("Settings", "PlotDlg", QRect(400, 300, 300, 200));  // a stored place is kept
        }
        f.start();
        ChildWindowList& windows = f.window().windows();
        const QRect screen = f.window().screen()->availableGeometry();
        QList<QPoint> corners;
        for (WindowKind kind : {WindowKind::Parameters, WindowKind::Ranges, WindowKind::HistogramPlot}) {
            QWidget* w = windows.create(kind)->asWidget();
            QVERIFY(screen.contains(w->geometry()));
            QVERIFY(w->x() > f.window().x() && w->y() > f.window().y());
            QVERIFY(!corners.contains(w->pos()));
            corners << w->pos();
        }
        QCOMPARE(corners[1] - corners[0], QPoint(kCascadeStep, kCascadeStep));
        QCOMPARE(windows.create(WindowKind::TimePlot)->asWidget()->geometry(), QRect(400, 300, 300, 200));
        f.window().run(command::NewTable);  // table windows too, starting over where the screen ends
        QVERIFY(screen.contains(windows.find(WindowKind::Table)->asWidget()->geometry()));
    }

    void userDataLivesInTheUserFolder() {
        AppFixture f;
        f.start();
        // The shipped reference books and standard tables, copied on the first start.
        const QDir user(f.userFolder());
        QVERIFY(user.exists("RefMap.txt"));
        const QStringList shippedTables = QDir(dataFolder() + "/TblStore").entryList({"*.tbl"}, QDir::Files);
        QVERIFY(!shippedTables.isEmpty());
        QCOMPARE(QDir(user.filePath("TblStore")).entryList({"*.tbl"}, QDir::Files), shippedTables);

        // "Поместить копию в стандартные" puts it into the user's store only.
        const QString work = f.folder("work");
        f.prompts.folders.push_back(work);
        QVERIFY(f.session().controller().newProject());
        f.prompts.items = {0};
        f.prompts.texts = {QString("mine.tbl")};
        f.window().folderView().commands().insertStandardTable();
        QVERIFY(QFile::exists(work + "/mine.tbl"));
        f.window().folderView().commands().putIntoStore("mine.tbl");
        QVERIFY(QFile::exists(user.filePath("TblStore/mine.tbl")));
        QCOMPARE(QDir(dataFolder() + "/TblStore").entryList({"*.tbl"}, QDir::Files), shippedTables);
        QCOMPARE(f.prompts.unexpected, 0);
    }

    void commandLineOpensProjectsTablesAndDataFiles() {
        AppFixture f;
        f.start();
        const QString work = f.folder("work");
        QVERIFY(QFile::copy(QDir(dataFolder() + "/TblStore").entryInfoList({"*.tbl"}).front().filePath(),
                            work + "/report.tbl"));
        const QString project = QFileInfo(demoFile("demo.pht")).absoluteFilePath();
        f.app->openArguments({project, demoFile(kStreetDay), work + "/report.tbl"});
        QCOMPARE(f.session().projectPath(), project);
        QVERIFY(f.session().currentFile() != nullptr);
        QVERIFY(f.window().windowTitle().endsWith(kStreetDayTitle));
        QVERIFY(f.window().windows().has(WindowKind::Table));
        QCOMPARE(f.prompts.messages, QStringList());

        f.app->openArguments({work + "/missing.tbl"});  // a file that cannot be read is reported
        QCOMPARE(f.prompts.messages.size(), 1);
    }

    void folderViewListsReportFilesWithTheirColumns() {
        AppFixture f;
        f.start();
        const QString work = f.folder("work");
        writeFile(work + "/three.txt", "a\tb\tc\nsecond line\n");
        writeFile(work + "/six.txt", "a\tb\tc\tзапись\tSLM-101\t00A1B201\n");
        writeFile(work + "/table.tbl", "not a table");
        writeFile(work + "/data.bin", "");
        f.prompts.folders.push_back(work);
        QVERIFY(f.session().controller().newProject());

        FolderView& view = f.window().folderView();
        view.refresh();
        QStandardItemModel* m = view.model();
        QCOMPARE(m->rowCount(), 3);
        QCOMPARE(m->columnCount(), 4);
        QCOMPARE(m->horizontalHeaderItem(0)->text(), QString("Имя"));
        QCOMPARE(m->horizontalHeaderItem(3)->text(), QString("VIN"));
        auto row = [&](const QString& name) {
            QStringList cells;
            for (int r = 0; r < m->rowCount(); ++r)
                if (m->item(r, 0)->text() == name)
                    for (int c = 0; c < 4; ++c) cells << m->item(r, c)->text();
            return cells;
        };
        QCOMPARE(row("three.txt"), QStringList({"three.txt", "", "", ""}));
        QCOMPARE(row("six.txt"), QStringList({"six.txt", "запись", "SLM-101", "00A1B201"}));
        QCOMPARE(row("table.tbl"), QStringList({"table.tbl", "", "", ""}));

        // Renaming in place: the label keeps the new text only when the file was renamed.
        const QModelIndex three = m->indexFromItem(m->findItems("three.txt").front());
        QVERIFY(!m->setData(three, "six.txt"));
        QCOMPARE(m->data(three).toString(), QString("three.txt"));
        QVERIFY(m->setData(three, "renamed.txt"));
        QVERIFY(QFile::exists(work + "/renamed.txt"));
        QVERIFY(!QFile::exists(work + "/three.txt"));
        QVERIFY(!m->setData(three, "../outside.txt"));

        // Delete asks first; No keeps the file, Yes deletes it.
        view.refresh();
        view.setStyle(FolderView::Style::Details);
        QAbstractItemView* list = view.activeView();
        list->setFocus();
        list->selectionModel()->select(m->indexFromItem(m->findItems("six.txt").front()),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        f.prompts.answers = {Prompts::Answer::No, Prompts::Answer::Yes};
        QTest::keyClick(list, Qt::Key_Delete);
        QVERIFY(QFile::exists(work + "/six.txt"));
        QCOMPARE(f.prompts.questions.back(), QString("Удалить файл 'six.txt'?"));
        QTest::keyClick(list, Qt::Key_Delete);
        QVERIFY(!QFile::exists(work + "/six.txt"));
        QCOMPARE(m->rowCount(), 2);

        // The folder is watched: a file written by another program shows up.
        writeFile(work + "/new.csv", "x");
        QTRY_COMPARE(m->rowCount(), 3);
        QCOMPARE(f.prompts.unexpected, 0);
    }

    void folderFilesOpenInTheirWindows() {
        AppFixture f;
        f.start();
        const QString work = f.folder("work");
        writeFile(work + "/level_H.txt",
                  "#comment_histo: 20 23 1 0\nHistogram: A, Fast\nA\t1\t2\t3\t4\t5\n");
        writeFile(work + "/broken_H.txt", "#comment_histo: x\n");
        writeFile(work + "/notes.txt", "plain text\n");
        f.prompts.folders.push_back(work);
        QVERIFY(f.session().controller().newProject());
        FolderCommands& commands = f.window().folderView().commands();

        commands.open("level_H.txt");
        QCOMPARE(openKinds(f.window().windows()), std::vector<WindowKind>{WindowKind::HistogramPlot});
        const WindowState plotted = f.window().windows().all()[0]->ownState();
        QCOMPARE(std::get<HistogramPlotWindowState>(plotted).histograms.size(), std::size_t(1));
        commands.open("broken_H.txt");
        QCOMPARE(f.prompts.messages.size(), 1);
        commands.open("notes.txt");
        QCOMPARE(f.prompts.opened, QStringList{work + "/notes.txt"});
        // What the program writes on this platform is listed and opens with the desktop's program.
        for (const char* name : {"/plot.svg", "/shot.png", "/tables.xlsx", "/report.docx"}) writeFile(work + name, "x");
        f.window().folderView().refresh();
        QCOMPARE(f.window().folderView().model()->rowCount(), 7);
        commands.open("report.docx");
        QCOMPARE(f.prompts.opened.back(), work + "/report.docx");

        // "Вставить копию стандартной таблицы": a store table under a new name,
        // never over an existing file without asking.
        f.prompts.items = {0, 0};
        f.prompts.texts = {QString("noise.tbl"), QString("noise.tbl")};
        f.prompts.answers = {Prompts::Answer::No};
        commands.insertStandardTable();
        QVERIFY(QFile::exists(work + "/noise.tbl"));
        commands.insertStandardTable();
        QCOMPARE(f.prompts.questions.back(), QString("Файл уже существует.\nПерезаписать файл?"));

        commands.open("noise.tbl");
        ChildWindowInterface* table = f.window().windows().find(WindowKind::Table);
        QVERIFY(table);
        QVERIFY(!table->asWidget()->windowTitle().isEmpty());

        // "Создать копию файла" never overwrites.
        f.prompts.texts = {QString("copy.tbl"), QString("notes.txt")};
        commands.copy("noise.tbl");
        QVERIFY(QFile::exists(work + "/copy.tbl"));
        commands.copy("noise.tbl");
        QCOMPARE(f.prompts.messages.back(),
                 QString("Не удалось создать копию файла.\nВозможно файл с таким именем уже существует"));

        // The context menus.
        auto items = [&](const QString& name, int selected) {
            std::unique_ptr<QMenu> menu(f.window().folderView().contextMenu(name, selected, nullptr));
            QStringList texts;
            for (QAction* a : menu->actions())
                if (!a->isSeparator()) texts << a->text();
            return texts;
        };
        QCOMPARE(items("", 0), QStringList({"Создать новую таблицу", "Вставить копию стандартной таблицы"}));
        QCOMPARE(items("noise.tbl", 1), QStringList({"noise.tbl", "Открыть файл средствами Windows",
                                                     "Создать копию файла", "Поместить копию в стандартные",
                                                     "Удалить файл", "Свойства"}));
        QVERIFY(!items("notes.txt", 1).contains("Поместить копию в стандартные"));
        QCOMPARE(items("notes.txt", 2), QStringList{"Удалить файлы"});
        QCOMPARE(f.prompts.unexpected, 0);
    }

    void calculationRunsOffTheInterfaceThread() {
        AppFixture f;
        f.start();
        const QString work = f.folder("results");
        f.prompts.folders.push_back(work);
        QVERIFY(f.session().controller().newProject());
        f.prompts.files.push_back(demoFile(kStreetDay));
        QVERIFY(f.session().controller().chooseAndOpenDataFile());
        QCOMPARE(f.settings().text("BrowseSect", "BinPath"), QFileInfo(demoFile(kStreetDay)).absolutePath() + "/");

        ParameterEntry leq;
        leq.code = 0x01300000;
        leq.flags.leq = leq.flags.minimum = leq.flags.maximum = true;
        QVERIFY(f.session().controller().addParameterEntry(leq).ok());
        const CalcReport report = f.session().controller().calculateCurrentFile();
        QVERIFY(!report.cancelled);
        QVERIFY(f.session().currentFile()->entries.front().first.leqs.size() > 0);
        QVERIFY(!QDir(work).entryList({"SLM101_street_day*.txt"}, QDir::Files).isEmpty());
    }

    void projectKeepsItsChildWindows() {
        AppFixture f;
        f.start();
        ProjectSession& s = f.session();
        QVERIFY(s.loadProject(demoFile("demo.pht")));
        // The stored project files window, and the report window of the project's texts.
        QCOMPARE(openKinds(f.window().windows()), (std::vector<WindowKind>{WindowKind::ProjectFiles, WindowKind::Report}));
        f.window().windows().create(WindowKind::Parameters);
        QVERIFY(s.controller().openProjectEntry(0));  // the project files and report windows survive opening a file
        QCOMPARE(openKinds(f.window().windows()), (std::vector<WindowKind>{WindowKind::ProjectFiles, WindowKind::Report}));

        f.window().run(command::ShowReport);
        f.window().run(command::ShowRanges);
        f.window().run(command::ShowTimePlot);
        ChildWindowInterface* secondPlot = f.window().windows().create(WindowKind::TimePlot);
        f.window().run(command::NewTable);
        f.window().run(command::ShowProjectFiles);  // shown again, not a second one
        QCOMPARE(openKinds(f.window().windows()), (std::vector<WindowKind>{WindowKind::ProjectFiles, WindowKind::Report,
                                                        WindowKind::Ranges, WindowKind::TimePlot,
                                                        WindowKind::TimePlot, WindowKind::Table}));
        for (int c : {command::ShowProjectFiles, command::ShowReport, command::ShowRanges, command::ShowTimePlot})
            QVERIFY(f.checked(c));
        QVERIFY(!f.checked(command::ShowParameters));

        secondPlot->asWidget()->setGeometry(200, 210, 500, 300);
        secondPlot->restoreOwnState(TimePlotWindowState{1, "t, s", "L, dB"});
        f.window().windows().find(WindowKind::Ranges)->asWidget()->setGeometry(50, 60, 400, 200);

        const QString saved = f.folder("saved") + "/windows.pht";
        f.prompts.files.push_back(saved);
        QVERIFY(s.controller().saveProjectAs());
        const ProjectState written = readProject(saved);
        QCOMPARE(kinds(written.windows), (std::vector<WindowKind>{WindowKind::ProjectFiles, WindowKind::Report,
                                                                  WindowKind::Ranges, WindowKind::TimePlot,
                                                                  WindowKind::TimePlot}));
        QCOMPARE(written.windows[4].rect, (WindowRect{200, 210, 700, 510}));
        QCOMPARE(std::get<TimePlotWindowState>(written.windows[4].state).yCaption, std::string("L, dB"));
        QCOMPARE(written.files.size(), std::size_t(7));

        // A new project closes every window; loading the saved one brings them back.
        f.prompts.folders.push_back(QString());
        s.controller().newProject();
        QVERIFY(f.window().windows().all().empty());
        for (int c : {command::ShowProjectFiles, command::ShowRanges, command::ShowTimePlot})
            QVERIFY(!f.checked(c));

        QVERIFY(s.loadProject(saved));
        QCOMPARE(openKinds(f.window().windows()), (std::vector<WindowKind>{WindowKind::ProjectFiles, WindowKind::Report,
                                                        WindowKind::Ranges, WindowKind::TimePlot,
                                                        WindowKind::TimePlot}));
        const auto open = f.window().windows().all();
        QCOMPARE(open[4]->asWidget()->geometry(), QRect(200, 210, 500, 300));
        QCOMPARE(std::get<TimePlotWindowState>(open[4]->ownState()).xCaption, std::string("t, s"));
        QCOMPARE(open[2]->asWidget()->pos(), QPoint(50, 60));
        QCOMPARE(s.state().currentIndex, 0);
        QVERIFY(s.currentFile() != nullptr);  // the current file is opened again
        QCOMPARE(f.prompts.unexpected, 0);
    }

    void failedLoadKeepsTheOpenProject() {
        AppFixture f;
        f.start();
        ProjectSession& s = f.session();
        QVERIFY(s.loadProject(demoFile("demo.pht")));
        s.controller().windowStateChanged();
        const QString damaged = f.folder("bad") + "/damaged.pht";
        writeFile(damaged, QByteArray("\x17\x00\x00\x00\x03\x00", 6));
        QVERIFY(!s.loadProject(damaged));
        QCOMPARE(f.prompts.messages.size(), 1);
        QVERIFY(f.prompts.messages.front().contains("damaged.pht"));
        QCOMPARE(s.projectPath(), QFileInfo(demoFile("demo.pht")).absoluteFilePath());
        QCOMPARE(s.state().files.size(), std::size_t(7));
        QCOMPARE(openKinds(f.window().windows()), (std::vector<WindowKind>{WindowKind::ProjectFiles, WindowKind::Report}));
        QVERIFY(s.controller().modified());
    }

    void closingAsksToSaveAModifiedProject_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("cancel keeps the program running") << int(Prompts::Answer::Cancel) << false << false;
        QTest::newRow("no closes without saving") << int(Prompts::Answer::No) << true << false;
        QTest::newRow("yes saves and closes") << int(Prompts::Answer::Yes) << true << true;
    }

    void closingAsksToSaveAModifiedProject() {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        AppFixture f;
        f.start();
        ProjectSession& s = f.session();
        const QString path = f.folder("p") + "/p.pht";
        QVERIFY(s.loadProject(demoFile("demo.pht")));
        f.prompts.files.push_back(path);
        QVERIFY(s.controller().saveProjectAs());
        QVERIFY(s.controller().setReportTexts({{0, "changed"}}).ok());

        QSignalSpy closed(&f.window(), &MainWindow::closed);
        f.prompts.answers.push_back(static_cast<Prompts::Answer>(answer));
        QCOMPARE(f.window().close(), closes);
        QCOMPARE(f.prompts.questions, QStringList{"Проект изменен. Сохранить?"});
        QCOMPARE(closed.count(), closes ? 1 : 0);
        QCOMPARE(f.window().isVisible(), !closes);
        QCOMPARE(readProject(path).reportTexts[0] == "changed", saved);

        // Without changes, closing asks nothing.
        if (!closes) {
            QVERIFY(s.controller().saveProject());
            QVERIFY(f.window().close());
            QCOMPARE(f.prompts.questions.size(), 1);
        }
    }

    void languageIsAskedUntilChosen() {
        {
            LocaleForTest russian("ru_RU.UTF-8");
            AppFixture f;  // no language set: the dialog's list, the locale's language first, cancelled
            f.prompts.languages.push_back(-1);
            f.start();
            QCOMPARE(f.prompts.offeredLanguages.size(), std::size_t(2));
            QCOMPARE(f.prompts.offeredLanguages[0].name, std::string("Русский"));
            QCOMPARE(f.prompts.offeredLanguages[1].name, std::string("English"));
            QCOMPARE(f.prompts.preferredLanguage, 0);
            QCOMPARE(f.settings().text("Init", "Language"), QString());
            QCOMPARE(f.commands().action(command::OpenFile)->text(), QString("Открыть файл"));
            QVERIFY(f.window().close());
        }
        LocaleForTest english("en_US.UTF-8");
        AppFixture f;
        f.prompts.languages.push_back(0);
        f.start();
        QCOMPARE(f.prompts.offeredLanguages[0].name, std::string("English"));
        QCOMPARE(f.prompts.preferredLanguage, 0);
        QCOMPARE(f.settings().text("Init", "Language"), QString("en.txt"));
        QCOMPARE(f.commands().action(command::OpenFile)->text(), QString("Open file"));
        QVERIFY(f.session().openDataFile(demoFile(kStreetDay)));
        // The telemetry description speaks the chosen language too.
        QVERIFY(f.window().windowTitle().contains("Sound level meter SLM-101"));
        QVERIFY(f.window().close());

        setCurrentStrings(StringTable::russian());
        AppFixture again;  // a stored language is taken without asking
        again.settings().setText("Init", "Language", "en.txt");
        again.start();
        QVERIFY(again.prompts.offeredLanguages.empty());
        QCOMPARE(again.commands().action(command::OpenFile)->text(), QString("Open file"));
        QVERIFY(again.window().close());
    }
};

PHONOTAB_REGISTER_TEST(MainWindowTest)
#include "MainWindowTest.moc"
