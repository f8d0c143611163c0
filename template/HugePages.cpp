// Huge pages for large blocks of memory that are about to be filled.
#include "HugePages.h"

#include <cstdint>

#include <sys/mman.h>

namespace templating {

void adviseHugePages(void* block, std::size_t size)
{
    constexpr std::uintptr_t HugePage = 2 << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (start + HugePage - 1) & ~(HugePage - 1);
    const std::uintptr_t last = (start + size) & ~(HugePage - 1);
    // Only whole huge pages inside the block; the advice is a wish, so failure is harmless.
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

} // namespace templating
