// "Select language": the interface languages found beside the program, by
// name, with the user's locale's language selected so that Return takes it.
// Shown before any language is in use, so its buttons speak the language
// selected in the list, in that language table's own words.
#pragma once

#include <QDialog>

#include <vector>

#include "core/base/LanguageList.h"

class QListWidget;
class QPushButton;

namespace phonotab {

class LanguageDialog : public QDialog {
    Q_OBJECT
public:
    // preferred: the position selected at first; -1 selects none.
    LanguageDialog(const std::vector<LanguageChoice>& choices, int preferred, QWidget* parent = nullptr);
    // The position of the chosen language after OK; -1 before.
    int chosen() const { return chosen_; }
    QListWidget* list() const { return list_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

public slots:
    // OK: with nothing selected the dialog stays open.
    void accept() override;

private:
    // The buttons in the words of the selected language; English with none selected.
    void captionButtons();

    std::vector<LanguageChoice> choices_;
    QListWidget* list_;
    QPushButton* ok_;
    QPushButton* cancel_;
    int chosen_ = -1;
};

}  // namespace phonotab
