#include "core/memory_reuse.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace tarnwick {
namespace {

constexpr std::uintptr_t kHugePage = 2 << 20;
// How far the heap reaches at once, and how much free memory at its top it
// keeps rather than giving back.
constexpr int kHeapReach = 256 << 20;

constexpr std::uintptr_t kNoHeap = static_cast<std::uintptr_t>(-1);
std::uintptr_t HeapTop() { return reinterpret_cast<std::uintptr_t>(sbrk(0)); }

}  // namespace

void KeepFreedMemoryForReuse() {
  // Blocks up to 64 MB come from the heap, where a freed one is reused.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, kHeapReach);
  // The heap is grown once by a quarter of a gigabyte of address space
  // (nothing is touched until used) and that range is offered to the kernel
  // for 2 MB pages: a price sheet's cells then cost one fault per 2 MB
  // instead of one per 4 KB. The allocator itself would do this when told
  // through GLIBC_TUNABLES, which a program cannot set for itself. Each step
  // may fail; the heap then simply stays on small pages.
  std::uintptr_t from = HeapTop();
  if (from == kNoHeap) return;
  mallopt(M_TOP_PAD, kHeapReach);
  void* volatile probe = std::malloc(1 << 20);  // makes the heap grow now
  std::free(probe);
  std::uintptr_t to = HeapTop();
  from = (from + kHugePage - 1) & ~(kHugePage - 1);
  if (to != kNoHeap && to > from) {
    madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
  }
}

}  // namespace tarnwick
