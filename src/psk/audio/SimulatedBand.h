#pragma once
// The receive audio of the built-in Simulator device: a quiet band (white
// noise) with either the demo station, which calls CQ and sends a picture
// command near 1600 Hz every half minute, or a recording played from one
// second after the start and looped. The demo station is made by our own
// Transmitter, so what the operator sees is what another station would send.
// The station can come over a fading HF path (HfChannel) and at a chosen
// signal-to-noise ratio, so an operator can try the receiver as the band
// really is.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "psk/channel/HfChannel.h"

namespace quillary::psk {

class Transmitter;

class SimulatedBand {
 public:
  static constexpr double kDemoFrequency = 1600.0;
  static constexpr std::size_t kDemoPeriod = 30 * 8000;  // samples between the demo's calls
  static constexpr std::size_t kFirstCallAt = 8000;      // one second in
  static constexpr std::size_t kIdleBeforeText = 3 * 8000;  // idle first, so the IMD meter has something to read
  static constexpr const char* kDemoText = "CQ CQ CQ de QUILLARY QUILLARY pse k\r\n:QUILLARY/PHOTO\r\n";

  // How the station reaches the band: over an HF path of `condition`
  // (none: a steady one) and `snrDb` above the noise in 3 kHz, against the
  // station's mean power while it sends (none: the quiet band's own
  // levels, the demo some 17 dB above the noise).
  struct Path {
    std::optional<HfCondition> condition;
    std::optional<double> snrDb;
  };

  // The demo station on a quiet band. A path the channel refuses is taken
  // as none (see SimulatorBackend, which checks it first).
  explicit SimulatedBand(Path path = {});
  // `recording` (mono, 8000 Hz) instead of the demo station.
  explicit SimulatedBand(std::vector<float> recording, Path path = {});
  ~SimulatedBand();
  SimulatedBand(SimulatedBand&&) noexcept;
  SimulatedBand& operator=(SimulatedBand&&) noexcept;

  // The next `count` samples of the band.
  void render(std::size_t count, float* out);

 private:
  void renderDemo(std::size_t count, float* out);
  void demoEventAt(std::size_t phase);
  void renderRecording(std::size_t count, float* out);
  void setPath(const Path& path, double stationPower);

  std::unique_ptr<Transmitter> demo_;
  std::vector<float> recording_;
  std::size_t position_ = 0;  // samples since the start
  std::mt19937 random_{20240601};
  std::optional<HfChannel> channel_;  // the path, when one is set
  bool bandNoise_ = true;             // the quiet band's noise, when no SNR is set
};

}  // namespace quillary::psk
