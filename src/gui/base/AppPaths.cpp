#include "gui/base/AppPaths.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include "gui/base/UiText.h"
#include "core/platform/ProgramFolders.h"

namespace phonotab {

AppPaths AppPaths::ofProgram() {
    return AppPaths{toQt(shippedDataFolder(fromQt(QCoreApplication::applicationDirPath()))), defaultUserFolder()};
}

QString AppPaths::defaultUserFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

}  // namespace phonotab
