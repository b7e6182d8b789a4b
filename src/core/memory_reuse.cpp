#include "core/memory_reuse.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace tarnwick {
namespace {

constexpr std::uintptr_t kHugePage = 2 << 20;
// How far the heap is grown at the start: many times what a big import or
// conversion uses. It stays below the free memory the heap keeps at its top
// rather than giving back, so that the range is never given back and taken
// again without its mark.
constexpr int kHeapReach = 128 << 20;
constexpr int kKeptAtTop = 256 << 20;
// What the heap grows by beyond a request otherwise (the allocator's own
// default).
constexpr int kUsualTopPad = 128 << 10;

constexpr std::uintptr_t kNoHeap = static_cast<std::uintptr_t>(-1);
std::uintptr_t HeapTop() { return reinterpret_cast<std::uintptr_t>(sbrk(0)); }

}  // namespace

void KeepFreedMemoryForReuse() {
  // Blocks up to 64 MB come from the heap, where a freed one is reused.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, kKeptAtTop);
  // The heap is grown once by 128 MB of address space (nothing is touched
  // until used) and that range is offered to the kernel for 2 MB pages: a
  // price sheet's cells then cost one fault per 2 MB instead of one per 4 KB.
  // The allocator itself would do this when told through GLIBC_TUNABLES,
  // which a program cannot set for itself. Each step may fail (a limit on
  // the address space, say); the heap then simply stays on small pages and
  // grows as usual.
  std::uintptr_t from = HeapTop();
  if (from == kNoHeap) return;
  mallopt(M_TOP_PAD, kHeapReach);
  void* volatile probe = std::malloc(1 << 20);  // makes the heap grow now
  std::free(probe);
  mallopt(M_TOP_PAD, kUsualTopPad);
  std::uintptr_t to = HeapTop();
  from = (from + kHugePage - 1) & ~(kHugePage - 1);
  if (to != kNoHeap && to > from) {
    madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
  }
}

}  // namespace tarnwick
