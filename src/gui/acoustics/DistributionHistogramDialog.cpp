#include "gui/acoustics/DistributionHistogramDialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <cmath>

#include "gui/base/DialogButtons.h"
#include "core/acoustics/CalcSettings.h"
#include "core/acoustics/DistributionHistogram.h"
#include "core/acoustics/ParameterName.h"
#include "gui/base/LongTask.h"
#include "gui/base/Prompts.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"
#include "core/base/CFormat.h"
#include "core/base/TypedNumber.h"
#include "core/base/MappedFile.h"
#include "core/measurement/Catalogue.h"
#include "core/measurement/FileProbe.h"
#include "core/measurement/TeleDesc.h"

namespace phonotab {

namespace {
const QString kHistogramSection = QStringLiteral("Histo");
const char* const kDefaults[6] = {"5", "10", "50", "90", "95", ""};
}  // namespace

DistributionHistogramDialog::DistributionHistogramDialog(Prompts& prompts, SettingsStore& settings,
                                                         const TeleDesc& teleDesc, QWidget* parent)
    : QDialog(parent), prompts_(prompts), settings_(settings), teleDesc_(teleDesc) {
    setWindowTitle(uiText(text::DistributionTitle));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    files = new QListWidget(this);
    files->setMaximumHeight(100);
    auto* fileButtons = new QHBoxLayout;
    auto* add = new QPushButton(uiText(text::DistributionAddFile), this);
    auto* remove = new QPushButton(uiText(text::DistributionRemoveFile), this);
    fileButtons->addWidget(add);
    fileButtons->addWidget(remove);
    fileButtons->addStretch();
    auto* fileBox = new QVBoxLayout;
    fileBox->addWidget(files);
    fileBox->addLayout(fileButtons);
    form->addRow(uiText(text::DistributionFiles), fileBox);
    firstRecord = new QSpinBox(this);
    lastRecord = new QSpinBox(this);
    // The range is the files' records: none before a file is added.
    for (QSpinBox* s : {firstRecord, lastRecord}) {
        s->setRange(0, 0);
        s->setEnabled(false);
    }
    lastRecord->setSpecialValueText(QStringLiteral("—"));
    form->addRow(uiText(text::DistributionFirstRecord), firstRecord);
    form->addRow(uiText(text::DistributionLastRecord), lastRecord);
    form->addRow(QString(), new QLabel(toQt(Message(text::RecordsNumberedFrom, std::int64_t{0}).text()), this));
    field = new QComboBox(this);
    form->addRow(uiText(text::DistributionLevelField), field);
    auto* pcts = new QHBoxLayout;
    for (int i = 0; i < 6; ++i) {
        percentiles[static_cast<std::size_t>(i)] =
            new QLineEdit(settings_.text(kHistogramSection, QStringLiteral("Pr%1").arg(i), kDefaults[i]), this);
        percentiles[static_cast<std::size_t>(i)]->setMaximumWidth(48);
        pcts->addWidget(percentiles[static_cast<std::size_t>(i)]);
    }
    form->addRow(uiText(text::DistributionPercentiles), pcts);
    layout->addLayout(form);
    results = new QPlainTextEdit(this);
    results->setReadOnly(true);
    layout->addWidget(results);
    auto* buttons = standardButtons(QDialogButtonBox::Close, this);
    auto* calc = buttons->addButton(uiText(text::Calculate), QDialogButtonBox::ActionRole);
    auto* copy = buttons->addButton(uiText(text::DistributionCopy), QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(calc, &QPushButton::clicked, this, [this] { calculate(); });
    connect(copy, &QPushButton::clicked, this, &DistributionHistogramDialog::copyResults);
    connect(add, &QPushButton::clicked, this, [this] {
        const QString path = prompts_.openFilePath(uiText(text::DistributionTitle), uiText(text::DistributionFileFilter), QString());
        if (!path.isEmpty()) addFile(path);
    });
    connect(remove, &QPushButton::clicked, this, [this] { delete files->currentItem(); });
    resize(460, 460);
}

DistributionHistogramDialog::~DistributionHistogramDialog() {
    for (int i = 0; i < 6; ++i)
        settings_.setText(kHistogramSection, QStringLiteral("Pr%1").arg(i),
                          percentiles[static_cast<std::size_t>(i)]->text());
}

void DistributionHistogramDialog::addFile(const QString& path) {
    files->addItem(path);
    if (field->count() == 0) fillFields(path);
    showRecordRange();
}

void DistributionHistogramDialog::showRecordRange() {
    // The longest file's records; a shorter file gives what it has.
    std::int64_t longest = 0;
    for (int i = 0; i < files->count(); ++i) {
        MappedFile f;
        if (!f.open(files->item(i)->text().toStdString())) continue;
        const TeleTypeEntry* type = teleDesc_.type(ProbeFileType(f.bytes()).typeCode);
        if (type && type->recordSize > 0)
            longest = std::max(longest, static_cast<std::int64_t>(f.bytes().size() / type->recordSize));
    }
    // A file of no known type: every record it has.
    const int last = longest > 0 ? static_cast<int>(std::min<std::int64_t>(longest - 1, INT_MAX)) : INT_MAX;
    const bool wasWhole = !lastRecord->isEnabled() || lastRecord->value() == lastRecord->maximum();
    for (QSpinBox* s : {firstRecord, lastRecord}) {
        s->setRange(0, last);
        s->setEnabled(true);
    }
    lastRecord->setSpecialValueText(QString());
    if (wasWhole) lastRecord->setValue(last);
}

void DistributionHistogramDialog::fillFields(const QString& path) {
    MappedFile f;
    if (!f.open(path.toStdString())) return;
    const FileProbe probe = ProbeFileType(f.bytes());
    const TeleTypeEntry* type = teleDesc_.type(probe.typeCode);
    if (!type) return;
    // Each level field by its name (the code when the layout cannot name it).
    const Result<RecordLayout> layout = BuildLayout(teleDesc_, probe.typeCode);
    for (FieldCode c : type->codes) {
        if (!field::isMeasuredValue(c)) continue;
        std::string caption = cformat("0x%08X", c);
        if (layout) {
            const ParameterNames names = ParameterName(c, NamingContext{&teleDesc_, &*layout, nullptr});
            if (!names.fullName.empty()) caption = names.fullName;
            // Octave and third-octave bands of the same frequency read alike without their family.
            const std::string family = familyCaption(*layout, static_cast<int>(field::family(c)));
            if (!family.empty() && !names.fullName.empty()) caption = family + ", " + caption;
        }
        field->addItem(QString::fromStdString(caption), QVariant::fromValue<uint>(c));
    }
}

bool DistributionHistogramDialog::calculate() {
    std::set<double> chosen;
    for (QLineEdit* e : percentiles) {
        // An empty field asks for nothing; one that holds no number is refused.
        if (e->text().trimmed().isEmpty()) continue;
        const Result<double> v = readTypedNumber(e->text().toStdString());
        if (!v) {
            prompts_.showMessage(v.error());
            e->setFocus();
            return false;
        }
        chosen.insert(*v);
    }
    if (Status st = checkPercentiles(chosen); !st) {
        prompts_.showMessage(st.error());
        return false;
    }
    std::set<double> fractions;
    for (double p : chosen) fractions.insert(p * 0.01);
    std::vector<std::string> paths;
    for (int i = 0; i < files->count(); ++i) paths.push_back(files->item(i)->text().toStdString());
    const auto code = static_cast<FieldCode>(field->currentData().toUInt());
    Result<DistributionResult> r = Message(msg::Cancelled);
    // Export files of millions of records take a while: read them off the
    // interface thread, with progress and a way to stop.
    runLongTask(this, windowTitle(), [&](const Progress& progress) {
        r = DistributionHistogram(paths, firstRecord->value(), lastRecord->value(), code, fractions, teleDesc_,
                                  progress);
    });
    if (!r) {
        if (r.error().id == msg::Cancelled) return false;
        prompts_.showMessage(r.error());
        return false;
    }
    QString text;
    for (const auto& [fraction, level] : r->levels)
        text += QString::fromStdString(cformat("L%.3lg\t%.2lf\n", fraction * 100, level));
    text += uiText(text::Minimum) + QString::fromStdString(cformat("\t%.2lf\n", r->minimum));
    text += uiText(text::Maximum) + QString::fromStdString(cformat("\t%.2lf\n", r->maximum));
    results->setPlainText(text);
    return true;
}

void DistributionHistogramDialog::copyResults() { QGuiApplication::clipboard()->setText(results->toPlainText()); }

}  // namespace phonotab
