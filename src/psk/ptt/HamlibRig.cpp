#include "psk/ptt/HamlibRig.h"

#include <hamlib/rig.h>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <utility>

#include "psk/ptt/Hamlib.h"

namespace quillary::psk {

using Clock = std::chrono::steady_clock;

struct HamlibRig::Shared {
  Shared(RigConfig c, Timing t) : config(std::move(c)), timing(t) {}
  const RigConfig config;
  const Timing timing;
  mutable std::mutex mutex;
  mutable std::condition_variable changed;  // the worker's wake-up, and the waiters'
  Snapshot snapshot;
  bool wantPtt = false;
  bool stopping = false;
  bool done = false;
  std::atomic<bool> lost{false};
  std::atomic<bool> released{false};

  template <class Change>
  void publish(Change change) {
    {
      std::lock_guard lock(mutex);
      change(snapshot);
    }
    changed.notify_all();
  }
};

// The worker's side: the only code that calls hamlib for this rig.
class HamlibRig::Worker {
 public:
  explicit Worker(Shared& shared) : s_(shared) {}

  void run() {
    if (open()) serve();
    close();
    {
      std::lock_guard lock(s_.mutex);
      s_.done = true;
    }
    s_.changed.notify_all();
  }

 private:
  bool open() {
    hamlib::prepare();
    {
      std::lock_guard lock(hamlib::globalMutex());
      rig_ = rig_init(s_.config.model);
    }
    if (rig_ == nullptr) {
      lose("hamlib knows no rig model " + std::to_string(s_.config.model));
      return false;
    }
    configure();
    int result = RIG_OK;
    {
      // hamlib keeps its open rigs in a list of its own.
      std::lock_guard lock(hamlib::globalMutex());
      result = rig_open(rig_);
    }
    if (result != RIG_OK) {
      lose("cannot open " + hamlib::modelName(s_.config.model) + where() + ": " + hamlib::errorText(result));
      return false;
    }
    open_ = true;
    // Every reading must come from the radio: a cached one would hide a
    // rig that has gone.
    rig_set_cache_timeout_ms(rig_, HAMLIB_CACHE_ALL, 0);
    s_.publish([](Snapshot& s) { s.state = State::Answering; });
    return true;
  }

  // CAT keying is what this rig is for. Exchanges are bounded: a slow
  // rig's timeout is capped, and at most one retry, so that a radio that
  // has gone is noticed within about a second.
  void configure() {
    const RigConfig& c = s_.config;
    if (!c.device.empty()) setConf("rig_pathname", c.device);
    if (c.speed > 0) setConf("serial_speed", std::to_string(c.speed));
    setConf("ptt_type", "RIG");
    const int timeout = std::min<int>(rig_->caps->timeout > 0 ? rig_->caps->timeout : INT32_MAX,
                                      static_cast<int>(s_.timing.ioTimeout.count()));
    setConf("timeout", std::to_string(timeout));
    setConf("retry", std::to_string(std::min(rig_->caps->retry, 1)));
  }

  void setConf(const char* name, const std::string& value) {
    const token_t token = rig_token_lookup(rig_, name);
    if (token == RIG_CONF_END || rig_set_conf(rig_, token, value.c_str()) != RIG_OK)
      std::fprintf(stderr, "Quillary: hamlib did not take %s=%s for %s\n", name, value.c_str(),
                   hamlib::modelName(s_.config.model).c_str());
  }

  std::string where() const { return s_.config.device.empty() ? "" : " at " + s_.config.device; }

  void serve() {
    Clock::time_point nextPoll = Clock::now();  // the first reading at once
    for (;;) {
      bool want = false;
      {
        std::unique_lock lock(s_.mutex);
        s_.changed.wait_until(lock, nextPoll, [&] { return s_.stopping || s_.wantPtt != pttSet_; });
        if (s_.stopping) return;
        want = s_.wantPtt;
      }
      if (want != pttSet_) {
        if (!applyPtt(want)) return;
      } else if (Clock::now() >= nextPoll) {
        if (!(pttSet_ ? probe() : readDial())) return;
      } else {
        continue;
      }
      nextPoll = Clock::now() + (pttSet_ ? s_.timing.keyedPoll : s_.timing.poll);
    }
  }

  bool applyPtt(bool on) {
    const int result = rig_set_ptt(rig_, RIG_VFO_CURR, on ? RIG_PTT_ON : RIG_PTT_OFF);
    if (result != RIG_OK) {
      lose(std::string("the radio did not take PTT ") + (on ? "on" : "off") + ": " + hamlib::errorText(result));
      return false;
    }
    pttSet_ = on;
    return probe();
  }

