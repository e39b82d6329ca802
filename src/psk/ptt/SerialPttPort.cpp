#include "psk/ptt/SerialPttPort.h"

#include <libserialport.h>
#include <termios.h>

#include <cstdio>

namespace quillary::psk {
namespace {

// Only HUPCL changes: the speed and the lines stay as they are.
bool setHangUpOnClose(int fd, bool hangUp) {
  termios settings{};
  if (tcgetattr(fd, &settings) != 0) return false;
  if (hangUp) settings.c_cflag |= HUPCL;
  else settings.c_cflag &= ~static_cast<tcflag_t>(HUPCL);
  return tcsetattr(fd, TCSANOW, &settings) == 0;
}

// Leaves the tty at speed 0 so that the next open() of this port does not
// raise RTS and DTR: Linux raises both when a tty is opened with a non-zero
// speed, before any program can say otherwise. The kernel keeps the
// setting for the port while the device stays plugged in. HUPCL goes off
// with it: the lines are already down, and the port is left as we found it.
void parkAtSpeedZero(int fd) {
  termios settings{};
  if (tcgetattr(fd, &settings) != 0) return;
  settings.c_cflag &= ~static_cast<tcflag_t>(HUPCL);
  cfsetospeed(&settings, B0);
  cfsetispeed(&settings, B0);
  tcsetattr(fd, TCSANOW, &settings);  // best effort: a port that refuses keeps its speed
}

}  // namespace

SerialPttPort::~SerialPttPort() { closeNow(); }

// Opening must not key the radio. libserialport opens the tty and then the
// lines are dropped straight away, but a window remains: when the port's
// speed is not 0 (a port never used by us, or reset by replugging the
// adapter), the kernel raises RTS and DTR inside open() and they stay up for
// the few microseconds until the calls below drop them. That is far shorter
// than any PTT relay or keying transistor stage reacts to; after our first
// close the port is parked at speed 0 and later opens raise nothing.
//
// libserialport's open clears HUPCL ("leave the lines alone on close"), so
// it is set again at once, before anything can key. A port that cannot
// promise to unkey when we die is not used.
bool SerialPttPort::open(const std::string& path) {
  closeNow();
  const int fd = openDevice(path);
  if (fd < 0) return false;
  fd_ = fd;
  if (!setHangUpOnClose(fd_, true)) {
    std::fprintf(stderr, "Quillary: %s cannot hang up on close; not used for PTT\n", path.c_str());
    closeDevice();
    fd_ = -1;
    return false;
  }
  if (!driveLines(false)) {  // a port whose lines we cannot drive cannot key anything
    closeDevice();  // HUPCL still set: the kernel drops the lines on this close
    fd_ = -1;
    return false;
  }
  return true;
}

void SerialPttPort::close() { closeNow(); }

void SerialPttPort::closeNow() {
  if (fd_ < 0) return;
  driveLines(false);
  parkAtSpeedZero(fd_);
  closeDevice();
  fd_ = -1;
}

bool SerialPttPort::setKeyed(bool keyed) {
  if (fd_ < 0) return false;
  return driveLines(keyed);
}

int SerialPttPort::openDevice(const std::string& path) {
  sp_port* port = nullptr;
  if (sp_get_port_by_name(path.c_str(), &port) != SP_OK) return -1;
  int fd = -1;
  if (sp_open(port, SP_MODE_READ_WRITE) != SP_OK || sp_get_port_handle(port, &fd) != SP_OK || fd < 0) {
    sp_close(port);
    sp_free_port(port);
    return -1;
  }
  port_ = port;
  return fd;
}

bool SerialPttPort::driveLines(bool raised) {
  if (port_ == nullptr) return false;
  const bool rts = sp_set_rts(port_, raised ? SP_RTS_ON : SP_RTS_OFF) == SP_OK;
  const bool dtr = sp_set_dtr(port_, raised ? SP_DTR_ON : SP_DTR_OFF) == SP_OK;
  return rts && dtr;
}

void SerialPttPort::closeDevice() {
  if (port_ == nullptr) return;
  sp_close(port_);
  sp_free_port(port_);
  port_ = nullptr;
}

}  // namespace quillary::psk
