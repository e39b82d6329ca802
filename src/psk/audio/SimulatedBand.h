#pragma once
// The receive audio of the built-in Simulator device: a quiet band (white
// noise) with either the demo station, which calls CQ and sends a picture
// command near 1600 Hz every half minute, or a recording played from one
// second after the start and looped. The demo station is made by our own
// Transmitter, so what the operator sees is what another station would send.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace quillary::psk {

class Transmitter;

class SimulatedBand {
 public:
  static constexpr double kDemoFrequency = 1600.0;
  static constexpr std::size_t kDemoPeriod = 30 * 8000;  // samples between the demo's calls
  static constexpr std::size_t kFirstCallAt = 8000;      // one second in
  static constexpr std::size_t kIdleBeforeText = 3 * 8000;  // idle first, so the IMD meter has something to read
  static constexpr const char* kDemoText = "CQ CQ CQ de QUILLARY QUILLARY pse k\r\n:QUILLARY/PHOTO\r\n";

  // The demo station on a quiet band.
  SimulatedBand();
  // `recording` (mono, 8000 Hz) instead of the demo station.
  explicit SimulatedBand(std::vector<float> recording);
  ~SimulatedBand();
  SimulatedBand(SimulatedBand&&) noexcept;
  SimulatedBand& operator=(SimulatedBand&&) noexcept;

  // The next `count` samples of the band.
  void render(std::size_t count, float* out);

 private:
  void renderDemo(std::size_t count, float* out);
  void demoEventAt(std::size_t phase);
  void renderRecording(std::size_t count, float* out);

  std::unique_ptr<Transmitter> demo_;
  std::vector<float> recording_;
  std::size_t position_ = 0;  // samples since the start
  std::mt19937 random_{20240601};
};

}  // namespace quillary::psk
