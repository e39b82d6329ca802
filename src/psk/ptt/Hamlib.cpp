#include "psk/ptt/Hamlib.h"

#include <hamlib/rig.h>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <csignal>
#include <cstring>

namespace quillary::psk::hamlib {

std::mutex& globalMutex() {
  static std::mutex mutex;
  return mutex;
}

void prepare() {
  static std::once_flag once;
  std::call_once(once, [] {
    std::signal(SIGPIPE, SIG_IGN);
    std::lock_guard lock(globalMutex());
    rig_set_debug(RIG_DEBUG_NONE);
    rig_load_all_backends();
  });
}

void keepNumericLocaleC() {
  static std::once_flag once;
  std::call_once(once, [] {
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    if (current == nullptr || std::strcmp(current, "C") != 0) std::setlocale(LC_NUMERIC, "C");
  });
}

namespace {

int addModel(const rig_caps* caps, rig_ptr_t data) {
  auto* models = static_cast<std::vector<RigModelEntry>*>(data);
  models->push_back({static_cast<int32_t>(caps->rig_model), caps->mfg_name ? caps->mfg_name : "",
                     caps->model_name ? caps->model_name : ""});
  return 1;  // go on
}

}  // namespace

std::vector<RigModelEntry> rigModels() {
  prepare();
  std::vector<RigModelEntry> models;
  {
    std::lock_guard lock(globalMutex());
    rig_list_foreach(addModel, &models);
  }
  std::ranges::sort(models, {}, &RigModelEntry::number);
  return models;
}

std::string errorText(int result) {
  const char* text = rigerror2(result);
  std::string line = text ? text : "error " + std::to_string(result);
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
  return line;
}

std::string modelName(int model) {
  prepare();
  std::lock_guard lock(globalMutex());
  const rig_caps* caps = rig_get_caps(model);
  if (caps == nullptr) return "rig model " + std::to_string(model);
  return std::string(caps->mfg_name ? caps->mfg_name : "") + " " + (caps->model_name ? caps->model_name : "");
}

}  // namespace quillary::psk::hamlib
