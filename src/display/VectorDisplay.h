#pragma once
// The phase vector and the signal level bar, redrawn at every display-ready
// notification before the spectrum.
#include <array>
#include <cstdint>

#include "modem/ModemLibrary.h"
#include "window/Form1Context.h"

namespace quillary {

using VectorBuffer = std::array<int32_t, kVectorValues>;

void drawVectorAndLevel(Form1Context& context, VectorBuffer& points);

}  // namespace quillary
