#include "gui/app/MainCommands.h"

#include <QActionGroup>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

#include "gui/base/AppIcons.h"
#include "gui/base/UiText.h"
#include "core/project/MruList.h"

#include <utility>
#include <vector>

namespace phonotab {

namespace {
// A menu command's caption is the text of the command's own number; the menu
// titles and the items whose number is taken by another text have names of
// their own in text::.
QString commandText(int command) { return uiText(static_cast<text::Id>(command)); }
// A menu title with its first letter as the Alt mnemonic.
QString menuTitle(text::Id id) { return QStringLiteral("&") + uiText(id); }
// The usual keys of the usual commands (made once the application runs:
// the platform's standard keys are not known before).
std::vector<std::pair<int, QKeySequence>> commandShortcuts() {
    return {
        {command::OpenFile, QKeySequence(QKeySequence::Open)},
        {command::NewProject, QKeySequence(QKeySequence::New)},
        {command::OpenProject, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
        {command::SaveProject, QKeySequence(QKeySequence::Save)},
        {command::SaveProjectAs, QKeySequence(QKeySequence::SaveAs)},
        {command::Exit, QKeySequence(QKeySequence::Quit)},
        {command::ShowProjectFiles, QKeySequence(Qt::CTRL | Qt::Key_1)},
        {command::ShowParameters, QKeySequence(Qt::CTRL | Qt::Key_2)},
        {command::ShowRanges, QKeySequence(Qt::CTRL | Qt::Key_3)},
        {command::ShowTimePlot, QKeySequence(Qt::CTRL | Qt::Key_4)},
        {command::ShowReport, QKeySequence(Qt::CTRL | Qt::Key_5)},
    };
}
// A recent-file item until it is filled.
const QString kEmptyRecent = QStringLiteral("..");
}  // namespace

MainCommands::MainCommands(QMainWindow& window) : QObject(&window) {
    using namespace command;
    QMenuBar* bar = window.menuBar();

    QMenu* file = bar->addMenu(menuTitle(text::FileMenu));
    add(file, OpenFile, commandText(OpenFile));
    QMenu* recentFiles = file->addMenu(commandText(RecentFile1));
    for (int i = 0; i < 4; ++i) add(recentFiles, RecentFile1 + i, kEmptyRecent);
    file->addSeparator();
    for (int c : {ConvertToText, JoinToText, Summary, Percentiles}) add(file, c, commandText(c));
    file->addSeparator();
    add(file, Exit, uiText(text::Exit));

    QMenu* project = bar->addMenu(menuTitle(text::ProjectMenu));
    for (int c : {NewProject, OpenProject, command::SaveProject, SaveProjectAs}) add(project, c, commandText(c));
    QMenu* recentProjects = project->addMenu(commandText(RecentProject1));
    for (int i = 0; i < 4; ++i) add(recentProjects, RecentProject1 + i, kEmptyRecent);
    project->addSeparator();
    add(project, ChangeWorkingFolder, commandText(ChangeWorkingFolder));
    add(project, ReferenceBookEditor, commandText(ReferenceBookEditor));

    QMenu* view = bar->addMenu(menuTitle(text::ViewMenu));
    auto* styles = new QActionGroup(this);
    for (int c : {ViewIcons, ViewList, ViewDetails}) styles->addAction(add(view, c, commandText(c), true));

    QMenu* windows = bar->addMenu(menuTitle(text::WindowMenu));
    add(windows, ShowProjectFiles, uiText(text::ProjectFilesItem), true);
    add(windows, ShowParameters, uiText(text::Parameters), true);
    add(windows, ShowRanges, uiText(text::RangeItem), true);
    add(windows, ShowTimePlot, uiText(text::Plot), true);
    add(windows, ShowReport, uiText(text::Report), true);

    QMenu* help = bar->addMenu(menuTitle(text::HelpMenu));
    add(help, About, uiText(text::AboutItem));
    // On the menu item only: the same keys on its toolbar button would be ambiguous.
    for (const auto& [c, keys] : commandShortcuts())
        if (const std::vector<QAction*> all = actions(c); !all.empty()) all.front()->setShortcut(keys);

    toolbar_ = window.addToolBar(QStringLiteral("Phonotab"));
    toolbar_->setObjectName(QStringLiteral("mainToolbar"));
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(24, 24));
    toolbar_->addSeparator();
    addButton(OpenProject, 0);
    addButton(command::SaveProject, 1);
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
    QAction* a = toolbar_->addAction(toolbarIcon(static_cast<ToolbarImage>(image)), commandText(command));
    a->setToolTip(commandText(command));
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
