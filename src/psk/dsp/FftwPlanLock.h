#pragma once
// FFTW's planner (plan creation and destruction) is not thread-safe; every
// plan in the program is made and destroyed under this one lock. Executing
// a plan needs no lock.
#include <mutex>

namespace quillary::psk {

std::mutex& fftwPlanMutex();

}  // namespace quillary::psk
