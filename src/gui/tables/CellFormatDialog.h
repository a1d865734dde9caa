// "Формат ячеек": the font, size, colours, alignments, number format and the
// column width and row height of the selected cells. What the cells differ in
// starts undetermined (a partly checked box, no choice, an empty field) and
// is changed only when the user sets it.
#pragma once

#include <QDialog>

#include "core/tables/CellFormatCommand.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace phonotab {

class Prompts;

class CellFormatDialog : public QDialog {
    Q_OBJECT
public:
    // Refused values are reported through the prompts and keep the dialog open.
    CellFormatDialog(const CellFormatChoice& common, Prompts& prompts, QWidget* parent);

    // What the user changed (valid after the dialog was accepted).
    CellFormatChoice change() const;
    void done(int result) override;

    QComboBox* face = nullptr;
    QComboBox* size = nullptr;
    QLineEdit *width = nullptr, *height = nullptr, *decimals = nullptr;
    QCheckBox *bold = nullptr, *italic = nullptr, *engineering = nullptr;
    QPushButton *background = nullptr, *textColour = nullptr;
    QButtonGroup *horizontal = nullptr, *vertical = nullptr;

private:
    CellFormatChoice shown() const;
    void chooseColour(QPushButton* button, std::optional<std::uint32_t>& colour);

    CellFormatChoice common_;
    std::optional<std::uint32_t> background_, textColour_;
    Prompts& prompts_;
};

}  // namespace phonotab
