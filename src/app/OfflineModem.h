#pragma once
// A modem with no sound card behind it: it cannot start (21, no such
// device), answers 0 to everything else and does nothing. The program runs
// on it until the psk engine is wired in; see ModemSetup.
#include "modem/DeviceInventory.h"
#include "modem/ModemLibrary.h"

namespace quillary {

class OfflineModem : public ModemLibrary {
 public:
  int32_t fnStartSoundCard(ModemWindow*, int32_t, int32_t) override { return kStartNoSuchDevice; }
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

// An inventory that reports no devices: the chooser offers "-1 Default" alone.
class NoSoundDevices : public DeviceInventory {
 public:
  std::optional<std::vector<std::string>> soundDevices() const override {
    return std::vector<std::string>{};
  }
};

}  // namespace quillary
