// "Свойства таблицы": the table's rows, columns and name.
#pragma once

#include <QDialog>

#include <string>

class QLineEdit;
class QSpinBox;

namespace phonotab {

class TablePropertiesDialog : public QDialog {
    Q_OBJECT
public:
    TablePropertiesDialog(int rows, int columns, const std::string& name, QWidget* parent);

    int rows() const;
    int columns() const;
    std::string name() const;

    QSpinBox *rowCount = nullptr, *columnCount = nullptr;
    QLineEdit* nameEdit = nullptr;
};

}  // namespace phonotab
