#pragma once
// The psk engine behind the modem contract.
//
// Threads. The user-interface thread makes the fn* calls. The audio
// backend's thread (PortAudio's reader thread, the Simulator's ticker, or a
// test's pump) runs processAudio(): transmitter, receiver, spectrum, the
// meters and every notification. The two meet only at short locks:
//   txMutex_  the Transmitter (one block of modulation at most)
//   rxMutex_  the Receiver and the SpectrumAnalyzer (one block of demodulation)
//   pttMutex_ the PTT port (opening happens outside it; every port's calls
//              return at once, a CAT rig's work is done by its own thread)
//   windowMutex_ the window notifications go to (cleared at stop)
//   keyingMutex_ whether the transmitter counts as keyed, between a block
//              and the PTT watchdog (taken before the other locks)
// Blocks are at most 256 samples (32 ms of audio), so a fn* call waits at
// most for a fraction of a millisecond of processing, never for audio.
//
// While the transmitter is keyed (until "off" has been announced) the
// receiver is paused and the spectrum sees silence: a radio on transmit
// does not hear itself, and our own signal must not print as received text.
//
// Receive channels. Channel 0 is the window's: its characters are posted.
// Channels 1 .. kMaxChannels - 1 are further receivers on the same audio,
// for reading many stations at once (the band scan, the band window): each
// comes into being at the first setting made for it, keeps what it decodes
// for takeReceived() and runs until releaseChannel(); nothing of theirs is
// posted, as the contract's character message names no channel.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "modem/BandReader.h"
#include "modem/ModemLibrary.h"
#include "psk/audio/AudioBackend.h"
#include "psk/audio/ClockErrorMeter.h"
#include "psk/dsp/SpectrumAnalyzer.h"
#include "psk/ptt/PttPort.h"
#include "psk/ptt/PttWatchdog.h"
#include "psk/ptt/TransmitKeying.h"
#include "psk/rx/Receiver.h"
#include "psk/tx/Transmitter.h"

namespace quillary::psk {

class PskEngine : public ModemLibrary, public BandReader {
 public:
  static constexpr std::size_t kDisplayInterval = 800;  // samples per 2024: ten a second
  static constexpr std::size_t kMaxBlock = 256;
  static constexpr int32_t kMaxChannels = 64;
  static_assert(kMaxChannels == BandReader::kLastChannel + 1);
  // Characters a channel keeps for takeReceived(), the latest.
  static constexpr std::size_t kChannelTextLimit = 4096;

  struct Options {
    PttPortFactory pttPorts;                                // default: libserialport
    std::function<std::vector<std::string>()> serialPorts;  // default: listSerialPorts
    ClockErrorMeter::TimeSource clock;                      // default: the steady clock
    // PTT drops when no transmit audio has gone out for this long.
    std::chrono::steady_clock::duration pttStallLimit = std::chrono::seconds(2);
  };

  // `devices` must outlive the engine.
  explicit PskEngine(AudioBackendSource& devices);
  PskEngine(AudioBackendSource& devices, Options options);
  ~PskEngine() override;
  PskEngine(const PskEngine&) = delete;
  PskEngine& operator=(const PskEngine&) = delete;

  // 0 started; kStartNoSuchDevice, kStartDeviceBusy or kStartCannotRead.
  // Starting again while running restarts on the new device.
  int32_t fnStartSoundCard(ModemWindow* window, int32_t device, int32_t channels) override;
  // Stops audio, drops the transmitter, unkeys and releases the PTT port.
  // Nothing is posted after it returns.
  int32_t fnStopSoundCard() override;

  // Setters answer 0 when taken, 1 when the value is refused (the old one stays).
  int32_t fnSetRXPSKMode(int32_t modeCode, int32_t channel) override;
  int32_t fnSetRXFrequency(int32_t hz, int32_t unused, int32_t channel) override;
  int32_t fnGetRXFrequency(int32_t channel) override;
  int32_t fnSetAFCLimit(int32_t limitHz, int32_t channel) override;
  int32_t fnSetSquelchThreshold(int32_t threshold, int32_t unused, int32_t channel) override;
  int32_t fnSetFFTMode(int32_t smoothing, int32_t scale, int32_t bias) override;
  int32_t fnGetFFTData(int32_t* bins, int32_t first, int32_t last) override;
  int32_t fnGetClosestPeak(int32_t lowHz, int32_t highHz) override;
  int32_t fnGetVectorData(int32_t* points, int32_t channel) override;
  int32_t fnGetSignalLevel(int32_t channel) override;

