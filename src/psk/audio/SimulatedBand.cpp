#include "psk/audio/SimulatedBand.h"

#include <algorithm>

#include "psk/PskMode.h"
#include "psk/tx/Transmitter.h"

namespace quillary::psk {
namespace {

constexpr float kNoiseRms = 0.02f;     // a quiet band
constexpr float kDemoLevel = 0.25f;    // about 25 dB above the noise in a 3 kHz channel

}  // namespace

SimulatedBand::SimulatedBand() : demo_(std::make_unique<Transmitter>()) {
  demo_->setFrequency(kDemoFrequency);
}

SimulatedBand::SimulatedBand(std::vector<float> recording) : recording_(std::move(recording)) {}

SimulatedBand::~SimulatedBand() = default;
SimulatedBand::SimulatedBand(SimulatedBand&&) noexcept = default;
SimulatedBand& SimulatedBand::operator=(SimulatedBand&&) noexcept = default;

void SimulatedBand::render(std::size_t count, float* out) {
  if (demo_) renderDemo(count, out);
  else renderRecording(count, out);
  std::normal_distribution<float> noise(0.0f, kNoiseRms);
  for (std::size_t i = 0; i < count; ++i) out[i] += noise(random_);
  position_ += count;
}

// The demo keys up at one second into every period, idles a few seconds
// and then sends its text. Blocks are cut at those moments so each happens
// on its exact sample, whatever the block size.
void SimulatedBand::renderDemo(std::size_t count, float* out) {
  constexpr std::size_t kTextAt = kFirstCallAt + kIdleBeforeText;
  std::size_t done = 0;
  while (done < count) {
    const std::size_t phase = (position_ + done) % kDemoPeriod;
    demoEventAt(phase);
    const std::size_t nextEvent = phase < kFirstCallAt ? kFirstCallAt : phase < kTextAt ? kTextAt : kDemoPeriod;
    const std::size_t step = std::min(count - done, nextEvent - phase);
    demo_->process(step, out + done);
    done += step;
  }
  for (std::size_t i = 0; i < count; ++i) out[i] *= kDemoLevel;
}

void SimulatedBand::demoEventAt(std::size_t phase) {
  if (phase == kFirstCallAt) demo_->start(0);  // BPSK31
  if (phase == kFirstCallAt + kIdleBeforeText) {
    demo_->enqueue(kDemoText);
    demo_->stop();
  }
}

void SimulatedBand::renderRecording(std::size_t count, float* out) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t t = position_ + i;
    out[i] = (t < kFirstCallAt || recording_.empty()) ? 0.0f : recording_[(t - kFirstCallAt) % recording_.size()];
  }
}

}  // namespace quillary::psk
