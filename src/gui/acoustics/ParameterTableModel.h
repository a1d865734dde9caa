// The parameters window's grid: a table model over the current file's
// parameter entries (read through the session on every call, so it never
// holds a stale copy). Flags show as check marks; the view's clicks go to the
// window, which changes them through the document controller.
#pragma once

#include <QAbstractTableModel>

#include "core/acoustics/ParameterTable.h"

namespace phonotab {

class ProjectSession;
struct CalcFile;

class ParameterTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ParameterTableModel(ProjectSession& session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The entries changed (or the file): everything is read again.
    void reload();
    NamingContext naming() const;

private:
    const CalcFile* file() const;
    ProjectSession& session_;
};

}  // namespace phonotab
