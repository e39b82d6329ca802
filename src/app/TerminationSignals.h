#pragma once
// SIGINT and SIGTERM as a Qt signal on the user-interface thread. The
// handler only writes one byte to a socket pair (async-signal-safe); a
// socket notifier turns it into terminationRequested().
#include <QObject>

class QSocketNotifier;

namespace quillary {

class TerminationSignals : public QObject {
  Q_OBJECT
 public:
  // Only one may exist at a time: the signal handler has one socket to write.
  explicit TerminationSignals(QObject* parent = nullptr);
  ~TerminationSignals() override;

 signals:
  void terminationRequested(int signalNumber);

 private:
  void readSignal();

  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace quillary
