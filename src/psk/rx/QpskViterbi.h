#pragma once
// Soft-decision Viterbi decoder for the QPSK convolutional code: 16 states,
// constraint length 5, generators 0x17 and 0x19. The encoder keeps
// r = ((r << 1) | bit) & 0x1F and sends v = 2 * parity(r & 0x19) +
// parity(r & 0x17); the decoder is fed, per received symbol, how well it
// matches each of the four values of v.
#include <array>
#include <optional>
#include <vector>

namespace quillary::psk {

// The symbol value v (0..3) for a 5-bit encoder register.
int qpskSymbolOf(unsigned reg);

class QpskViterbi {
 public:
  static constexpr int kStates = 16;

  // Decisions come out `depth` symbols late. False, and no change, outside
  // 5..64.
  bool create(int depth);
  void reset();
  // metrics[v]: the larger, the likelier symbol v (e.g. a correlation with
  // the ideal phase change; all equal = no information). Answers the bit
  // decided `depth` symbols ago, once that many symbols have come in.
  std::optional<int> process(const std::array<float, 4>& metrics);
  int depth() const { return depth_; }

 private:
  int traceBack() const;

  int depth_ = 24;
  std::array<float, kStates> pathMetric_{};
  // One row per symbol (a ring of depth_ + 1 rows): bit 4 of the register
  // that won at each state, i.e. which predecessor survived.
  std::vector<std::array<unsigned char, kStates>> survivors_;
  int newest_ = -1;
  long long seen_ = 0;
};

}  // namespace quillary::psk
