// Read-only view of a whole file, memory-mapped (a file is read once per
// operation, never reopened per sample). Empty files give an empty view.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/Bytes.h"

namespace phonotab {

class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(MappedFile&& o) noexcept;
    MappedFile& operator=(MappedFile&& o) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // False when the file cannot be opened or mapped.
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return open_; }
    ByteSpan bytes() const { return ByteSpan(data_, size_); }
    std::size_t size() const { return size_; }
    // Tells the kernel the file will be read front to back.
    void adviseSequential() const;

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    bool open_ = false;
};

// Reads a whole file into memory; false when it cannot be read.
bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& out);
bool readFileText(const std::string& path, std::string& out);

}  // namespace phonotab
