// THVByteAllocator: the allocator of the hex view's buffer. Growing the
// buffer does not clear the new bytes (the buffer clears what it must
// itself, and a load overwrites every byte), and large blocks come straight
// from the system on 2 MiB boundaries, marked for huge pages, so that
// touching a gigabyte costs a few hundred page faults instead of a quarter
// of a million.
#pragma once

#include <cstddef>
#include <new>
#include <utility>

void* HVAllocateBytes(std::size_t bytes);
void HVFreeBytes(void* block, std::size_t bytes) noexcept;

template <class T>
class THVByteAllocator {
 public:
  using value_type = T;
  THVByteAllocator() = default;
  template <class U>
  THVByteAllocator(const THVByteAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) { return static_cast<T*>(HVAllocateBytes(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) noexcept { HVFreeBytes(p, n * sizeof(T)); }
  // Default initialisation: for bytes, no write at all.
  template <class U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
  template <class U>
  friend bool operator==(const THVByteAllocator&, const THVByteAllocator<U>&) noexcept {
    return true;
  }
};
