#include "gui/app/MainCommands.h"

#include <QActionGroup>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

#include "gui/base/AppIcons.h"
#include "gui/base/UiText.h"
#include "core/project/MruList.h"

namespace phonotab {

namespace {
// Menu titles and the texts of items whose string number is taken by another text.
constexpr int kFileMenu = 5508, kProjectMenu = 5509, kViewMenu = 5510, kWindowMenu = 5511, kHelpMenu = 5512;
constexpr int kProjectFilesItem = 5513, kParametersItem = 5514, kRangeItem = 5515, kPlotItem = 108,
              kReportItem = 5516, kAboutItem = 5507, kExitItem = 5527;
const QString kEmptyRecent = QStringLiteral("..");
}  // namespace

MainCommands::MainCommands(QMainWindow& window) : QObject(&window) {
    using namespace command;
    QMenuBar* bar = window.menuBar();

    QMenu* file = bar->addMenu(uiText(kFileMenu));
    add(file, OpenFile, uiText(OpenFile));
    QMenu* recentFiles = file->addMenu(uiText(RecentFile1));
    for (int i = 0; i < 4; ++i) add(recentFiles, RecentFile1 + i, kEmptyRecent);
    file->addSeparator();
    for (int c : {ConvertToText, JoinToText, Summary, Percentiles}) add(file, c, uiText(c));
    file->addSeparator();
    add(file, Exit, uiText(kExitItem));

    QMenu* project = bar->addMenu(uiText(kProjectMenu));
    for (int c : {NewProject, OpenProject, SaveProject, SaveProjectAs}) add(project, c, uiText(c));
    QMenu* recentProjects = project->addMenu(uiText(RecentProject1));
    for (int i = 0; i < 4; ++i) add(recentProjects, RecentProject1 + i, kEmptyRecent);
    project->addSeparator();
    add(project, ChangeWorkingFolder, uiText(ChangeWorkingFolder));
    add(project, ReferenceBookEditor, uiText(ReferenceBookEditor));

    QMenu* view = bar->addMenu(uiText(kViewMenu));
    auto* styles = new QActionGroup(this);
    for (int c : {ViewIcons, ViewList, ViewDetails}) styles->addAction(add(view, c, uiText(c), true));

    QMenu* windows = bar->addMenu(uiText(kWindowMenu));
    add(windows, ShowProjectFiles, uiText(kProjectFilesItem), true);
    add(windows, ShowParameters, uiText(kParametersItem), true);
    add(windows, ShowRanges, uiText(kRangeItem), true);
    add(windows, ShowTimePlot, uiText(kPlotItem), true);
    add(windows, ShowReport, uiText(kReportItem), true);

    QMenu* help = bar->addMenu(uiText(kHelpMenu));
    add(help, About, uiText(kAboutItem));

    toolbar_ = window.addToolBar(QStringLiteral("Phonotab"));
    toolbar_->setObjectName(QStringLiteral("mainToolbar"));
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(24, 24));
    toolbar_->addSeparator();
    addButton(OpenProject, 0);
    addButton(SaveProject, 1);
    toolbar_->addSeparator();
    addButton(ShowProjectFiles, 2);
    addButton(ShowReport, 3);
    addButton(ShowRanges, 4);
    addButton(ShowTimePlot, 5);
    addButton(ShowParameters, 6);
    toolbar_->addSeparator();
    addButton(NewTable, 7);
    addButton(InsertStandardTable, 8);
}

QAction* MainCommands::add(QMenu* menu, int command, const QString& text, bool checkable) {
    QAction* a = menu->addAction(text);
    a->setCheckable(checkable);
    a->setData(command);
    connect(a, &QAction::triggered, this, [this, command] { emit triggered(command); });
    actions_.emplace(command, a);
    return a;
}

QAction* MainCommands::addButton(int command, int image) {
    QAction* a = toolbar_->addAction(toolbarIcon(static_cast<ToolbarImage>(image)), uiText(command));
    a->setToolTip(uiText(command));
    a->setData(command);
    connect(a, &QAction::triggered, this, [this, command] { emit triggered(command); });
    actions_.emplace(command, a);
    return a;
}

QAction* MainCommands::action(int command) const {
    const auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

std::vector<QAction*> MainCommands::actions(int command) const {
    std::vector<QAction*> out;
    for (auto [it, end] = actions_.equal_range(command); it != end; ++it) out.push_back(it->second);
    return out;
}

void MainCommands::setEnabled(int command, bool enabled) {
    for (QAction* a : actions(command)) a->setEnabled(enabled);
}

void MainCommands::setChecked(int command, bool checked) {
    for (QAction* a : actions(command))
        if (a->isCheckable()) a->setChecked(checked);
}

void MainCommands::showRecent(int firstCommand, const MruList& list) {
    for (int i = 0; i < static_cast<int>(MruList::kCapacity); ++i) {
        const std::string path = list.at(static_cast<std::size_t>(i));
        if (QAction* a = action(firstCommand + i))
            a->setText(path.empty() ? kEmptyRecent : toQt(path).replace(QLatin1Char('&'), QStringLiteral("&&")));
    }
}

}  // namespace phonotab
