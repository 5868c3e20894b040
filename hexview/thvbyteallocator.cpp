// Large blocks for the hex view's buffer straight from the system.
#include "hexview/thvbyteallocator.h"

#include <sys/mman.h>

#include <cstdint>

namespace {

constexpr std::size_t kHuge = std::size_t{2} << 20;
constexpr std::size_t kLarge = std::size_t{8} << 20;  // smaller blocks use the heap

std::size_t RoundUp(std::size_t bytes) {
  return (bytes + kHuge - 1) / kHuge * kHuge;
}

}  // namespace

void* HVAllocateBytes(std::size_t bytes) {
  if (bytes < kLarge) return ::operator new(bytes);
  const std::size_t size = RoundUp(bytes);
  // Map one huge page more and cut the block to a 2 MiB boundary.
  void* raw =
      ::mmap(nullptr, size + kHuge, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t aligned = (start + kHuge - 1) / kHuge * kHuge;
  if (aligned > start) ::munmap(raw, aligned - start);
  const std::uintptr_t end = start + size + kHuge;
  if (end > aligned + size) ::munmap(reinterpret_cast<void*>(aligned + size), end - aligned - size);
  void* block = reinterpret_cast<void*>(aligned);
  ::madvise(block, size, MADV_HUGEPAGE);
  return block;
}

void HVFreeBytes(void* block, std::size_t bytes) noexcept {
  if (!block) return;
  if (bytes < kLarge) {
    ::operator delete(block);
    return;
  }
  ::munmap(block, RoundUp(bytes));
}
