#pragma once

// What the fuzz targets share: their failure check, input shaping, and plain,
// slow models of the operations, written straight from their rules, to compare
// against.

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <string_view>

namespace quillory::fuzz {

// A failed property is a crash, so that libFuzzer saves the input.
inline void Check(bool condition) {
  if (!condition) std::abort();
}

// A Text cannot hold a zero byte.
inline std::string NoZeros(std::string bytes) {
  bytes.erase(std::remove(bytes.begin(), bytes.end(), '\0'), bytes.end());
  return bytes;
}

inline char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

inline bool SameBytes(std::string_view a, std::string_view b, bool ignoreCase) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ignoreCase ? Fold(a[i]) != Fold(b[i]) : a[i] != b[i]) return false;
  }
  return true;
}

// Every candidate of the range [begin, end), stepping by characters from
// `begin`; returns the first (or last) 1-based position that matches, or -1.
inline int NaiveFind(std::string_view text, std::string_view sought, std::size_t begin, std::size_t end,
                     bool ignoreCase, bool last) {
  if (begin >= end) return -1;
  if (sought.empty()) return 1;
  int found = -1;
  for (std::size_t i = begin; i + sought.size() <= end;) {
    if (SameBytes(text.substr(i, sought.size()), sought, ignoreCase)) {
      found = static_cast<int>(i) + 1;
      if (!last) return found;
    }
    i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
  }
  return found;
}

}  // namespace quillory::fuzz
