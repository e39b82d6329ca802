#pragma once
// One radio on CAT through hamlib: any rig model hamlib knows on a serial
// device, or a rigctld daemon ("NET rigctl", HOST:PORT) that other programs
// share. A worker thread of its own opens the rig, keys and unkeys it as
// asked, and reads its dial frequency and mode about once a second; nobody
// else calls hamlib for it, so nobody waits for the radio. Every exchange is
// bounded by hamlib's port timeout, capped here.
//
// A rig that stops answering (the cable pulled, rigctld killed, the radio
// switched off) is lost for good: the worker unkeys it where it still
// listens, closes it and answers nothing more. Making a new HamlibRig is
// how it is tried again.
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace quillary::psk {

struct RigConfig {
  int32_t model = 0;
  std::string device;  // a serial device, or HOST:PORT; empty: hamlib's default
  int32_t speed = 0;   // baud; 0: the rig's default

  friend bool operator==(const RigConfig&, const RigConfig&) = default;
};

class HamlibRig {
 public:
  enum class State { Connecting, Answering, Lost };

  struct Snapshot {
    State state = State::Connecting;
    std::optional<int64_t> dialHz;
    std::string mode;            // hamlib's name: "USB", "PKTUSB", ...
    bool pttSet = false;         // PTT as last set on the rig
    std::optional<bool> rigPtt;  // PTT as the rig reported it back (if it can)
    std::string problem;         // why it was lost
  };

  struct Timing {
    std::chrono::milliseconds poll{1000};       // dial and mode, while unkeyed
    std::chrono::milliseconds keyedPoll{250};   // still there? while keyed
    std::chrono::milliseconds ioTimeout{1000};  // the longest one exchange may take
    std::chrono::milliseconds closeWait{3000};  // destruction waits this long for the worker
  };

  explicit HamlibRig(RigConfig config);
  HamlibRig(RigConfig config, Timing timing);
  // Unkeys and closes the rig, waiting for the worker at most closeWait; a
  // worker stuck in the radio (a host that never answers a connect) is
  // left to finish on its own.
  ~HamlibRig();
  HamlibRig(const HamlibRig&) = delete;
  HamlibRig& operator=(const HamlibRig&) = delete;

  // Asks the worker to unkey and close the rig; returns at once. The rig
  // answers nothing from here on.
  void release();
  // Asks for PTT on or off; returns at once. Keyed before the rig answers,
  // it keys as soon as it does.
  void setPtt(bool on);
  // False once the rig is lost or released. Never waits.
  bool answering() const;
  Snapshot snapshot() const;
  const RigConfig& config() const { return config_; }
  // True once the worker has closed the rig and ended.
  bool finished() const;

  // Wait, at most `limit`, until the rig answers or is lost (true: it
  // answers), or until PTT is set as asked (true) or the rig is lost.
  // For threads that may wait: tests, psktool, the station's test.
  bool awaitAnswer(std::chrono::milliseconds limit) const;
  bool awaitPtt(bool on, std::chrono::milliseconds limit) const;

 private:
  struct Shared;
  class Worker;
  const RigConfig config_;
  std::shared_ptr<Shared> shared_;  // the worker keeps it alive should it outlive us
  std::thread worker_;
};

}  // namespace quillary::psk
