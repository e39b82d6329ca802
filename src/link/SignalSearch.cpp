#include "link/SignalSearch.h"

#include <algorithm>
#include <cstdint>

namespace quillary {

SearchWindow searchWindowAround(int32_t centreHz, int32_t halfWidthHz) {
  // A half-width typed into the box can be any number; the edges are kept
  // within 32 bits rather than wrapping round.
  auto edge = [](int64_t hz) {
    return static_cast<int32_t>(std::clamp<int64_t>(hz, INT32_MIN, INT32_MAX));
  };
  return {edge(int64_t{centreHz} - halfWidthHz), edge(int64_t{centreHz} + halfWidthHz)};
}

std::optional<int32_t> SignalSearch::retuneFor(int32_t peakHz, const SearchWindow& window) const {
  if (state_ != SearchState::Hunting || peakHz == window.lowHz) return std::nullopt;
  return peakHz;
}

IndicatorChange SignalSearch::takeLevel(int32_t level, int32_t threshold) {
  if (state_ == SearchState::Hunting && level > threshold) {
    state_ = SearchState::Holding;
    return IndicatorChange::Show;
  }
  if (state_ == SearchState::Holding && level < threshold) {
    state_ = SearchState::Hunting;
    return IndicatorChange::Hide;
  }
  return IndicatorChange::None;
}

}  // namespace quillary
