#pragma once
// The Viterbi decoder both BPSK readings (BpskDetector, BpskSmoother) read
// the signs with. It knows what the matched filter does to them: each
// symbol leaks a sixth of itself into each neighbour (the transmit pulse is
// a two-symbol raised cosine, and so is the filter matched to it). Its
// states are the signs of the symbol read and the one after, so the caller
// can build each step's phase reference from the neighbours with the signs
// of the path being weighed. The bit is whether the sign changed, so a slip
// of the reference costs a bit, not everything after it.
#include <array>
#include <complex>
#include <cstddef>
#include <optional>

namespace quillary::psk {

// What each neighbour leaks into a symbol through the matched filter.
inline constexpr double kBpskLeak = 1.0 / 6.0;

// A state's sign: 0 is +, 1 is -.
inline double bpskSign(int state) { return state == 0 ? 1.0 : -1.0; }

class BpskTrellis {
 public:
  using Complex = std::complex<double>;
  static constexpr int kMaxDelay = 64;

  struct Decided {
    int bit;   // 1: the sign stayed
    int sign;  // +1 or -1
  };

  // Decisions come `delay` steps late (1..64). False, and no change,
  // otherwise.
  bool create(int delay);
  void reset();

  // Reads one symbol `y` (`carrier` false: it carries no phase, and counts
  // as a reversal, the idle). `reference(p, n)` is the phase reference for
  // it when the symbols before and after have signs p and n (0: +).
  template <class Reference>
  void step(Complex y, bool carrier, Reference reference) {
    std::array<Step, 4> steps{};
    for (int state = 0; state < 4; ++state)
      for (int p = 0; p < 2; ++p) steps[state].metric[p] = weigh(state, p, y, carrier, reference(p, state & 1));
    advance(steps);
  }

  // Reads one symbol `y` against what each branch expects of it:
  // `expected(p, s, n)`, the sample the signs p, s, n (0: +) of the symbol
  // before, the symbol and the one after would give (the leak included).
  template <class Expected>
  void stepExpecting(Complex y, bool carrier, Expected expected) {
    stepLikely(carrier, [&](int p, int s, int n) {
      const Complex e = expected(p, s, n);
      return (y * std::conj(e)).real() - 0.5 * std::norm(e);
    });
  }

  // Reads one symbol by `likelihood(p, s, n)`: the log-likelihood of what
  // was received for the signs p, s, n (0: +) of the symbol before, the
  // symbol and the one after, in white noise of unit power (the terms alike
  // for every branch left out).
  template <class Likelihood>
  void stepLikely(bool carrier, Likelihood likelihood) {
    std::array<Step, 4> steps{};
    for (int state = 0; state < 4; ++state)
      for (int p = 0; p < 2; ++p)
        steps[state].metric[p] = weighLikely(state, p, carrier ? likelihood(p, state >> 1, state & 1) : 0.0);
    advance(steps);
  }

  // The leading path: the sign (0: +) of the symbol just read, and of the
  // one before it.
  int leadingSign() const { return lead_ >> 1; }
  int leadingSignBefore() const { return from_[lead_]; }
  // The decision on the symbol `delay` steps back, once there is one.
  std::optional<Decided> decided() const;
  std::size_t steps() const { return steps_; }

 private:
  struct Path {
    double metric = 0;
    std::array<unsigned char, kMaxDelay + 1> bits{};   // a ring by step
    std::array<unsigned char, kMaxDelay + 1> signs{};  // 1: -
  };
  struct Step {
    std::array<double, 2> metric;  // by the sign of the symbol before
  };

  double weigh(int state, int p, Complex y, bool carrier, Complex h) const;
  double weighLikely(int state, int p, double likelihood) const;
  void advance(const std::array<Step, 4>& steps);

  int delay_ = 8;
  std::array<Path, 4> paths_{};  // state 2 a + b: a the sign (1: -) of the symbol read, b of the next
  std::array<int, 4> from_{};    // the sign of the symbol before, on each path
  int lead_ = 0;
  std::size_t steps_ = 0;
};

}  // namespace quillary::psk
