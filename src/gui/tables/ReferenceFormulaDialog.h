// "Данные из справочника": a book and one of its entries, given back as the
// formula "#book#index" that the cell then reads.
#pragma once

#include <QDialog>

#include <string>

#include "core/project/ReferenceBooks.h"

class QComboBox;

namespace phonotab {

class ReferenceFormulaDialog : public QDialog {
    Q_OBJECT
public:
    // preset: the top-left cell's formula; a "#book#index" one is selected.
    ReferenceFormulaDialog(const ReferenceBooks& books, const std::string& preset, QWidget* parent);

    // "#book#index", empty when no book or entry is chosen.
    std::string formula() const;

    QComboBox* book = nullptr;
    QComboBox* entry = nullptr;

private:
    void fillEntries();
    const ReferenceBooks& books_;
};

}  // namespace phonotab
