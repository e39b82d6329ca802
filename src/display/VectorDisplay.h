#pragma once
// The phase vector and the signal level bar, redrawn at every display-ready
// notification before the spectrum.
#include <array>
#include <cstdint>

#include "app/Form1Context.h"
#include "modem/ModemLibrary.h"

namespace quillary {

using VectorBuffer = std::array<int32_t, kVectorValues>;

void drawVectorAndLevel(Form1Context& context, VectorBuffer& points);

}  // namespace quillary