  // After keying, and while keyed: is the rig still there? Its PTT as it
  // reports it, published with the PTT set, so that both are seen at once.
  bool probe() {
    ptt_t ptt = RIG_PTT_OFF;
    const int result = rig_get_ptt(rig_, RIG_VFO_CURR, &ptt);
    if (result != RIG_OK && !RIG_IS_SOFT_ERRCODE(-result)) return failed(result);
    const bool set = pttSet_;
    const std::optional<bool> reported = result == RIG_OK ? std::optional<bool>(ptt != RIG_PTT_OFF) : std::nullopt;
    s_.publish([&](Snapshot& s) {
      s.pttSet = set;
      s.rigPtt = reported;
    });
    return result == RIG_OK || readDial();  // a rig that cannot tell its PTT still tells its dial
  }

  bool readDial() {
    freq_t hz = 0;
    rmode_t mode = RIG_MODE_NONE;
    pbwidth_t width = 0;
    const int freqResult = rig_get_freq(rig_, RIG_VFO_CURR, &hz);
    if (freqResult != RIG_OK && !RIG_IS_SOFT_ERRCODE(-freqResult)) return failed(freqResult);
    const int modeResult = rig_get_mode(rig_, RIG_VFO_CURR, &mode, &width);
    if (modeResult != RIG_OK && !RIG_IS_SOFT_ERRCODE(-modeResult)) return failed(modeResult);
    s_.publish([&](Snapshot& s) {
      s.dialHz = freqResult == RIG_OK ? std::optional<int64_t>(static_cast<int64_t>(hz + 0.5)) : std::nullopt;
      s.mode = modeResult == RIG_OK ? rig_strrmode(mode) : "";
    });
    return true;
  }

  bool failed(int result) {
    lose(hamlib::modelName(s_.config.model) + where() + " stopped answering: " + hamlib::errorText(result));
    return false;
  }

  void lose(std::string why) {
    std::fprintf(stderr, "Quillary: CAT: %s\n", why.c_str());
    s_.lost = true;
    s_.publish([&](Snapshot& s) {
      s.state = State::Lost;
      s.problem = std::move(why);
      s.dialHz.reset();
      s.mode.clear();
    });
  }

  // Unkeys where the radio still listens, then lets the rig go.
  void close() {
    if (rig_ == nullptr) return;
    if (open_ && pttSet_) rig_set_ptt(rig_, RIG_VFO_CURR, RIG_PTT_OFF);
    std::lock_guard lock(hamlib::globalMutex());
    if (open_) rig_close(rig_);
    rig_cleanup(rig_);
    rig_ = nullptr;
  }

  Shared& s_;
  RIG* rig_ = nullptr;
  bool open_ = false;
  bool pttSet_ = false;
};

HamlibRig::HamlibRig(RigConfig config) : HamlibRig(std::move(config), Timing{}) {}

HamlibRig::HamlibRig(RigConfig config, Timing timing)
    : config_(config), shared_(std::make_shared<Shared>(std::move(config), timing)) {
  hamlib::keepNumericLocaleC();
  worker_ = std::thread([shared = shared_] { Worker(*shared).run(); });
}

HamlibRig::~HamlibRig() {
  release();
  std::unique_lock lock(shared_->mutex);
  const bool done = shared_->changed.wait_for(lock, shared_->timing.closeWait, [&] { return shared_->done; });
  lock.unlock();
  if (done) {
    worker_.join();
    return;
  }
  std::fprintf(stderr, "Quillary: CAT (%s): the radio does not let go; left to close on its own\n",
               hamlib::modelName(config_.model).c_str());
  worker_.detach();
}

void HamlibRig::release() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->stopping = true;
    shared_->released = true;
  }
  shared_->changed.notify_all();
}

void HamlibRig::setPtt(bool on) {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->wantPtt = on;
  }
  shared_->changed.notify_all();
}

bool HamlibRig::answering() const { return !shared_->lost && !shared_->released; }

HamlibRig::Snapshot HamlibRig::snapshot() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->snapshot;
}

bool HamlibRig::finished() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->done;
}

bool HamlibRig::awaitAnswer(std::chrono::milliseconds limit) const {
  std::unique_lock lock(shared_->mutex);
  shared_->changed.wait_for(lock, limit,
                            [&] { return shared_->released || shared_->snapshot.state != State::Connecting; });
  return !shared_->released && shared_->snapshot.state == State::Answering;
}

bool HamlibRig::awaitPtt(bool on, std::chrono::milliseconds limit) const {
  std::unique_lock lock(shared_->mutex);
  const Snapshot& s = shared_->snapshot;
  const auto done = [&] { return s.state == State::Answering && s.pttSet == on; };
  shared_->changed.wait_for(lock, limit, [&] { return shared_->released || s.state == State::Lost || done(); });
  return !shared_->released && done();
}

}  // namespace quillary::psk
