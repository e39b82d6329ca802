#include "support/Rigctld.h"

#include <arpa/inet.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace quillary::psk::test {
namespace {

using namespace std::chrono_literals;

// A socket connected to 127.0.0.1:`port` (0: bound to a port the kernel
// chooses, unconnected), or -1.
int loopbackSocket(int port) {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  timeval timeout{2, 0};
  ::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const auto* where = reinterpret_cast<sockaddr*>(&address);
  if ((port == 0 ? ::bind(s, where, sizeof address) : ::connect(s, where, sizeof address)) == 0) return s;
  ::close(s);
  return -1;
}

int freePort() {
  const int s = loopbackSocket(0);
  sockaddr_in address{};
  socklen_t size = sizeof address;
  ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
  ::close(s);
  return ntohs(address.sin_port);
}

}  // namespace

Rigctld::Rigctld() {
  for (int attempt = 0; attempt < 5 && !running(); ++attempt) {  // another may take the port first
    port_ = freePort();
    start();
  }
}

bool Rigctld::start() {
  const std::string port = std::to_string(port_);
  pid_ = ::fork();
  if (pid_ < 0) return problem_ = "no fork", false;
  if (pid_ == 0) {
    ::execlp("rigctld", "rigctld", "-m", "1", "-P", "RIG", "-T", "127.0.0.1", "-t", port.c_str(), nullptr);
    ::_exit(127);
  }
  for (const auto giveUp = std::chrono::steady_clock::now() + 10s; std::chrono::steady_clock::now() < giveUp;) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      problem_ = WEXITSTATUS(status) == 127 ? "rigctld is not installed (libhamlib-utils)" : "rigctld ended at once";
      pid_ = -1;
      return false;
    }
    if (const int s = loopbackSocket(port_); s >= 0) return ::close(s), true;
    std::this_thread::sleep_for(20ms);
  }
  problem_ = "rigctld took no connection within 10 s";
  kill();
  return false;
}

void Rigctld::kill() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

std::string Rigctld::ask(const std::string& command) const {
  const int s = loopbackSocket(port_);
  if (s < 0) return "";
  const std::string line = command + "\n";
  std::string reply;
  if (::send(s, line.data(), line.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(line.size()))
    for (char c = 0; ::recv(s, &c, 1, 0) == 1 && c != '\n';) reply += c;
  ::close(s);
  return reply;
}

bool Rigctld::awaitPtt(bool keyed, std::chrono::milliseconds limit) const {
  for (const auto giveUp = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < giveUp;) {
    if (ask("t") == (keyed ? "1" : "0")) return true;
    std::this_thread::sleep_for(20ms);
  }
  return false;
}

}  // namespace quillary::psk::test
