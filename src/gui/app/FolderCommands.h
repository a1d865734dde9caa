// What the folder view does with the files of the working folder: opening
// them (histogram files and tables in their windows, the rest with the
// desktop's program), copying, deleting, copying a table to and from the
// store of standard tables, and making a new table.
#pragma once

#include <QString>
#include <QStringList>

namespace phonotab {

class ChildWindowList;
class ProjectSession;

class FolderCommands {
public:
    FolderCommands(ProjectSession& session, ChildWindowList& windows) : session_(session), windows_(windows) {}

    // A histogram file opens a histogram plot, a ".tbl" file a table window,
    // anything else the desktop's program.
    void open(const QString& name);
    // A table file anywhere in a table window; false (after the message) when
    // it cannot be read.
    bool openTable(const QString& path);
    void openExternally(const QString& name);
    // "Создать копию файла": asks for the new name, copies without overwriting.
    void copy(const QString& name);
    // "Поместить копию в стандартные".
    void putIntoStore(const QString& name);
    // "Свойства": only tells when the file cannot be opened for reading.
    void properties(const QString& name);
    // Deletes the files; with ask, after "Удалить файл '%s'?" or "Удалить %d
    // файлов?". False when nothing was deleted.
    bool remove(const QStringList& names, bool ask);
    // Renames a file inside the folder; false (and nothing changed) otherwise.
    bool rename(const QString& from, const QString& to);

    // "Создать новую таблицу" and "Вставить копию стандартной таблицы".
    void newTable();
    void insertStandardTable();

private:
    QString pathOf(const QString& name) const;

    ProjectSession& session_;
    ChildWindowList& windows_;
};

}  // namespace phonotab
