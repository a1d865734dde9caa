// The main window's recent lists: the data files and the projects opened last.
#pragma once

#include "core/project/MruList.h"

namespace phonotab {

struct RecentLists {
    MruList files;
    MruList projects;
};

}  // namespace phonotab
