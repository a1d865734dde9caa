#include "gui/tables/FormulaDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/base/DialogButtons.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"
#include "core/tables/formula/FormulaDialogText.h"

namespace phonotab {

namespace {
const QString kFormulaSection = QStringLiteral("EditCalc");
const QString kLevelKey = QStringLiteral("LevelI");
}  // namespace

FormulaDialog::FormulaDialog(const QString& preset, SettingsStore& settings, QString helpFile, QWidget* parent)
    : QDialog(parent), settings_(settings), helpFile_(std::move(helpFile)) {
    setWindowTitle(uiText(text::FormulaTitle));
    auto* layout = new QVBoxLayout(this);
    edit = new QLineEdit(preset, this);
    edit->setMinimumWidth(420);
    layout->addWidget(edit);

    auto* levelRow = new QHBoxLayout;
    levelRow->addWidget(new QLabel(uiText(text::FormulaReferenceLevel), this));
    level = new QComboBox(this);
    for (int i = 0; i < 4; ++i) level->addItem(uiText(text::FormulaFirstReferenceLevel, i));
    level->setCurrentIndex(clampReferenceLevel(settings_.integer(kFormulaSection, kLevelKey, 0)));
    levelRow->addWidget(level, 1);
    layout->addLayout(levelRow);

    auto* grid = new QGridLayout;
    for (int i = 0; i < static_cast<int>(wraps.size()); ++i) {
        QPushButton* b = new QPushButton(uiText(text::FormulaFirstWrap, i), this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] {
            edit->setText(toQt(WrapFormulaText(static_cast<FormulaWrap>(i), fromQt(edit->text()), level->currentIndex())));
            edit->setFocus();
        });
        wraps[static_cast<std::size_t>(i)] = b;
        grid->addWidget(b, i / 3, i % 3);
    }
    layout->addLayout(grid);

    auto* buttons = standardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    help = buttons->addButton(uiText(text::FormulaHelp), QDialogButtonBox::HelpRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &FormulaDialog::showHelp);
    layout->addWidget(buttons);
    edit->setFocus();
}

QString FormulaDialog::formula() const { return edit->text(); }

void FormulaDialog::done(int result) {
    if (result == QDialog::Accepted) settings_.setInteger(kFormulaSection, kLevelKey, level->currentIndex());
    QDialog::done(result);
}

// The help stays open beside the dialog while the user types; opened again it
// is only raised.
void FormulaDialog::showHelp() {
    if (helpWindow_) {
        helpWindow_->show();
        helpWindow_->raise();
        return;
    }
    // The help in the interface language ("calc_help_en.txt" beside "calc_help.txt"
    // for the table "en.txt"); the shipped Russian one when there is none.
    const QString table = QFileInfo(settings_.text(QStringLiteral("Init"), QStringLiteral("Language"))).completeBaseName();
    const QFileInfo help(helpFile_);
    const QString translated = help.dir().filePath(help.completeBaseName() + "_" + table + "." + help.suffix());
    const bool ownLanguage = !table.isEmpty() && QFileInfo::exists(translated);
    const auto lines = LoadFormulaHelp(fromQt(ownLanguage ? translated : helpFile_));
    if (!lines) {
        QMessageBox::information(this, QStringLiteral("Phonotab"), toQt(BuiltInFormulaHelp()));
        return;
    }
    auto* window = new QDialog(this);
    window->setWindowTitle(uiText(text::FormulaHelp));
    auto* text = new QPlainTextEdit(window);
    text->setReadOnly(true);
    QStringList all;
    for (const std::string& line : *lines) all << toQt(line);
    text->setPlainText(all.join(QLatin1Char('\n')));
    auto* l = new QVBoxLayout(window);
    l->addWidget(text);
    window->resize(560, 420);
    window->setModal(false);
    helpWindow_ = window;
    window->show();
}

}  // namespace phonotab
