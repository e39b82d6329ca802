#pragma once
// The colours of the spectrum, vector, level and IMD pictures.
#include <QColor>

namespace quillary::colours {

inline const QColor kSpectrumBackground{0, 0, 128};
inline const QColor kGridLine{0, 80, 0};
inline const QColor kPresetGridLine{255, 0, 0};
inline const QColor kTrace{0, 255, 255};
inline const QColor kReceiveMarker{255, 255, 0};

// The vector and level pictures have no colour of their own given; a white
// ground keeps the black circle and squelch line readable.
inline const QColor kPictureBackground{255, 255, 255};
inline const QColor kVectorCircle{0, 0, 0};
inline const QColor kStrongSpokes{255, 0, 0};
inline const QColor kWeakSpokes{0, 0, 255};
inline const QColor kLevelBar{0, 200, 255};
inline const QColor kSquelchLine{0, 0, 0};

inline const QColor kImdZoneBad{255, 0, 0};         // 0..15 dB
inline const QColor kImdZonePoor{255, 255, 0};      // 15..20 dB
inline const QColor kImdZoneFair{200, 255, 255};    // 20..30 dB
inline const QColor kImdZoneGood{0, 255, 255};      // 30..50 dB
inline const QColor kImdBar{0, 200, 200};

}  // namespace quillary::colours
