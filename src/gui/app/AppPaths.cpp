#include "app/AppPaths.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include "app/UiText.h"
#include "platform/ProgramFolders.h"

namespace phonotab {

AppPaths AppPaths::ofProgram() {
    return AppPaths{toQt(shippedDataFolder(fromQt(QCoreApplication::applicationDirPath()))), defaultUserFolder()};
}

QString AppPaths::defaultUserFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

}  // namespace phonotab
