#include "psk/ptt/SerialPortList.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quillary::psk
