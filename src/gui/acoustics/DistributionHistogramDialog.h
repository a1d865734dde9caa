// "Гистограмма распределения" ("Посчитать процентили"): the levels of one
// 16-bit field over a range of records of several export files, their minimum,
// maximum and percentile levels; the results can be copied. The six
// percentile fields are kept in the settings section "Histo" ("Pr0" … "Pr5").
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QComboBox>
#include <QSpinBox>

#include <array>

namespace phonotab {

class Prompts;
class SettingsStore;
struct TeleDesc;

class DistributionHistogramDialog : public QDialog {
    Q_OBJECT
public:
    // The description names the fields of the files' records.
    DistributionHistogramDialog(Prompts& prompts, SettingsStore& settings, const TeleDesc& teleDesc,
                                QWidget* parent = nullptr);
    ~DistributionHistogramDialog() override;

    void addFile(const QString& path);
    // Reads the files and shows the results; false (with the message shown) when refused.
    bool calculate();
    void copyResults();

    QListWidget* files;
    QSpinBox *firstRecord, *lastRecord;
    QComboBox* field;
    std::array<QLineEdit*, 6> percentiles{};
    QPlainTextEdit* results;

private:
    void fillFields(const QString& path);
    // The record range of the added files.
    void showRecordRange();
    Prompts& prompts_;
    SettingsStore& settings_;
    const TeleDesc& teleDesc_;
};

}  // namespace phonotab
