#include "gui/tables/TablePropertiesDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

#include "gui/base/DialogButtons.h"
#include "gui/base/UiText.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

namespace {
}

TablePropertiesDialog::TablePropertiesDialog(int rows, int columns, const std::string& name, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(uiText(text::TablePropertiesTitle));
    auto* form = new QFormLayout(this);
    // The table holds 1 to 1000 rows and columns: the fields take nothing else.
    rowCount = new QSpinBox(this);
    rowCount->setRange(1, ReportTable::MaxRows);
    rowCount->setValue(rows);
    columnCount = new QSpinBox(this);
    columnCount->setRange(1, ReportTable::MaxColumns);
    columnCount->setValue(columns);
    nameEdit = new QLineEdit(toQt(name), this);
    nameEdit->setMinimumWidth(280);
    form->addRow(uiText(text::TableRows), rowCount);
    form->addRow(uiText(text::TableColumns), columnCount);
    form->addRow(uiText(text::TableName), nameEdit);
    auto* buttons = standardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

int TablePropertiesDialog::rows() const { return rowCount->value(); }
int TablePropertiesDialog::columns() const { return columnCount->value(); }
std::string TablePropertiesDialog::name() const { return fromQt(nameEdit->text().trimmed()); }

}  // namespace phonotab
