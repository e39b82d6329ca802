#pragma once
// Renders the IMD scale and the IMD meter.
#include <cstdint>

#include <QImage>

namespace quillary {

// The four zones over the full height, without a bar.
void renderImdScale(QImage& image);

// The scale with a bar for the best reading; 9999 (no reading) draws none.
void renderImdMeter(QImage& image, int16_t best);

}  // namespace quillary
