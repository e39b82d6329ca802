#pragma once
// Design-time geometry of the main window, in twips. The frames' heights
// never change; the layout moves and widens them as the window is resized.
namespace quillary::form1design {

inline constexpr double kWindowWidth = 5085;
inline constexpr double kWindowHeight = 6165;
// "TX Button" never makes the window smaller than this while the panel shows:
// wide enough for the row of picture-QSO buttons, the widest of the panel.
inline constexpr double kTransmitWindowWidth = 6500;
inline constexpr double kTransmitWindowHeight = 8625;

inline constexpr double kMargin = 100;        // left edge of the receive area and frames
inline constexpr double kTermTop = 50;
inline constexpr double kFrame2Height = 4080;
inline constexpr double kFrame5Height = 2780;
inline constexpr double kText5Left = 90;
inline constexpr double kText5Top = 1380;
inline constexpr double kText5Height = 980;

inline constexpr double kRowHeight = 300;     // text boxes, combo boxes, buttons

}  // namespace quillary::form1design
