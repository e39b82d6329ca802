#pragma once
// PTT on a real serial port through libserialport: RTS and DTR both high
// while the transmitter is keyed (radios and interfaces use either line).
//
// While the port is ours the tty hangs up on close (HUPCL): if the program
// dies while keyed (a crash, SIGKILL), the kernel closes the port and drops
// RTS and DTR, so the radio does not stay on the air. Only a graceful close
// clears it again, after the lines have been dropped by hand.
#include <string>

#include "psk/ptt/PttPort.h"

struct sp_port;

namespace quillary::psk {

class SerialPttPort : public PttPort {
 public:
  SerialPttPort() = default;
  ~SerialPttPort() override;
  SerialPttPort(const SerialPttPort&) = delete;
  SerialPttPort& operator=(const SerialPttPort&) = delete;

  bool open(const std::string& path) override;
  void close() override;
  bool setKeyed(bool keyed) override;

 protected:
  // The device underneath. A pseudo-terminal in a test has termios flags
  // but no modem lines, and libserialport does not open one, so tests put
  // their own device here; the order of the steps stays this class's.
  // Opens the port and answers its file descriptor, or -1.
  virtual int openDevice(const std::string& path);
  // Raises (true) or drops (false) RTS and DTR together.
  virtual bool driveLines(bool raised);
  virtual void closeDevice();
  // Must be called by a subclass's destructor that overrides closeDevice().
  void closeNow();

 private:
  sp_port* port_ = nullptr;
  int fd_ = -1;
};

}  // namespace quillary::psk
