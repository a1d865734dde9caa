// "Выбор параметра" for a data file loaded into a table (by "Данные из файла"
// or a macro): the record, channel, type, mode and band of the file's tree,
// and how many cells to fill. Items a macro fixed cannot be changed.
#pragma once

#include <QDialog>

#include "core/tables/DataFileAccess.h"

class QComboBox;
class QListWidget;
class QSpinBox;

namespace phonotab {

class DataFileParameterDialog : public QDialog {
    Q_OBJECT
public:
    DataFileParameterDialog(DataTree& file, const FileParameterRequest& request, QWidget* parent);

    // The choice (valid once accepted with a band chosen).
    DataSelection selection() const;
    bool hasChoice() const;

    QComboBox *record, *channel, *type, *mode;
    QListWidget* bands;
    QSpinBox* count;

private:
    void fillChannels();
    void fillTypes();
    void fillModes();
    void fillBands();
    // The items the combos show now (none where a level above has none).
    const DataRecord* currentRecord() const;
    const DataChannel* currentChannel() const;
    const DataType* currentType() const;
    const DataMode* currentMode() const;

    DataTree& file_;
    FileParameterRequest request_;
};

}  // namespace phonotab
