#pragma once
// Renders the spectrum picture: dark blue ground, the frequency grid with
// the preset line in red, the trace, and the receive-frequency marker.
#include <cstdint>
#include <optional>

#include <QImage>

#include "display/SpectrumGeometry.h"

namespace quillary {

struct SpectrumView {
  DisplayRange range;
  const int32_t* bins = nullptr;          // indexed by bin number, lastBin + 1 values at least
  std::optional<double> presetHz;         // the number in the preset box
  std::optional<double> receiveHz;        // the number in the receive-frequency box
};

// Draws over the whole image; its width and height are the drawing units.
void renderSpectrum(QImage& image, const SpectrumView& view);

}  // namespace quillary
