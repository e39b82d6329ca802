#pragma once
// A main window on its own engine and in its own program folder, on one
// side of a simulated band; and the band pumped as the event loop would.
#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>

#include "app/Form1.h"
#include "psk/Station.h"
#include "support/EngineTestSupport.h"
#include "support/FakeDialogs.h"
#include "support/GuiTest.h"

namespace quillary::testing {

struct OnAirStation {
  explicit OnAirStation(psk::PumpedAudio& audio, psk::PskEngine::Options options = {})
      : devices((ensureQtApplication(), std::vector{&audio})),
        engine(devices, std::move(options)),
        station(engine),
        form(engine, dialogs, station, folder.path(), 0) {}

  template <class W>
  W* control(const char* name) {
    return form.findChild<W*>(QString::fromLatin1(name));
  }
  void press(const char* button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
  QString received() { return control<QPlainTextEdit>("Term")->toPlainText(); }
  // Shown, with a squelch over the band's noise (in tens: a page of the bar each).
  void show(int squelch = 30) {
    form.show();
    for (int page = 0; page < squelch / 10; ++page) QTest::keyClick(control<QScrollBar>("VScroll3"), Qt::Key_PageUp);
  }
  // The transmit panel shown, own call and transmit frequency typed in.
  void readyToTransmit(const QString& call, const QString& transmitHz) {
    QTest::mouseClick(control<QCheckBox>("Check3"), Qt::LeftButton);
    form.setWidthTwips(7000);
    retype(control<QLineEdit>("Text4"), call);
    retype(control<QLineEdit>("txtTX"), transmitHz);
  }

  psk::test::PumpedDevices devices;
  psk::PskEngine engine;
  psk::Station station;  // the window's radio link, on the engine
  FakeDialogs dialogs;
  TempFolder folder;
  Form1 form;
};

// Pumps the band, handling the windows' events after each block, until
// `done()` or `maxSeconds` of audio have passed.
template <class Band, class Done>
bool pumpUntil(Band& band, Done done, double maxSeconds = 60) {
  constexpr std::size_t kBlock = 256;
  for (double seconds = 0; seconds < maxSeconds; seconds += kBlock / 8000.0) {
    band.pump(kBlock);
    QCoreApplication::sendPostedEvents();
    if (done()) return true;
  }
  return false;
}

// Until the sender's transmitter has gone on and then off again.
template <class Band>
bool pumpUntilTransmissionEnds(Band& band, Form1& sender, double maxSeconds = 60) {
  bool keyed = false;
  return pumpUntil(band, [&] {
    keyed = keyed || sender.state().transmitterOn == 1;
    return keyed && sender.state().transmitterOn == 0;
  }, maxSeconds);
}

}  // namespace quillary::testing
