#include "support/RecordingModem.h"

#include <algorithm>

namespace quillary::testing {

void RecordingModem::answerOnce(const std::string& function, std::vector<int32_t> results) {
  auto& queue = once_[function];
  queue.insert(queue.end(), results.begin(), results.end());
}

std::vector<std::string> RecordingModem::callsOf(const std::string& function) const {
  std::vector<std::string> found;
  for (const std::string& call : calls_) {
    if (call.rfind(function + "(", 0) == 0) found.push_back(call);
  }
  return found;
}

int32_t RecordingModem::record(const std::string& function,
                               const std::vector<long long>& arguments) {
  std::string call = function + "(";
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) call += ",";
    call += std::to_string(arguments[i]);
  }
  calls_.push_back(call + ")");
  auto queued = once_.find(function);
  if (queued != once_.end() && !queued->second.empty()) {
    const int32_t result = queued->second.front();
    queued->second.pop_front();
    return result;
  }
  auto fixed = fixed_.find(function);
  return fixed == fixed_.end() ? 0 : fixed->second;
}

int32_t RecordingModem::fnStartSoundCard(ModemWindow* window, int32_t device, int32_t channels) {
  window_ = window;
  return record("fnStartSoundCard", {device, channels});
}
int32_t RecordingModem::fnStopSoundCard() { return record("fnStopSoundCard", {}); }
int32_t RecordingModem::fnSetRXPSKMode(int32_t modeCode, int32_t channel) {
  return record("fnSetRXPSKMode", {modeCode, channel});
}
int32_t RecordingModem::fnSetRXFrequency(int32_t hz, int32_t unused, int32_t channel) {
  return record("fnSetRXFrequency", {hz, unused, channel});
}
int32_t RecordingModem::fnGetRXFrequency(int32_t channel) {
  return record("fnGetRXFrequency", {channel});
}
int32_t RecordingModem::fnSetAFCLimit(int32_t limitHz, int32_t channel) {
  return record("fnSetAFCLimit", {limitHz, channel});
}
int32_t RecordingModem::fnSetSquelchThreshold(int32_t threshold, int32_t unused, int32_t channel) {
  return record("fnSetSquelchThreshold", {threshold, unused, channel});
}
int32_t RecordingModem::fnSetFFTMode(int32_t smoothing, int32_t scale, int32_t bias) {
  return record("fnSetFFTMode", {smoothing, scale, bias});
}
int32_t RecordingModem::fnGetFFTData(int32_t* bins, int32_t first, int32_t last) {
  for (int32_t k = std::max(first, 0); k <= last && k < kSpectrumBins; ++k) bins[k] = spectrum[k];
  return record("fnGetFFTData", {first, last});
}
int32_t RecordingModem::fnGetClosestPeak(int32_t lowHz, int32_t highHz) {
  return record("fnGetClosestPeak", {lowHz, highHz});
}
int32_t RecordingModem::fnGetVectorData(int32_t* points, int32_t channel) {
  std::copy(vector.begin(), vector.end(), points);
  return record("fnGetVectorData", {channel});
}
int32_t RecordingModem::fnGetSignalLevel(int32_t channel) {
  return record("fnGetSignalLevel", {channel});
}
int32_t RecordingModem::fnSetTXFrequency(int32_t hz) { return record("fnSetTXFrequency", {hz}); }
int32_t RecordingModem::fnStartTX(int32_t modeCode) { return record("fnStartTX", {modeCode}); }
int32_t RecordingModem::fnSendTXString(const std::string& text) {
  sentTexts.push_back(text);
  return record("fnSendTXString", {});
}
int32_t RecordingModem::fnGetTXCharsRemaining() { return record("fnGetTXCharsRemaining", {}); }
int32_t RecordingModem::fnClearTXBuffer() { return record("fnClearTXBuffer", {}); }
int32_t RecordingModem::fnStopTX() { return record("fnStopTX", {}); }
int32_t RecordingModem::fnAbortTX() { return record("fnAbortTX", {}); }
int32_t RecordingModem::fnSetCWIDString(const std::string& text) {
  sentTexts.push_back(text);
  return record("fnSetCWIDString", {});
}
int32_t RecordingModem::fnSetComPort(int32_t port, int32_t mode) {
  return record("fnSetComPort", {port, mode});
}

}  // namespace quillary::testing
