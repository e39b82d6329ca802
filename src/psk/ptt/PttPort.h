#pragma once
// The line that keys the transmitter (push-to-talk): RTS and DTR of a serial
// port, a CAT command through hamlib, or nothing at all (VOX).
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
  // Raises (true) or drops (false) the keying lines. False when the port
  // no longer answers. Called on the audio thread: must not wait for a
  // radio.
  virtual bool setKeyed(bool keyed) = 0;
  // False once a port that works on its own (a CAT rig) has found that the
  // radio stopped answering. Asked on the audio thread, every block.
  virtual bool answering() const { return true; }
};

// Makes the port object for the engine (the serial port in the program, a
// fake in tests).
using PttPortFactory = std::function<std::unique_ptr<PttPort>()>;

}  // namespace quillary::psk
