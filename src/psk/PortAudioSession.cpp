#include "psk/PortAudioSession.h"

#include <portaudio.h>

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

int initialiseQuietly() {
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

PortAudioSession::~PortAudioSession() { Pa_Terminate(); }

}  // namespace quillary::psk
