#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QTest>

#include "AppFixture.h"
#include "TestMain.h"
#include "gui/app/ChildWindowList.h"
#include "gui/project/ProjectFilesWindow.h"
#include "gui/project/ProjectFilesModel.h"
#include "core/project/ProjectTableSources.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

const QString kDay = QStringLiteral("SLM101_street_day.bin");
const QString kNight = QStringLiteral("SLM101_street_night.bin");
constexpr std::int32_t kLeqA = 0x01300000;

ProjectFilesWindow* projectWindow(AppFixture& f) {
    f.window().run(command::ShowProjectFiles);
    return dynamic_cast<ProjectFilesWindow*>(f.window().windows().find(WindowKind::ProjectFiles));
}

// The program started, a new project made in a scratch "work" folder and its
// files window shown; null when the project could not be made.
ProjectFilesWindow* windowOnNewProject(AppFixture& f) {
    f.start();
    f.prompts.folders.push_back(f.folder("work"));
    return f.session().controller().newProject() ? projectWindow(f) : nullptr;
}

QString cell(ProjectFilesWindow* w, int row, int column) {
    return w->model()->data(w->model()->index(row, column), Qt::DisplayRole).toString();
}

QStringList menuItems(ProjectFilesWindow* w) {
    QStringList out;
    const std::unique_ptr<QMenu> menu = w->makeContextMenu();
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) out << a->text();
    return out;
}

const CellBinding& binding(AppFixture& f, int column) {
    return f.session().state().tables.front().table.bindings.at({column, 0});
}

}  // namespace

class ProjectFilesWindowTest : public QObject {
    Q_OBJECT
private slots:
    // A project built from scratch: two files added under one prefix, one
    // renamed (a table's binding follows it), the selection recalculated.
    void buildNameAndRecalculateAProject() {
        AppFixture f;
        ProjectFilesWindow* w = windowOnNewProject(f);
        QVERIFY(w);
        QCOMPARE(w->model()->rowCount(), 0);
        QCOMPARE(menuItems(w).size(), 3);  // add, substitute, remove

        // The prefix may not be an existing name; an empty one is taken as it is.
        f.prompts.fileLists.push_back({demoFile(kDay), demoFile(kNight)});
        f.prompts.texts.push_back(QStringLiteral("Улица"));
        w->addFiles();
        QCOMPARE(w->model()->rowCount(), 2);
        QCOMPARE(cell(w, 0, 1), QStringLiteral("Улица_") + kDay);
        QCOMPARE(cell(w, 1, 1), QStringLiteral("Улица_") + kNight);
        QCOMPARE(cell(w, 0, 2), QStringLiteral("запись"));
        QCOMPARE(cell(w, 0, 3), QStringLiteral("Шумомер SLM-101"));
        QVERIFY(f.session().controller().modified());

        // One file: its name must be unique and not empty; asked again until it is.
        f.prompts.fileLists.push_back({demoFile(kDay)});
        f.prompts.texts.push_back(QStringLiteral("Улица_") + kDay);
        f.prompts.texts.push_back(QStringLiteral("Копия"));
        w->addFiles();
        QCOMPARE(f.prompts.messages.value(0), QStringLiteral("Имя должно быть уникальным в проекте и не пустым"));
        QCOMPARE(w->model()->rowCount(), 3);
        w->selectRows({2});
        QCOMPARE(menuItems(w).size(), 9);
        w->removeSelected();
        QCOMPARE(w->model()->rowCount(), 2);

        // The path column shows the stored path or, after a header click, the file name.
        QVERIFY(cell(w, 0, 0).endsWith(kDay));
        QTest::mouseClick(w->list()->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          QPoint(w->list()->horizontalHeader()->sectionPosition(0) + 5, 5));
        QCOMPARE(cell(w, 0, 0), kDay);

        // A table reads both sources.
        {
            ReportTable table(3, 2);
            CellBinding b;
            b.sourceName = "Улица_" + kDay.toStdString();
            b.parameterCode = kLeqA;
            b.itemIndex = CellBinding::Leq;
            table.bindings[{0, 0}] = b;
            b.sourceName = "Улица_" + kNight.toStdString();
            b.value = 77.0;
            table.bindings[{1, 0}] = b;
            QVERIFY(f.session().controller().addReportTable(table).ok());
        }

        // Renaming a used name asks first; the binding follows the name.
        f.prompts.texts.push_back(QStringLiteral("День"));
        f.prompts.answers.push_back(Prompts::Answer::No);
        w->activate(0, ProjectFilesModel::ReferenceName);
        QCOMPARE(cell(w, 0, 1), QStringLiteral("Улица_") + kDay);
        f.prompts.texts.push_back(QStringLiteral("День"));
        f.prompts.answers.push_back(Prompts::Answer::Yes);
        w->activate(0, ProjectFilesModel::ReferenceName);
        QCOMPARE(cell(w, 0, 1), QStringLiteral("День"));
        QCOMPARE(f.prompts.questions.size(), 2);
        QCOMPARE(binding(f, 0).sourceName, std::string("День"));

        // Recalculating the selected file fills its binding; the other source keeps its value.
        QCOMPARE(binding(f, 0).value, -1.0);
        w->selectRows({0});
        w->recalculate(false, false);
        QVERIFY(binding(f, 0).value > 30.0);
        QCOMPARE(binding(f, 1).value, 77.0);

        // A shared result file may not be one of the project's data files.
        f.prompts.files.push_back(demoFile(kDay));
        w->recalculate(false, true);
        QVERIFY(f.prompts.messages.last().contains(kDay));

        // Double click on the file makes it the current file, marked in the list.
        w->activate(1, ProjectFilesModel::Source);
        QCOMPARE(f.session().state().currentIndex, 1);
        QVERIFY(!w->model()->data(w->model()->index(1, 0), Qt::DecorationRole).isNull());
        QVERIFY(w->model()->data(w->model()->index(0, 0), Qt::DecorationRole).isNull());
        // Moving the current entry up: the mark follows it.
        w->selectRows({1});
        w->moveSelected(-1);
        QCOMPARE(f.session().state().currentIndex, 0);
        QCOMPARE(cell(w, 0, 1), QStringLiteral("Улица_") + kNight);
        QCOMPARE(f.prompts.unexpected, 0);
    }

