#include "gui/acoustics/ParameterTableModel.h"

#include <QColor>

#include "gui/base/ProjectSession.h"

namespace phonotab {

ParameterTableModel::ParameterTableModel(ProjectSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

const CalcFile* ParameterTableModel::file() const { return session_.currentFile(); }

NamingContext ParameterTableModel::naming() const {
    const CalcFile* f = file();
    if (!f) return {};
    return NamingContext{&session_.teleDescription(), &f->file.layout, &f->file.header};
}

int ParameterTableModel::rowCount(const QModelIndex& parent) const {
    const CalcFile* f = file();
    return parent.isValid() || !f ? 0 : static_cast<int>(f->entries.size());
}

int ParameterTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kParameterColumns; }

QVariant ParameterTableModel::data(const QModelIndex& index, int role) const {
    const CalcFile* f = file();
    if (!f || !index.isValid() || index.row() >= static_cast<int>(f->entries.size())) return {};
    const ParameterEntry& e = f->entries[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return column == kSourceColumn ? QVariant(QString::fromStdString(entryDisplayName(e, naming()))) : QVariant();
        case Qt::ForegroundRole:
            if (column != kSourceColumn) return {};
            return QColor(static_cast<int>(e.colour & 0xFF), static_cast<int>((e.colour >> 8) & 0xFF),
                          static_cast<int>((e.colour >> 16) & 0xFF));
        case Qt::CheckStateRole: {
            if (column == kSourceColumn) return {};
            // The second mark: an entry with sub-entries (never plotted), and
            // the synthesized levels' statistics in histogram mode (not computed).
            if (column == kPlotColumn && !e.subEntries.empty()) return Qt::PartiallyChecked;
            if (column != kPlotColumn && f->settings.histogramMode && parameterKind(e.code) == ParameterKind::SynthesizedLeq)
                return Qt::PartiallyChecked;
            return columnFlag(e, column) ? Qt::Checked : Qt::Unchecked;
        }
        case Qt::ToolTipRole: return QString::fromStdString(parameterTooltip(e, column, naming()));
        default: return {};
    }
}

QVariant ParameterTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromStdString(parameterColumnTitle(section));
}

void ParameterTableModel::reload() {
    beginResetModel();
    endResetModel();
}

}  // namespace phonotab
