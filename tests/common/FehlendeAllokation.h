// Replaces the global allocation functions with malloc-based ones that first ask a rule the
// test sets, so a test can make chosen allocations fail with std::bad_alloc. Replacement
// allocation functions cannot be inline: exactly one source file of a test program includes
// this header. Set the rule only while no other thread allocates.
#pragma once

#include <cstdlib>
#include <new>

namespace ybrtest {

// Asked before every allocation with its size; true makes that allocation fail.
using AllokationsRegel = bool (*)(std::size_t groesse);

// nullptr: every allocation is served.
inline AllokationsRegel g_allokationsRegel = nullptr;

namespace detail {
inline void* Hole(std::size_t groesse) {
  if (g_allokationsRegel != nullptr && g_allokationsRegel(groesse)) throw std::bad_alloc();
  void* p = std::malloc(groesse == 0 ? 1 : groesse);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}
}  // namespace detail

}  // namespace ybrtest

void* operator new(std::size_t groesse) { return ybrtest::detail::Hole(groesse); }
void* operator new[](std::size_t groesse) { return ybrtest::detail::Hole(groesse); }
void* operator new(std::size_t groesse, const std::nothrow_t&) noexcept {
  try {
    return ybrtest::detail::Hole(groesse);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t groesse, const std::nothrow_t& nt) noexcept { return operator new(groesse, nt); }
// The pair is malloc and free by design; GCC, once it inlines a new and a delete into their
// caller, takes free for the wrong partner of operator new.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
