// Where the program finds what ships beside it: the telemetry description, the
// language tables, the reference books and the store of standard tables.
#pragma once

#include <QString>

namespace phonotab {

struct AppPaths {
    QString dataFolder;  // "<folder of the executable>/data" for an installed program

    static AppPaths besideExecutable();

    QString teleDesc() const { return dataFolder + "/TeleDescFile.bin"; }
    QString languages() const { return dataFolder + "/lang"; }
    QString referenceBooks() const { return dataFolder + "/RefMap.txt"; }
    QString tableStore() const { return dataFolder + "/TblStore"; }
};

}  // namespace phonotab
