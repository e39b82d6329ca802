#include "station/RadioIni.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/FieldReader.h"
#include "common/Numbers.h"

namespace quillary {
namespace {

constexpr double kHighestSpeed = 10'000'000;
constexpr double kHighestModel = 1'000'000'000;

std::optional<PttMethod> methodFrom(const Field& field) {
  for (PttMethod method : {PttMethod::Serial, PttMethod::Cat, PttMethod::Vox})
    if (field.text == methodName(method)) return method;
  return std::nullopt;
}

std::optional<int32_t> wholeFrom(const Field& field, double lowest, double highest) {
  const std::optional<double> number = fieldNumber(field);
  if (!number || *number != std::floor(*number) || *number < lowest || *number > highest) return std::nullopt;
  return static_cast<int32_t>(*number);
}

// The four fields, or what is wrong with them.
std::string readFields(FieldReader& reader, RadioSettings& settings) {
  Field method, model, device, speed;
  if (reader.next(method) != FieldStatus::Ok || reader.next(model) != FieldStatus::Ok ||
      reader.next(device) != FieldStatus::Ok || reader.next(speed) != FieldStatus::Ok)
    return "it ends before its fourth line";
  const auto m = methodFrom(method);
  if (!m) return "line 1 is \"" + method.text + "\", not \"SERIAL\", \"CAT\" or \"VOX\"";
  const auto rig = wholeFrom(model, 1, kHighestModel);
  if (!rig) return "line 2 is \"" + model.text + "\", not a rig model number";
  const auto baud = wholeFrom(speed, 0, kHighestSpeed);
  if (!baud) return "line 4 is \"" + speed.text + "\", not a serial speed";
  settings = {*m, *rig, device.text, *baud};
  return "";
}

}  // namespace

const char* methodName(PttMethod method) {
  switch (method) {
    case PttMethod::Serial: return "SERIAL";
    case PttMethod::Cat: return "CAT";
    case PttMethod::Vox: return "VOX";
  }
  return "SERIAL";
}

RadioIniRead readRadioIni(const std::filesystem::path& file) {
  RadioIniRead read;
  std::error_code error;
  if (!std::filesystem::exists(file, error)) return read;
  read.found = true;
  auto reader = FieldReader::open(file);
  if (!reader) {
    read.problem = "it cannot be read";
    return read;
  }
  RadioSettings settings;
  read.problem = readFields(*reader, settings);
  if (read.problem.empty()) read.settings = settings;
  return read;
}

std::string formatRadioIni(const RadioSettings& settings) {
  std::string device = settings.rigDevice;
  std::erase(device, '"');
  return "\"" + std::string(methodName(settings.method)) + "\"\r\n" + std::to_string(settings.rigModel) + "\r\n\"" +
         device + "\"\r\n" + std::to_string(settings.serialSpeed) + "\r\n";
}

}  // namespace quillary
