#include "gui/tables/CellFormatDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/tables/TableCell.h"
#include "gui/base/DialogButtons.h"
#include "gui/base/Prompts.h"
#include "gui/base/UiText.h"

namespace phonotab {

namespace {
QColor colourOf(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
std::uint32_t wordOf(const QColor& c) {
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}

void showColour(QPushButton* b, const std::optional<std::uint32_t>& colour) {
    if (colour) {
        QPixmap swatch(24, 12);
        swatch.fill(colourOf(*colour));
        b->setIcon(QIcon(swatch));
    } else {
        b->setIcon(QIcon());
    }
}

void setTriState(QCheckBox* box, const std::optional<bool>& value) {
    box->setTristate(!value.has_value());
    box->setCheckState(!value ? Qt::PartiallyChecked : *value ? Qt::Checked : Qt::Unchecked);
}
std::optional<bool> triState(const QCheckBox* box) {
    if (box->checkState() == Qt::PartiallyChecked) return std::nullopt;
    return box->checkState() == Qt::Checked;
}

QLineEdit* numberField(const std::optional<int>& value, QWidget* parent) {
    auto* e = new QLineEdit(value ? QString::number(*value) : QString(), parent);
    e->setMaxLength(6);
    return e;
}
// An empty field is undetermined; a field that is no integer reads as -1, which every check refuses.
std::optional<int> numberOf(const QLineEdit* e) {
    const QString t = e->text().trimmed();
    if (t.isEmpty()) return std::nullopt;
    bool ok = false;
    const int v = t.toInt(&ok);
    return ok ? v : -1;
}

QButtonGroup* radioRow(QWidget* parent, QHBoxLayout* row, std::initializer_list<std::pair<text::Id, std::uint32_t>> items,
                       const std::optional<std::uint32_t>& current) {
    auto* group = new QButtonGroup(parent);
    for (const auto& [text, value] : items) {
        auto* r = new QRadioButton(uiText(text), parent);
        group->addButton(r, static_cast<int>(value));
        row->addWidget(r);
        if (current && *current == value) r->setChecked(true);
    }
    return group;
}

}  // namespace

CellFormatDialog::CellFormatDialog(const CellFormatChoice& common, Prompts& prompts, QWidget* parent)
    : QDialog(parent), common_(common), background_(common.background), textColour_(common.textColour), prompts_(prompts) {
    setWindowTitle(uiText(text::CellFormatTitle));
    auto* form = new QFormLayout(this);
    face = new QComboBox(this);
    face->setEditable(true);
    face->addItems(QFontDatabase::families());
    face->setEditText(common.face ? toQt(*common.face) : QString());
    size = new QComboBox(this);
    // The sizes as the user knows them, in points; the step is what the cell keeps.
    for (int s = 1; s <= 7; ++s) size->addItem(QString::number(cellfont::points(static_cast<std::uint32_t>(s))), s);
    size->setCurrentIndex(common.sizeStep ? size->findData(*common.sizeStep) : -1);
    width = numberField(common.width, this);
    height = numberField(common.height, this);
    bold = new QCheckBox(uiText(text::Bold), this);
    italic = new QCheckBox(uiText(text::Italic), this);
    setTriState(bold, common.bold);
    setTriState(italic, common.italic);
    background = new QPushButton(uiText(text::BackgroundColour), this);
    textColour = new QPushButton(uiText(text::TextColour), this);
    showColour(background, background_);
    showColour(textColour, textColour_);
    connect(background, &QPushButton::clicked, this, [this] { chooseColour(background, background_); });
    connect(textColour, &QPushButton::clicked, this, [this] { chooseColour(textColour, textColour_); });
    auto* hRow = new QHBoxLayout;
    horizontal = radioRow(this, hRow, {{text::AlignLeft, cellalign::Left}, {text::AlignCentre, cellalign::HCentre}, {text::AlignRight, cellalign::Right}},
                          common.horizontal);
    auto* vRow = new QHBoxLayout;
    vertical = radioRow(this, vRow, {{text::AlignTop, cellalign::Top}, {text::AlignCentre, cellalign::Middle}, {text::AlignBottom, cellalign::Bottom}},
                        common.vertical);
    engineering = new QCheckBox(uiText(text::EngineeringFormat), this);
    setTriState(engineering, common.engineering);
    decimals = numberField(common.decimals, this);

    form->addRow(uiText(text::FontFace), face);
    form->addRow(uiText(text::FontSize), size);
    form->addRow(uiText(text::CellWidth), width);
    form->addRow(uiText(text::CellHeight), height);
    auto* styles = new QHBoxLayout;
    styles->addWidget(bold);
    styles->addWidget(italic);
    form->addRow(styles);
    auto* colours = new QHBoxLayout;
    colours->addWidget(background);
    colours->addWidget(textColour);
    form->addRow(colours);
    form->addRow(uiText(text::HorizontalAlignment), hRow);
    form->addRow(uiText(text::VerticalAlignment), vRow);
    form->addRow(engineering);
    form->addRow(uiText(text::DecimalCount), decimals);
    auto* buttons = standardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void CellFormatDialog::chooseColour(QPushButton* button, std::optional<std::uint32_t>& colour) {
    const QColor chosen = QColorDialog::getColor(colour ? colourOf(*colour) : QColor(Qt::white), this);
    if (!chosen.isValid()) return;
    colour = wordOf(chosen);
    showColour(button, colour);
}

CellFormatChoice CellFormatDialog::shown() const {
    CellFormatChoice c;
    if (!face->currentText().trimmed().isEmpty()) c.face = fromQt(face->currentText().trimmed());
    if (size->currentIndex() >= 0) c.sizeStep = size->currentData().toInt();
    c.width = numberOf(width);
    c.height = numberOf(height);
    c.bold = triState(bold);
    c.italic = triState(italic);
    c.background = background_;
    c.textColour = textColour_;
    if (horizontal->checkedId() >= 0) c.horizontal = static_cast<std::uint32_t>(horizontal->checkedId());
    if (vertical->checkedId() >= 0) c.vertical = static_cast<std::uint32_t>(vertical->checkedId());
    c.engineering = triState(engineering);
    c.decimals = numberOf(decimals);
    return c;
}

// Only what differs from what the cells had in common is a change.
CellFormatChoice CellFormatDialog::change() const {
    CellFormatChoice c = shown();
    auto keepChanged = [](auto& value, const auto& before) {
        if (value == before) value.reset();
    };
    keepChanged(c.face, common_.face);
    keepChanged(c.sizeStep, common_.sizeStep);
    keepChanged(c.width, common_.width);
    keepChanged(c.height, common_.height);
    keepChanged(c.bold, common_.bold);
    keepChanged(c.italic, common_.italic);
    keepChanged(c.background, common_.background);
    keepChanged(c.textColour, common_.textColour);
    keepChanged(c.horizontal, common_.horizontal);
    keepChanged(c.vertical, common_.vertical);
    keepChanged(c.engineering, common_.engineering);
    keepChanged(c.decimals, common_.decimals);
    return c;
}

void CellFormatDialog::done(int result) {
    if (result == QDialog::Accepted)
        if (Status s = CheckCellFormat(change()); !s) {
            prompts_.showMessage(s.error());
            return;
        }
    QDialog::done(result);
}

}  // namespace phonotab
