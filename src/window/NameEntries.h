#pragma once
// The name table the window holds: pairs of call sign and name from the
// station name log, at most 500 of them.
#include <array>
#include <string>

namespace quillary {

inline constexpr int kNameTableSize = 500;

struct NameEntry {
  std::string call;  // UTF-8
  std::string name;  // UTF-8
};

// Entry i of the table is at index i - 1.
using NameEntries = std::array<NameEntry, kNameTableSize>;

}  // namespace quillary
