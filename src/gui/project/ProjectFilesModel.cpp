#include "gui/project/ProjectFilesModel.h"

#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include "gui/base/UiText.h"
#include "core/measurement/Catalogue.h"
#include "core/measurement/TeleDesc.h"

namespace phonotab {

namespace {
constexpr text::Id kHeaders[] = {text::SourceColumn, text::ReferenceNameColumn, text::FileTypeColumn,
                                 text::InstrumentColumn};
constexpr text::Id kWorkModes[] = {text::SamplesMode, text::HistogramsMode, text::RecordsMode};

// The mark of the current file's row: a filled arrow.
QIcon currentMark() {
    static const QIcon icon = [] {
        QPixmap p(16, 15);
        p.fill(Qt::transparent);
        QPainter g(&p);
        g.setRenderHint(QPainter::Antialiasing);
        g.setBrush(QColor(0x00, 0x80, 0x00));
        g.setPen(Qt::NoPen);
        const QPointF arrow[] = {{4, 2}, {13, 7.5}, {4, 13}};
        g.drawPolygon(arrow, 3);
        return QIcon(p);
    }();
    return icon;
}

}  // namespace

ProjectFilesModel::ProjectFilesModel(const ProjectState& state, const TeleDesc& teleDesc, QObject* parent)
    : QAbstractTableModel(parent), state_(state), teleDesc_(teleDesc) {}

void ProjectFilesModel::rebuild() {
    beginResetModel();
    endResetModel();
}

void ProjectFilesModel::setShowPath(bool show) {
    if (show == showPath_) return;
    showPath_ = show;
    if (rowCount() > 0) emit dataChanged(index(0, Source), index(rowCount() - 1, Source));
}

QString ProjectFilesModel::sourceText(const std::string& storedPath, bool showPath) {
    if (showPath) return toQt(storedPath);
    const std::size_t slash = storedPath.find_last_of('\\');
    return toQt(slash == std::string::npos ? storedPath : storedPath.substr(slash + 1));
}

int ProjectFilesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(state_.files.size());
}

int ProjectFilesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ProjectFilesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const ProjectFileEntry& e = state_.files[static_cast<std::size_t>(index.row())];
    const bool current = index.row() == state_.currentIndex;
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
            case Source: return role == Qt::ToolTipRole ? toQt(e.path) : sourceText(e.path, showPath_);
            case ReferenceName: return toQt(e.referenceName);
            case WorkMode:
                return isKnownWorkMode(e.workMode) ? uiText(kWorkModes[static_cast<std::size_t>(e.workMode)])
                                                   : QString();
            case Instrument:
                return toQt(instrumentName(teleDesc_, static_cast<std::uint32_t>(e.instrumentCode)));
            default: return {};
        }
    }
    if (role == Qt::DecorationRole && index.column() == Source && current) return currentMark();
    if (role == Qt::FontRole && current) {
        QFont f;
        f.setBold(true);
        return f;
    }
    return {};
}

QVariant ProjectFilesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
    return uiText(kHeaders[section]);
}

}  // namespace phonotab
