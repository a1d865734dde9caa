// Where the program finds what ships with it (the telemetry description, the
// language tables, the demo data), only ever read, and the user's own copies
// of what it writes back (the reference books, the store of standard tables).
#pragma once

#include <QString>

namespace phonotab {

struct AppPaths {
    QString dataFolder;  // "data" beside the executable in a build, the installed data folder otherwise
    QString userFolder;  // the user's data folder of the program

    // The folders of the running program: the data folder found from the
    // executable, the user's data folder of the application.
    static AppPaths ofProgram();
    static QString defaultUserFolder();

    QString teleDesc() const { return dataFolder + "/TeleDescFile.bin"; }
    QString languages() const { return dataFolder + "/lang"; }
    QString referenceBooks() const { return userFolder + "/RefMap.txt"; }
    QString tableStore() const { return userFolder + "/TblStore"; }
    QString reportConfig() const { return userFolder + "/report.cfg"; }
};

}  // namespace phonotab
