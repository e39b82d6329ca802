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

// The device number of a chosen or typed item: its first two characters,
// trimmed, read as a leading number (0 when there is none), rounded half to
// even. "12 x" -> 12, "3 x" -> 3, "-1  Default" -> -1, "abc" -> 0.
int16_t deviceFromChoice(const QString& itemText);

}  // namespace quillary
