#ifndef TARNWICK_CORE_MEMORY_REUSE_H_
#define TARNWICK_CORE_MEMORY_REUSE_H_

namespace tarnwick {

// Tells the allocator to keep memory it gets back for the next request
// instead of handing it to the system at once. Workbooks, price lists and
// saved streams come and go in blocks of megabytes; memory fresh from the
// system costs a cleared page for every 4 KB touched, which on a virtual
// machine outweighs the work done in it; so the heap is also asked to use
// 2 MB pages. Called once, at the start of main.
void KeepFreedMemoryForReuse();

}  // namespace tarnwick

#endif  // TARNWICK_CORE_MEMORY_REUSE_H_
