// A table of text the core laid out (a header and rows of cells) as a Qt
// model for a read-only view.
#pragma once

#include <QAbstractTableModel>

#include "core/acoustics/IndicatorTables.h"

namespace phonotab {

class TextTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(TextTable table);
    const TextTable& table() const { return table_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    TextTable table_;
};

}  // namespace phonotab
