#include "core/memory_reuse.h"

#include <malloc.h>

namespace tarnwick {

void KeepFreedMemoryForReuse() {
  // Blocks up to 64 MB come from the heap, where a freed one is reused;
  // the heap gives memory back only past 256 MB free at its top.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
}

}  // namespace tarnwick
