#include "support/EngineTestSupport.h"

#include <algorithm>
#include <cmath>

namespace quillary::psk::test {

std::vector<Posted> RecordingWindow::of(int32_t message) const {
  std::vector<Posted> found = all();
  std::erase_if(found, [message](const Posted& p) { return p.message != message; });
  return found;
}

std::vector<int32_t> RecordingWindow::wParams(int32_t message) const {
  std::vector<int32_t> values;
  for (const Posted& p : of(message)) values.push_back(p.wParam);
  return values;
}

PskEngine::Options fakePttOptions(std::shared_ptr<PttLog> log, std::vector<std::string> ports) {
  PskEngine::Options options;
  options.pttPorts = [log] { return std::make_unique<FakePttPort>(log); };
  options.serialPorts = [ports] { return ports; };
  return options;
}

std::vector<float> pumpUntilOff(PumpedAudio& device, RecordingWindow& window, double maxSeconds,
                                std::size_t block, bool feedBack) {
  const auto offs = [&] { return std::ranges::count(window.transmitStates(), 0); };
  const auto offsBefore = offs();
  std::vector<float> audio, input;
  while (audio.size() < maxSeconds * 8000 && offs() == offsBefore) {
    std::vector<float> out = device.pump(block, feedBack ? input : std::vector<float>{});
    if (out.empty()) break;
    audio.insert(audio.end(), out.begin(), out.end());
    input = out;
  }
  return audio;
}

long lastAudible(const std::vector<float>& audio, float threshold) {
  long i = static_cast<long>(audio.size()) - 1;
  while (i >= 0 && std::fabs(audio[static_cast<std::size_t>(i)]) <= threshold) --i;
  return i;
}

}  // namespace quillary::psk::test
