// Byte buffers that are filled right after they are sized (a file read into memory, a decoded
// BMP file image) are allocated without being zero-filled first: a header that claims a huge
// picture then costs address space, not touched memory, until its data turns out to be missing.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace tarvell {

// std::allocator, except that value-initialisation (resize(n), vector(n)) leaves the bytes
// as they come; an explicit value (assign(n, 0)) still writes it.
template <class T>
class TDefaultInitAllocator : public std::allocator<T> {
public:
  using value_type = T;
  template <class U>
  struct rebind {
    using other = TDefaultInitAllocator<U>;
  };

  TDefaultInitAllocator() noexcept = default;
  template <class U>
  TDefaultInitAllocator(const TDefaultInitAllocator<U>&) noexcept {}

  template <class U>
  void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    std::allocator_traits<std::allocator<T>>::construct(static_cast<std::allocator<T>&>(*this), p,
                                                        std::forward<Args>(args)...);
  }
};

using TByteBuffer = std::vector<std::uint8_t, TDefaultInitAllocator<std::uint8_t>>;

}  // namespace tarvell
