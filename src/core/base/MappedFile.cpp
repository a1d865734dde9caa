#include "core/base/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

namespace phonotab {

MappedFile::~MappedFile() { close(); }

MappedFile::MappedFile(MappedFile&& o) noexcept : data_(o.data_), size_(o.size_), open_(o.open_) {
    o.data_ = nullptr;
    o.size_ = 0;
    o.open_ = false;
}

MappedFile& MappedFile::operator=(MappedFile&& o) noexcept {
    if (this != &o) {
        close();
        data_ = o.data_;
        size_ = o.size_;
        open_ = o.open_;
        o.data_ = nullptr;
        o.size_ = 0;
        o.open_ = false;
    }
    return *this;
}

bool MappedFile::open(const std::string& path) {
    close();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    size_ = static_cast<std::size_t>(st.st_size);
    if (size_ > 0) {
        void* p = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
        if (p == MAP_FAILED) {
            ::close(fd);
            size_ = 0;
            return false;
        }
        data_ = static_cast<const std::uint8_t*>(p);
    }
    ::close(fd);
    open_ = true;
    return true;
}

void MappedFile::close() {
    if (data_) ::munmap(const_cast<std::uint8_t*>(data_), size_);
    data_ = nullptr;
    size_ = 0;
    open_ = false;
}

void MappedFile::adviseSequential() const {
    if (data_) ::madvise(const_cast<std::uint8_t*>(data_), size_, MADV_SEQUENTIAL);
}

bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool readFileText(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace phonotab
