// The parameters window: what is computed for the current file. A grid of the
// chosen parameters with their flags, the chooser behind "Добавить параметр",
// the histogram settings behind the header of the percentile and histogram
// columns, the calculation settings, scanning, and "Посчитать". Every change
// goes through the document controller.
#pragma once

#include <QCheckBox>
#include <QPushButton>
#include <QTableView>

#include <functional>
#include <memory>

#include "gui/acoustics/ParameterTableModel.h"
#include "gui/base/ChildWindow.h"
#include "core/base/Result.h"
#include "core/measurement/FieldCode.h"
#include "core/project/DocumentNotice.h"

class QMenu;

namespace phonotab {

class ParametersWindow : public ChildWindow {
    Q_OBJECT
public:
    ParametersWindow(ProjectSession& session, QWidget* parent);

    QTableView* view() const { return view_; }
    ParameterTableModel* model() const { return model_; }
    QPushButton* calculateButton() const { return calculate_; }
    QPushButton* settingsButton() const { return settings_; }
    // Shown while the file has no parameter: the first step, besides the menu item.
    QPushButton* addParameterButton() const { return addParameter_; }
    QCheckBox* scanning() const { return scanning_; }

    // The grid's context menu at a point of the view's viewport.
    std::unique_ptr<QMenu> menuAt(QPoint position);
    // A click on a cell (toggles its flag) and on a column's header.
    void cellClicked(const QModelIndex& index);
    void headerClicked(int column);
    void addParameter();

signals:
    // "Периоды и события..." on a row: the shell opens the window for its parameter.
    void periodsRequested(FieldCode code);

protected:
    void currentFileChanged() override { refresh(); }
    void takeFromProject() override { refresh(); }
    void workRangeChanged() override { refresh(); }
    void plotContentChanged() override { refresh(); }

private:
    const CalcFile* file();
    void refresh();
    void calculate();
    void openSettings();
    void removeParameter(std::size_t row);
    void changeColour(std::size_t row);
    void rename(std::size_t row);
    // Shows an edit's refusal to the user.
    void report(const Status& status);

    QTableView* view_;
    ParameterTableModel* model_;
    QPushButton *calculate_, *settings_, *addParameter_;
    QCheckBox* scanning_;
};

}  // namespace phonotab
