#pragma once
// What the program writes to the console (qWarning and the like) while an
// object of this class lives.
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace quillary::testing {

class ConsoleLines {
 public:
  ConsoleLines() : previous_((lines().clear(), qInstallMessageHandler(&collect))) {}
  ~ConsoleLines() { qInstallMessageHandler(previous_); }
  ConsoleLines(const ConsoleLines&) = delete;
  ConsoleLines& operator=(const ConsoleLines&) = delete;
  QString all() const { return lines().join('\n'); }

 private:
  static QStringList& lines() {
    static QStringList collected;
    return collected;
  }
  static void collect(QtMsgType, const QMessageLogContext&, const QString& line) { lines() << line; }
  QtMessageHandler previous_;
};

}  // namespace quillary::testing
