#include "app/SoundDeviceChoice.h"

#include <algorithm>

#include "common/Numbers.h"
#include "psk/audio/AudioDeviceList.h"

namespace quillary {

QStringList soundDeviceItems(const std::optional<std::vector<std::string>>& devices) {
  QStringList items{QStringLiteral("-1 Default")};
  if (!devices) return items;
  int number = 0;
  for (const std::string& name : *devices) {
    items << QStringLiteral("%1 %2").arg(number).arg(QString::fromStdString(name));
    ++number;
  }
  return items;
}

std::optional<int16_t> deviceForStoredName(int16_t stored, const std::optional<std::string>& storedName,
                                           const std::optional<std::vector<std::string>>& devices) {
  if (!storedName || stored == -1 || !devices) return stored;
  const std::string wanted = psk::deviceNameKey(*storedName);
  const auto count = static_cast<int16_t>(std::min<std::size_t>(devices->size(), INT16_MAX));
  const auto named = [&](int16_t n) { return psk::deviceNameKey((*devices)[static_cast<std::size_t>(n)]) == wanted; };
  if (stored >= 0 && stored < count && named(stored)) return stored;
  for (int16_t n = 0; n < count; ++n)
    if (named(n)) return n;
  return std::nullopt;
}

std::string deviceNameOf(int16_t device, const std::optional<std::vector<std::string>>& devices) {
  if (device == -1) return "Default";
  if (!devices || device < 0 || static_cast<std::size_t>(device) >= devices->size()) return "";
  return (*devices)[static_cast<std::size_t>(device)];
}

int16_t deviceFromChoice(const QString& itemText) {
  const QString firstTwo = itemText.left(2).trimmed();
  // Two characters always hold a number well inside the 16-bit range.
  return toInt16(leadingNumber(firstTwo.toStdString())).value_or(0);
}

}  // namespace quillary
