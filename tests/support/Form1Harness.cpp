#include "support/Form1Harness.h"

namespace quillary::testing {

Form1Harness::Form1Harness(int16_t soundDevice) {
  ensureQtApplication();
  form_ = std::make_unique<Form1>(modem, dialogs, folder_.path(), soundDevice);
}

Form1Harness::~Form1Harness() { form_.reset(); }

Form1& Form1Harness::load() {
  form_->show();
  return *form_;
}

void Form1Harness::close() { form_->close(); }

}  // namespace quillary::testing
