#pragma once
// What a benchmark needs to build the main window: dialogs nobody answers
// and the radio as most stations start (serial keying, no rig).
#include <QFont>
#include <QString>
#include <optional>
#include <vector>

#include "modem/RadioLink.h"
#include "window/Dialogs.h"

namespace quillary::bench {

class SilentDialogs : public Dialogs {
 public:
  Answer message(const QString&, Buttons) override { return Answer::Ok; }
  std::optional<QString> openFile(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> saveFile(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QFont> chooseFont(const QFont&) override { return std::nullopt; }
};

// Serial keying, no rig: the window's radio as most stations start.
class SerialRadio : public RadioLink {
 public:
  void configure(const RadioSettings& settings) override { settings_ = settings; }
  RadioSettings settings() const override { return settings_; }
  bool holdPtt() override { return false; }
  void test(int32_t) override {}
  RadioStatus status() const override { return {}; }
  std::vector<RigModelEntry> rigModels() const override { return {}; }

 private:
  RadioSettings settings_;
};

}  // namespace quillary::bench
