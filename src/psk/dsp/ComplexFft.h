#pragma once
// A forward complex FFT of a fixed size (FFTW underneath): fill input(),
// run(), read output(). Movable; plans are made and destroyed under the
// program's one FFTW planner lock.
#include <complex>
#include <memory>

namespace quillary::psk {

class ComplexFft {
 public:
  // `size` >= 2.
  explicit ComplexFft(int size = 64);
  ~ComplexFft();
  ComplexFft(ComplexFft&&) noexcept;
  ComplexFft& operator=(ComplexFft&&) noexcept;

  int size() const;
  std::complex<float>* input();
  // Bin k holds frequency k / size cycles per sample (k >= size / 2: negative).
  const std::complex<float>* output() const;
  void run();

 private:
  struct Plan;
  std::unique_ptr<Plan> plan_;
};

}  // namespace quillary::psk
