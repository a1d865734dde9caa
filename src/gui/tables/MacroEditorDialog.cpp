#include "gui/tables/MacroEditorDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextCursor>
#include <QVBoxLayout>

#include "gui/base/DialogButtons.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"

namespace phonotab {

namespace {
const QString kMacroEditorSection = QString::fromLatin1(CopyFormulaSection);

// The editor counts characters, the macro tools bytes of UTF-8.
std::size_t byteOffset(const QString& text, int position) {
    return static_cast<std::size_t>(text.left(position).toUtf8().size());
}
int characterOffset(const std::string& text, std::size_t bytes) {
    return static_cast<int>(QString::fromUtf8(text.data(), static_cast<qsizetype>(std::min(bytes, text.size()))).size());
}

}  // namespace

MacroEditorDialog::MacroEditorDialog(const std::string& macro, SettingsStore& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(uiText(text::MacroEditorTitle));
    auto* layout = new QVBoxLayout(this);
    edit = new QPlainTextEdit(toQt(macro), this);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    layout->addWidget(edit);
    auto* buttons = standardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    operations = buttons->addButton(uiText(text::MacroOperations), QDialogButtonBox::ActionRole);
    operationsMenu = new QMenu(this);
    operationsMenu->addAction(uiText(text::ShiftFormulaLeft), this, [this] { shiftSelection(MacroShift::Left); });
    operationsMenu->addAction(uiText(text::ShiftFormulaRight), this, [this] { shiftSelection(MacroShift::Right); });
    operationsMenu->addAction(uiText(text::ShiftFormulaUp), this, [this] { shiftSelection(MacroShift::Up); });
    operationsMenu->addAction(uiText(text::ShiftFormulaDown), this, [this] { shiftSelection(MacroShift::Down); });
    operationsMenu->addAction(uiText(text::ReplicateFormula), this, [this] { replicateSelection(); });
    operations->setMenu(operationsMenu);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(520, 260);
}

std::string MacroEditorDialog::macro() const { return fromQt(edit->toPlainText()); }

void MacroEditorDialog::apply(const MacroTextEdit& change) {
    edit->setPlainText(toQt(change.text));
    QTextCursor c = edit->textCursor();
    c.setPosition(characterOffset(change.text, change.selectionStart));
    c.setPosition(characterOffset(change.text, change.selectionEnd), QTextCursor::KeepAnchor);
    edit->setTextCursor(c);
}

void MacroEditorDialog::shiftSelection(MacroShift direction) {
    const QString text = edit->toPlainText();
    const QTextCursor c = edit->textCursor();
    apply(ShiftSelectedText(fromQt(text), byteOffset(text, c.selectionStart()), byteOffset(text, c.selectionEnd()),
                            direction));
}

void MacroEditorDialog::replicateSelection() {
    QDialog ask(this);
    ask.setWindowTitle(uiText(text::MacroEditorTitle));
    auto* form = new QFormLayout(&ask);
    auto spin = [&](int min, int value) {
        auto* s = new QSpinBox(&ask);
        s->setRange(min, 1000);
        s->setValue(value);
        return s;
    };
    QSpinBox* q = spin(1, std::max(1, settings_.integer(kMacroEditorSection, "Q", 1)));
    QSpinBox* x = spin(-1000, settings_.integer(kMacroEditorSection, "XOfs", 0));
    QSpinBox* y = spin(-1000, settings_.integer(kMacroEditorSection, "YOfs", 0));
    form->addRow(uiText(text::ReplicateCount), q);
    form->addRow(uiText(text::ReplicateXOffset), x);
    form->addRow(uiText(text::ReplicateYOffset), y);
    auto* buttons = standardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &ask);
    connect(buttons, &QDialogButtonBox::accepted, &ask, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &ask, &QDialog::reject);
    form->addRow(buttons);
    ask.setObjectName(QStringLiteral("copyFormula"));
    if (ask.exec() != QDialog::Accepted) return;
    const CopyFormulaSettings s{q->value(), x->value(), y->value()};
    settings_.setInteger(kMacroEditorSection, "Q", s.q);
    settings_.setInteger(kMacroEditorSection, "XOfs", s.xOfs);
    settings_.setInteger(kMacroEditorSection, "YOfs", s.yOfs);
    const QString text = edit->toPlainText();
    const QTextCursor c = edit->textCursor();
    const Result<MacroTextEdit> out =
        ReplicateSelectedText(fromQt(text), byteOffset(text, c.selectionStart()), byteOffset(text, c.selectionEnd()), s);
    if (!out) {
        QMessageBox::warning(this, QStringLiteral("Phonotab"), messageText(out.error()));
        return;
    }
    apply(*out);
}

}  // namespace phonotab
