#include "core/project/ReferenceBookStore.h"

#include "core/project/ReferenceBookFile.h"

namespace phonotab {

Status ReferenceBookStore::load(const std::string& path) {
    path_ = path;
    read_ = false;
    readFailed_ = false;
    if (Status s = LoadReferenceBooks(path, books_); !s) {
        readFailed_ = true;
        return s;
    }
    read_ = true;
    asRead_ = books_;
    return {};
}

void ReferenceBookStore::saveIfChanged() {
    if (!read_ || books_ == asRead_) return;
    (void)SaveReferenceBooks(path_, books_);
    asRead_ = books_;
}

}  // namespace phonotab
