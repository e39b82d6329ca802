#pragma once
// The modem contract: everything the terminal asks of the sound-card modem.
// Function names and arguments are the contract's own; every call returns a
// 32-bit result. Strings hold bytes in the system code page (Kanji as
// double-byte pairs). The window always passes channel 0, the one receive
// channel whose characters it is sent; further channels (1..63) read other
// stations for tools such as the band scan.
//
// Implementations: the psk engine (psk/PskEngine) for the air, and a
// recording double in the tests.
#include <cstdint>
#include <string>

#include "modem/ModemWindow.h"

namespace quillary {

// Mode codes: bit 0 selects QPSK, bits 3 and 4 the rate.
enum ModemModeCode : int32_t {
  kModeBpsk31 = 0,
  kModeQpsk31 = 1,
  kModeBpsk63 = 8,
  kModeQpsk63 = 9,
  kModeBpsk125 = 16,
  kModeQpsk125 = 17,
  kModeTune = 4,  // fnStartTX only: a steady tune carrier
};

// fnStartSoundCard's answers besides 0 (started).
enum ModemStartError : int32_t {
  kStartCannotRead = 11,   // the device cannot be read
  kStartDeviceBusy = 18,   // the device is busy
  kStartNoSuchDevice = 21, // the device does not exist
};

inline constexpr int kSpectrumBins = 1024;     // 3.90625 Hz each
inline constexpr int kVectorValues = 16;       // eight (x, y) points, +-1000 full scale

class ModemLibrary {
 public:
  virtual ~ModemLibrary() = default;

  // Starts audio on `device` (-1 = the system's default). Notifications are
  // posted to `window` until fnStopSoundCard. 0 = started, else an error code.
  virtual int32_t fnStartSoundCard(ModemWindow* window, int32_t device, int32_t channels) = 0;
  virtual int32_t fnStopSoundCard() = 0;

  virtual int32_t fnSetRXPSKMode(int32_t modeCode, int32_t channel) = 0;
  virtual int32_t fnSetRXFrequency(int32_t hz, int32_t unused, int32_t channel) = 0;
  // The receive frequency in Hz, as moved by AFC.
  virtual int32_t fnGetRXFrequency(int32_t channel) = 0;
  // AFC pull range in Hz; 0 turns AFC off.
  virtual int32_t fnSetAFCLimit(int32_t limitHz, int32_t channel) = 0;
  // 0..99.
  virtual int32_t fnSetSquelchThreshold(int32_t threshold, int32_t unused, int32_t channel) = 0;
  // Smoothing 1..10, scale (full-scale magnitude, 100), bias 1..90.
  virtual int32_t fnSetFFTMode(int32_t smoothing, int32_t scale, int32_t bias) = 0;
  // `bins` points at an array of kSpectrumBins values indexed by bin number;
  // only entries first..last are written (magnitudes 0..scale).
  virtual int32_t fnGetFFTData(int32_t* bins, int32_t first, int32_t last) = 0;
  // Frequency in Hz of the strongest signal between the two frequencies.
  virtual int32_t fnGetClosestPeak(int32_t lowHz, int32_t highHz) = 0;
  // `points` points at kVectorValues values: eight (x, y) pairs of the latest
  // symbols, +-1000 full scale.
  virtual int32_t fnGetVectorData(int32_t* points, int32_t channel) = 0;
  // 0..100.
  virtual int32_t fnGetSignalLevel(int32_t channel) = 0;

  virtual int32_t fnSetTXFrequency(int32_t hz) = 0;
  // A mode code, or kModeTune for a steady carrier.
  virtual int32_t fnStartTX(int32_t modeCode) = 0;
  // Queued behind earlier text, sent in order.
  virtual int32_t fnSendTXString(const std::string& text) = 0;
  virtual int32_t fnGetTXCharsRemaining() = 0;
  virtual int32_t fnClearTXBuffer() = 0;
  // The transmitter drops once the queue has gone out.
  virtual int32_t fnStopTX() = 0;
  // The transmitter drops at once; the queue is dropped.
  virtual int32_t fnAbortTX() = 0;
  // Sent in Morse at the end of each transmission; "*" is the prosign SK.
  virtual int32_t fnSetCWIDString(const std::string& text) = 0;
  // (port, 3) keys PTT on that port (0 = not opened, else opened);
  // (port, 0) releases it.
  virtual int32_t fnSetComPort(int32_t port, int32_t mode) = 0;
};

}  // namespace quillary
