#pragma once
// The values the main window shares between its handlers. They live from the
// load of the main window to its unload and are read and written only on the
// user-interface thread. Flags, counters and frequencies are 16-bit, as the
// settings files and the modem contract expect them.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "window/DisplayRange.h"
#include "window/ImdStatistics.h"
#include "window/NameEntries.h"
#include "window/RadioReading.h"

namespace quillary {

struct CommPortState {
  int16_t open = 0;      // 1 while the modem holds the port
  int16_t port = 0;      // the number last passed to open a port
  int16_t pttMode = 0;   // 3 each time a port is opened
};

struct MainState {
  std::filesystem::path programFolder;
  int16_t soundDevice = -1;   // -1 = the system's default device
  std::string soundDeviceName;  // as the chooser showed it; sound.ini's second line
  int16_t soundReset = 0;     // 1 after "Set Sound": unload keeps sound.ini absent

  int16_t presetCentre = 1600;  // Hz, centre of the signal search
  DisplayRange range;
  std::string cr = "\r";
  std::string lf = "\n";

  int16_t transmitState = 0;   // 0 receiving, 1 transmitting, 2 Morse sign-off
  int16_t transmitterOn = 0;   // 1 while the modem reports the transmitter on
  ImdStatistics imd;
  int16_t kanjiMode = 0;
  int16_t afc = 1;
  int16_t searchState = 2;     // 2 hunting, 1 holding
  int16_t squelch = 0;         // 0..99
  int32_t modeCode = 0;        // BPSK31

  bool unwrittenToldOnce = false;  // the operator has heard that a file could not be written

  std::string nameLogPath;     // empty until the name log is known
  int16_t nameCount = 0;
  NameEntries names;          // entries 1..nameCount are in use
  std::string hisName;

  // Width and height from psk.ini, applied by "TX Button".
  int16_t savedWidth = 0;
  int16_t savedHeight = 0;

  CommPortState commPort;
  RadioReading radio;  // kept by the station's CAT reader
  uint64_t pttDropsSeen = 0;  // PTT ports the modem let go of, as last counted
  bool pttDropped = false;    // since "Open": the held port stopped answering

  // Entries 1..7 of the macro table live at index 0..6.
  std::array<std::string, 7> macros;
  std::string sendText;
  // The texts the picture-QSO actions handed to the modem, oldest first, so
  // the log can tell the report and commands a contact sent; the log empties
  // it as each contact begins.
  std::vector<std::string> pictureTextsSent;
  int16_t transmitToken = 0;
  int16_t receiveToken = 0;
};

}  // namespace quillary
