#pragma once
// hamlib's rigctld with its dummy rig keyed by CAT (-m 1 -P RIG), started
// by a test on a free port of 127.0.0.1 and ended by it; and the test's
// own line to it, which asks the rig what it does without hamlib.
#include <sys/types.h>

#include <chrono>
#include <string>

namespace quillary::psk::test {

class Rigctld {
 public:
  // Started, and taking connections, unless problem() says otherwise.
  Rigctld();
  ~Rigctld() { kill(); }
  Rigctld(const Rigctld&) = delete;
  Rigctld& operator=(const Rigctld&) = delete;

  bool running() const { return pid_ > 0; }
  const std::string& problem() const { return problem_; }
  std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
  // Killed at once, as kill -9 or a crash would.
  void kill();
  // Started again on the same port; false (see problem()) when it is not.
  bool start();

  // One command on a connection of its own ("t", "F 14070000"): the first
  // line of the answer, or "" when rigctld does not answer.
  std::string ask(const std::string& command) const;
  // Until the rig reports PTT `keyed`, at most `limit`.
  bool awaitPtt(bool keyed, std::chrono::milliseconds limit = std::chrono::seconds(10)) const;

 private:
  pid_t pid_ = -1;
  int port_ = 0;
  std::string problem_;
};

}  // namespace quillary::psk::test
