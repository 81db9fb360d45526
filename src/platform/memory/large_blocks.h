// Memory for large blocks that are filled soon after they are taken (the rows of a search, the
// texts of a result list): in huge pages where the system lends them, so that the first touch
// of each two megabytes costs one page fault instead of five hundred and twelve.
#pragma once

#include <cstddef>
#include <memory>

namespace kestrova {

struct LargeBlockFree
{
    void operator()(char *block) const noexcept;
};
using LargeBlock = std::unique_ptr<char[], LargeBlockFree>;

// From this size on a block is taken in whole huge pages.
inline constexpr std::size_t kHugePageBytes = std::size_t(2) << 20;

// A block of bytes, not initialised; throws std::bad_alloc when no memory is left.
LargeBlock takeLargeBlock(std::size_t bytes);

} // namespace kestrova
