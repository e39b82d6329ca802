#pragma once
// A recording modem that also reads the band, as the test scripts it: the
// spectrum frame it answers, the stations the band shows, the text waiting
// on each channel; and the channels let go. A further channel answers the
// frequency last set for it, as a receiver with nothing to pull it would;
// channel 0 answers as the recording modem does.
#include <algorithm>
#include <map>

#include "modem/BandReader.h"
#include "support/RecordingModem.h"

namespace quillary::testing {

class RecordingBandModem : public RecordingModem, public BandReader {
 public:
  std::vector<float> spectrum = std::vector<float>(kSpectrumBins, -60.0f);
  uint64_t frame = 0;
  std::vector<double> shown;                 // what bandStations answers
  std::map<int32_t, std::string> waiting;    // per channel, for takeReceived
  std::vector<int32_t> released;

  uint64_t latestSpectrum(float* db) override {
    if (frame > 0) std::copy(spectrum.begin(), spectrum.end(), db);
    return frame;
  }
  std::vector<double> bandStations(int32_t, double, double) override { return shown; }
  std::string takeReceived(int32_t channel) override { return std::exchange(waiting[channel], {}); }
  void releaseChannel(int32_t channel) override { released.push_back(channel); }
  int32_t fnSetRXFrequency(int32_t hz, int32_t unused, int32_t channel) override {
    tuned[channel] = hz;
    return RecordingModem::fnSetRXFrequency(hz, unused, channel);
  }
  int32_t fnGetRXFrequency(int32_t channel) override {
    const int32_t answered = RecordingModem::fnGetRXFrequency(channel);
    return channel == 0 ? answered : tuned[channel];
  }
  std::map<int32_t, int32_t> tuned;
};

}  // namespace quillary::testing
