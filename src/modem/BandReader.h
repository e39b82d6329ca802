#pragma once
// What the band window asks of the modem beyond the contract: the band's
// spectrum frame by frame, where the stations of a mode stand, and what the
// further receive channels (1..kLastChannel) decode. The channels are set
// up with the contract's own calls (fnSetRXPSKMode, fnSetRXFrequency, ...
// with their channel number) and let go here when no longer wanted, so a
// closed band window costs the audio thread nothing.
//
// Every call is safe from the user-interface thread while audio runs and
// returns after a copy: nothing waits for audio.
//
// Implementations: the psk engine (psk/PskEngine), and a recording double
// in the tests.
#include <cstdint>
#include <string>
#include <vector>

namespace quillary {

class BandReader {
 public:
  static constexpr int32_t kFirstChannel = 1;
  static constexpr int32_t kLastChannel = 63;
  // Spectrum frames come every 800 samples: ten a second of audio, so their
  // numbers are the band's clock.
  static constexpr double kFramesPerSecond = 10.0;

  virtual ~BandReader() = default;

  // Copies the newest spectrum frame into `db` (kSpectrumBins values of
  // 3.90625 Hz, in dB against a full-scale sine, unsmoothed) and answers its
  // number, counted from 1 since the modem was made; 0, and nothing copied,
  // before the first frame.
  virtual uint64_t latestSpectrum(float* db) = 0;
  // The centres in Hz of the stations of `modeCode` that the band's spectrum
  // (its last two seconds) shows between the two frequencies, lowest first.
  virtual std::vector<double> bandStations(int32_t modeCode, double lowHz, double highHz) = 0;
  // What channel `channel` has decoded since the last call (bytes in the
  // system code page).
  virtual std::string takeReceived(int32_t channel) = 0;
  // The channel stops decoding and forgets its settings and text.
  virtual void releaseChannel(int32_t channel) = 0;
};

}  // namespace quillary
