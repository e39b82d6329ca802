#include "logbook/Logbook.h"

#include <QtGlobal>

#include "window/TwipsWindow.h"

namespace quillary {

Logbook::Logbook(const std::filesystem::path& programFolder, QObject* parent)
    : QObject(parent), file_(programFolder / "quillary.adi") {
  setObjectName(QStringLiteral("Logbook"));
}

bool Logbook::load() {
  const bool read = file_.load();
  if (!read) qWarning("Quillary: %s could not be read", file_.path().string().c_str());
  worked_.rebuild(file_.records());
  emit changed();
  return read;
}

bool Logbook::save(const LogRecord& record) {
  const std::size_t before = file_.records().size();
  const bool written = file_.append(record);
  // A log changed on the disk since is read again before the append.
  if (file_.records().size() == before + 1) {
    worked_.add(record);
  } else {
    worked_.rebuild(file_.records());
  }
  emit changed();
  return written;
}

bool Logbook::replaceAll(std::vector<LogRecord> records) {
  const bool written = file_.replaceAll(std::move(records));
  // Refused, the file may have been read again.
  worked_.rebuild(file_.records());
  emit changed();
  return written;
}

Logbook& logbookOf(Form1Context& context) {
  auto* logbook = context.window.findChild<Logbook*>(QStringLiteral("Logbook"), Qt::FindDirectChildrenOnly);
  Q_ASSERT(logbook != nullptr);
  return *logbook;
}

}  // namespace quillary
