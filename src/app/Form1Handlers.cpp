// Where the main window's controls get their behaviour: each subsystem
// connects its handlers here, working on the window's context.
#include "app/CommPort.h"
#include "app/Form1.h"
#include "app/SetSound.h"
#include "band/BandWindowHandlers.h"
#include "display/ImdMeter.h"
#include "display/MainWindowLayout.h"
#include "display/SpectrumDisplay.h"
#include "link/ReceiveTuningHandlers.h"
#include "link/SignalSearchHandlers.h"
#include "link/TransmitIndicator.h"
#include "logbook/LogbookHandlers.h"
#include "macros/Fonts.h"
#include "macros/MacroEditor.h"
#include "macros/MacroSend.h"
#include "macros/NameLog.h"
#include "modem/BandReader.h"
#include "picture/PictureActions.h"
#include "receive/CallCapture.h"
#include "receive/CommandForwarding.h"
#include "station/StationPanel.h"
#include "transmit/TransmitControls.h"
#include "transmit/TransmitKeys.h"

namespace quillary {

void Form1::connectHandlers() {
  connectCommPort(context_);
  connectSetSound(context_);
  connectTransmitButton(context_);
  connectReceiveTuning(context_);
  connectSignalSearch(context_);
  connectTransmitIndicator(context_);
  connectSpectrum(context_);
  connectImdReset(context_);
  connectTransmitControls(context_);
  connectPictureButtons(context_);
  connectCommandForwarding(context_);
  connectNameLog(context_);
  connectCallCapture(context_);
  connectMacroEditor(context_);
  connectMacroSendButtons(context_);
  connectFonts(context_);
  connectTransmitKeys(context_);
  connectStation(context_);
  // The engine reads the band beside the contract; a modem that cannot
  // leaves the "Band" button greyed.
  connectBandWindow(context_, dynamic_cast<BandReader*>(&modem_));
  connectLogbook(context_);
}

}  // namespace quillary
