#include "large_blocks.h"

#include <cstdlib>
#include <new>

#include <sys/mman.h>

namespace kestrova {

void LargeBlockFree::operator()(char *block) const noexcept
{
    std::free(block);
}

LargeBlock takeLargeBlock(std::size_t bytes)
{
    if (bytes < kHugePageBytes) {
        void *block = std::malloc(bytes > 0 ? bytes : 1);
        if (!block)
            throw std::bad_alloc();
        return LargeBlock(static_cast<char *>(block));
    }
    // Whole huge pages, aligned to them, so that every page of the block can be one.
    const std::size_t rounded = (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    void *block = std::aligned_alloc(kHugePageBytes, rounded);
    if (!block)
        throw std::bad_alloc();
    // Only a hint: where huge pages are not lent, the block is filled page by page as ever.
    madvise(block, rounded, MADV_HUGEPAGE);
    return LargeBlock(static_cast<char *>(block));
}

} // namespace kestrova
