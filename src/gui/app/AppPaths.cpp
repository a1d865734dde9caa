#include "app/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace phonotab {

AppPaths AppPaths::besideExecutable() {
    AppPaths p{QCoreApplication::applicationDirPath() + "/data",
               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)};
    p.seedUserFolder();
    return p;
}

void AppPaths::seedUserFolder() const {
    if (userFolder.isEmpty() || !QDir().mkpath(userFolder)) return;
    const QString books = userFolder + "/RefMap.txt";
    if (!QFile::exists(books) && QFile::exists(dataFolder + "/RefMap.txt")) QFile::copy(dataFolder + "/RefMap.txt", books);
    const QDir shipped(dataFolder + "/TblStore");
    const QString store = userFolder + "/TblStore";
    if (shipped.exists() && !QDir(store).exists() && QDir().mkpath(store))
        for (const QString& name : shipped.entryList({"*.tbl"}, QDir::Files))
            QFile::copy(shipped.filePath(name), store + "/" + name);
    // Copies of read-only shipped files would stay read-only: the user edits them.
    for (const QString& f : QDir(store).entryList(QDir::Files))
        QFile(store + "/" + f).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (QFile::exists(books))
        QFile(books).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}

}  // namespace phonotab
