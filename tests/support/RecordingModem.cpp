#include "support/RecordingModem.h"

namespace quillary::testing {

std::vector<std::string> RecordingModem::callsOf(const std::string& function) const {
  std::vector<std::string> found;
  std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found),
               [&](const std::string& call) { return call.rfind(function + "(", 0) == 0; });
  return found;
}

int32_t RecordingModem::record(const std::string& function, const std::vector<long long>& arguments) {
  std::string call = function + "(";
  for (std::size_t i = 0; i < arguments.size(); ++i) call += (i > 0 ? "," : "") + std::to_string(arguments[i]);
  calls_.push_back(call + ")");
  if (std::deque<int32_t>& queued = once_[function]; !queued.empty()) {
    const int32_t result = queued.front();
    queued.pop_front();
    return result;
  }
  auto fixed = fixed_.find(function);
  return fixed == fixed_.end() ? 0 : fixed->second;
}

}  // namespace quillary::testing
