#include "gui/acoustics/BoundsDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/base/DialogButtons.h"
#include "core/acoustics/TimeBar.h"
#include "gui/base/UiText.h"
#include "core/base/CFormat.h"
#include "core/base/TypedNumber.h"
#include "gui/base/Prompts.h"

namespace phonotab {

namespace {
// A field's number (a decimal comma or point); while the user types, an empty
// or unreadable field counts as 0 (OK refuses the unreadable one).
double readField(const QLineEdit* e) {
    const Result<double> v = readTypedNumber(e->text().toStdString());
    return v ? *v : 0.0;
}
}  // namespace

BoundsDialog::BoundsDialog(double begin, double end, const CalendarTime& start, Prompts& prompts, QWidget* parent)
    : QDialog(parent), start_(start), prompts_(prompts), times_{begin, end} {
    setWindowTitle(uiText(text::BoundsTitle));
    auto* layout = new QVBoxLayout(this);
    for (int t = 0; t < 2; ++t) {
        auto* box = new QGroupBox(uiText(t == 0 ? text::BoundsBegin : text::BoundsEnd), this);
        auto* row = new QHBoxLayout(box);
        for (int frame = 0; frame < 2; ++frame) {
            auto* inner = new QGroupBox(uiText(frame == 0 ? text::InstrumentClock : text::TimeFromRecordStart), box);
            auto* grid = new QGridLayout(inner);
            for (int part = 0; part < 4; ++part) {
                grid->addWidget(new QLabel(uiText(text::BoundsDays, part), inner), 0, part);
                auto* e = new QLineEdit(inner);
                e->setObjectName(QStringLiteral("bound%1_%2_%3").arg(t).arg(frame).arg(part));
                e->setMaximumWidth(part == 3 ? 80 : 48);
                grid->addWidget(e, 1, part);
                fields_[t][frame][part] = e;
                connect(e, &QLineEdit::textEdited, this, [this, t, frame] { edited(t, frame); });
            }
            row->addWidget(inner);
        }
        layout->addWidget(box);
        fill(t, 0);
        fill(t, 1);
    }
    auto* buttons = standardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void BoundsDialog::fill(int t, int frame) {
    const TimeFields f = frame == 0 ? clockFields(times_[t], start_) : splitTime(times_[t]);
    auto& row = fields_[t][frame];
    row[0]->setText(QString::number(f.days));
    row[1]->setText(QString::number(f.hours));
    row[2]->setText(QString::number(f.minutes));
    row[3]->setText(QString::fromStdString(cformat("%.2lf", f.seconds)));
}

void BoundsDialog::edited(int t, int frame) {
    const auto& row = fields_[t][frame];
    TimeFields f;
    f.days = static_cast<std::int64_t>(readField(row[0]));
    f.hours = static_cast<int>(readField(row[1]));
    f.minutes = static_cast<int>(readField(row[2]));
    f.seconds = readField(row[3]);
    times_[t] = frame == 0 ? relativeFromClock(f, start_) : f.total();
    fill(t, 1 - frame);
}

void BoundsDialog::accept() {
    for (const auto& time : fields_)
        for (const auto& frame : time)
            for (QLineEdit* e : frame)
                if (!e->text().trimmed().isEmpty() && !readTypedNumber(e->text().toStdString())) {
                    prompts_.showMessage(Message(msg::NotANumber));
                    e->setFocus();
                    e->selectAll();
                    return;
                }
    QDialog::accept();
}

}  // namespace phonotab
