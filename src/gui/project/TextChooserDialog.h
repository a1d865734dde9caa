// The choosers of the report's title page: "Выбор средства измерения" over
// the measuring instruments and "Выбор нормативной документации" over the
// normative documents of the reference books. Texts are added and removed in
// place; "Да" returns the selected text.
#pragma once

#include <QDialog>
#include <QString>

class QListWidget;

namespace phonotab {

class ProjectSession;

class TextChooserDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Instruments, Documents };

    TextChooserDialog(ProjectSession& session, Kind kind, QWidget* parent);

    QListWidget* list() const { return list_; }
    // The selected text once the dialog was accepted.
    QString chosen() const;

    void addText();     // asks for a text and adds it, trimmed, when new
    void removeText();  // the selected one

private:
    void fill(const QString& select = {});

    ProjectSession& session_;
    Kind kind_;
    QListWidget* list_;
};

}  // namespace phonotab
