#include "app/AppPaths.h"

#include <QCoreApplication>

namespace phonotab {

AppPaths AppPaths::besideExecutable() { return AppPaths{QCoreApplication::applicationDirPath() + "/data"}; }

}  // namespace phonotab
