#pragma once
// The signal search: while hunting, the receiver is tuned to the strongest
// peak near the preset centre; a level above the squelch threshold makes the
// search hold the signal, a level below it sends the search hunting again.
#include <cstdint>
#include <optional>

namespace quillary {

enum class SearchState : int16_t { Holding = 1, Hunting = 2 };

struct SearchWindow {
  int32_t lowHz = 0;
  int32_t highHz = 0;
};

// centre +- halfWidth.
SearchWindow searchWindowAround(int32_t centreHz, int32_t halfWidthHz);

// What a level reading did to the search indicator.
enum class IndicatorChange { None, Show, Hide };

class SignalSearch {
 public:
  explicit SignalSearch(SearchState start = SearchState::Hunting) : state_(start) {}

  SearchState state() const { return state_; }
  // Switching the search on always starts hunting.
  void restart() { state_ = SearchState::Hunting; }

  // The frequency to tune to for the peak found in `window`. Nothing while
  // holding, and nothing for a peak at the window's low edge, which is
  // taken as no peak found.
  std::optional<int32_t> retuneFor(int32_t peakHz, const SearchWindow& window) const;

  // Moves between hunting and holding; a level equal to the threshold
  // changes nothing.
  IndicatorChange takeLevel(int32_t level, int32_t threshold);

 private:
  SearchState state_ = SearchState::Hunting;
};

}  // namespace quillary
