#pragma once
// Soft-decision Viterbi decoder for the QPSK convolutional code: 16 states,
// constraint length 5, generators 0x17 and 0x19. The encoder keeps
// r = ((r << 1) | bit) & 0x1F and sends v = 2 * parity(r & 0x19) +
// parity(r & 0x17), a phase change of 180 + 90 v degrees.
//
// Each survivor path carries its own phase reference: the symbols it has
// read, each turned by the phase changes the path gives them and weighed
// by their age. A symbol is judged against the reference of the path it
// extends, turned by the change the step sends. Since the reference is made
// of several symbols, it holds far less noise than the single symbol before
// (about 1.5 dB of copy in white noise); since each path makes it from its
// own decisions, a wrong decision spoils only a path that loses, never the
// one that wins. Through fading the reference holds the channel's momentary
// strength too, so a symbol in a fade weighs little.
#include <array>
#include <complex>
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
  // One symbol sample from the matched filter, and the weight of the
  // evidence it gives (the inverse of the signal's power, say; 0 for a
  // symbol without a carrier: no information, and every path's reference
  // starts again from it). Answers the bit decided `depth` symbols ago,
  // once that many symbols have come in.
  std::optional<int> process(std::complex<float> sample, float weight);
  int depth() const { return depth_; }

 private:
  int traceBack() const;

  int depth_ = 24;
  std::array<float, kStates> pathMetric_{};
  std::array<std::complex<float>, kStates> references_{};
  // One row per symbol (a ring of depth_ + 1 rows): bit 4 of the register
  // that won at each state, i.e. which predecessor survived.
  std::vector<std::array<unsigned char, kStates>> survivors_;
  int newest_ = -1;
  long long seen_ = 0;
};

}  // namespace quillary::psk
