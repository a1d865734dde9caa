// "Select language": the interface languages found beside the program, by
// name, with the user's locale's language selected so that Return takes it.
#pragma once

#include <QDialog>

#include <vector>

#include "core/base/LanguageList.h"

class QListWidget;

namespace phonotab {

class LanguageDialog : public QDialog {
    Q_OBJECT
public:
    // preferred: the position selected at first; -1 selects none.
    LanguageDialog(const std::vector<LanguageChoice>& choices, int preferred, QWidget* parent = nullptr);
    // The position of the chosen language after OK; -1 before.
    int chosen() const { return chosen_; }
    QListWidget* list() const { return list_; }

public slots:
    // OK: with nothing selected the dialog stays open.
    void accept() override;

private:
    QListWidget* list_;
    int chosen_ = -1;
};

}  // namespace phonotab
