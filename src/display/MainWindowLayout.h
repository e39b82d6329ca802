#pragma once
// The main window's layout: the receive area takes the height the two
// frames leave, the frames follow the width. Plain rules over twips, then a
// thin applier for the real window.
#include <cstdint>
#include <optional>

namespace quillary {

struct Form1Context;

struct LayoutInput {
  double width = 0;          // window width, twips
  double height = 0;         // window height, twips
  double frame2Height = 0;   // the control panel's (fixed) height
  double frame5Height = 0;   // the transmit panel's (fixed) height
  bool transmitPanelShown = false;  // "TX Button" checked
};

struct LayoutPlacement {
  double termWidth = 0;
  double termHeight = 0;
  double frame2Top = 0;
  double frame2Width = 0;
  std::optional<double> frame5Top;  // moved only while the panel shows
  double frame5Width = 0;
  double text5Width = 0;
};

// Nothing when the window is too low for the frames (height - frame2 - 700
// <= 0): every control stays where it was.
std::optional<LayoutPlacement> mainWindowLayout(const LayoutInput& input);

struct WindowSize {
  double width = 0;
  double height = 0;
};

// The window size "TX Button" asks for: the saved size, but at least
// 6500 x 8625 (room for every button of the panel) while the transmit panel
// shows; 5085 x 6165 without it.
WindowSize transmitButtonWindowSize(bool checked, int16_t savedWidth, int16_t savedHeight);

// Places the controls of the main window for its current size. A size or
// position that would be negative is skipped; the others still apply.
void applyMainWindowLayout(Form1Context& context);

// "TX Button" (Check3) clicked: resizes the window (height, then width) and
// shows or hides the transmit panel.
void onTransmitButtonClicked(Form1Context& context);
void connectTransmitButton(Form1Context& context);

}  // namespace quillary
