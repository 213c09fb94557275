#include "text/storage.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

#include "text/fatal_error.h"

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace quillory::internal {
namespace {

// A large block (a response body, a decoded page) is written once from front
// to back, and faulting it in page by page costs as much as the work on it.
// On Linux, huge pages cut the number of faults by a factor of 512.
void PreferHugePages([[maybe_unused]] void* block, [[maybe_unused]] std::size_t bytes) {
#ifdef __linux__
  constexpr std::size_t kLarge = std::size_t{8} << 20;
  constexpr std::uintptr_t kPage = 4096;
  if (bytes < kLarge) return;
  std::uintptr_t start = (reinterpret_cast<std::uintptr_t>(block) + kPage - 1) & ~(kPage - 1);
  std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(block) + bytes) & ~(kPage - 1);
  madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#endif
}

}  // namespace

void* ObtainStorage(void* old_block, std::size_t bytes) {
  // Beyond PTRDIFF_MAX no object can exist; treat it like any refused request.
  void* block = bytes <= static_cast<std::size_t>(std::numeric_limits<std::ptrdiff_t>::max())
                    ? std::realloc(old_block, bytes == 0 ? 1 : bytes)
                    : nullptr;
  if (block == nullptr) RefuseStorage(bytes);
  PreferHugePages(block, bytes);
  return block;
}

void RefuseStorage(std::size_t bytes) {
  FatalError(0, "Out of memory: " + std::to_string(bytes) + " bytes of storage could not be obtained.");
}

std::ostream& PrintEscaped(std::ostream& out, std::string_view bytes) {
  out << '"';
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') {
      out << static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out << escaped;
    }
  }
  return out << '"';
}

void Storage::FreeBlock::operator()(char* block) const { std::free(block); }

Storage::Storage(std::string_view bytes) {
  Reserve(bytes.size());
  Append(bytes);
}

Storage Storage::Uninitialized(std::size_t size) {
  Storage storage;
  storage.Reserve(size);
  storage.size_ = size;
  storage.block_.get()[size] = '\0';
  return storage;
}

Storage::Storage(const Storage& other) {
  if (other.present()) *this = Storage(other.view());
}

Storage& Storage::operator=(const Storage& other) {
  if (this != &other) {
    Storage copy(other);
    *this = std::move(copy);
  }
  return *this;
}

void Storage::Reserve(std::size_t capacity) {
  if (present() && capacity <= capacity_) return;
  if (capacity == std::numeric_limits<std::size_t>::max()) RefuseStorage(capacity);
  char* grown = static_cast<char*>(ObtainStorage(block_.release(), capacity + 1));
  if (size_ == 0) grown[0] = '\0';
  block_.reset(grown);
  capacity_ = capacity;
}

void Storage::Append(std::string_view bytes) {
  std::size_t needed = size_ + bytes.size();
  if (!present() || needed > capacity_) {
    // Geometric growth keeps a run of appends linear overall.
    Reserve(needed > capacity_ * 2 ? needed : capacity_ * 2);
  }
  if (!bytes.empty()) std::memcpy(block_.get() + size_, bytes.data(), bytes.size());
  size_ = needed;
  block_.get()[size_] = '\0';
}

void Storage::Truncate(std::size_t size) {
  if (!present() || size >= size_) return;
  size_ = size;
  block_.get()[size_] = '\0';
}

}  // namespace quillory::internal
