#include "psk/audio/PortAudioBackend.h"

#include <portaudio.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "modem/ModemLibrary.h"
#include "psk/PskMode.h"
#include "psk/dsp/Resampler.h"

namespace quillary::psk {
namespace {

constexpr double kBlockSeconds = 0.032;  // 256 samples at 8000 Hz

PaStreamParameters parameters(int device, int channels, double latency) {
  PaStreamParameters p{};
  p.device = device;
  p.channelCount = channels;
  p.sampleFormat = paFloat32;
  p.suggestedLatency = latency;
  p.hostApiSpecificStreamInfo = nullptr;
  return p;
}

// "Busy" for what the host reports as the device being in use, "cannot be
// read" for every other failure.
int32_t startError(PaError error) {
  if (error == paDeviceUnavailable) return kStartDeviceBusy;
  if (error == paUnanticipatedHostError) {
    const PaHostErrorInfo* host = Pa_GetLastHostErrorInfo();
    if (host != nullptr && (host->errorCode == -EBUSY || host->errorCode == EBUSY)) return kStartDeviceBusy;
  }
  return kStartCannotRead;
}

// The first format the device accepts: 8000 Hz first (no conversion), then
// 48000 Hz, then the device's own default; mono first, then stereo.
std::optional<PortAudioBackend::Format> chooseFormat(int device, const PaDeviceInfo& info, PaError& lastError) {
  const std::vector<double> rates{kSampleRate, 48000.0, info.defaultSampleRate};
  for (double rate : rates) {
    for (int in = 1; in <= std::min(2, info.maxInputChannels); ++in) {
      const int out = std::min(in, info.maxOutputChannels);
      const PaStreamParameters inP = parameters(device, in, info.defaultHighInputLatency);
      const PaStreamParameters outP = parameters(device, std::max(out, 1), info.defaultHighOutputLatency);
      lastError = Pa_IsFormatSupported(&inP, out > 0 ? &outP : nullptr, rate);
      if (lastError == paFormatIsSupported) return PortAudioBackend::Format{rate, in, out};
      if (lastError == paDeviceUnavailable) return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace

PortAudioBackend::PortAudioBackend(std::shared_ptr<PortAudioSession> session, int paDevice)
    : session_(std::move(session)), paDevice_(paDevice) {}

PortAudioBackend::~PortAudioBackend() {
  stop();
  close();
}

int32_t PortAudioBackend::open() {
  close();
  const PaDeviceInfo* info = Pa_GetDeviceInfo(paDevice_);
  if (info == nullptr || info->maxInputChannels < 1) return kStartCannotRead;
  PaError error = paNoError;
  const std::optional<Format> format = chooseFormat(paDevice_, *info, error);
  if (!format) return startError(error);
  format_ = *format;
  const PaStreamParameters inP = parameters(paDevice_, format_.inputChannels, info->defaultHighInputLatency);
  const PaStreamParameters outP =
      parameters(paDevice_, std::max(format_.outputChannels, 1), info->defaultHighOutputLatency);
  const auto framesPerBlock = static_cast<unsigned long>(std::lround(format_.rate * kBlockSeconds));
  PaStream* stream = nullptr;
  error = Pa_OpenStream(&stream, &inP, format_.outputChannels > 0 ? &outP : nullptr, format_.rate, framesPerBlock,
                        paClipOff, nullptr, nullptr);
  if (error != paNoError) return startError(error);
  stream_ = stream;
  return 0;
}

int32_t PortAudioBackend::start(Callback callback) {
  if (stream_ == nullptr) return kStartCannotRead;
  stop();
  const PaError error = Pa_StartStream(static_cast<PaStream*>(stream_));
  if (error != paNoError) return startError(error);
  callback_ = std::move(callback);
  running_ = true;
  thread_ = std::thread([this] { run(); });
  return 0;
}

void PortAudioBackend::stop() {
  running_ = false;
  if (thread_.joinable()) thread_.join();
  if (stream_ != nullptr && Pa_IsStreamActive(static_cast<PaStream*>(stream_)) == 1) {
    Pa_AbortStream(static_cast<PaStream*>(stream_));  // drop what is buffered: the transmitter is off
  }
}

void PortAudioBackend::close() {
  if (stream_ == nullptr) return;
  Pa_CloseStream(static_cast<PaStream*>(stream_));
  stream_ = nullptr;
}

std::size_t PortAudioBackend::outputDelayFrames() const {
  if (stream_ == nullptr || format_.outputChannels == 0) return 0;
  const PaStreamInfo* info = Pa_GetStreamInfo(static_cast<PaStream*>(stream_));
  const double seconds = (info != nullptr ? info->outputLatency : 0.0) + kBlockSeconds;
  // The converter to the device rate holds back a few milliseconds too.
  const std::size_t converter = format_.rate != kSampleRate ? Resampler(kSampleRate, format_.rate).lookahead() : 0;
  return static_cast<std::size_t>(std::lround(seconds * kSampleRate)) + converter;
}

// Fills the output buffer with silence. Reads and writes then go at the
// same pace and the buffer stays full: a cushion as deep as the stream's
// latency, so the device never runs dry between two writes (sound servers
// drop what was queued when they do, and the transmission with it).
void PortAudioBackend::fillOutputWithSilence(void* stream) {
  const long room = Pa_GetStreamWriteAvailable(static_cast<PaStream*>(stream));
  if (room <= 0) return;
  const std::vector<float> silence(static_cast<std::size_t>(room) * static_cast<std::size_t>(format_.outputChannels),
                                   0.0f);
  Pa_WriteStream(static_cast<PaStream*>(stream), silence.data(), static_cast<unsigned long>(room));
}

// The audio thread: read a block, convert it to 8000 Hz mono, let the engine
// work, convert its output back and write it. Over- and underruns are
// survivable (a click); any other error ends the stream, as an unplugged
// device would, and the engine is told.
void PortAudioBackend::run() {
  auto* stream = static_cast<PaStream*>(stream_);
  const auto deviceBlock = static_cast<std::size_t>(std::lround(format_.rate * kBlockSeconds));
  const bool convert = format_.rate != kSampleRate;
  Resampler down(format_.rate, kSampleRate);
  Resampler up(kSampleRate, format_.rate);
  std::vector<float> raw(deviceBlock * static_cast<std::size_t>(format_.inputChannels));
  std::vector<float> mono(deviceBlock), in8k, out8k, outDevice, interleaved;

  if (format_.outputChannels > 0) fillOutputWithSilence(stream);
  bool failed = false;
  while (running_) {
    const PaError readError = Pa_ReadStream(stream, raw.data(), deviceBlock);
    if (readError != paNoError && readError != paInputOverflowed) {
      failed = true;
      break;
    }
    for (std::size_t i = 0; i < deviceBlock; ++i) mono[i] = raw[i * static_cast<std::size_t>(format_.inputChannels)];
    in8k.clear();
    if (convert) down.process(deviceBlock, mono.data(), in8k);
    else in8k = mono;
    out8k.assign(in8k.size(), 0.0f);
    if (!in8k.empty()) callback_(in8k.data(), out8k.data(), in8k.size());
    if (format_.outputChannels == 0) continue;
    outDevice.clear();
    if (convert) up.process(out8k.size(), out8k.data(), outDevice);
    else outDevice = out8k;
    interleaved.resize(outDevice.size() * static_cast<std::size_t>(format_.outputChannels));
    for (std::size_t i = 0; i < outDevice.size(); ++i)
      for (int c = 0; c < format_.outputChannels; ++c)
        interleaved[i * static_cast<std::size_t>(format_.outputChannels) + static_cast<std::size_t>(c)] = outDevice[i];
    const PaError writeError = Pa_WriteStream(stream, interleaved.data(), outDevice.size());
    if (writeError == paOutputUnderflowed) {
      fillOutputWithSilence(stream);  // rebuild the cushion
    } else if (writeError != paNoError) {
      failed = true;
      break;
    }
  }
  running_ = false;
  if (failed && lostHandler()) lostHandler()();
}

}  // namespace quillary::psk
