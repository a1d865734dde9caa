#include "gui/project/ReportIllustrationList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QSaveFile>

#include <algorithm>

#include "gui/base/ProjectSession.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"
#include "core/project/ProjectPaths.h"
#include "core/project/ReportDocument.h"

namespace phonotab {

namespace {
const QString kColumnsSection = QStringLiteral("ImageListDlg");
const QString kPictureBrowseSection = QStringLiteral("BrowsePicture");
constexpr int kDefaultWidths[] = {200, 350, 70};
// What the file column shows for an illustration of a table's graph.
const QString kNoFile = QStringLiteral("---");

QString sizeKey(int column) { return QStringLiteral("Size%1").arg(column + 1); }

}  // namespace

ReportIllustrationList::ReportIllustrationList(ProjectSession& session, QWidget* parent)
    : QTableView(parent), session_(session) {
    setModel(&model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The caption is edited in place (F2, or a click on the selected caption);
    // a double click opens the picture.
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    verticalHeader()->hide();
    // The reference name takes the room left, so that its title shows whole.
    horizontalHeader()->setStretchLastSection(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu(indexAt(at).row())->exec(viewport()->mapToGlobal(at)); });
    connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { openPicture(index.row()); });
    connect(&model_, &QStandardItemModel::itemChanged, this, &ReportIllustrationList::captionEdited);
    rebuild();
    for (int c = 0; c < 3; ++c)
        setColumnWidth(c, session_.settings().integer(kColumnsSection, sizeKey(c), kDefaultWidths[c]));
}

ReportIllustrationList::~ReportIllustrationList() {
    for (int c = 0; c < 3; ++c) session_.settings().setInteger(kColumnsSection, sizeKey(c), columnWidth(c));
}

void ReportIllustrationList::rebuild(int select) {
    rebuilding_ = true;
    model_.removeRows(0, model_.rowCount());
    model_.setHorizontalHeaderLabels({uiText(text::IllustrationCaption), uiText(text::IllustrationFileName), uiText(text::IllustrationReferenceName)});
    const auto& list = session_.state().illustrations;
    for (std::size_t i = 0; i < list.size(); ++i) {
        auto* file = new QStandardItem(list[i].table ? kNoFile : toQt(list[i].picturePath));
        auto* name = new QStandardItem(toQt(reportPicturePlaceholder(i)).remove('<').remove('>'));
        file->setEditable(false);
        name->setEditable(false);
        model_.appendRow({new QStandardItem(toQt(list[i].caption)), file, name});
    }
    rebuilding_ = false;
    if (model_.rowCount() == 0) return;
    const int row = select >= 0 && select < model_.rowCount() ? select : 0;
    selectRow(row);
    scrollTo(model_.index(row, 0));
}

void ReportIllustrationList::edited(int select) { rebuild(select); }

void ReportIllustrationList::captionEdited(QStandardItem* item) {
    if (rebuilding_ || item->column() != 0) return;
    const auto row = static_cast<std::size_t>(item->row());
    const std::string caption = fromQt(item->text());
    if (row >= session_.state().illustrations.size() || session_.state().illustrations[row].caption == caption) return;
    (void)session_.controller().setIllustrationCaption(row, caption);
}

std::optional<std::string> ReportIllustrationList::askCaption(const QString& preset) {
    const auto typed = session_.prompts().askText(uiText(text::EnterIllustrationCaption), preset);
    if (!typed) return std::nullopt;
    return fromQt(*typed);
}

QString ReportIllustrationList::pictureFolder() const {
    return session_.settings().text(kPictureBrowseSection, QStringLiteral("Path"), session_.localWorkingFolder());
}

void ReportIllustrationList::rememberPictureFolder(const QString& file) {
    session_.settings().setText(kPictureBrowseSection, QStringLiteral("Path"), QFileInfo(file).absolutePath());
}

std::unique_ptr<QMenu> ReportIllustrationList::menu(int row) {
    auto m = std::make_unique<QMenu>(this);
    m->addAction(uiText(text::AddIllustration), this, &ReportIllustrationList::addPicture);
    m->addAction(uiText(text::AddGraphFromTable), this, &ReportIllustrationList::addTableGraph)
        ->setEnabled(std::any_of(session_.state().tables.begin(), session_.state().tables.end(),
                                 [](const ProjectTable& t) { return t.table.graph.hasSeries(); }));
    m->addAction(uiText(text::CreateIllustration), this, &ReportIllustrationList::createPicture);
    const int count = static_cast<int>(session_.state().illustrations.size());
    if (row < 0 || row >= count) return m;
    const auto r = static_cast<std::size_t>(row);
    m->addSeparator();
    m->addAction(uiText(text::IllustrationMoveUp), this, [this, r, row] {
        (void)session_.controller().moveIllustration(r, -1);
        edited(row - 1);
    })->setEnabled(row > 0);
    m->addAction(uiText(text::IllustrationMoveDown), this, [this, r, row] {
        (void)session_.controller().moveIllustration(r, +1);
        edited(row + 1);
    })->setEnabled(row + 1 < count);
    // The picture file itself stays.
    m->addAction(uiText(text::RemoveIllustration), this, [this, r, row] {
        (void)session_.controller().removeIllustration(r);
        edited(row);
    });
    return m;
}

