#include "support/Rigctld.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace quillary::psk::test {
namespace {

using namespace std::chrono_literals;

sockaddr_in loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// A port nobody listens on now (the kernel's choice).
int freePort() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = loopback(0);
  socklen_t size = sizeof address;
  int port = 0;
  if (::bind(s, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
      ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) == 0)
    port = ntohs(address.sin_port);
  ::close(s);
  return port;
}

int connectTo(int port) {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  timeval timeout{2, 0};
  ::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  sockaddr_in address = loopback(port);
  if (::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return s;
  ::close(s);
  return -1;
}

}  // namespace

Rigctld::Rigctld() {
  for (int attempt = 0; attempt < 5 && !running(); ++attempt) {
    port_ = freePort();
    start();
  }
}

bool Rigctld::start() {
  const std::string port = std::to_string(port_);
  pid_ = ::fork();
  if (pid_ == 0) {
    ::execlp("rigctld", "rigctld", "-m", "1", "-P", "RIG", "-T", "127.0.0.1", "-t", port.c_str(),
             static_cast<char*>(nullptr));
    ::_exit(127);
  }
  const auto giveUp = std::chrono::steady_clock::now() + 10s;
  while (std::chrono::steady_clock::now() < giveUp) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {  // ended: not installed, or the port was taken
      problem_ = WIFEXITED(status) && WEXITSTATUS(status) == 127 ? "rigctld is not installed (libhamlib-utils)"
                                                                   : "rigctld ended at once on port " + port;
      pid_ = -1;
      return false;
    }
    if (const int s = connectTo(port_); s >= 0) {
      ::close(s);
      return true;
    }
    std::this_thread::sleep_for(20ms);
  }
  problem_ = "rigctld took no connection within 10 s";
  stop();
  return false;
}

void Rigctld::kill() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

bool Rigctld::restart() {
  kill();
  return start();
}

void Rigctld::stop() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  ::waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

std::string Rigctld::ask(const std::string& command) const {
  const int s = connectTo(port_);
  if (s < 0) return "";
  const std::string line = command + "\n";
  std::string reply;
  if (::send(s, line.data(), line.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(line.size())) {
    char c = 0;
    while (::recv(s, &c, 1, 0) == 1 && c != '\n') reply += c;
  }
  ::close(s);
  return reply;
}

bool Rigctld::awaitPtt(bool keyed, std::chrono::milliseconds limit) const {
  const auto giveUp = std::chrono::steady_clock::now() + limit;
  do {
    if (ask("t") == (keyed ? "1" : "0")) return true;
    std::this_thread::sleep_for(20ms);
  } while (std::chrono::steady_clock::now() < giveUp);
  return false;
}

}  // namespace quillary::psk::test
