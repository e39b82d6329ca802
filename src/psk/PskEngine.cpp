#include "psk/PskEngine.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>

#include "psk/PskMode.h"
#include "psk/rx/BandStations.h"
#include "psk/ptt/SerialPortList.h"
#include "psk/ptt/SerialPttPort.h"

namespace quillary::psk {
namespace {

constexpr int32_t kTaken = 0;
constexpr int32_t kRefused = 1;

int32_t answer(bool taken) { return taken ? kTaken : kRefused; }

PskEngine::Options withDefaults(PskEngine::Options options) {
  if (!options.pttPorts) options.pttPorts = [] { return std::make_unique<SerialPttPort>(); };
  if (!options.serialPorts) options.serialPorts = [] { return listSerialPorts(); };
  if (!options.clock) options.clock = [] { return std::chrono::steady_clock::now(); };
  return options;
}

}  // namespace

// Notifications gathered while the locks are held and posted after they are
// released, so a window that calls back into the engine cannot deadlock.
struct PskEngine::Outbox {
  struct Message {
    int32_t number, wParam, lParam;
  };
  std::vector<Message> messages;
  void add(int32_t number, int32_t wParam) { messages.push_back({number, wParam, 0}); }
};

PskEngine::PskEngine(AudioBackendSource& devices) : PskEngine(devices, Options{}) {}

PskEngine::PskEngine(AudioBackendSource& devices, Options options)
    : devices_(devices),
      options_(withDefaults(std::move(options))),
      watchdog_(options_.pttStallLimit, [this] { transmitAudioStalled(); }),
      clockMeter_(kSampleRate, options_.clock),
      silence_(kMaxBlock, 0.0f) {}

PskEngine::~PskEngine() { fnStopSoundCard(); }

// ---- sound card -------------------------------------------------------------

int32_t PskEngine::fnStartSoundCard(ModemWindow* window, int32_t device, int32_t /*channels*/) {
  std::lock_guard lifecycle(lifecycleMutex_);
  stopLocked();
  std::unique_ptr<AudioBackend> backend = devices_.backendFor(device);
  if (!backend) return kStartNoSuchDevice;
  if (const int32_t error = backend->open(); error != 0) return error;

  keying_.reset();
  keying_.setDrainFrames(backend->outputDelayFrames());
  clockMeter_.reset();
  sinceDisplay_ = 0;
  abortPending_ = false;
  {
    std::lock_guard lock(windowMutex_);
    window_ = window;
  }
  running_ = true;
  backend->setLostHandler([this] { deviceLost(); });
  const int32_t error = backend->start([this](const float* in, float* out, std::size_t frames) {
    processAudio(in, out, frames);
  });
  if (error != 0) {
    running_ = false;
    std::lock_guard lock(windowMutex_);
    window_ = nullptr;
    return error;
  }
  backend_ = std::move(backend);
  watchdog_.start();
  return 0;
}

int32_t PskEngine::fnStopSoundCard() {
  std::lock_guard lifecycle(lifecycleMutex_);
  stopLocked();
  return 0;
}

void PskEngine::stopLocked() {
  {
    std::lock_guard lock(windowMutex_);
    window_ = nullptr;  // from here on nothing is posted
  }
  if (backend_) backend_->stop();  // waits for the last block
  backend_.reset();
  watchdog_.stop();
  running_ = false;
  {
    std::lock_guard lock(txMutex_);
    transmitter_.abort();
  }
  keying_.reset();
  releasePtt();
}

// ---- audio thread -------------------------------------------------------------

// An unplugged card must not leave the radio keyed: the transmitter stops,
// PTT drops, and the window hears that the transmitter is off. Transmitting
// is refused from here on, as with a stopped sound card.
void PskEngine::deviceLost() {
  running_ = false;
  std::fprintf(stderr, "Quillary: the sound device failed; no transmitting until it is started again\n");
  {
    std::lock_guard lock(txMutex_);
    transmitter_.abort();
  }
  Outbox outbox;
  {
    std::lock_guard lock(keyingMutex_);
    if (keying_.keyed()) outbox.add(kMsgTransmitState, 0);
    keying_.reset();
    watchdog_.fed(false);
    setPttKeyed(false);
  }
  deliver(outbox);
}

// A hung device or a blocked audio thread while keyed: the transmission is
// dropped as by an abort, PTT goes down and the window hears the
// transmitter is off. Audio that came back in the meantime wins. "Off" is
// posted before the lock is given up, so that a transmission keyed by the
// next block is announced after it.
void PskEngine::transmitAudioStalled() {
  {
    std::lock_guard keyingLock(keyingMutex_);
    if (!watchdog_.tripped()) return;
    {
      std::lock_guard lock(txMutex_);
      transmitter_.abort();
    }
    keying_.reset();
    setPttKeyed(false);
    Outbox outbox;
    outbox.add(kMsgTransmitState, 0);
    deliver(outbox);
  }
  std::fprintf(stderr, "Quillary: no transmit audio for %.1f s; PTT dropped\n",
               std::chrono::duration<double>(options_.pttStallLimit).count());
}

void PskEngine::processAudio(const float* in, float* out, std::size_t frames) {
  Outbox outbox;
  if (const std::optional<int> ppm = clockMeter_.addSamples(frames)) outbox.add(kMsgClockError, *ppm);
  for (std::size_t done = 0; done < frames;) {
    const std::size_t block = std::min(kMaxBlock, frames - done);
    processBlock(in + done, out + done, block, outbox);
    done += block;
  }
  deliver(outbox);
}

void PskEngine::processBlock(const float* in, float* out, std::size_t frames, Outbox& outbox) {
  std::unique_lock keyingLock(keyingMutex_);
  // A radio that can no longer be keyed (a CAT rig gone, an adapter
  // pulled) must not be sent audio the operator thinks is on the air: the
  // transmission is dropped as by an abort, and the window hears it is off.
  const bool pttFailed = dropSilentPtt() || pttFailed_.exchange(false);
  Transmitter::Events events;
  bool transmitterOn = false;
  {
    std::lock_guard lock(txMutex_);
    if (pttFailed && (transmitter_.on() || keying_.keyed())) transmitter_.abort();
    events = transmitter_.process(frames, out);
    transmitterOn = transmitter_.on();
  }
  const bool wasKeyed = keying_.keyed();
  const bool aborted = abortPending_.exchange(false) || pttFailed;
  const TransmitKeying::Change change = keying_.afterBlock(events.turnedOn, transmitterOn, aborted, frames);
  if (change == TransmitKeying::Change::On || change == TransmitKeying::Change::OnOff) {
    setPttKeyed(true);
    outbox.add(kMsgTransmitState, 1);
  }
  if (change == TransmitKeying::Change::Off || change == TransmitKeying::Change::OnOff) {
    setPttKeyed(false);
    outbox.add(kMsgTransmitState, 0);
  }
  const bool keyed = keying_.keyed();
  watchdog_.fed(keyed);
  // A change is announced before the lock is given up, as the watchdog's
  // "off" is: posted later, an "on" could reach the window after the
  // watchdog had already dropped this very transmission.
  if (change != TransmitKeying::Change::None) {
    deliver(outbox);
    outbox.messages.clear();
  }
  keyingLock.unlock();
  const bool listening = !wasKeyed && !keyed && change == TransmitKeying::Change::None;
  receive(in, frames, listening, outbox);

  sinceDisplay_ += frames;
  while (sinceDisplay_ >= kDisplayInterval) {
    sinceDisplay_ -= kDisplayInterval;
    outbox.add(kMsgDisplayReady, 0);
  }
}

void PskEngine::receive(const float* in, std::size_t frames, bool listening, Outbox& outbox) {
  std::optional<int> imd;
  decoded_.clear();
  {
    std::lock_guard lock(rxMutex_);
    if (listening) {
      receiver_.process(frames, in, decoded_);
      for (const auto& channel : channels_) {
        if (!channel) continue;  // a number never set
        channelDecoded_.clear();
        channel->receiver.process(frames, in, channelDecoded_);
        std::string& kept = channel->received;
        kept.append(channelDecoded_.begin(), channelDecoded_.end());
        if (kept.size() > kChannelTextLimit) kept.erase(0, kept.size() - kChannelTextLimit);
      }
      spectrum_.process(frames, in);
    } else {
      spectrum_.process(frames, silence_.data());
    }
    imd = receiver_.takeImdReading();
  }
  for (uint8_t byte : decoded_) outbox.add(kMsgCharacter, byte);
  if (imd) outbox.add(kMsgImdReading, *imd);
}

void PskEngine::deliver(const Outbox& outbox) {
  if (outbox.messages.empty()) return;
  // Held while posting so that stop cannot slip in between the check and
  // the post; post() itself only queues an event.
  std::lock_guard lock(windowMutex_);
  if (window_ == nullptr) return;
  for (const Outbox::Message& m : outbox.messages) window_->post(m.number, m.wParam, m.lParam);
}

// ---- receive settings ---------------------------------------------------------

PskEngine::Channel* PskEngine::channelOf(int32_t channel, bool make) {
  if (channel < 1 || channel >= kMaxChannels) return nullptr;
  const auto index = static_cast<std::size_t>(channel - 1);
  if (index >= channels_.size() || !channels_[index]) {
    if (!make) return nullptr;
    if (index >= channels_.size()) channels_.resize(index + 1);
    channels_[index] = std::make_unique<Channel>();
  }
  return channels_[index].get();
}

Receiver* PskEngine::receiverOf(int32_t channel, bool make) {
  if (channel == 0) return &receiver_;
  Channel* found = channelOf(channel, make);
  return found ? &found->receiver : nullptr;
}

int32_t PskEngine::fnSetRXPSKMode(int32_t modeCode, int32_t channel) {
  std::lock_guard lock(rxMutex_);
  Receiver* receiver = receiverOf(channel, true);
  return answer(receiver && receiver->setMode(modeCode));
}

int32_t PskEngine::fnSetRXFrequency(int32_t hz, int32_t, int32_t channel) {
  std::lock_guard lock(rxMutex_);
  Receiver* receiver = receiverOf(channel, true);
  return answer(receiver && receiver->setFrequency(hz));
}

int32_t PskEngine::fnGetRXFrequency(int32_t channel) {
  std::lock_guard lock(rxMutex_);
  const Receiver* receiver = receiverOf(channel, false);
  return receiver ? static_cast<int32_t>(std::lround(receiver->frequency())) : 0;
}

int32_t PskEngine::fnSetAFCLimit(int32_t limitHz, int32_t channel) {
  if (limitHz < 0) return kRefused;
  std::lock_guard lock(rxMutex_);
  Receiver* receiver = receiverOf(channel, true);
  if (!receiver) return kRefused;
  receiver->setAfcLimit(limitHz);
  return kTaken;
}

int32_t PskEngine::fnSetSquelchThreshold(int32_t threshold, int32_t, int32_t channel) {
  std::lock_guard lock(rxMutex_);
  Receiver* receiver = receiverOf(channel, true);
  return answer(receiver && receiver->setSquelch(threshold));
}

int32_t PskEngine::fnSetFFTMode(int32_t smoothing, int32_t scale, int32_t bias) {
  std::lock_guard lock(rxMutex_);
  return answer(spectrum_.setMode(smoothing, scale, bias));
}

int32_t PskEngine::fnGetFFTData(int32_t* bins, int32_t first, int32_t last) {
  if (bins == nullptr) return kRefused;
  std::lock_guard lock(rxMutex_);
  spectrum_.fill(bins, first, last);
  return kTaken;
}

int32_t PskEngine::fnGetClosestPeak(int32_t lowHz, int32_t highHz) {
  std::lock_guard lock(rxMutex_);
  return spectrum_.closestPeak(lowHz, highHz);
}

int32_t PskEngine::fnGetVectorData(int32_t* points, int32_t channel) {
  if (points == nullptr) return kRefused;
  std::array<int32_t, kVectorValues> copy{};
  {
    std::lock_guard lock(rxMutex_);
    const Receiver* receiver = receiverOf(channel, false);
    if (!receiver) return kRefused;
    const auto latest = receiver->vectorPoints();
    std::copy(latest.begin(), latest.end(), copy.begin());
  }
  std::copy(copy.begin(), copy.end(), points);
  return kTaken;
}

int32_t PskEngine::fnGetSignalLevel(int32_t channel) {
  std::lock_guard lock(rxMutex_);
  const Receiver* receiver = receiverOf(channel, false);
  return receiver ? receiver->signalQuality() : 0;
}

std::vector<double> PskEngine::bandStations(int32_t modeCode, double lowHz, double highHz) {
  const std::optional<PskMode> mode = modeFromCode(modeCode);
  if (!mode) return {};
  std::vector<double> power;
  {
    std::lock_guard lock(rxMutex_);
    const auto band = spectrum_.bandPower();
    power.assign(band.begin(), band.end());
  }
  return stationsInBand(power, SpectrumAnalyzer::kBinHz, *mode, lowHz, highHz);
}

std::string PskEngine::takeReceived(int32_t channel) {
  std::lock_guard lock(rxMutex_);
  Channel* found = channelOf(channel, false);
  return found ? std::exchange(found->received, {}) : std::string{};
}

uint64_t PskEngine::latestSpectrum(float* db) {
  if (db == nullptr) return 0;
  std::lock_guard lock(rxMutex_);
  return spectrum_.latestFrame(db);
}

void PskEngine::releaseChannel(int32_t channel) {
  std::unique_ptr<Channel> released;
  {
    std::lock_guard lock(rxMutex_);
    if (channel < 1 || channel >= kMaxChannels) return;
    const auto index = static_cast<std::size_t>(channel - 1);
    if (index < channels_.size()) released = std::move(channels_[index]);
  }
  // Its filters and plans are freed outside the lock.
}

// ---- transmit -------------------------------------------------------------------

int32_t PskEngine::fnSetTXFrequency(int32_t hz) {
  std::lock_guard lock(txMutex_);
  return answer(transmitter_.setFrequency(hz));
}

int32_t PskEngine::fnStartTX(int32_t modeCode) {
  if (!running_) return kRefused;
  std::lock_guard lock(txMutex_);
  return answer(transmitter_.start(modeCode));
}

int32_t PskEngine::fnSendTXString(const std::string& text) {
  if (!running_) return kRefused;
  // Copied before the lock, moved in under it: a large paste never holds
  // the audio thread up for longer than a short text does.
  std::string copy = text;
  std::lock_guard lock(txMutex_);
  transmitter_.enqueue(std::move(copy));
  return kTaken;
}

int32_t PskEngine::fnGetTXCharsRemaining() {
  std::lock_guard lock(txMutex_);
  return static_cast<int32_t>(std::min<std::size_t>(transmitter_.charsRemaining(), INT32_MAX));
}

int32_t PskEngine::fnClearTXBuffer() {
  std::lock_guard lock(txMutex_);
  transmitter_.clearQueue();
  return kTaken;
}

int32_t PskEngine::fnStopTX() {
  std::lock_guard lock(txMutex_);
  transmitter_.stop();
  return kTaken;
}

int32_t PskEngine::fnAbortTX() {
  std::lock_guard lock(txMutex_);
  transmitter_.abort();
  abortPending_ = true;
  return kTaken;
}

int32_t PskEngine::fnSetCWIDString(const std::string& text) {
  std::lock_guard lock(txMutex_);
  transmitter_.setCwId(text);
  return kTaken;
}

// ---- PTT ----------------------------------------------------------------------------

int32_t PskEngine::fnSetComPort(int32_t port, int32_t mode) {
  if (mode == 0) {
    releasePtt();
    return kTaken;
  }
  if (mode != 3) return 0;
  releasePtt();
  const std::optional<std::string> path = serialPortPath(options_.serialPorts(), port);
  if (!path) return 0;
  return holdPttPort(options_.pttPorts(), *path);
}

int32_t PskEngine::holdPttPort(std::unique_ptr<PttPort> port, const std::string& path) {
  releasePtt();
  if (!port || !port->open(path)) return 0;  // opening can take a while: outside the lock
  std::lock_guard lock(pttMutex_);
  ptt_ = std::move(port);
  if (pttKeyed_) ptt_->setKeyed(true);  // opened in the middle of a transmission
  return 1;
}

bool PskEngine::pttHeld() {
  std::lock_guard lock(pttMutex_);
  return ptt_ && ptt_->answering();
}

// A port that stops answering (a USB adapter pulled while keyed) is
// released at once: it keys nothing more, also not when a device of the
// same name comes back, until the operator opens a port again. Keying that
// failed drops the transmission at the next block.
void PskEngine::setPttKeyed(bool keyed) {
  std::unique_ptr<PttPort> vanished;
  {
    std::lock_guard lock(pttMutex_);
    pttKeyed_ = keyed;
    if (ptt_ && !ptt_->setKeyed(keyed)) vanished = std::move(ptt_);
  }
  if (!vanished) return;
  if (keyed) pttFailed_ = true;
  dropPtt(std::move(vanished));
}

bool PskEngine::dropSilentPtt() {
  std::unique_ptr<PttPort> silent;
  {
    std::lock_guard lock(pttMutex_);
    if (ptt_ && !ptt_->answering()) silent = std::move(ptt_);
  }
  if (!silent) return false;
  dropPtt(std::move(silent));
  return true;
}

void PskEngine::dropPtt(std::unique_ptr<PttPort> port) {
  ++pttDrops_;
  std::fprintf(stderr, "Quillary: the PTT port stopped answering and was released\n");
  port->close();
}

void PskEngine::releasePtt() {
  std::unique_ptr<PttPort> released;
  {
    std::lock_guard lock(pttMutex_);
    released = std::move(ptt_);
    if (!running_) pttKeyed_ = false;
  }
  if (!released) return;
  released->setKeyed(false);
  released->close();
}

}  // namespace quillary::psk
