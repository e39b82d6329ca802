#include "psk/audio/SimulatedBand.h"

#include <algorithm>

#include "psk/PskMode.h"
#include "psk/channel/HfChannel.h"
#include "psk/tx/Transmitter.h"

namespace quillary::psk {
namespace {

constexpr float kNoiseRms = 0.02f;     // a quiet band
constexpr float kDemoLevel = 0.25f;    // about 17 dB above the noise in 3 kHz
constexpr uint64_t kChannelSeed = 20240602;

}  // namespace

SimulatedBand::SimulatedBand(Path path) : demo_(std::make_unique<Transmitter>()) {
  demo_->setFrequency(kDemoFrequency);
  if (!path.condition && !path.snrDb) return;
  // The demo's power while it sends: one call of it, made aside.
  Transmitter sample;
  sample.setFrequency(kDemoFrequency);
  sample.start(0);
  sample.enqueue(kDemoText);
  sample.stop();
  std::vector<float> audio, block(1024);
  while (sample.on()) {
    sample.process(block.size(), block.data());
    audio.insert(audio.end(), block.begin(), block.end());
  }
  setPath(path, activePower(audio.size(), audio.data()) * kDemoLevel * kDemoLevel);
}

SimulatedBand::SimulatedBand(std::vector<float> recording, Path path) : recording_(std::move(recording)) {
  if (path.condition || path.snrDb) setPath(path, activePower(recording_.size(), recording_.data()));
}

void SimulatedBand::setPath(const Path& path, double stationPower) {
  HfChannel channel;
  if (!channel.create(kSampleRate, kChannelSeed)) return;
  if (path.condition && !channel.configure(*path.condition)) return;
  if (path.snrDb && !channel.setNoise(*path.snrDb, stationPower)) return;
  channel_ = std::move(channel);
  bandNoise_ = !path.snrDb;
}

SimulatedBand::~SimulatedBand() = default;
SimulatedBand::SimulatedBand(SimulatedBand&&) noexcept = default;
SimulatedBand& SimulatedBand::operator=(SimulatedBand&&) noexcept = default;

void SimulatedBand::render(std::size_t count, float* out) {
  if (demo_) renderDemo(count, out);
  else renderRecording(count, out);
  if (channel_) channel_->process(count, out, out);
  if (bandNoise_) {
    std::normal_distribution<float> noise(0.0f, kNoiseRms);
    for (std::size_t i = 0; i < count; ++i) out[i] += noise(random_);
  }
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
