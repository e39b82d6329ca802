#pragma once
// Renders the phase vector (circle and eight spokes) and the signal level
// bar with its squelch line.
#include <cstdint>

#include <QImage>

namespace quillary {

// `points` holds eight (x, y) pairs, +-1000 full scale; `level` is the
// signal level 0..100 as read from the modem.
void renderPhaseVector(QImage& image, const int32_t* points, int32_t level);

// The bar spans the level (0..100 of the height), the black line the
// squelch threshold.
void renderLevelBar(QImage& image, int16_t level, int16_t squelch);

}  // namespace quillary
