// "О программе Phonotab": the program's icon and version.
#pragma once

#include <QDialog>

namespace phonotab {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    // "Программа Phonotab версия %d.%d" of the program's version.
    static QString versionText();
};

}  // namespace phonotab
