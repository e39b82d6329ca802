#pragma once
// A device inventory holding the test's devices; nullopt = cannot be queried.
#include "modem/DeviceInventory.h"

namespace quillary::testing {

class FakeInventory : public DeviceInventory {
 public:
  explicit FakeInventory(std::optional<std::vector<std::string>> devices = std::vector<std::string>{})
      : devices_(std::move(devices)) {}
  std::optional<std::vector<std::string>> soundDevices() const override { return devices_; }

 private:
  std::optional<std::vector<std::string>> devices_;
};

}  // namespace quillary::testing
