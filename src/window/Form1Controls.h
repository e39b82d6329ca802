#pragma once
// The controls of the main window, under their own names. An array of
// controls is a std::array indexed as the array is; an array with gaps
// (Command4 has 0..6 and 10, lbMy has 2, 5 and 6) keeps its elements apart.
// Every control carries its name as objectName ("Command4_10", "Picture4_1").
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QTimer;

namespace quillary {

class FrequencyScrollBar;
class PictureBox;

struct Form1Controls {
  // Top level.
  QPlainTextEdit* Term = nullptr;   // the receive area
  QGroupBox* Frame2 = nullptr;      // the control panel, no caption
  QGroupBox* Frame5 = nullptr;      // the transmit panel "PSK TX"
  QTimer* Timer1 = nullptr;         // signal search, created stopped
  QTimer* Timer2 = nullptr;         // transmit indicator, created running
  // The common dialog of the design (file open, font) is the Dialogs seam
  // handed to Form1; it has no widget here.

  // Transmit panel (Frame5).
  QComboBox* Combo8 = nullptr;                 // greeting
  std::array<QPushButton*, 7> Command9{};      // macro send "sf1".."sf7"
  std::array<QPushButton*, 7> Command4{};      // picture-QSO actions 0..6
  QPushButton* Command4_10 = nullptr;          // "CQ", element 10 of Command4
  QPlainTextEdit* Text5 = nullptr;             // transmit text
  QComboBox* Combo5 = nullptr;                 // comm port number
  QPushButton* Command6 = nullptr;             // "Tune"
  QPushButton* Command5 = nullptr;             // "ABORT(F12)"
  QPushButton* Command3 = nullptr;             // "Open" (comm port)
  QPushButton* cmdRadio = nullptr;             // "Radio": how the radio is keyed and read
  QLabel* lblRadio = nullptr;                  // the dial, or the keying and its trouble
  QPushButton* cmdLog = nullptr;               // "Log": the contact into the log

  // Control panel (Frame2).
  QLineEdit* Text6 = nullptr;       // his name
  QPushButton* Command11 = nullptr; // "Name"
  QPushButton* Command10 = nullptr; // "Set Sound"
  QPushButton* Command8 = nullptr;  // "Macro"
  QCheckBox* ckTXAFC = nullptr;     // "NET"
  QLineEdit* txtTX = nullptr;       // transmit frequency
  FrequencyScrollBar* VScroll2 = nullptr;   // transmit frequency, 3000 top .. 500 bottom
  QPushButton* Command7 = nullptr;  // "TX Font"
  QPushButton* Command19 = nullptr; // "RX Font"
  QLineEdit* Text27 = nullptr;      // his call
  QComboBox* Combo6 = nullptr;      // preset frequency
  QCheckBox* Check3 = nullptr;      // "TX Button"
  QCheckBox* Check1 = nullptr;      // "No rec myself"
  QLineEdit* Text4 = nullptr;       // my call
  QScrollBar* VScroll3 = nullptr;   // squelch, 0 top .. 99 bottom
  PictureBox* Picture3 = nullptr;   // signal level bar
  QLineEdit* Text3 = nullptr;       // last received line
  std::array<PictureBox*, 2> Picture4{};  // 0 search indicator, 1 transmit indicator
  QPushButton* Command2 = nullptr;  // "Kanji OFF"
  PictureBox* Picture5 = nullptr;   // IMD meter
  PictureBox* Picture1 = nullptr;   // phase vector, holds Picture4[1]
  FrequencyScrollBar* VScroll1 = nullptr;   // receive frequency, 3000 top .. 100 bottom
  QLineEdit* txtRec = nullptr;      // receive frequency
  QLineEdit* txtIMD = nullptr;      // IMD statistics
  QCheckBox* ckRXAFC = nullptr;     // "AFC"
  QPushButton* Command1 = nullptr;  // "Reset" (IMD)
  QLineEdit* Text1 = nullptr;       // IMD reading count
  QLineEdit* Text2 = nullptr;       // last IMD reading
  PictureBox* Picture2 = nullptr;   // spectrum, holds Command23
  QPushButton* Command23 = nullptr; // preset "1600Hz"
  QLabel* Label2 = nullptr;         // sound-card clock error "0 ppm"
  QPushButton* cmdBand = nullptr;   // "Band": opens the band window

  QGroupBox* Frame1 = nullptr;      // "PSK Mode"
  QComboBox* Combo7 = nullptr;      // display range
  QComboBox* Combo3 = nullptr;      // PSK mode
  QComboBox* Combo4 = nullptr;      // search half-width
  QCheckBox* Check2 = nullptr;      // "Search"

  QGroupBox* Frame3 = nullptr;      // "FFT Mode"
  QComboBox* Combo1 = nullptr;      // spectrum smoothing
  QComboBox* Combo2 = nullptr;      // spectrum bias

  // Labels: 0 "PSK Freq Hz", 1 "Comm Port", 2 "His Call", 3 "Mode", 4 "Range".
  std::array<QLabel*, 5> Label1{};
  // Labels: 0 "IMD", 1 "CMD", 2 "My Call".
  std::array<QLabel*, 3> Label3{};
  QLabel* lbMy_2 = nullptr;  // "Clock"
  QLabel* lbMy_5 = nullptr;  // "Smooth"
  QLabel* lbMy_6 = nullptr;  // "Bias"
};

}  // namespace quillary
