#include "app/TerminationSignals.h"

#include <QSocketNotifier>
#include <csignal>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace quillary {

namespace {

int signalSockets[2] = {-1, -1};  // [0] written by the handler, [1] read here

extern "C" void onTerminationSignal(int signalNumber) {
  const unsigned char byte = static_cast<unsigned char>(signalNumber);
  // Nothing can be done about a full socket inside a handler; a byte is
  // already waiting then, and one is enough.
  [[maybe_unused]] const auto written = ::write(signalSockets[0], &byte, 1);
}

void installHandler(int signalNumber, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  if (::sigaction(signalNumber, &action, nullptr) != 0) {
    throw std::runtime_error("cannot install the termination signal handler");
  }
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  if (signalSockets[0] != -1) throw std::logic_error("termination signals already watched");
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSockets) != 0) {
    throw std::runtime_error("cannot create the termination signal socket pair");
  }
  notifier_ = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { readSignal(); });
  installHandler(SIGINT, onTerminationSignal);
  installHandler(SIGTERM, onTerminationSignal);
}

TerminationSignals::~TerminationSignals() {
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  ::close(signalSockets[0]);
  ::close(signalSockets[1]);
  signalSockets[0] = signalSockets[1] = -1;
}

void TerminationSignals::readSignal() {
  unsigned char byte = 0;
  if (::read(signalSockets[1], &byte, 1) == 1) emit terminationRequested(byte);
}

}  // namespace quillary
