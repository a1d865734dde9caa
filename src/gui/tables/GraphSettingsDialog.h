// "Настройки графика": the four series of the graph bound to a table (cell
// range, width, type, fill and line colours), the X marking range and the
// axis captions, the Y axis marking and the manual minimum and maximum.
#pragma once

#include <QDialog>

#include <array>

#include "core/tables/TableGraphSettings.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace phonotab {

class GraphSettingsDialog : public QDialog {
    Q_OBJECT
public:
    GraphSettingsDialog(const TableGraphSettings& settings, QWidget* parent);

    TableGraphSettings settings() const;

    struct SeriesFields {
        QLineEdit* range = nullptr;
        QDoubleSpinBox* width = nullptr;
        QComboBox* type = nullptr;
        QPushButton *fill = nullptr, *line = nullptr;
    };
    std::array<SeriesFields, 4> series;
    QLineEdit *marking = nullptr, *xCaption = nullptr, *yCaption = nullptr, *minimum = nullptr, *maximum = nullptr;
    QRadioButton *linear = nullptr, *logarithmic = nullptr;
    QCheckBox* manual = nullptr;

private:
    TableGraphSettings settings_;
};

}  // namespace phonotab
