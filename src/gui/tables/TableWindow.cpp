#include "gui/tables/TableWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QToolBar>
#include <QVBoxLayout>

#include "gui/base/AppIcons.h"
#include "gui/base/DocumentWindow.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/UiText.h"
#include "core/project/ProjectTableSources.h"
#include "gui/base/AppPaths.h"
#include "gui/base/SettingsStore.h"
#include "core/project/FileDataTree.h"
#include "gui/tables/CellFormatDialog.h"
#include "core/tables/CellHint.h"
#include "gui/tables/GraphSettingsDialog.h"
#include "core/tables/TableGraphData.h"
#include "render/pictures/TableGraphPicture.h"
#include "gui/plotwindows/HistogramPlotWindow.h"
#include "gui/tables/TablePropertiesDialog.h"
#include "gui/tables/FormulaDialog.h"
#include "core/tables/FormulaReplication.h"
#include "gui/tables/MacroEditorDialog.h"
#include "gui/tables/TableCellDialogs.h"
#include "core/tables/macros/MacroRunner.h"
#include "core/tables/macros/ProjectDataBinding.h"
#include "core/tables/TableCellCommands.h"
#include "gui/tables/TableClipboard.h"
#include "core/tables/TableCommands.h"
#include "core/tables/TableDrawing.h"
#include "gui/tables/TableGridView.h"
#include "core/tables/io/TableFile.h"
#include "core/tables/io/TableWorkbookExport.h"

namespace phonotab {

namespace {

// The title of a table that has no name yet.
const QString kProvisionalTitle = QStringLiteral("Table");

// Toolbar texts, in the order of TableWindow::Command.
constexpr text::Id kCommandTexts[] = {text::SaveTable,         text::CopyTable,          text::CopyTableBlackAndWhite,
                                     text::ExportTableToWorkbook, text::TableSizeAndName, text::ShowTableGraph,
                                     text::TableGraphSettings,    text::UndoOperation,    text::RedoOperation};

// Drawn pictures that say what each command does.
QIcon commandIcon(TableWindow::Command c) {
    using C = TableWindow::Command;
    switch (c) {
        case C::Save: return toolbarIcon(ToolbarImage::SaveProject);
        case C::CopyColour: return toolbarIcon(ToolbarImage::CopyTableColour);
        case C::CopyBlackAndWhite: return toolbarIcon(ToolbarImage::CopyTableBlackAndWhite);
        case C::ExportWorkbook: return toolbarIcon(ToolbarImage::ExportWorkbook);
        case C::SizeAndName: return toolbarIcon(ToolbarImage::TableSizeAndName);
        case C::ShowGraph: return toolbarIcon(ToolbarImage::TableGraph);
        case C::GraphSettings: return toolbarIcon(ToolbarImage::TableGraphSettings);
        case C::Undo: return toolbarIcon(ToolbarImage::Undo);
        case C::Redo: return toolbarIcon(ToolbarImage::Redo);
    }
    return {};
}

}  // namespace

TableWindow::TableWindow(ProjectSession& session, ReportTable table, QWidget* parent, TableWindowForm form)
    : QWidget(parent, form == TableWindowForm::Embedded ? Qt::Widget : Qt::Window),
      session_(session),
      table_(std::move(table)),
      form_(form) {
    if (form_ == TableWindowForm::FreeStanding) {
        setAttribute(Qt::WA_DeleteOnClose);
        makeDocumentWindow(*this);
        resize(400, 400);
    }
    openId_ = session_.controller().openTables().add(
        table_, form == TableWindowForm::Embedded ? OpenTables::Home::Project : OpenTables::Home::OwnFile);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    toolbar_ = new QToolBar(this);
    layout->addWidget(toolbar_);
    grid_ = new TableGridView(this);
    layout->addWidget(grid_, 1);
    grid_->setTable(&table_);
    grid_->setHintProvider([this](CellKey cell) { return hint(cell); });
    buildToolbar();
    buildKeys();

    connect(grid_, &TableGridView::cellActivated, this, &TableWindow::activateCell);
    connect(grid_, &TableGridView::clearRequested, this, &TableWindow::clearSelection);
    connect(grid_, &TableGridView::cellMenuRequested, this, [this](CellKey cell, QPoint at) { cellMenu(cell)->exec(at); });
    connect(grid_, &TableGridView::rowHeaderMenuRequested, this, [this](int row, QPoint at) { rowHeaderMenu(row)->exec(at); });
    connect(grid_, &TableGridView::columnHeaderMenuRequested, this,
            [this](int column, QPoint at) { columnHeaderMenu(column)->exec(at); });
    // After the project's recalculation the bound cells show their new values;
    // after a reference book's edit the "#" formulas theirs. An embedded window
    // is made anew from the project by the report window that holds it.
    connect(&session_, &ProjectSession::projectSync, this, [this](int direction) {
        if (direction == 1 && form_ == TableWindowForm::FreeStanding) redraw();
    });

    updateTitle();
    redraw();
    updateCommandStates();
}

TableWindow::~TableWindow() { session_.controller().openTables().remove(openId_); }

QAction* TableWindow::action(Command command) const { return actions_[static_cast<int>(command)]; }

void TableWindow::buildToolbar() {
    toolbar_->setIconSize(QSize(16, 16));
    auto add = [&](Command c, auto slot) {
        QAction* a = toolbar_->addAction(commandIcon(c), uiText(kCommandTexts[static_cast<int>(c)]));
        a->setToolTip(a->text());
        connect(a, &QAction::triggered, this, slot);
        actions_[static_cast<int>(c)] = a;
    };
    add(Command::Save, [this] { save(); });
    toolbar_->addSeparator();
    add(Command::CopyColour, [this] { copyHtml(true); });
    add(Command::CopyBlackAndWhite, [this] { copyHtml(false); });
    add(Command::ExportWorkbook, [this] { exportWorkbook(); });
    toolbar_->addSeparator();
    add(Command::SizeAndName, [this] { editProperties(); });
    toolbar_->addSeparator();
    add(Command::ShowGraph, [this] { showGraph(); });
    add(Command::GraphSettings, [this] { editGraphSettings(); });
    toolbar_->addSeparator();
    add(Command::Undo, [this] { undo(); });
    add(Command::Redo, [this] { redo(); });
    action(Command::Save)->setEnabled(form_ == TableWindowForm::FreeStanding);
    // Undo as Qt users expect, and Alt+Backspace as the table has always taken it.
    action(Command::Undo)->setShortcuts({QKeySequence::Undo, QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    action(Command::Redo)->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence::Redo});
    for (QAction* a : {action(Command::Undo), action(Command::Redo)}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);  // the keys work wherever the focus is in the window
    }
}

