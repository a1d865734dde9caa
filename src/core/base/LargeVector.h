// Backing of large numeric arrays (series of millions of samples).
//
// A fresh vector of hundreds of megabytes costs more in page faults than in
// filling it: the kernel maps it 4 KiB at a time. Asking for transparent huge
// pages before the first touch maps it 2 MiB at a time.
#pragma once

#include <cstddef>

namespace phonotab {

// Advises the kernel to back [p, p + bytes) with huge pages where it can.
void adviseHugePages(void* p, std::size_t bytes);

}  // namespace phonotab
