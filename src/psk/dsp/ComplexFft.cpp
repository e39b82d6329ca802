#include "psk/dsp/ComplexFft.h"

#include <fftw3.h>

#include <algorithm>
#include <mutex>

#include "psk/dsp/FftwPlanLock.h"

namespace quillary::psk {

struct ComplexFft::Plan {
  int size;
  fftwf_complex* in;
  fftwf_complex* out;
  fftwf_plan plan;

  explicit Plan(int n) : size(std::max(2, n)) {
    std::lock_guard lock(fftwPlanMutex());
    in = fftwf_alloc_complex(static_cast<std::size_t>(size));
    out = fftwf_alloc_complex(static_cast<std::size_t>(size));
    plan = fftwf_plan_dft_1d(size, in, out, FFTW_FORWARD, FFTW_ESTIMATE);
    std::fill_n(reinterpret_cast<float*>(in), 2 * size, 0.0f);
  }
  ~Plan() {
    std::lock_guard lock(fftwPlanMutex());
    fftwf_destroy_plan(plan);
    fftwf_free(in);
    fftwf_free(out);
  }
  Plan(const Plan&) = delete;
  Plan& operator=(const Plan&) = delete;
};

ComplexFft::ComplexFft(int size) : plan_(std::make_unique<Plan>(size)) {}
ComplexFft::~ComplexFft() = default;
ComplexFft::ComplexFft(ComplexFft&&) noexcept = default;
ComplexFft& ComplexFft::operator=(ComplexFft&&) noexcept = default;

int ComplexFft::size() const { return plan_->size; }

// fftwf_complex is float[2], laid out as std::complex<float>.
std::complex<float>* ComplexFft::input() { return reinterpret_cast<std::complex<float>*>(plan_->in); }

const std::complex<float>* ComplexFft::output() const {
  return reinterpret_cast<const std::complex<float>*>(plan_->out);
}

void ComplexFft::run() { fftwf_execute(plan_->plan); }

}  // namespace quillary::psk
