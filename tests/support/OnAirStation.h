#pragma once
// A station for end-to-end tests: a main window on its own engine, in its
// own program folder, on one side of a simulated band; and the band pumped
// while a transmission runs.
#include <QString>
#include <functional>

#include "app/Form1.h"
#include "psk/audio/InProcessChannel.h"
#include "psk/PskEngine.h"
#include "support/EngineTestSupport.h"
#include "support/FakeDialogs.h"
#include "support/GuiTest.h"

namespace quillary::testing {

struct OnAirStation {
  explicit OnAirStation(psk::PumpedAudio& audio)
      : devices({&audio}), engine(devices), form(engine, dialogs, folder.path(), 0) {}

  template <class W>
  W* control(const char* name) {
    return form.findChild<W*>(QString::fromLatin1(name));
  }

  psk::test::PumpedDevices devices;
  psk::PskEngine engine;
  FakeDialogs dialogs;
  TempFolder folder;
  Form1 form;
};

// Pumps the band, handling the windows' events after each block, until the
// sender's modem has reported its transmitter on and then off again, or
// `maxSeconds` of audio have passed. True when the transmission ended.
bool pumpUntilTransmissionEnds(psk::InProcessChannel& band, Form1& sender, double maxSeconds = 60);
// The same for any band, given how to pump one block of it.
bool pumpUntilTransmissionEnds(const std::function<void(std::size_t)>& pumpBand, Form1& sender,
                               double maxSeconds = 60);

}  // namespace quillary::testing
