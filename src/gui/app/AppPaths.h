// Where the program finds what ships beside it (the telemetry description, the
// language tables) and what it keeps for the user (the reference books, the
// summary's remembered columns, the store of standard tables). The program's
// folder may be read-only: what the user changes lives in the user's data
// folder, seeded from the shipped data on the first start.
#pragma once

#include <QString>

namespace phonotab {

struct AppPaths {
    QString dataFolder;  // "<folder of the executable>/data" for an installed program
    QString userFolder;  // the user's data folder; empty: the data folder serves (tests)

    // The shipped data beside the executable and the user's data folder,
    // seeded when it lacks the reference books or the standard tables.
    static AppPaths besideExecutable();
    // Copies the shipped reference books and standard tables into the user's
    // folder where it has none yet; never replaces what the user has.
    void seedUserFolder() const;

    QString teleDesc() const { return dataFolder + "/TeleDescFile.bin"; }
    QString languages() const { return dataFolder + "/lang"; }
    QString referenceBooks() const { return userData() + "/RefMap.txt"; }
    QString tableStore() const { return userData() + "/TblStore"; }
    QString reportConfig() const { return userData() + "/report.cfg"; }

private:
    QString userData() const { return userFolder.isEmpty() ? dataFolder : userFolder; }
};

}  // namespace phonotab