    // "Подменить файл" on the open entry: the program reads the new file at
    // once (title, plots, calculation); a new percentile set of the open file
    // is what the tables' data chooser offers at once.
    void substitutingTheOpenFileReopensIt() {
        AppFixture f;
        ProjectFilesWindow* w = windowOnNewProject(f);
        QVERIFY(w);
        f.prompts.fileLists.push_back({demoFile(kDay)});
        f.prompts.texts.push_back(QStringLiteral("Точка"));
        w->addFiles();
        w->activate(0, ProjectFilesModel::Source);
        QVERIFY(QString::fromStdString(f.session().controller().currentFile()->file.path).endsWith(kDay));

        w->selectRows({0});
        f.prompts.fileLists.push_back({demoFile(kNight)});
        w->substituteFiles();
        QVERIFY(QString::fromStdString(f.session().controller().currentFile()->file.path).endsWith(kNight));
        QVERIFY(f.window().windowTitle().contains(kNight));
        QVERIFY(!f.window().windowTitle().contains(kDay));

        HistogramSettings h = f.session().controller().currentFile()->settings.histogram;
        h.percentiles = {1, 5, 95};
        QVERIFY(f.session().controller().setHistogramSettings(h).ok());
        const ProjectTableSources sources(f.session().state().files, nullptr);
        QCOMPARE(sources.sourcePercentile("Точка", 0).value_or(-1), 1.0);
        QCOMPARE(f.prompts.unexpected, 0);
    }

    // The window's undo takes back a rename and then the addition of the
    // file; redo brings the file back under the name it was added with.
    void undoAndRedoTheFileList() {
        AppFixture f;
        ProjectFilesWindow* w = windowOnNewProject(f);
        QVERIFY(w);
        auto* undo = w->findChild<QAction*>(QStringLiteral("undoEdit"));
        auto* redo = w->findChild<QAction*>(QStringLiteral("redoEdit"));
        QVERIFY(undo && redo);
        QVERIFY(undo->shortcuts().contains(QKeySequence(QKeySequence::Undo)));
        QVERIFY(!f.session().controller().modified());

        f.prompts.fileLists.push_back({demoFile(kDay)});
        f.prompts.texts.push_back(QStringLiteral("День"));
        w->addFiles();
        QCOMPARE(w->model()->rowCount(), 1);
        QVERIFY(f.session().controller().modified());
        f.prompts.texts.push_back(QStringLiteral("Утро"));
        w->activate(0, ProjectFilesModel::ReferenceName);
        QCOMPARE(cell(w, 0, 1), QStringLiteral("Утро"));
        QVERIFY(f.session().controller().saveProjectTo((f.folder("work") + "/p.pht").toStdString()).ok());
        QVERIFY(!f.session().controller().modified());

        undo->trigger();
        QCOMPARE(cell(w, 0, 1), QStringLiteral("День"));
        QVERIFY(f.session().controller().modified());
        undo->trigger();
        QCOMPARE(w->model()->rowCount(), 0);
        QVERIFY(!f.session().controller().canUndo());

        redo->trigger();
        QCOMPARE(w->model()->rowCount(), 1);
        QCOMPARE(cell(w, 0, 1), QStringLiteral("День"));
        QVERIFY(f.session().controller().canRedo());
        QVERIFY(f.session().controller().modified());
    }

    // The column widths go with the project.
    void columnWidthsAreStoredInTheProject() {
        AppFixture f;
        f.start();
        f.prompts.folders.push_back(f.folder("work"));
        QVERIFY(f.session().controller().newProject());
        ProjectFilesWindow* w = projectWindow(f);
        w->restoreOwnState(ProjectFilesWindowState{1, {210, 90, 70, 120}});
        const WindowState state = w->ownState();
        const auto* s = std::get_if<ProjectFilesWindowState>(&state);
        QVERIFY(s);
        QCOMPARE(s->columnWidths, (std::array<std::int32_t, 4>{210, 90, 70, 120}));
    }
};

PHONOTAB_REGISTER_TEST(ProjectFilesWindowTest)
#include "ProjectFilesWindowTest.moc"
