// "Параметры гистораммы и процентили": the histogram classes and percentiles
// of the current file. The values are checked by the core before the dialog
// closes; nothing is stored unless they hold.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>

#include "core/acoustics/CalcSettings.h"

namespace phonotab {

class Prompts;

class HistogramSettingsDialog : public QDialog {
    Q_OBJECT
public:
    HistogramSettingsDialog(const HistogramSettings& settings, Prompts& prompts, QWidget* parent = nullptr);

    const HistogramSettings& settings() const { return settings_; }
    QLineEdit *lower, *upper, *width, *percentiles;
    QCheckBox* excludeEdges;

    void accept() override;

private:
    HistogramSettings settings_;
    Prompts& prompts_;
};

}  // namespace phonotab
