#pragma once
#include "window/Form1Context.h"

namespace quillary {

// The transmit panel sends nothing without the operator's call sign: true
// when "My Call" holds text (blanks count); otherwise the operator is asked
// for it ("Input your call sign") and false comes back.
bool requireOwnCall(Form1Context& context);

}  // namespace quillary
