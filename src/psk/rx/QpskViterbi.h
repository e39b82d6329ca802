#pragma once
// Soft-decision Viterbi decoder for the QPSK convolutional code: constraint
// length 5, generators 0x17 and 0x19. The encoder keeps
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
//
// The code needs only its 16 register states, but a path's reference
// depends on older decisions too, and of two paths that meet in a state
// the one with the better reference may be behind for the moment (a fade
// has just turned the phase). So the decoder keeps a path for each of the
// last 7 bits, 128 in all: paths that differ further back than the code's
// memory live on until the symbols after them decide (measured at QPSK31:
// through moderate fading at -3 dB 2.72% of the characters wrong with 16
// paths, 2.61% with 128, and 256 do no better; in white noise at -15 dB
// 4.4% against 3.6%).
#include <array>
#include <complex>
#include <optional>
#include <vector>

namespace quillary::psk {

// The symbol value v (0..3) for a 5-bit encoder register.
int qpskSymbolOf(unsigned reg);

class QpskViterbi {
 public:
  static constexpr int kHistoryBits = 7;
  static constexpr int kStates = 1 << kHistoryBits;

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
  struct Step {
    float metric;
    unsigned char oldestBit;       // which predecessor survived
    std::complex<float> expected;  // the reference turned to this symbol
  };
  Step extend(unsigned state, std::complex<float> sample, float weight) const;
  int traceBack() const;

  int depth_ = 24;
  std::array<float, kStates> pathMetric_{};
  std::array<std::complex<float>, kStates> references_{};
  // One row per symbol (a ring of depth_ + 1 rows): the oldest bit of the
  // predecessor that won at each state, i.e. which one survived.
  std::vector<std::array<unsigned char, kStates>> survivors_;
  int newest_ = -1;
  long long seen_ = 0;
};

}  // namespace quillary::psk
