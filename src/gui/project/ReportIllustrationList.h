// The report window's page of illustrations: the list with the caption, the
// picture file and the placeholder name ("PIC01" ...) of each, its context
// menu (add a picture file, add a table's graph, create a new picture from the
// shipped empty one, move, remove), caption editing in place and the double
// click that opens the picture. Every change goes into the project through
// the document controller.
#pragma once

#include <QStandardItemModel>
#include <QTableView>

#include <functional>
#include <memory>
#include <vector>

#include "core/project/ProjectState.h"

class QMenu;

namespace phonotab {

class ProjectSession;

class ReportIllustrationList : public QTableView {
    Q_OBJECT
public:
    ReportIllustrationList(ProjectSession& session, QWidget* parent);
    ~ReportIllustrationList() override;

    // Refills the list from the project and selects the given row (the first
    // when it is out of the list).
    void rebuild(int select = 0);
    // The context menu over a row (-1: over no row).
    std::unique_ptr<QMenu> menu(int row);

    void addPicture();
    void addTableGraph();
    void createPicture();
    // The picture file of a row, with the desktop's program.
    void openPicture(int row);

private:
    // After an edit of the illustrations: the list again, the row selected.
    void edited(int select);
    void captionEdited(QStandardItem* item);
    // The user's caption for a new illustration; none when cancelled.
    std::optional<std::string> askCaption(const QString& preset);
    QString pictureFolder() const;
    std::string storedPicturePath(const QString& file) const;
    void rememberPictureFolder(const QString& file);

    ProjectSession& session_;
    QStandardItemModel model_;
    bool rebuilding_ = false;
};

}  // namespace phonotab