void TableWindow::buildKeys() {
    auto* copy = new QAction(this);
    copy->setShortcuts({QKeySequence::Copy, QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &TableWindow::copyText);
    addAction(copy);
    auto* paste = new QAction(this);
    paste->setShortcuts({QKeySequence::Paste, QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    paste->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(paste, &QAction::triggered, this, &TableWindow::pasteText);
    addAction(paste);
}

void TableWindow::redraw() {
    const ProjectBookEntries books(session_.controller().referenceBooks());
    const ProjectTableSources sources(session_.state().files, &session_.controller().teleDescription());
    shown_ = DrawDisplayTexts(table_, TableEnvironment{&books, &sources});
    grid_->setDisplayTexts(shown_);
}

QString TableWindow::hint(CellKey cell) const {
    if (!table_.inside(cell)) return {};
    const ProjectBookEntries books(session_.controller().referenceBooks());
    const ProjectTableSources sources(session_.state().files, &session_.controller().teleDescription());
    return toQt(CellHintText(table_, cell, CellHintEnvironment{&books, &sources}));
}

void TableWindow::afterCommand(bool changed) {
    if (changed) {
        grid_->tableLayoutChanged();
        redraw();
        updateTitle();
        emit tableChanged();
    }
    grid_->viewport()->update();
    updateCommandStates();
}

void TableWindow::updateCommandStates() {
    action(Command::Undo)->setEnabled(table_.canUndo());
    action(Command::Redo)->setEnabled(table_.canRedo());
}

void TableWindow::updateTitle() {
    setWindowTitle(table_.name.empty() ? kProvisionalTitle : toQt(table_.name));
}

// ---- menus ----------------------------------------------------------------------------------

std::unique_ptr<QMenu> TableWindow::columnHeaderMenu(int column) {
    auto menu = std::make_unique<QMenu>(this);
    if (column < 0 || column >= table_.columnCount()) return menu;
    menu->addAction(uiText(text::InsertColumnBefore), this,
                    [this, column] { afterCommand(InsertColumnCommand(table_, column, column)); });
    menu->addAction(uiText(text::InsertColumnAfter), this,
                    [this, column] { afterCommand(InsertColumnCommand(table_, column + 1, column)); });
    menu->addAction(uiText(table_.columnInReport(column) ? text::ExcludeColumn : text::IncludeColumn), this,
                    [this, column] { afterCommand(ToggleColumnReportCommand(table_, column)); });
    menu->addAction(uiText(text::DeleteColumn), this, [this, column] { afterCommand(DeleteColumnCommand(table_, column)); });
    return menu;
}

std::unique_ptr<QMenu> TableWindow::rowHeaderMenu(int row) {
    auto menu = std::make_unique<QMenu>(this);
    if (row < 0 || row >= table_.rowCount()) return menu;
    menu->addAction(uiText(text::InsertRowBefore), this, [this, row] { afterCommand(InsertRowCommand(table_, row, row)); });
    menu->addAction(uiText(text::InsertRowAfter), this, [this, row] { afterCommand(InsertRowCommand(table_, row + 1, row)); });
    menu->addAction(uiText(table_.rowInReport(row) ? text::ExcludeRow : text::IncludeRow), this,
                    [this, row] { afterCommand(ToggleRowReportCommand(table_, row)); });
    menu->addAction(uiText(text::DeleteRow), this, [this, row] { afterCommand(DeleteRowCommand(table_, row)); });
    return menu;
}

std::unique_ptr<QMenu> TableWindow::cellMenu(CellKey cell) {
    auto menu = std::make_unique<QMenu>(this);
    auto item = [&](text::Id text, auto slot) { menu->addAction(uiText(text), this, slot); };
    item(text::CellText, [this] { cellCommand(CellCommand::Text); });
    item(text::ProjectData, [this] { cellCommand(CellCommand::ProjectData); });
    item(text::FileData, [this] { cellCommand(CellCommand::FileData); });
    item(text::Formula, [this] { editFormula(); });
    item(text::ReferenceData, [this] { cellCommand(CellCommand::ReferenceData); });
    item(text::ReplaceSource, [this] { cellCommand(CellCommand::ReplaceSource); });
    item(text::MergeCells, [this] { afterCommand(MergeCellsCommand(table_, table_.selection.rect)); });
    item(text::UnmergeCells, [this] {
        const std::vector<CellKey> cells(table_.selection.cells.begin(), table_.selection.cells.end());
        afterCommand(UnmergeCellsCommand(table_, cells));
    });
    item(text::SetMacro, [this, cell] { editMacro(cell); });
    item(text::SelectLinkedCells, [this, cell] {
        SelectLinkedCells(table_, cell, table_.selection);
        afterCommand(false);
    });
    item(text::CutCells, [this] { copyBlock(true); });
    item(text::CopyCells, [this] { copyBlock(false); });
    item(text::PasteCells, [this, cell] { pasteBlock(cell); });
    item(text::ClearCells, [this] { clearSelection(); });
    item(text::CellFormat, [this] { formatCells(); });
    return menu;
}

void TableWindow::activateCell(CellKey cell, bool controlHeld) {
    if (!table_.inside(cell)) return;
    // The command works on the cell's block, as a click on it selects.
    if (!table_.selection.cells.count(cell)) table_.selection = TableSelection::fromRect(CellRect{cell.column, cell.row, cell.column + 1, cell.row + 1});
    switch (DoubleClickActionOf(table_, cell, controlHeld)) {
        case DoubleClickAction::RunMacro: return runMacro(cell);
        case DoubleClickAction::EditMacro: return editMacro(cell);
        case DoubleClickAction::ProjectData: return cellCommand(CellCommand::ProjectData);
        case DoubleClickAction::ReferenceBook: return cellCommand(CellCommand::ReferenceData);
        case DoubleClickAction::Formula: return editFormula();
    }
}

namespace {
// Data files read straight into a table: the ".ldl" converter is not part of
// the desktop program, so those files give the converter's message.
FileDataLoader dataFileLoader(const TeleDesc& desc) {
    return FileDataLoader(desc, std::string(), (QDir::tempPath() + QStringLiteral("/phonotab-ldl.txt")).toStdString());
}
}  // namespace

void TableWindow::cellCommand(CellCommand command) {
    TableCellDialogs dialogs(session_, this);
    const ProjectTableSources sources(session_.state().files, &session_.controller().teleDescription());
    const TableSelection selection = table_.selection;
    bool changed = false;
    switch (command) {
        case CellCommand::Text: changed = TextCommand(table_, selection, dialogs); break;
        case CellCommand::ProjectData: changed = ProjectDataCommand(table_, selection, sources, dialogs); break;
        case CellCommand::FileData: {
            FileDataLoader loader = dataFileLoader(session_.controller().teleDescription());
            changed = FileDataCommand(table_, selection, loader, dialogs);
            break;
        }
        case CellCommand::ReferenceData: changed = ReferenceBookCommand(table_, selection, dialogs); break;
        case CellCommand::ReplaceSource: changed = ReplaceSourceCommand(table_, selection, sources, dialogs); break;
    }
    afterCommand(changed);
}

void TableWindow::editFormula() {
    if (table_.selection.cells.empty()) return;
    FormulaDialog dialog(toQt(InitialFormulaText(table_, table_.selection)), session_.settings(),
                         session_.paths().dataFolder + QStringLiteral("/calc_help.txt"), this);
    if (dialog.exec() != QDialog::Accepted) return;
    ReplicateFormula(table_, table_.selection, fromQt(dialog.formula()));
    afterCommand(true);
}

void TableWindow::formatCells() {
    if (table_.selection.cells.empty()) return;
    CellFormatDialog dialog(CommonCellFormat(table_, table_.selection), session_.prompts(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const Result<bool> changed = CellFormatCommand(table_, table_.selection, dialog.change());
    if (!changed) session_.prompts().showMessage(changed.error());
    afterCommand(changed.ok() && *changed);
}

void TableWindow::editProperties() {
    TablePropertiesDialog dialog(table_.rowCount(), table_.columnCount(), table_.name, this);
    if (dialog.exec() != QDialog::Accepted) return;
    bool changed = false;
    if (dialog.rows() != table_.rowCount() || dialog.columns() != table_.columnCount()) {
        // Filled cells that would fall off are the user's work: asked first.
        const int dropped = filledCellsOutside(table_, dialog.rows(), dialog.columns());
        if (dropped == 0 ||
            session_.prompts().ask(messageText(Message(msg::ResizeDropsCells, dropped)), false) == Prompts::Answer::Yes) {
            changed = ResizeCommand(table_, dialog.rows(), dialog.columns());
            // The selection may now lie outside the table.
            table_.selection = TableSelection::fromRect(CellRect{0, 0, 1, 1});
        }
    }
    if (dialog.name() != table_.name) {
        table_.name = dialog.name();
        table_.SetModified();
        changed = true;
    }
    afterCommand(changed);
}

void TableWindow::editGraphSettings() {
    GraphSettingsDialog dialog(table_.graph, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const TableGraphSettings settings = dialog.settings();
    if (settings == table_.graph) return;
    table_.graph = settings;
    table_.SetModified();
    afterCommand(true);
}

void TableWindow::showGraph() {
    const Result<TableGraphChart> chart = ReadTableGraph(table_, shown_);
    if (!chart) {
        session_.prompts().showMessage(chart.error());
        return;
    }
    if (chart->series.empty()) return;
    // One chart window with every series, a child of the table window: it goes when the table's window goes.
    BarChartInput input = tableGraphBarChart(*chart);
    const QString title = input.title.empty() ? windowTitle() : windowTitle() + " - " + toQt(input.title);
    auto* window = new HistogramPlotWindow(session_, std::move(input), this, tableGraphSeriesNames(*chart));
    window->setWindowTitle(title);
    window->show();
}

void TableWindow::editMacro(CellKey cell) {
    if (!table_.inside(cell)) return;
    const auto it = table_.macros.find(cell);
    MacroEditorDialog dialog(it == table_.macros.end() ? std::string() : it->second, session_.settings(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    afterCommand(SetMacroCommand(table_, cell, dialog.macro()));
}

void TableWindow::runMacro(CellKey cell) {
    TableMacroDialogs dialogs(session_, this);
    FileDataLoader loader = dataFileLoader(session_.controller().teleDescription());
    const ProjectBookEntries books(session_.controller().referenceBooks());
    const ProjectTableSources sources(session_.state().files, &session_.controller().teleDescription());
    const bool wasModified = table_.modified();
    const bool couldUndo = table_.canUndo();
    table_.SetModified(false);
    RunMacro(table_, cell, dialogs, &loader, TableEnvironment{&books, &sources});
    const bool changed = table_.modified() || table_.canUndo() != couldUndo;
    table_.SetModified(wasModified || table_.modified());
    afterCommand(changed);
}

// ---- commands -------------------------------------------------------------------------------

void TableWindow::undo() { afterCommand(table_.Undo()); }

void TableWindow::redo() { afterCommand(table_.Redo()); }

void TableWindow::clearSelection() { afterCommand(ClearCommand(table_, table_.selection)); }

void TableWindow::copyHtml(bool colour) {
    // With every row or every column left out of the report there is nothing
    // to copy; the clipboard keeps what it held, and the user is told why.
    if (!table_clipboard::putTableHtml(table_, shown_, colour ? HtmlColours::Colour : HtmlColours::BlackAndWhite))
        session_.prompts().showMessage(Message(msg::NothingToCopy));
}

void TableWindow::copyBlock(bool cut) {
    if (table_.selection.rect.empty()) return;
    table_clipboard::putCellBlock(openId_, cut, table_.selection.rect, table_, shown_);
}

void TableWindow::pasteBlock(CellKey at) {
    const CellPasteOutcome out = table_clipboard::pasteCellBlock(session_.controller().openTables(), table_, at);
    afterCommand(out.pasted);
}

void TableWindow::copyText() {
    if (table_.selection.rect.empty()) return;
    table_clipboard::putCellsText(table_, shown_, table_.selection.rect);
}

void TableWindow::pasteText() {
    if (table_.selection.cells.empty() && table_.selection.rect.empty()) return;
    afterCommand(table_clipboard::pasteCellsText(table_, TopLeftCell(table_.selection)));
}

void TableWindow::exportWorkbook() {
    // Beside the table's file, or in the working folder for a table without one.
    QString suggested;
    if (!table_.filePath.empty()) {
        const QFileInfo file(toQt(table_.filePath));
        suggested = file.dir().filePath(file.completeBaseName() + QStringLiteral(".xlsx"));
    } else {
        const QString name = table_.name.empty() ? kProvisionalTitle : toQt(table_.name);
        suggested = QDir(session_.localWorkingFolder()).filePath(name + QStringLiteral(".xlsx"));
    }
    const QString path = session_.prompts().saveFilePath(uiText(text::ExportTable), uiText(text::WorkbookFilter), suggested,
                                                         QStringLiteral("xlsx"));
    if (path.isEmpty()) return;
    if (Status s = ExportTableWorkbook(table_, shown_, fromQt(path)); !s) {
        session_.prompts().showMessage(s.error());
        return;
    }
    session_.prompts().openExternally(path);
}

bool TableWindow::save() {
    if (form_ == TableWindowForm::Embedded) return false;
    std::string path = table_.filePath;
    if (path.empty()) {
        // A new table has no file yet: nothing typed may be lost for want of a name.
        const QString name = table_.name.empty() ? kProvisionalTitle : toQt(table_.name);
        const QString suggested = QDir(session_.localWorkingFolder()).filePath(name + QStringLiteral(".tbl"));
        const QString chosen = session_.prompts().saveFilePath(uiText(text::SaveTableAs), uiText(text::TableFileFilter), suggested,
                                                               QStringLiteral("tbl"));
        if (chosen.isEmpty()) return false;
        path = fromQt(chosen);
    }
    if (Status s = TableFile::Save(table_, path); !s) {
        session_.prompts().showMessage(s.error());
        return false;
    }
    table_.filePath = path;
    table_.SetModified(false);
    session_.controller().notify(DocumentNotice::FolderChanged);
    return true;
}

bool TableWindow::querySave(bool mayCancel) {
    if (!table_.modified() || form_ == TableWindowForm::Embedded) return true;
    const auto answer = session_.prompts().ask(messageText(Message(msg::TableModified, table_.name)), mayCancel);
    if (answer == Prompts::Answer::Cancel) return false;
    if (answer == Prompts::Answer::Yes && !save() && mayCancel) return false;
    table_.SetModified(false);
    return true;
}

void TableWindow::closeWithProject() { querySave(false); }

void TableWindow::closeEvent(QCloseEvent* e) {
    if (querySave(true))
        e->accept();
    else
        e->ignore();
}

}  // namespace phonotab
