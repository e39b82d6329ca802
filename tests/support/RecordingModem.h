#pragma once
// Logs every call ("fnSetRXFrequency(1600,0,0)") and answers scripted
// results per function (0 when nothing is scripted).
#include <algorithm>
#include <array>
#include <deque>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "modem/ModemLibrary.h"

namespace quillary::testing {

class RecordingModem : public ModemLibrary {
 public:
  void answer(const std::string& function, int32_t result) { fixed_[function] = result; }
  // Every function not answered otherwise.
  void answerAll(int32_t result) { all_ = result; }
  // Answered in turn before the fixed answer.
  void answerOnce(const std::string& function, const std::vector<int32_t>& results) {
    once_[function].insert(once_[function].end(), results.begin(), results.end());
  }

  const std::vector<std::string>& calls() const { return calls_; }
  std::vector<std::string> callsOf(const std::string& function) const {
    std::vector<std::string> found;
    std::ranges::copy_if(calls_, std::back_inserter(found),
                         [&](const std::string& call) { return call.starts_with(function + "("); });
    return found;
  }
  void clearCalls() { calls_.clear(); }
  ModemWindow* window() const { return window_; }
  // Of fnSendTXString and fnSetCWIDString.
  std::vector<std::string> sentTexts;
  // What fnGetFFTData copies (only the bins asked for) and fnGetVectorData
  // copies into the caller's buffer.
  std::array<int32_t, kSpectrumBins> spectrum{};
  std::array<int32_t, kVectorValues> vector{};

  int32_t fnStartSoundCard(ModemWindow* window, int32_t device, int32_t channels) override {
    window_ = window;
    return record("fnStartSoundCard", {device, channels});
  }
  int32_t fnStopSoundCard() override { return record("fnStopSoundCard", {}); }
  int32_t fnSetRXPSKMode(int32_t mode, int32_t ch) override { return record("fnSetRXPSKMode", {mode, ch}); }
  int32_t fnSetRXFrequency(int32_t hz, int32_t unused, int32_t ch) override {
    return record("fnSetRXFrequency", {hz, unused, ch});
  }
  int32_t fnGetRXFrequency(int32_t ch) override { return record("fnGetRXFrequency", {ch}); }
  int32_t fnSetAFCLimit(int32_t hz, int32_t ch) override { return record("fnSetAFCLimit", {hz, ch}); }
  int32_t fnSetSquelchThreshold(int32_t threshold, int32_t unused, int32_t ch) override {
    return record("fnSetSquelchThreshold", {threshold, unused, ch});
  }
  int32_t fnSetFFTMode(int32_t smoothing, int32_t scale, int32_t bias) override {
    return record("fnSetFFTMode", {smoothing, scale, bias});
  }
  int32_t fnGetFFTData(int32_t* bins, int32_t first, int32_t last) override {
    for (int32_t k = std::max(first, 0); k <= last && k < kSpectrumBins; ++k) bins[k] = spectrum[k];
    return record("fnGetFFTData", {first, last});
  }
  int32_t fnGetClosestPeak(int32_t low, int32_t high) override { return record("fnGetClosestPeak", {low, high}); }
  int32_t fnGetVectorData(int32_t* points, int32_t ch) override {
    std::copy(vector.begin(), vector.end(), points);
    return record("fnGetVectorData", {ch});
  }
  int32_t fnGetSignalLevel(int32_t ch) override { return record("fnGetSignalLevel", {ch}); }
  int32_t fnSetTXFrequency(int32_t hz) override { return record("fnSetTXFrequency", {hz}); }
  int32_t fnStartTX(int32_t mode) override { return record("fnStartTX", {mode}); }
  int32_t fnSendTXString(const std::string& text) override { return recordText("fnSendTXString", text); }
  int32_t fnGetTXCharsRemaining() override { return record("fnGetTXCharsRemaining", {}); }
  int32_t fnClearTXBuffer() override { return record("fnClearTXBuffer", {}); }
  int32_t fnStopTX() override { return record("fnStopTX", {}); }
  int32_t fnAbortTX() override { return record("fnAbortTX", {}); }
  int32_t fnSetCWIDString(const std::string& text) override { return recordText("fnSetCWIDString", text); }
  int32_t fnSetComPort(int32_t port, int32_t mode) override { return record("fnSetComPort", {port, mode}); }

 private:
  int32_t record(const std::string& function, const std::vector<long long>& arguments) {
    std::string call = function + "(";
    for (std::size_t i = 0; i < arguments.size(); ++i) call += (i > 0 ? "," : "") + std::to_string(arguments[i]);
    calls_.push_back(call + ")");
    if (std::deque<int32_t>& queued = once_[function]; !queued.empty()) {
      const int32_t result = queued.front();
      queued.pop_front();
      return result;
    }
    return fixed_.contains(function) ? fixed_.at(function) : all_;
  }
  int32_t recordText(const std::string& function, const std::string& text) {
    sentTexts.push_back(text);
    return record(function, {});
  }

  std::vector<std::string> calls_;
  std::map<std::string, int32_t> fixed_;
  std::map<std::string, std::deque<int32_t>> once_;
  int32_t all_ = 0;
  ModemWindow* window_ = nullptr;
};

}  // namespace quillary::testing
