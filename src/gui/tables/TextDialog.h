// "Введите текст": the text of the selected cells, over several lines.
#pragma once

#include <QDialog>

#include <optional>
#include <string>

class QPlainTextEdit;

namespace phonotab {

class TextDialog : public QDialog {
    Q_OBJECT
public:
    // The cell's text as the table keeps it (lines end with "\r\n").
    TextDialog(const std::string& preset, QWidget* parent);
    // The text typed, lines ending with "\r\n" as the table and its exports expect.
    std::string text() const;

    QPlainTextEdit* edit = nullptr;
};

}  // namespace phonotab
