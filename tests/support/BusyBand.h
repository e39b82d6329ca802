#pragma once
// A band of stations at known frequencies and levels, as a receiver hears
// it: each station our own transmitter (what another terminal would send),
// keyed at its start, idling a while and then calling its text again and
// again, over white noise; pumped block by block into one sound device.
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "modem/ModemLibrary.h"
#include "psk/audio/PumpedAudio.h"
#include "psk/tx/Transmitter.h"

namespace quillary::testing {

struct PlannedStation {
  double hz = 1000;
  double snrDb = 10;  // in 3 kHz, against a full-level PSK signal
  std::string text;   // sent again whenever it is out; empty: idles only
  double startSeconds = 0;
  double idleSeconds = 2;
};

class BusyBand {
 public:
  explicit BusyBand(const std::vector<PlannedStation>& plan, int32_t modeCode = kModeBpsk31,
                    double noiseRms = 0.02, uint32_t seed = 3)
      : noise_(0.0f, static_cast<float>(noiseRms)), random_(seed), modeCode_(modeCode) {
    // A steady 0.8 carrier's power; white noise at 8000 Hz spreads over 4 kHz.
    const double noiseIn3kHz = noiseRms * noiseRms * 3000.0 / 4000.0;
    for (const PlannedStation& planned : plan) {
      auto& station = stations_.emplace_back(Station{planned, std::make_unique<psk::Transmitter>(), 0});
      station.tx->setFrequency(planned.hz);
      station.amplitude = std::sqrt(noiseIn3kHz * std::pow(10.0, planned.snrDb / 10) / (0.8 * 0.8 / 2));
    }
  }

  psk::PumpedAudio& device() { return device_; }
  double seconds() const { return static_cast<double>(samples_) / 8000; }

  void pump(std::size_t frames) {
    std::vector<float> mix(frames), one(frames);
    for (float& sample : mix) sample = noise_(random_);
    for (Station& station : stations_) {
      const double at = seconds();
      if (at < station.plan.startSeconds) continue;
      if (!station.tx->on()) station.tx->start(modeCode_);
      if (at >= station.plan.startSeconds + station.plan.idleSeconds && station.tx->charsRemaining() == 0)
        station.tx->enqueue(station.plan.text);
      station.tx->process(frames, one.data());
      for (std::size_t i = 0; i < frames; ++i) mix[i] += static_cast<float>(station.amplitude) * one[i];
    }
    device_.pump(frames, mix);
    samples_ += frames;
  }

 private:
  struct Station {
    PlannedStation plan;
    std::unique_ptr<psk::Transmitter> tx;
    double amplitude;
  };
  std::vector<Station> stations_;
  psk::PumpedAudio device_;
  std::normal_distribution<float> noise_;
  std::mt19937 random_;
  int32_t modeCode_;
  std::size_t samples_ = 0;
};

}  // namespace quillary::testing
