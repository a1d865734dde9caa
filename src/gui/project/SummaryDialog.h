// The summary dialog ("Сводка"): the columns of a summary of record files
// of one kind, chosen from what the kind's layout offers (value family,
// detector, band, channel), with the four added columns and the frequency
// option. The chosen list is remembered per kind of file in "report.cfg",
// the flags in the settings (section "ReportDialog").
#pragma once

#include <QDialog>

#include <vector>

#include "core/project/ReportConfig.h"
#include "core/project/SummaryColumns.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QSpinBox;

namespace phonotab {

class SettingsStore;

class SummaryDialog : public QDialog {
    Q_OBJECT
public:
    // The flags come from the settings, the list from the stored lists under
    // the model's type.
    SummaryDialog(const SummaryColumnModel& model, SettingsStore& settings, const ReportConfig& stored,
                  QWidget* parent);

    const std::vector<ReportColumn>& columns() const { return columns_; }
    ReportFlags flags() const;
    int band() const;

    // The buttons.
    void addColumn();
    void removeColumn();
    void clearColumns();
    void addAllColumns();

    QComboBox* familyBox() const { return family_; }
    QComboBox* detectorBox() const { return detector_; }
    QComboBox* bandBox() const { return band_; }
    QSpinBox* channelBox() const { return channel_; }
    QListWidget* list() const { return list_; }

    // Writes the flags into the settings (when the dialog closes, accepted or not).
    void storeFlags(SettingsStore& settings) const;

private:
    void fillDependentLists();
    void showColumns();

    const SummaryColumnModel& model_;
    std::vector<ReportColumn> columns_;
    QComboBox *family_, *detector_, *band_;
    QSpinBox* channel_;
    QListWidget* list_;
    QCheckBox *date_, *time_, *vin_, *duration_, *frequency_;
};

}  // namespace phonotab
