#pragma once
// The line that keys the transmitter (push-to-talk) on a serial port.
#include <functional>
#include <memory>
#include <string>

namespace quillary::psk {

class PttPort {
 public:
  virtual ~PttPort() = default;
  // Opens the port with the transmitter unkeyed. False when it cannot be opened.
  virtual bool open(const std::string& path) = 0;
  // Unkeys and releases the port. Idempotent.
  virtual void close() = 0;
  // Raises (true) or drops (false) the keying lines.
  virtual bool setKeyed(bool keyed) = 0;
};

// Makes the port object for the engine (the serial port in the program, a
// fake in tests).
using PttPortFactory = std::function<std::unique_ptr<PttPort>()>;

}  // namespace quillary::psk
