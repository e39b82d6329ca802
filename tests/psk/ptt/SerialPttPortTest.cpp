// The serial ports offered for PTT, and the PTT port on a pseudo-terminal:
// the port hangs up on close (HUPCL) from its open until its graceful close,
// so a program that dies while keyed leaves the kernel to drop RTS and DTR.
// A pseudo-terminal has no modem lines, so the line changes are recorded
// together with the HUPCL flag the tty had at that moment.
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

#include "psk/ptt/SerialPortList.h"
#include "psk/ptt/SerialPttPort.h"

namespace quillary::psk {
namespace {

TEST(SerialPortList, UsbAcmThenBuiltInPortsInNumericOrderNumberedFromOne) {
  const std::vector<std::string> ports = orderSerialPorts(
      {"ttyS1", "ttyUSB10", "sda", "ttyUSB2", "ttyACM0", "ttyS0", "ttyUSB", "ttyUSBx", "tty1", "ttyS10", "ttyACM1x"});
  EXPECT_EQ(ports, (std::vector<std::string>{"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyS0",
                                             "/dev/ttyS1", "/dev/ttyS10"}));
  EXPECT_EQ(serialPortPath(ports, 4), "/dev/ttyS0");
  for (int outside : {0, 7, -1}) EXPECT_FALSE(serialPortPath(ports, outside)) << outside;
  EXPECT_EQ(describeSerialPorts({"/dev/ttyUSB0", "/dev/ttyS0"}), "1 /dev/ttyUSB0\n2 /dev/ttyS0");
}

bool hangsUp(const termios& settings) { return (settings.c_cflag & HUPCL) != 0; }
speed_t speedOf(const termios& settings) { return cfgetospeed(&settings); }

// A pseudo-terminal pair; the test holds the master, the port opens the slave.
class Pty {
 public:
  Pty() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    EXPECT_GE(master_, 0);
    EXPECT_EQ(grantpt(master_), 0);
    EXPECT_EQ(unlockpt(master_), 0);
    slave_ = ptsname(master_);
  }
  ~Pty() { vanish(); }
  const std::string& slave() const { return slave_; }
  // The slave's termios; `found` first leaves what libserialport leaves
  // after its open: a speed, HUPCL off.
  termios settings(std::optional<speed_t> found = {}) const {
    const int fd = ::open(slave_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios settings{};
    EXPECT_EQ(tcgetattr(fd, &settings), 0);
    if (found) {
      settings.c_cflag &= ~static_cast<tcflag_t>(HUPCL);
      cfsetospeed(&settings, *found);
      cfsetispeed(&settings, *found);
      EXPECT_EQ(tcsetattr(fd, TCSANOW, &settings), 0);
    }
    ::close(fd);
    return settings;
  }
  void vanish() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  std::string slave_;
};

class PtyPttPort : public SerialPttPort {
 public:
  ~PtyPttPort() override { closeNow(); }
  // "raise"/"drop", then "+hupcl" or "-hupcl" as the tty stood.
  std::vector<std::string> lines;

 protected:
  int openDevice(const std::string& path) override {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    return fd_;
  }
  bool driveLines(bool raised) override {
    termios settings{};
    if (tcgetattr(fd_, &settings) != 0) return false;  // hung up: the device is gone
    lines.push_back(std::string(raised ? "raise" : "drop") + (hangsUp(settings) ? "+hupcl" : "-hupcl"));
    return true;
  }
  void closeDevice() override {
    ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

using Lines = std::vector<std::string>;

TEST(SerialPttPort, HangsUpOnCloseFromOpenUntilTheGracefulParkAfterTheLinesDrop) {
  Pty pty;
  pty.settings(B9600);
  PtyPttPort port;
  ASSERT_TRUE(port.open(pty.slave()));
  EXPECT_EQ(port.lines, Lines{"drop+hupcl"});
  EXPECT_TRUE(hangsUp(pty.settings()));
  EXPECT_EQ(speedOf(pty.settings()), B9600);

  ASSERT_TRUE(port.setKeyed(true));
  ASSERT_TRUE(port.setKeyed(false));
  port.close();
  EXPECT_EQ(port.lines, (Lines{"drop+hupcl", "raise+hupcl", "drop+hupcl", "drop+hupcl"}));
  EXPECT_FALSE(hangsUp(pty.settings()));

  // Opened again from the park: HUPCL again, the speed stays 0.
  PtyPttPort again;
  ASSERT_TRUE(again.open(pty.slave()));
  EXPECT_TRUE(hangsUp(pty.settings()));
  EXPECT_EQ(speedOf(pty.settings()), B0);
}

TEST(SerialPttPort, AProgramThatDiesWhileKeyedLeavesTheKernelToHangUp) {
  for (const int signal : {SIGKILL, SIGSEGV}) {
    Pty pty;
    pty.settings(B9600);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::signal(SIGSEGV, SIG_DFL);  // no crash handler of the test runner
      auto* port = new PtyPttPort;  // never destroyed: the process dies keyed
      if (!port->open(pty.slave()) || !port->setKeyed(true)) _exit(3);
      std::raise(signal);
      _exit(4);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "exit " << WEXITSTATUS(status);
    EXPECT_TRUE(hangsUp(pty.settings())) << "signal " << signal;
  }
}

TEST(SerialPttPort, APortThatVanishesWhileKeyedFailsQuietlyAndClosesCleanly) {
  Pty pty;
  PtyPttPort port;
  ASSERT_TRUE(port.open(pty.slave()));
  ASSERT_TRUE(port.setKeyed(true));
  pty.vanish();
  EXPECT_FALSE(port.setKeyed(false));
  port.close();
  EXPECT_FALSE(port.setKeyed(true)) << "a closed port keys nothing";
  EXPECT_FALSE(port.open("/dev/quillary-no-such-port"));
}

}  // namespace
}  // namespace quillary::psk
