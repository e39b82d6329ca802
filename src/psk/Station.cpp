#include "psk/Station.h"

#include <cstdio>
#include <utility>

#include "psk/PskEngine.h"
#include "psk/ptt/CatPttPort.h"
#include "psk/ptt/Hamlib.h"
#include "psk/ptt/SerialPortList.h"
#include "psk/ptt/SerialPttPort.h"

namespace quillary::psk {
namespace {

Station::Options withDefaults(Station::Options options) {
  if (!options.serialPorts) options.serialPorts = [] { return listSerialPorts(); };
  if (!options.serialPtt) options.serialPtt = [] { return std::make_unique<SerialPttPort>(); };
  return options;
}

RigConfig rigConfigOf(const RadioSettings& settings) {
  return {settings.rigModel, settings.rigDevice, settings.serialSpeed};
}

RadioStatus::Rig rigStateOf(HamlibRig::State state) {
  switch (state) {
    case HamlibRig::State::Connecting: return RadioStatus::Rig::Connecting;
    case HamlibRig::State::Answering: return RadioStatus::Rig::Answering;
    case HamlibRig::State::Lost: return RadioStatus::Rig::Lost;
  }
  return RadioStatus::Rig::None;
}

}  // namespace

Station::Station(PskEngine& engine) : Station(engine, Options{}) {}

// hamlib's model list is walked once, off the caller's thread.
Station::Station(PskEngine& engine, Options options)
    : engine_(engine),
      options_(withDefaults(std::move(options))),
      models_(std::async(std::launch::async, [] { return hamlib::rigModels(); }).share()) {}

// The rig is let go first, so that a test waiting for it gives up at once.
Station::~Station() {
  {
    std::lock_guard lock(mutex_);
    if (rig_) letGoLocked(std::move(rig_));
  }
  if (tester_.joinable()) tester_.join();
  std::vector<std::shared_ptr<HamlibRig>> rigs;
  {
    std::lock_guard lock(mutex_);
    rigs = std::move(lettingGo_);
  }
  rigs.clear();  // each waits (bounded) for its rig to unkey and close
}

void Station::configure(const RadioSettings& settings) {
  std::lock_guard lock(mutex_);
  const bool same = settings == settings_;
  settings_ = settings;
  if (settings.method != PttMethod::Cat) {
    if (rig_) letGoLocked(std::move(rig_));
    return;
  }
  if (!same || !rig_ || !rig_->answering()) connectRigLocked();
}

RadioSettings Station::settings() const {
  std::lock_guard lock(mutex_);
  return settings_;
}

bool Station::holdPtt() {
  std::unique_ptr<PttPort> port;
  std::string path;
  {
    std::lock_guard lock(mutex_);
    switch (settings_.method) {
      case PttMethod::Vox: port = std::make_unique<VoxPttPort>(); break;
      case PttMethod::Serial:
        port = options_.serialPtt();
        path = settings_.rigDevice;
        break;
      case PttMethod::Cat:
        if (!rig_ || !rig_->answering()) connectRigLocked();
        port = std::make_unique<CatPttPort>(rig_);
        break;
    }
  }
  if (engine_.holdPttPort(std::move(port), path) != 0) return true;
  std::lock_guard lock(mutex_);
  reportLocked(settings_.method == PttMethod::Serial ? "cannot open the serial port " + path
                                                      : "the radio cannot be keyed");
  return false;
}

void Station::test(int32_t commPort) {
  RadioSettings settings;
  std::shared_ptr<HamlibRig> rig;
  {
    std::lock_guard lock(mutex_);
    if (testing_) return;
    settings = settings_;
    if (settings.method == PttMethod::Cat) {
      if (!rig_ || !rig_->answering()) connectRigLocked();
      rig = rig_;
    }
  }
  switch (settings.method) {
    case PttMethod::Vox:
      startTest([] { return std::string("VOX: nothing to key, the radio keys itself on the audio"); });
      break;
    case PttMethod::Cat:
      startTest([this, rig] { return testCat(rig); });
      break;
    case PttMethod::Serial: {
      const std::optional<std::string> path = serialPortPath(options_.serialPorts(), commPort);
      if (!path) {
        startTest([commPort] { return "there is no serial port number " + std::to_string(commPort); });
      } else if (engine_.pttHeld()) {
        startTest([] { return std::string("the comm port is held: press \"Open\" to release it first"); });
      } else {
        startTest([this, p = *path] { return testSerial(p); });
      }
      break;
    }
  }
}

void Station::startTest(std::function<std::string()> run) {
  if (tester_.joinable()) tester_.join();  // the last test has ended: testing_ was false
  {
    std::lock_guard lock(mutex_);
    testing_ = true;
  }
  tester_ = std::thread([this, run = std::move(run)] {
    std::string outcome = run();
    std::fprintf(stderr, "Quillary: PTT test: %s\n", outcome.c_str());
    std::lock_guard lock(mutex_);
    testOutcome_ = std::move(outcome);
    ++tests_;
    testing_ = false;
  });
}

std::string Station::testSerial(const std::string& path) {
  std::unique_ptr<PttPort> port = options_.serialPtt();
  if (!port->open(path)) return "cannot open " + path;
  const bool keyed = port->setKeyed(true);
  std::this_thread::sleep_for(options_.testKeyed);
  const bool unkeyed = port->setKeyed(false);
  port->close();
  if (!keyed || !unkeyed) return path + " stopped answering";
  return "RTS and DTR of " + path + " raised for 1 s and dropped";
}

std::string Station::testCat(const std::shared_ptr<HamlibRig>& rig) {
  const auto lost = [&] { return "CAT: " + rig->snapshot().problem; };
  if (!rig->awaitAnswer(options_.answerWait)) {
    return rig->answering() ? "CAT: the radio did not answer within " +
                                  std::to_string(options_.answerWait.count() / 1000) + " s"
                            : lost();
  }
  rig->setPtt(true);
  if (!rig->awaitPtt(true, options_.answerWait)) return lost();
  const std::optional<bool> heardOn = rig->snapshot().rigPtt;
  std::this_thread::sleep_for(options_.testKeyed);
  rig->setPtt(false);
  if (!rig->awaitPtt(false, options_.answerWait)) return lost();
  const std::optional<bool> heardOff = rig->snapshot().rigPtt;
  if (heardOn == true && heardOff == false) return "CAT: keyed for 1 s and released, as the radio confirms";
  if (heardOn || heardOff) return "CAT: keyed for 1 s and released, but the radio reported PTT otherwise";
  return "CAT: keyed for 1 s and released (the radio cannot report its PTT)";
}

RadioStatus Station::status() const {
  RadioStatus status;
  status.pttDrops = engine_.pttDrops();
  std::lock_guard lock(mutex_);
  if (rig_) {
    const HamlibRig::Snapshot rig = rig_->snapshot();
    status.rig = rigStateOf(rig.state);
    if (rig.state == HamlibRig::State::Answering) {
      status.dialHz = rig.dialHz;
      status.mode = rig.mode;
    }
    if (rig.state == HamlibRig::State::Lost && toldLost_ != rig_.get()) {
      toldLost_ = rig_.get();
      problem_ = "CAT: " + rig.problem;
      ++problems_;
    }
  }
  status.problem = problem_;
  status.problems = problems_;
  status.testing = testing_;
  status.testOutcome = testOutcome_;
  status.tests = tests_;
  return status;
}

std::vector<RigModelEntry> Station::rigModels() const {
  if (models_.wait_for(std::chrono::seconds(2)) != std::future_status::ready) return {};
  return models_.get();
}

std::shared_ptr<HamlibRig> Station::rig() const {
  std::lock_guard lock(mutex_);
  return rig_;
}

void Station::connectRigLocked() {
  if (rig_) letGoLocked(std::move(rig_));
  rig_ = std::make_shared<HamlibRig>(rigConfigOf(settings_), options_.rigTiming);
}

// A rig let go closes on its own thread; it is kept until it has, so that
// its last owner never waits for it (the engine may hold it on the audio
// thread).
void Station::letGoLocked(std::shared_ptr<HamlibRig> rig) {
  std::erase_if(lettingGo_, [](const std::shared_ptr<HamlibRig>& r) { return r->finished(); });
  rig->release();
  lettingGo_.push_back(std::move(rig));
}

void Station::reportLocked(std::string problem) {
  std::fprintf(stderr, "Quillary: %s\n", problem.c_str());
  problem_ = std::move(problem);
  ++problems_;
}

}  // namespace quillary::psk