  int32_t fnSetTXFrequency(int32_t hz) override;
  // Transmitting needs running audio: 1 (nothing queued or keyed) while the
  // sound card is stopped.
  int32_t fnStartTX(int32_t modeCode) override;
  int32_t fnSendTXString(const std::string& text) override;
  int32_t fnGetTXCharsRemaining() override;
  int32_t fnClearTXBuffer() override;
  int32_t fnStopTX() override;
  int32_t fnAbortTX() override;
  int32_t fnSetCWIDString(const std::string& text) override;
  // (n, 3): opens serial port n (from 1, see ptt/SerialPortList.h) for PTT,
  // releasing any port held before; 0 when it cannot be opened, else 1.
  // (n, 0): releases the held port. Other modes open nothing and answer 0.
  int32_t fnSetComPort(int32_t port, int32_t mode) override;

  // Outside the contract, for the station's other keying (CAT, VOX, a
  // serial device by path): keys through `port`, opened on `path`, in place
  // of any port held before. 1 when it opened, else 0.
  int32_t holdPttPort(std::unique_ptr<PttPort> port, const std::string& path);
  // Whether a port is held that still answers.
  bool pttHeld();
  // How many held ports were dropped because they stopped answering.
  uint64_t pttDrops() const { return pttDrops_; }

  // Outside the contract, for the band scan and the band window.
  uint64_t latestSpectrum(float* db) override;
  // Where the band's spectrum (the last two seconds) shows stations of
  // `modeCode` between the two frequencies, in Hz; empty for a code that is
  // no PSK mode.
  std::vector<double> bandStations(int32_t modeCode, double lowHz, double highHz) override;
  // What channel `channel` (1 ..) has decoded since the last call.
  std::string takeReceived(int32_t channel) override;
  // Channel `channel` (1 ..) is dropped: the audio thread no longer runs it.
  void releaseChannel(int32_t channel) override;

 private:
  struct Outbox;
  void processAudio(const float* in, float* out, std::size_t frames);
  void processBlock(const float* in, float* out, std::size_t frames, Outbox& outbox);
  void receive(const float* in, std::size_t frames, bool listening, Outbox& outbox);
  struct Channel {
    Receiver receiver;
    std::string received;
  };
  // Under rxMutex_: the further channel `channel` (1..), or the receiver of
  // any channel (0 is the window's), made for a setting; nullptr for a
  // channel out of range, or one never set when `make` is false.
  Channel* channelOf(int32_t channel, bool make);
  Receiver* receiverOf(int32_t channel, bool make);
  void deliver(const Outbox& outbox);
  void setPttKeyed(bool keyed);
  // Audio thread: a held port that stopped answering is released; true
  // when one was (the transmission must then be dropped).
  bool dropSilentPtt();
  void dropPtt(std::unique_ptr<PttPort> port);
  void releasePtt();
  void stopLocked();
  // The device failed for good (audio thread): unkey, and tell the window.
  void deviceLost();
  // No transmit audio for the stall limit while keyed (watchdog thread).
  void transmitAudioStalled();

  AudioBackendSource& devices_;
  Options options_;

  std::mutex lifecycleMutex_;  // start and stop
  std::unique_ptr<AudioBackend> backend_;
  std::atomic<bool> running_{false};

  std::mutex txMutex_;
  Transmitter transmitter_;
  std::atomic<bool> abortPending_{false};

  std::mutex rxMutex_;
  Receiver receiver_;
  std::vector<std::unique_ptr<Channel>> channels_;  // channel n at n - 1; null: never set
  SpectrumAnalyzer spectrum_;

  std::mutex pttMutex_;
  std::unique_ptr<PttPort> ptt_;
  bool pttKeyed_ = false;
  std::atomic<uint64_t> pttDrops_{0};
  // Set when keying failed: the next block drops the transmission.
  std::atomic<bool> pttFailed_{false};

  std::mutex windowMutex_;
  ModemWindow* window_ = nullptr;

  std::mutex keyingMutex_;  // keying_ (below) between the audio thread and the watchdog
  PttWatchdog watchdog_;

  // Audio thread only.
  TransmitKeying keying_;
  ClockErrorMeter clockMeter_;
  std::size_t sinceDisplay_ = 0;
  std::vector<uint8_t> decoded_, channelDecoded_;
  std::vector<float> silence_;
};

}  // namespace quillary::psk
