#pragma once
// The station: the engine's keying and the radio's CAT side, as the window
// (through RadioLink) and psktool set them up. It holds the settings, the
// CAT rig (one HamlibRig at a time; a replaced one is let go in the
// background), and runs the one-second PTT test on a thread of its own.
// Every call returns at once; nothing here waits for a radio except that
// test's thread and the destructor (bounded).
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "modem/RadioLink.h"
#include "psk/ptt/HamlibRig.h"
#include "psk/ptt/PttPort.h"

namespace quillary::psk {

class PskEngine;

class Station : public RadioLink {
 public:
  struct Options {
    HamlibRig::Timing rigTiming;
    std::chrono::milliseconds testKeyed{1000};   // how long the test keys
    std::chrono::milliseconds answerWait{10000}; // the test's patience with a rig
    std::function<std::vector<std::string>()> serialPorts;  // default: listSerialPorts
    PttPortFactory serialPtt;                               // default: SerialPttPort
  };

  // `engine` must outlive the station.
  explicit Station(PskEngine& engine);
  Station(PskEngine& engine, Options options);
  ~Station() override;
  Station(const Station&) = delete;
  Station& operator=(const Station&) = delete;

  void configure(const RadioSettings& settings) override;
  RadioSettings settings() const override;
  // Serial keying by a device path (psktool's serial:PATH) is held here too.
  bool holdPtt() override;
  void test(int32_t commPort) override;
  RadioStatus status() const override;
  std::vector<RigModelEntry> rigModels() const override;

  // The CAT rig in use, or nullptr.
  std::shared_ptr<HamlibRig> rig() const;

 private:
  void connectRigLocked();
  void letGoLocked(std::shared_ptr<HamlibRig> rig);
  void reportLocked(std::string problem);
  void startTest(std::function<std::string()> run);
  std::string testSerial(const std::string& path);
  std::string testCat(const std::shared_ptr<HamlibRig>& rig);

  PskEngine& engine_;
  Options options_;
  std::shared_future<std::vector<RigModelEntry>> models_;

  mutable std::mutex mutex_;
  RadioSettings settings_;
  std::shared_ptr<HamlibRig> rig_;
  std::vector<std::shared_ptr<HamlibRig>> lettingGo_;
  mutable std::string problem_;
  mutable uint64_t problems_ = 0;
  mutable const HamlibRig* toldLost_ = nullptr;  // the rig whose loss was counted
  bool testing_ = false;
  std::string testOutcome_;
  uint64_t tests_ = 0;
  std::thread tester_;
};

}  // namespace quillary::psk
