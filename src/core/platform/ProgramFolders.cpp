#include "core/platform/ProgramFolders.h"

#include <unistd.h>

#include <filesystem>
#include <vector>

#include "core/platform/AtomicFile.h"

#ifndef PHONOTAB_DATA_FROM_BIN
#define PHONOTAB_DATA_FROM_BIN "../share/phonotab"
#endif

namespace phonotab {

namespace fs = std::filesystem;

namespace {

// Copies the shipped store into a fresh folder beside the user's store and
// renames it into place, so that a failure half-way leaves no half store.
Status seedTableStore(const fs::path& shipped, const fs::path& store) {
    std::error_code ec;
    if (fs::exists(store, ec) || !fs::is_directory(shipped, ec)) return Status::success();
    std::vector<char> tmpl;
    for (char c : (store.string() + ".newXXXXXX")) tmpl.push_back(c);
    tmpl.push_back('\0');
    if (!::mkdtemp(tmpl.data())) return Message(msg::CannotWrite, store.string());
    const fs::path fresh(tmpl.data());
    Status status;
    for (fs::directory_iterator it(shipped, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fec;
        if (!it->is_regular_file(fec)) continue;
        const Result<bool> copied =
            copyFileIfAbsent(it->path().string(), (fresh / it->path().filename()).string());
        if (!copied) {
            status = copied.error();
            break;
        }
    }
    if (status && !ec) {
        fs::rename(fresh, store, ec);
        // Another start of the program may have made the store meanwhile: its store stays.
        if (ec && !fs::exists(store)) status = Message(msg::CannotWrite, store.string());
        if (!ec) return status;
    }
    fs::remove_all(fresh, ec);
    return status;
}

}  // namespace

std::string executableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

std::string shippedDataFolder(const std::string& executableFolder) {
    const fs::path folder(executableFolder.empty() ? "." : executableFolder);
    std::error_code ec;
    if (fs::is_directory(folder / "data", ec)) return (folder / "data").string();
    return (folder / PHONOTAB_DATA_FROM_BIN).lexically_normal().string();
}

Status seedUserDataFolder(const std::string& shippedFolder, const std::string& userFolder) {
    const fs::path shipped(shippedFolder), user(userFolder);
    std::error_code ec;
    fs::create_directories(user, ec);
    if (!fs::is_directory(user, ec)) return Message(msg::CannotWrite, userFolder);
    const fs::path books = shipped / kUserReferenceBooks;
    if (fs::is_regular_file(books, ec)) {
        const Result<bool> copied = copyFileIfAbsent(books.string(), (user / kUserReferenceBooks).string());
        if (!copied) return copied.error();
    }
    return seedTableStore(shipped / kUserTableStore, user / kUserTableStore);
}

}  // namespace phonotab
