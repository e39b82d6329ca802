#include "modem/SignalSearch.h"

namespace quillary {

SearchWindow searchWindowAround(int32_t centreHz, int32_t halfWidthHz) {
  return {centreHz - halfWidthHz, centreHz + halfWidthHz};
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