void ReportIllustrationList::addPicture() {
    const QString file = session_.prompts().openFilePath(uiText(text::AddIllustration), uiText(text::PictureFilter), pictureFolder());
    if (file.isEmpty()) return;
    rememberPictureFolder(file);
    const auto caption = askCaption(QFileInfo(file).completeBaseName());
    if (!caption) return;
    const int added = static_cast<int>(session_.state().illustrations.size());
    (void)session_.controller().addIllustration({*caption, storedPicturePath(file), std::nullopt});
    edited(added);
}

// A picture in (or below) the working folder is stored relative to it, so that
// the link holds when the project and its folder move.
std::string ReportIllustrationList::storedPicturePath(const QString& file) const {
    const std::string folder = fromQt(QDir::cleanPath(session_.localWorkingFolder()) + QStringLiteral("/"));
    return MakeRelativeToWorkingFolder(toStoredPath(fromQt(QDir::cleanPath(file))), toStoredPath(folder));
}

// Only tables that have a graph are offered: another would leave a caption
// without a picture in the report.
void ReportIllustrationList::addTableGraph() {
    const auto& tables = session_.state().tables;
    QStringList names;
    std::vector<std::size_t> offered;
    for (std::size_t k = 0; k < tables.size(); ++k) {
        if (!tables[k].table.graph.hasSeries()) continue;
        names << uiText(text::ReportTableTab).replace(QStringLiteral("%d"), QString::number(k + 1)) + QStringLiteral(": ") +
                     toQt(tables[k].table.name);
        offered.push_back(k);
    }
    if (offered.empty()) return;
    const int chosen = session_.prompts().chooseItem(uiText(msg::ChooseTable), names);
    if (chosen < 0 || chosen >= names.size()) return;
    const std::size_t k = offered[static_cast<std::size_t>(chosen)];
    const auto caption = askCaption(toQt(tables[k].table.name));
    if (!caption) return;
    const int added = static_cast<int>(session_.state().illustrations.size());
    (void)session_.controller().addIllustration({*caption, std::string(), k});
    edited(added);
}

// A new picture from the shipped empty one, which the user then draws in the
// desktop's picture editor. An existing file of that name is replaced only
// when the user says so, wherever it lies.
void ReportIllustrationList::createPicture() {
    // The program's own question below covers the name with ".bmp", so the dialog does not ask too.
    const QString chosen =
        session_.prompts().saveFilePath(uiText(text::CreateIllustration), uiText(text::BitmapFilter), pictureFolder(),
                                        QStringLiteral("bmp"), Prompts::OverwriteCheck::ByCaller);
    if (chosen.isEmpty()) return;
    const QFileInfo info(chosen);
    const QString target = QDir(info.absolutePath()).filePath(info.completeBaseName() + QStringLiteral(".bmp"));
    rememberPictureFolder(target);
    if (QFileInfo::exists(target) && session_.prompts().ask(uiText(msg::Overwrite), false) != Prompts::Answer::Yes) return;
    const auto caption = askCaption(QFileInfo(target).completeBaseName());
    if (!caption) return;

    // The copy goes through a temporary file: a failed copy leaves an old picture as it was.
    QFile empty(session_.paths().dataFolder + QStringLiteral("/empty.bmp"));
    QSaveFile out(target);
    if (!empty.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly) || out.write(empty.readAll()) < 0 ||
        !out.commit()) {
        session_.prompts().showMessage(uiText(msg::CannotCopy));
        return;
    }
    const std::string stored = storedPicturePath(target);
    const int added = static_cast<int>(session_.state().illustrations.size());
    (void)session_.controller().addIllustration({*caption, stored, std::nullopt});
    edited(added);
    session_.prompts().openExternally(target);
}

void ReportIllustrationList::openPicture(int row) {
    const auto& list = session_.state().illustrations;
    if (row < 0 || row >= static_cast<int>(list.size())) return;
    const Illustration& ill = list[static_cast<std::size_t>(row)];
    if (ill.table || ill.picturePath.empty()) return;
    session_.prompts().openExternally(
        toQt(storedPathToLocal(ill.picturePath, fromQt(session_.localWorkingFolder()))));
}

}  // namespace phonotab
