// The project's file list as a Qt model: one row per entry, with the data
// file (its stored path or only its name), the reference name, the work mode
// and the instrument; the current file's row carries a mark.
#pragma once

#include <QAbstractTableModel>

#include "core/measurement/TeleDesc.h"
#include "core/project/ProjectState.h"

namespace phonotab {

class ProjectFilesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Source = 0, ReferenceName = 1, WorkMode = 2, Instrument = 3, ColumnCount = 4 };

    // The description gives the instruments' names.
    ProjectFilesModel(const ProjectState& state, const TeleDesc& teleDesc, QObject* parent = nullptr);

    // Re-reads the project's list.
    void rebuild();
    bool showPath() const { return showPath_; }
    void setShowPath(bool show);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The first column's text: the stored path, or the name after its last backslash.
    static QString sourceText(const std::string& storedPath, bool showPath);

private:
    const ProjectState& state_;
    const TeleDesc& teleDesc_;
    bool showPath_ = true;
};

}  // namespace phonotab
