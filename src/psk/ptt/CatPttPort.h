#pragma once
// PTT by CAT command: keys the radio through a HamlibRig. Keying only asks
// the rig's worker and returns, so the audio thread never waits for the
// radio; a rig that stops answering says so through answering(), and the
// engine drops the transmission.
#include <memory>

#include "psk/ptt/HamlibRig.h"
#include "psk/ptt/PttPort.h"

namespace quillary::psk {

class CatPttPort : public PttPort {
 public:
  explicit CatPttPort(std::shared_ptr<HamlibRig> rig) : rig_(std::move(rig)) {}
  ~CatPttPort() override { close(); }

  // The rig is opened by whoever made it: this only checks it has not
  // been lost (it may still be connecting; keying waits for it).
  bool open(const std::string& /*path*/) override {
    held_ = rig_ && rig_->answering();
    return held_;
  }
  // Unkeys; the rig stays connected for its dial.
  void close() override {
    if (held_) rig_->setPtt(false);
    held_ = false;
  }
  bool setKeyed(bool keyed) override {
    if (!held_) return false;
    rig_->setPtt(keyed);
    return rig_->answering();
  }
  bool answering() const override { return held_ && rig_->answering(); }

 private:
  std::shared_ptr<HamlibRig> rig_;
  bool held_ = false;
};

// VOX: the radio keys itself on the transmit audio, nothing is keyed here.
class VoxPttPort : public PttPort {
 public:
  bool open(const std::string&) override { return true; }
  void close() override {}
  bool setKeyed(bool) override { return true; }
};

}  // namespace quillary::psk
