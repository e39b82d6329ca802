#include "psk/PskMode.h"

#include <array>

namespace quillary::psk {
namespace {

struct NamedMode {
  std::string_view name;
  PskMode mode;
};

// 1.024 s of preamble at every rate: 32, 64 and 128 symbols.
constexpr std::array<NamedMode, 6> kModes{{
    {"BPSK31", {0, false, 256, 32}},
    {"QPSK31", {1, true, 256, 32}},
    {"BPSK63", {8, false, 128, 64}},
    {"QPSK63", {9, true, 128, 64}},
    {"BPSK125", {16, false, 64, 128}},
    {"QPSK125", {17, true, 64, 128}},
}};

}  // namespace

std::optional<PskMode> modeFromCode(int code) {
  for (const auto& entry : kModes)
    if (entry.mode.code == code) return entry.mode;
  return std::nullopt;
}

std::optional<PskMode> modeFromName(std::string_view name) {
  for (const auto& entry : kModes)
    if (entry.name == name) return entry.mode;
  return std::nullopt;
}

std::string_view nameOf(const PskMode& mode) {
  for (const auto& entry : kModes)
    if (entry.mode.code == mode.code) return entry.name;
  return {};
}

}  // namespace quillary::psk
