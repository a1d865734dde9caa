#include "gui/tables/GraphSettingsDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstdio>

#include "gui/base/DialogButtons.h"
#include "gui/base/UiText.h"

namespace phonotab {

namespace {
QColor colourOf(std::int32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
std::int32_t graphColourWord(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

void showColour(QPushButton* b, std::int32_t colour) {
    QPixmap swatch(24, 12);
    swatch.fill(colourOf(colour));
    b->setIcon(QIcon(swatch));
    b->setProperty("colour", colour);
}

// Read as " %lf ": leading blanks, a number; anything else keeps the old value.
double numberOr(const QLineEdit* e, double fallback) {
    double v = 0;
    return std::sscanf(e->text().toUtf8().constData(), " %lf", &v) == 1 ? v : fallback;
}

}  // namespace

GraphSettingsDialog::GraphSettingsDialog(const TableGraphSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(uiText(text::GraphSettingsTitle));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        const GraphSeriesSettings& s = settings.series[static_cast<std::size_t>(i)];
        SeriesFields& f = series[static_cast<std::size_t>(i)];
        auto* box = new QGroupBox(uiText(text::GraphSeries).replace(QStringLiteral("%d"), QString::number(i + 1)), this);
        auto* form = new QFormLayout(box);
        f.range = new QLineEdit(toQt(s.cellRange), box);
        f.width = new QDoubleSpinBox(box);
        f.width->setRange(0.0, 20.0);
        f.width->setValue(s.lineWidth);
        f.type = new QComboBox(box);
        f.type->addItems({uiText(text::GraphBars), uiText(text::GraphLine)});
        // A type this program does not name stays what the table says.
        while (f.type->count() <= s.graphType) f.type->addItem(QString::number(f.type->count()));
        f.type->setCurrentIndex(std::max(0, s.graphType));
        f.fill = new QPushButton(uiText(text::GraphFillColour), box);
        f.line = new QPushButton(uiText(text::GraphLineColour), box);
        showColour(f.fill, s.fillColour);
        showColour(f.line, s.lineColour);
        for (QPushButton* b : {f.fill, f.line})
            connect(b, &QPushButton::clicked, this, [this, b] {
                const QColor c = QColorDialog::getColor(colourOf(b->property("colour").toInt()), this);
                if (c.isValid()) showColour(b, graphColourWord(c));
            });
        form->addRow(uiText(text::GraphCellRange), f.range);
        form->addRow(uiText(text::GraphLineWidth), f.width);
        form->addRow(uiText(text::GraphType), f.type);
        auto* colours = new QHBoxLayout;
        colours->addWidget(f.fill);
        colours->addWidget(f.line);
        form->addRow(colours);
        grid->addWidget(box, i / 2, i % 2);
    }
    layout->addLayout(grid);

    auto* axes = new QFormLayout;
    marking = new QLineEdit(toQt(settings.xMarkingRange), this);
    xCaption = new QLineEdit(toQt(settings.xCaption), this);
    yCaption = new QLineEdit(toQt(settings.yCaption), this);
    linear = new QRadioButton(uiText(text::GraphLinearScale), this);
    logarithmic = new QRadioButton(uiText(text::GraphLogarithmicScale), this);
    ((settings.axisFlags & 3) == TableGraphSettings::LogarithmicY ? logarithmic : linear)->setChecked(true);
    manual = new QCheckBox(uiText(text::GraphManualRange), this);
    manual->setChecked(settings.axisFlags & TableGraphSettings::ManualRange);
    minimum = new QLineEdit(QString::number(settings.manualMinimum), this);
    maximum = new QLineEdit(QString::number(settings.manualMaximum), this);
    axes->addRow(uiText(text::GraphXMarking), marking);
    axes->addRow(uiText(text::GraphXCaption), xCaption);
    axes->addRow(uiText(text::GraphYCaption), yCaption);
    auto* yRow = new QHBoxLayout;
    yRow->addWidget(linear);
    yRow->addWidget(logarithmic);
    axes->addRow(uiText(text::GraphYMarking), yRow);
    auto* range = new QHBoxLayout;
    range->addWidget(manual);
    range->addWidget(minimum);
    range->addWidget(maximum);
    axes->addRow(range);
    layout->addLayout(axes);
    auto* buttons = standardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

TableGraphSettings GraphSettingsDialog::settings() const {
    TableGraphSettings s = settings_;
    for (std::size_t i = 0; i < series.size(); ++i) {
        GraphSeriesSettings& g = s.series[i];
        g.cellRange = fromQt(series[i].range->text().trimmed());
        g.lineWidth = series[i].width->value();
        g.graphType = series[i].type->currentIndex();
        g.fillColour = series[i].fill->property("colour").toInt();
        g.lineColour = series[i].line->property("colour").toInt();
    }
    s.xMarkingRange = fromQt(marking->text().trimmed());
    s.xCaption = fromQt(xCaption->text());
    s.yCaption = fromQt(yCaption->text());
    s.axisFlags = (s.axisFlags & ~7) | (logarithmic->isChecked() ? TableGraphSettings::LogarithmicY : 0) |
                  (manual->isChecked() ? TableGraphSettings::ManualRange : 0);
    s.manualMinimum = numberOr(minimum, settings_.manualMinimum);
    s.manualMaximum = numberOr(maximum, settings_.manualMaximum);
    return s;
}

}  // namespace phonotab
