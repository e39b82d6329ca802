#pragma once
// A modem that answers 0 to everything and does nothing, for benchmarks
// that override only the calls they measure.
#include "modem/ModemLibrary.h"

namespace quillary {

class QuietModem : public ModemLibrary {
 public:
  int32_t fnStartSoundCard(ModemWindow*, int32_t, int32_t) override { return 0; }
  int32_t fnStopSoundCard() override { return 0; }
  int32_t fnSetRXPSKMode(int32_t, int32_t) override { return 0; }
  int32_t fnSetRXFrequency(int32_t, int32_t, int32_t) override { return 0; }
  int32_t fnGetRXFrequency(int32_t) override { return 0; }
  int32_t fnSetAFCLimit(int32_t, int32_t) override { return 0; }
  int32_t fnSetSquelchThreshold(int32_t, int32_t, int32_t) override { return 0; }
  int32_t fnSetFFTMode(int32_t, int32_t, int32_t) override { return 0; }
  int32_t fnGetFFTData(int32_t*, int32_t, int32_t) override { return 0; }
  int32_t fnGetClosestPeak(int32_t, int32_t) override { return 0; }
  int32_t fnGetVectorData(int32_t*, int32_t) override { return 0; }
  int32_t fnGetSignalLevel(int32_t) override { return 0; }
  int32_t fnSetTXFrequency(int32_t) override { return 0; }
  int32_t fnStartTX(int32_t) override { return 0; }
  int32_t fnSendTXString(const std::string&) override { return 0; }
  int32_t fnGetTXCharsRemaining() override { return 0; }
  int32_t fnClearTXBuffer() override { return 0; }
  int32_t fnStopTX() override { return 0; }
  int32_t fnAbortTX() override { return 0; }
  int32_t fnSetCWIDString(const std::string&) override { return 0; }
  int32_t fnSetComPort(int32_t, int32_t) override { return 0; }
};

}  // namespace quillary
