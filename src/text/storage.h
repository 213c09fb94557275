#pragma once

// Heap storage behind Text, ByteSet and TextArray. Internal to the text
// library: callers use those value types, never this header.

#include <cstddef>
#include <cstdlib>
#include <iosfwd>
#include <memory>
#include <string_view>

namespace quillory::internal {

// Obtains, grows or gives back a heap block. Failure to obtain storage ends
// the program through FatalError (code 0, naming the bytes requested), so no
// value ever exists without its storage.
[[nodiscard]] void* ObtainStorage(void* old_block, std::size_t bytes);
[[noreturn]] void RefuseStorage(std::size_t bytes);

// An owned byte block that always keeps one zero byte after its contents, so
// that a Text can be handed to C interfaces as it is. Growth goes through
// realloc: the C library can move a large block by remapping pages instead of
// copying it, which keeps a body of N bytes at about N bytes of peak memory.
//
// A Storage without a block is "absent"; a block of size 0 is "present and
// empty".
class Storage {
 public:
  Storage() = default;
  explicit Storage(std::string_view bytes);
  // A present block of `size` bytes whose contents the caller fills in.
  static Storage Uninitialized(std::size_t size);

  Storage(const Storage& other);
  Storage& operator=(const Storage& other);
  Storage(Storage&& other) noexcept = default;
  Storage& operator=(Storage&& other) noexcept = default;
  ~Storage() = default;

  [[nodiscard]] bool present() const { return block_ != nullptr; }
  [[nodiscard]] std::size_t size() const { return size_; }
  [[nodiscard]] const char* data() const { return block_.get(); }
  [[nodiscard]] char* data() { return block_.get(); }
  [[nodiscard]] std::string_view view() const {
    return present() ? std::string_view(block_.get(), size_) : std::string_view();
  }

  void Reserve(std::size_t capacity);
  void Append(std::string_view bytes);
  // Shortens the contents to `size` bytes; never grows them.
  void Truncate(std::size_t size);

 private:
  struct FreeBlock {
    void operator()(char* block) const;
  };
  std::unique_ptr<char, FreeBlock> block_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// Writes `bytes` in double quotes, escaping every byte that is not printable
// ASCII as \xHH; for test failure messages.
std::ostream& PrintEscaped(std::ostream& out, std::string_view bytes);

// Allocator for the standard containers of the text library, with the same
// failure rule as Storage.
template <class T>
struct FatalOnFailureAllocator {
  using value_type = T;
  FatalOnFailureAllocator() = default;
  template <class U>
  FatalOnFailureAllocator(const FatalOnFailureAllocator<U>&) {}
  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) RefuseStorage(static_cast<std::size_t>(-1));
    return static_cast<T*>(ObtainStorage(nullptr, n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t) { std::free(p); }
  template <class U>
  bool operator==(const FatalOnFailureAllocator<U>&) const { return true; }
};

}  // namespace quillory::internal
