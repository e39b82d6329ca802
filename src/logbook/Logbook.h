#pragma once
// The main window's log: the file and its contacts, the worked-before index,
// and what is known of the contact under way. One per window, owned by it.
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <vector>

#include "logbook/LogFile.h"
#include "logbook/WorkedBefore.h"
#include "window/Form1Context.h"

namespace quillary {

// What the received text of the contact under way told.
struct ContactHeard {
  std::optional<QDateTime> callSetAt;  // none while His Call is "ALL" or empty
  std::optional<QString> report;       // the last GOOD COPY report received
  QStringList commands;                // the picture commands received
};

class Logbook : public QObject {
  Q_OBJECT
 public:
  Logbook(const std::filesystem::path& programFolder, QObject* parent);

  // Reads quillary.adi; false (with a console line) when it cannot be read.
  bool load();
  // Appends a contact, on the disk before it returns.
  bool save(const LogRecord& record);
  // Edits, deletions and imports: the whole log written anew.
  bool replaceAll(std::vector<LogRecord> records);

  const std::vector<LogRecord>& records() const { return file_.records(); }
  const std::filesystem::path& path() const { return file_.path(); }
  const WorkedBeforeIndex& worked() const { return worked_; }
  ContactHeard& heard() { return heard_; }

 signals:
  void changed();

 private:
  LogFile file_;
  WorkedBeforeIndex worked_;
  ContactHeard heard_;
};

// The window's log (made by connectLogbook).
Logbook& logbookOf(Form1Context& context);

}  // namespace quillary
