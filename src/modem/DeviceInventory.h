#pragma once
// The sound devices the chooser offers. Device n of the list (from 0) is the
// device the modem knows by the number n.
#include <optional>
#include <string>
#include <vector>

namespace quillary {

class DeviceInventory {
 public:
  virtual ~DeviceInventory() = default;
  // Product names (UTF-8) in the modem's order; nullopt when the inventory
  // cannot be queried at all.
  virtual std::optional<std::vector<std::string>> soundDevices() const = 0;
};

}  // namespace quillary
