// "Выбор параметра": the parameter chooser. Its callers give the sources to
// choose from and what to show: the parameters window the current file, the
// table window every project file (with the bound item and "один параметр по
// нескольким файлам"), a macro a loaded data file (no source field). The last
// choice is kept in the settings section "ParChose".
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include <vector>

#include "core/acoustics/ParameterChooser.h"

namespace phonotab {

class SettingsStore;

struct ChooserSource {
    QString caption;  // the file's name, or "%s [%s]" (reference name, path) for project files
    NamingContext naming;
    bool histogramMode = false;
};

struct ChooserRequest {
    std::vector<ChooserSource> sources;
    bool showSource = true;     // hidden for a loaded data file
    bool tableBinding = false;  // the bound item's label and the several-files checkbox
    QString boundItem;
    // For table cells: the statistics a binding can take (source name, minimum,
    // maximum, Leq, its time, the percentiles) and the one to start with.
    QStringList items;
    int item = 0;
};

struct ChooserChoice {
    int source = 0;
    ParameterEntry entry;
    bool severalFiles = false;
    int item = 0;  // position in ChooserRequest::items
};

class ParameterChooserDialog : public QDialog {
    Q_OBJECT
public:
    ParameterChooserDialog(ChooserRequest request, SettingsStore& settings, QWidget* parent = nullptr);

    // The chosen parameter (valid after the dialog was accepted with a band chosen).
    bool hasChoice() const;
    ChooserChoice choice() const;

    QComboBox *source, *type, *channel, *mode;
    QListWidget* bands;
    QSpinBox* count;
    QPushButton* all;
    QLabel* bound;
    QCheckBox* severalFiles;
    QComboBox* item;

    void done(int result) override;

private:
    const ChooserSource& current() const;
    ParameterChooser chooser() const;
    void fillTypes();
    void fillChannels();
    void fillModes();
    void fillBands();
    std::vector<ChooserBand> items_;
    ChooserRequest request_;
    SettingsStore& settings_;
};

}  // namespace phonotab
