#pragma once
// PTT on a real serial port through libserialport: RTS and DTR both high
// while the transmitter is keyed (radios and interfaces use either line).
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

 private:
  sp_port* port_ = nullptr;
};

}  // namespace quillary::psk
