#pragma once
// Plain rules of the sound device chooser.
#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillary {

// "-1 Default", then "n name" for each device in the inventory's order.
// An inventory that cannot be queried offers "-1 Default" alone.
QStringList soundDeviceItems(const std::optional<std::vector<std::string>>& devices);

// The device a "sound.ini" stands for, when it names its device: the device
// of that number while it still has that name, else the first device of
// that name (the numbers shift when a USB device comes or goes). nullopt
// when neither matches: the operator chooses again. A file without a name,
// the default device (-1) and an inventory that cannot be queried keep the
// number. Names are compared without PortAudio's "(hw:N,M)", which moves
// with the numbers.
std::optional<int16_t> deviceForStoredName(int16_t stored, const std::optional<std::string>& storedName,
                                           const std::optional<std::vector<std::string>>& devices);
// The name the chooser shows for a device number ("Default" for -1); empty
// for a number it does not list.
std::string deviceNameOf(int16_t device, const std::optional<std::vector<std::string>>& devices);

// The device number of a chosen or typed item: its first two characters,
// trimmed, read as a leading number (0 when there is none), rounded half to
// even. "12 x" -> 12, "3 x" -> 3, "-1  Default" -> -1, "abc" -> 0.
int16_t deviceFromChoice(const QString& itemText);

}  // namespace quillary
