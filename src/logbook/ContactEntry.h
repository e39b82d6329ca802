#pragma once
// One contact as the entry form shows it, what the window knows of the
// contact under way, and the log record a filled-in form makes.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "logbook/LogRecord.h"

namespace quillary {

struct ContactEntry {
  QString call;
  QString name;
  QDateTime start;  // UTC
  QDateTime end;    // UTC
  QString submode;  // "PSK31", "QPSK31", "PSK63", "QPSK63", "PSK125", "QPSK125"
  QString frequencyMhz;  // empty while no rig tells it
  QString reportSent;
  QString reportReceived;
  QString ownCall;
  QString pictures;  // the picture commands of the contact
  QString comment;   // the operator's own
};

// What the window knows when "Log" is pressed.
struct ContactSoFar {
  QString hisCall;  // "ALL" or empty: none yet
  QString hisName;  // "OM": not in the name log
  QString ownCall;
  std::optional<QDateTime> callSetAt;
  QDateTime now;
  int32_t modeCode = 0;
  std::optional<int64_t> frequencyHz;  // the transmit frequency on the air
  QStringList sentTexts;               // what the picture-QSO actions sent
  std::optional<QString> reportReceived;
  QStringList commandsReceived;
};

// ADIF's submode of a PSK mode code ("PSK31" for BPSK31).
QString submodeOf(int32_t modeCode);
// The six submodes in the order of the mode list.
QStringList pskSubmodes();

ContactEntry draftOf(const ContactSoFar& known);

struct RecordOrProblem {
  std::optional<LogRecord> record;
  QString problem;  // what the operator must put right, when no record
};
RecordOrProblem recordOf(const ContactEntry& entry);

}  // namespace quillary
