// "Настройки расчета параметров": the scan interval and step of the current
// file and the project's options of the result files. The scan values are
// checked by the core before the dialog closes.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>

namespace phonotab {

class Prompts;

struct CalcOptions {
    double scanInterval = 10.0, scanStep = 10.0;
    bool grouped = true, includeExclusionsUncorrected = true, noLeqTime = false, csv = false, singleFile = false;
};

class CalcSettingsDialog : public QDialog {
    Q_OBJECT
public:
    CalcSettingsDialog(const CalcOptions& options, Prompts& prompts, QWidget* parent = nullptr);

    const CalcOptions& options() const { return options_; }
    QLineEdit *interval, *step;
    QCheckBox *grouped, *exclusions, *noLeqTime, *csv, *singleFile;

    void accept() override;

private:
    CalcOptions options_;
    Prompts& prompts_;
};

}  // namespace phonotab
