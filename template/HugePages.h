// Huge pages for large blocks of memory that are about to be filled.
#pragma once

#include <cstddef>

namespace templating {

// Asks the system to back the block with huge pages where it can: filling fresh memory a
// small page at a time costs more than writing the bytes. Call it before touching the block.
void adviseHugePages(void* block, std::size_t size);

} // namespace templating
