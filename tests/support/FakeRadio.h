#pragma once
// A radio link for windows on a recording modem: keeps what it is told,
// answers the status it is given, and lists three rig models.
#include <vector>

#include "modem/RadioLink.h"

namespace quillary::testing {

class FakeRadio : public RadioLink {
 public:
  std::vector<RadioSettings> configured;
  int holds = 0;
  bool holdAnswer = true;
  std::vector<int32_t> testedPorts;
  RadioStatus answer;

  void configure(const RadioSettings& settings) override {
    configured.push_back(settings);
    current_ = settings;
  }
  RadioSettings settings() const override { return current_; }
  bool holdPtt() override {
    ++holds;
    return holdAnswer;
  }
  void test(int32_t commPort) override { testedPorts.push_back(commPort); }
  RadioStatus status() const override { return answer; }
  std::vector<RigModelEntry> rigModels() const override {
    return {{1, "Hamlib", "Dummy"}, {2, "Hamlib", "NET rigctl"}, {3073, "Icom", "IC-7300"}};
  }

 private:
  RadioSettings current_;
};

}  // namespace quillary::testing
