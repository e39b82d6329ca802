#pragma once
// The window the modem reports to. post() may be called from any thread;
// the receiving side turns it into an event on the user-interface thread.
#include <cstdint>

namespace quillary {

// The five notifications the modem posts after fnStartSoundCard.
enum ModemMessage : int32_t {
  kMsgDisplayReady = 2024,   // spectrum, vector and level may be redrawn
  kMsgCharacter = 2025,      // wParam: received byte 0..255; lParam: 0
  kMsgTransmitState = 2026,  // wParam: 1 transmitter on, 0 off
  kMsgImdReading = 2027,     // wParam: IMD in whole dB (negative)
  kMsgClockError = 2028,     // wParam: sound-card clock error in ppm
};

class ModemWindow {
 public:
  virtual ~ModemWindow() = default;
  virtual void post(int32_t message, int32_t wParam, int32_t lParam) = 0;
};

}  // namespace quillary
