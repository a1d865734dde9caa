#include "gui/periods/TextTableModel.h"

namespace phonotab {

void TextTableModel::setTable(TextTable table) {
    beginResetModel();
    table_ = std::move(table);
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.header.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto& row = table_.rows[static_cast<std::size_t>(index.row())];
    if (static_cast<std::size_t>(index.column()) >= row.size()) return {};
    if (role == Qt::DisplayRole) return QString::fromStdString(row[static_cast<std::size_t>(index.column())]);
    // Dates, names and times read from the left; the numbers line up on the right.
    if (role == Qt::TextAlignmentRole) {
        const std::string& cell = row[static_cast<std::size_t>(index.column())];
        const bool number = !cell.empty() && cell.find_first_not_of("0123456789.-") == std::string::npos;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    return {};
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    return QString::fromStdString(table_.header[static_cast<std::size_t>(section)]);
}

}  // namespace phonotab
