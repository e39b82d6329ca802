#pragma once
// The radio beside the modem: how the transmitter is keyed and what the
// radio says of its dial. The window sets it up and polls it; the engine's
// side (psk/Station) keys through the modem's PTT seam and talks to the rig
// through hamlib on threads of its own, so no call here waits for a radio.
//
// Serial keying stays the modem contract's own (fnSetComPort with the comm
// port number); this link adds CAT (any rig hamlib knows, or a rigctld
// daemon shared with other programs) and VOX (nothing keyed at all).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillary {

enum class PttMethod { Serial, Cat, Vox };

// hamlib's model numbers of its two software rigs.
inline constexpr int32_t kDummyRigModel = 1;
inline constexpr int32_t kRigctldModel = 2;  // "NET rigctl": the device is HOST:PORT

struct RadioSettings {
  PttMethod method = PttMethod::Serial;
  int32_t rigModel = kRigctldModel;
  std::string rigDevice = "localhost:4532";  // a serial device, or rigctld's HOST:PORT
  int32_t serialSpeed = 0;                   // baud; 0: the rig's own default

  friend bool operator==(const RadioSettings&, const RadioSettings&) = default;
};

struct RigModelEntry {
  int32_t number = 0;
  std::string maker, model;
};

// A snapshot, taken at once from any thread.
struct RadioStatus {
  enum class Rig { None, Connecting, Answering, Lost };
  Rig rig = Rig::None;                 // None: no CAT rig is set up
  std::optional<int64_t> dialHz;       // while the rig answers
  std::string mode;                    // hamlib's mode name: "USB", "PKTUSB", ...
  std::string problem;                 // the latest thing that went wrong, one line
  uint64_t problems = 0;               // counts them, so each is told once
  uint64_t pttDrops = 0;               // PTT ports the engine dropped because they stopped answering
  bool testing = false;
  std::string testOutcome;             // what the latest test found, one line
  uint64_t tests = 0;                  // finished tests
};

class RadioLink {
 public:
  virtual ~RadioLink() = default;
  // Takes new settings. A CAT rig is connected at once, for its dial;
  // nothing is keyed through it before holdPtt().
  virtual void configure(const RadioSettings& settings) = 0;
  virtual RadioSettings settings() const = 0;
  // CAT and VOX: the modem keys through the radio as configured, in place
  // of any port it held; a CAT rig that stopped answering is connected
  // anew. False when it cannot (the reason in status().problem). Serial
  // keying goes through the modem's fnSetComPort instead.
  virtual bool holdPtt() = 0;
  // Keys for one second and unkeys, off the caller's thread; the outcome
  // comes in status(). Serial keying tests comm port `commPort` (from 1).
  virtual void test(int32_t commPort) = 0;
  virtual RadioStatus status() const = 0;
  // hamlib's rigs, by model number.
  virtual std::vector<RigModelEntry> rigModels() const = 0;
};

}  // namespace quillary
