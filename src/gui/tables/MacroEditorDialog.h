// "Редактирование макроса": the macro of a cell, with "Операции" that shift
// the selected formula by a column or a row and replicate it ("Размножить
// формулу", its count and shifts kept under "CopyFormula").
#pragma once

#include <QDialog>

#include <string>

#include "core/tables/macros/MacroEditor.h"

class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace phonotab {

class SettingsStore;

class MacroEditorDialog : public QDialog {
    Q_OBJECT
public:
    MacroEditorDialog(const std::string& macro, SettingsStore& settings, QWidget* parent);

    std::string macro() const;
    // The operations on the selected text (the "Операции" menu's items).
    void shiftSelection(MacroShift direction);
    // Asks for the count and the shifts, then inserts the copies.
    void replicateSelection();

    QPlainTextEdit* edit = nullptr;
    QPushButton* operations = nullptr;
    QMenu* operationsMenu = nullptr;

private:
    void apply(const MacroTextEdit& change);

    SettingsStore& settings_;
};

}  // namespace phonotab
