#include "psk/audio/PortAudioSession.h"

#include <portaudio.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <mutex>

#ifdef QUILLARY_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

namespace quillary::psk {
namespace {

#ifdef QUILLARY_HAVE_ALSA
// ALSA reports every plugin PortAudio probes and does not find (jack, oss,
// surround51 ...) on stderr. Those are not errors of ours; PortAudio's own
// result says whether initialisation worked.
void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}
#endif

// JACK prints its attempts to reach a server that is not running straight
// to stderr. While PortAudio probes, stderr points at /dev/null; the probe's
// outcome is PortAudio's own result, which is not lost.
class StderrSilenced {
 public:
  StderrSilenced() {
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) ::close(null);
  }
  ~StderrSilenced() {
    std::fflush(stderr);
    if (saved_ < 0) return;
    dup2(saved_, STDERR_FILENO);
    ::close(saved_);
  }
  StderrSilenced(const StderrSilenced&) = delete;
  StderrSilenced& operator=(const StderrSilenced&) = delete;

 private:
  int saved_ = -1;
};

int initialiseQuietly() {
  const StderrSilenced quiet;
#ifdef QUILLARY_HAVE_ALSA
  snd_lib_error_set_handler(&ignoreAlsaMessage);
  const int result = Pa_Initialize();
  snd_lib_error_set_handler(nullptr);
  return result;
#else
  return Pa_Initialize();
#endif
}

std::mutex sessionMutex;
std::weak_ptr<PortAudioSession> current;

}  // namespace

std::shared_ptr<PortAudioSession> PortAudioSession::acquire() {
  std::lock_guard lock(sessionMutex);
  if (auto session = current.lock()) return session;
  if (initialiseQuietly() != paNoError) return nullptr;
  std::shared_ptr<PortAudioSession> session(new PortAudioSession());
  current = session;
  return session;
}

PortAudioSession::~PortAudioSession() {
  const StderrSilenced quiet;  // JACK's client cleanup talks too
  Pa_Terminate();
}

}  // namespace quillary::psk
