// "Введите формулу": the formula of the selected cells, the buttons that wrap
// the whole text into a level function, the reference level of LIN and LOG
// (kept under "EditCalc"/"LevelI"), and "Подсказка" with the help text.
#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace phonotab {

class SettingsStore;

class FormulaDialog : public QDialog {
    Q_OBJECT
public:
    // helpFile: the help text shipped with the program ("calc_help.txt").
    FormulaDialog(const QString& preset, SettingsStore& settings, QString helpFile, QWidget* parent);

    QString formula() const;
    void done(int result) override;

    QLineEdit* edit = nullptr;
    QComboBox* level = nullptr;
    std::array<QPushButton*, 9> wraps{};  // in the order of FormulaWrap
    QPushButton* help = nullptr;

private:
    void showHelp();

    SettingsStore& settings_;
    QString helpFile_;
    QWidget* helpWindow_ = nullptr;
};

}  // namespace phonotab
