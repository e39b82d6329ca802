#pragma once
// The whole transmit side at 8000 Hz: byte queue, preamble, varicode,
// BPSK/QPSK modulation with the cosine envelope, postamble, CW
// identification, tune carrier. Not thread-safe: the engine serialises calls.
//
// A transmission: the preamble (1.024 s of 0 bits; its first symbol is the
// carrier at phase 0 faded in with sin^2 over half a symbol, each later one a
// reversal), then every queued byte as its varicode and "00", idling with 0
// bits while the queue is empty. After stop() and once the queue is empty:
// BPSK sends 1.024 s of steady carrier, QPSK 1.024 s of 0 bits through the
// encoder, the last symbol faded out; then the CW identification, if any,
// after a character space. The peak output is 0.8.
#include <cstddef>
#include <cstdint>
#include <string>
#include <memory>

namespace quillary::psk {

class Transmitter {
 public:
  Transmitter();
  ~Transmitter();
  Transmitter(Transmitter&&) noexcept;
  Transmitter& operator=(Transmitter&&) noexcept;

  // False (and no change) outside 100..3900 Hz. Takes effect at once.
  bool setFrequency(double hz);
  double frequency() const;
  // Morse text sent after every transmission's postamble; "" for none.
  void setCwId(std::string text);

  // Keys with a PSK mode code (preamble, then the queue, idling with 0 bits
  // while it is empty) or kTuneCode (steady carrier). False for an unknown
  // code. Starting while already on restarts nothing and answers true; it
  // calls off a pending stop, and during the postamble or CW ID it keys a new
  // transmission right after this one (a stop() then applies to that one).
  // Bytes queued while off wait for the next start.
  bool start(int modeCode);
  // Bytes queued behind earlier ones, sent in order. The string is moved
  // in whole, however long.
  void enqueue(std::string bytes);
  void clearQueue();
  // Ends after the queue has gone out: QPSK flush, postamble, CW ID, off.
  // A tune carrier ends with a 16 ms fade within 64 ms, without CW ID.
  void stop();
  // Off at once, from the next sample; the queue is dropped (also while off).
  void abort();

  // Bytes queued and not yet begun.
  std::size_t charsRemaining() const;
  // True while audio goes out (from the first preamble sample to the last
  // sample of the postamble or CW ID).
  bool on() const;

  // turnedOn comes with the block that starts the preamble (or carrier);
  // turnedOff with the block that holds the last sample, or, after abort(),
  // with the next block, which is silent. A start() after abort() keys from
  // the block after that, so each block's events read "on, then off".
  struct Events {
    bool turnedOn = false;   // the first sample of this block was keyed
    bool turnedOff = false;  // the transmission ended within this block
  };
  // Writes `count` samples (-1..1, silence while off) to `out`.
  Events process(std::size_t count, float* out);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace quillary::psk
