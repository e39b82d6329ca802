#include "app/SoundDeviceChoice.h"

#include "common/Numbers.h"

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

int16_t deviceFromChoice(const QString& itemText) {
  const QString firstTwo = itemText.left(2).trimmed();
  // Two characters always hold a number well inside the 16-bit range.
  return toInt16(leadingNumber(firstTwo.toStdString())).value_or(0);
}

}  // namespace quillary
