#pragma once
// The whole transmit side at 8000 Hz: byte queue, preamble, varicode,
// BPSK/QPSK modulation with the cosine envelope, postamble, CW
// identification, tune carrier. Not thread-safe: the engine serialises calls.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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
  // code. Starting while already on restarts nothing and answers true.
  bool start(int modeCode);
  // Bytes queued behind earlier ones, sent in order.
  void enqueue(std::string_view bytes);
  void clearQueue();
  // Ends after the queue has gone out: QPSK flush, postamble, CW ID, off.
  void stop();
  // Off at once; the queue is dropped.
  void abort();

  // Bytes queued and not yet begun.
  std::size_t charsRemaining() const;
  // True while audio goes out (from the first preamble sample to the last
  // sample of the postamble or CW ID).
  bool on() const;

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
