#include "psk/ptt/SerialPttPort.h"

#include <libserialport.h>
#include <termios.h>

namespace quillary::psk {
namespace {

bool dropLines(sp_port* port) {
  const bool rts = sp_set_rts(port, SP_RTS_OFF) == SP_OK;
  const bool dtr = sp_set_dtr(port, SP_DTR_OFF) == SP_OK;
  return rts && dtr;
}

// Leaves the tty at speed 0 so that the next open() of this port does not
// raise RTS and DTR: Linux raises both when a tty is opened with a non-zero
// speed, before any program can say otherwise. The kernel keeps the
// setting for the port while the device stays plugged in.
void parkAtSpeedZero(sp_port* port) {
  int fd = -1;
  if (sp_get_port_handle(port, &fd) != SP_OK || fd < 0) return;
  termios settings{};
  if (tcgetattr(fd, &settings) != 0) return;
  settings.c_cflag &= ~static_cast<tcflag_t>(HUPCL);
  cfsetospeed(&settings, B0);
  cfsetispeed(&settings, B0);
  tcsetattr(fd, TCSANOW, &settings);  // best effort: a port that refuses keeps its speed
}

}  // namespace

SerialPttPort::~SerialPttPort() { close(); }

// Opening must not key the radio. libserialport opens the tty and then the
// lines are dropped straight away, but a window remains: when the port's
// speed is not 0 (a port never used by us, or reset by replugging the
// adapter), the kernel raises RTS and DTR inside open() and they stay up for
// the few microseconds until the calls below drop them. That is far shorter
// than any PTT relay or keying transistor stage reacts to; after our first
// close the port is parked at speed 0 and later opens raise nothing.
bool SerialPttPort::open(const std::string& path) {
  close();
  sp_port* port = nullptr;
  if (sp_get_port_by_name(path.c_str(), &port) != SP_OK) return false;
  if (sp_open(port, SP_MODE_READ_WRITE) != SP_OK) {
    sp_free_port(port);
    return false;
  }
  if (!dropLines(port)) {  // a port whose lines we cannot drive cannot key anything
    sp_close(port);
    sp_free_port(port);
    return false;
  }
  port_ = port;
  return true;
}

void SerialPttPort::close() {
  if (port_ == nullptr) return;
  dropLines(port_);
  parkAtSpeedZero(port_);
  sp_close(port_);
  sp_free_port(port_);
  port_ = nullptr;
}

bool SerialPttPort::setKeyed(bool keyed) {
  if (port_ == nullptr) return false;
  if (!keyed) return dropLines(port_);
  const bool rts = sp_set_rts(port_, SP_RTS_ON) == SP_OK;
  const bool dtr = sp_set_dtr(port_, SP_DTR_ON) == SP_OK;
  return rts && dtr;
}

}  // namespace quillary::psk
