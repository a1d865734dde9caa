#include "gui/app/FolderCommands.h"

#include <QFile>
#include <QFileInfo>

#include "gui/plotwindows/HistogramPlotWindow.h"
#include "gui/tables/TableWindow.h"
#include "gui/app/ChildWindowList.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/UiText.h"
#include "core/project/FolderFileOps.h"
#include "core/project/FolderItemOpening.h"
#include "core/project/FolderListing.h"
#include "core/project/ProjectFile.h"
#include "core/tables/io/TableFile.h"
#include "core/tables/io/TableStore.h"

namespace phonotab {

namespace {
}  // namespace

QString FolderCommands::pathOf(const QString& name) const { return session_.localWorkingFolder() + name; }

void FolderCommands::open(const QString& name) {
    const QString path = pathOf(name);
    switch (folderItemOpeningOf(fromQt(path))) {
        case FolderItemOpening::TableWindow:
            openTable(path);
            return;
        case FolderItemOpening::HistogramPlot: {
            const Result<HistogramFile> h = loadHistogramFile(fromQt(path));
            if (!h) {
                session_.prompts().showMessage(h.error());
                return;
            }
            auto* window = new HistogramPlotWindow(session_, *h, windows_.parentWidget());
            window->setWindowTitle(window->windowTitle() + " - " + name);
            windows_.add(window);
            return;
        }
        case FolderItemOpening::DesktopProgram:
            openExternally(name);
            return;
    }
}

bool FolderCommands::openTable(const QString& path) {
    ReportTable table;
    const ProjectSources sources(session_.state().files);
    if (Status s = TableFile::Load(table, fromQt(path), &sources); !s) {
        session_.prompts().showMessage(s.error());
        return false;
    }
    table.filePath = fromQt(path);
    windows_.add(new TableWindow(session_, std::move(table), windows_.parentWidget()));
    return true;
}

void FolderCommands::openExternally(const QString& name) { session_.prompts().openExternally(pathOf(name)); }

void FolderCommands::copy(const QString& name) {
    const auto newName = session_.prompts().askText(uiText(msg::EnterFileName), name);
    if (!newName || newName->isEmpty()) return;
    if (!copyFileInFolder(fromQt(session_.localWorkingFolder()), fromQt(name), fromQt(*newName)))
        session_.prompts().showMessage(uiText(msg::CopyFailed));
}

void FolderCommands::putIntoStore(const QString& name) {
    Prompts& prompts = session_.prompts();
    const Result<CopyOutcome> r = CopyTableToStore(fromQt(pathOf(name)), fromQt(session_.paths().tableStore()), [&] {
        return prompts.ask(uiText(msg::Overwrite), false) == Prompts::Answer::Yes;
    });
    if (!r) prompts.showMessage(r.error());
}

void FolderCommands::properties(const QString& name) {
    QFile f(pathOf(name));
    if (!f.open(QIODevice::ReadOnly)) session_.prompts().showMessage(Message(msg::CannotOpen, fromQt(pathOf(name))));
}

bool FolderCommands::remove(const QStringList& names, bool ask) {
    if (names.isEmpty()) return false;
    if (ask) {
        const Message question = names.size() == 1 ? Message(msg::DeleteOne, fromQt(names.front()))
                                                   : Message(msg::DeleteMany, names.size());
        if (session_.prompts().ask(messageText(question), false) != Prompts::Answer::Yes) return false;
    }
    bool any = false;
    for (const QString& n : names) any |= deleteInFolder(fromQt(session_.localWorkingFolder()), fromQt(n));
    session_.controller().notify(DocumentNotice::FolderChanged);
    return any;
}

bool FolderCommands::rename(const QString& from, const QString& to) {
    return renameInFolder(fromQt(session_.localWorkingFolder()), fromQt(from), fromQt(to));
}

void FolderCommands::newTable() {
    windows_.add(new TableWindow(session_, ReportTable(), windows_.parentWidget()));
}

void FolderCommands::insertStandardTable() {
    Prompts& prompts = session_.prompts();
    const std::string store = fromQt(session_.paths().tableStore());
    const std::vector<std::string> names = ListStandardTables(store);
    if (names.empty()) return;
    QStringList items;
    for (const auto& n : names) items << toQt(n);
    const int chosen = prompts.chooseItem(uiText(msg::ChooseTable), items);
    if (chosen < 0 || chosen >= items.size()) return;
    const auto newName = prompts.askText(uiText(msg::EnterFileName), items[chosen]);
    if (!newName) return;
    if (!isPlainFileName(fromQt(*newName))) {
        prompts.showMessage(Message(msg::CannotCopy));
        return;
    }
    const Result<CopyOutcome> r =
        CopyStandardTableToProject(store, names[static_cast<std::size_t>(chosen)],
                                   fromQt(session_.localWorkingFolder()), fromQt(*newName),
                                   [&] { return prompts.ask(uiText(msg::Overwrite), false) == Prompts::Answer::Yes; });
    if (!r) prompts.showMessage(r.error());
    session_.controller().notify(DocumentNotice::FolderChanged);
}

}  // namespace phonotab
