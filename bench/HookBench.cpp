// Costs of notifications through the real main window and its hook: a
// display-ready notification (vector, level and spectrum drawn from modem
// data) and a received character.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <random>

#include "BenchSupport.h"
#include "QuietModem.h"
#include "app/Form1.h"
#include "modem/ModemWindow.h"
#include "window/Dialogs.h"
#include "window/ModemMessageEvent.h"

namespace quillary {
namespace {

// A band with three signals, a strong phase vector, AFC holding 1500 Hz.
class BandModem : public QuietModem {
 public:
  BandModem() : band_(bench::bandBins()) {}
  int32_t fnStartSoundCard(ModemWindow*, int32_t, int32_t) override { return 0; }
  int32_t fnGetRXFrequency(int32_t) override { return 1500; }
  int32_t fnGetSignalLevel(int32_t) override { return 64; }
  int32_t fnGetFFTData(int32_t* bins, int32_t first, int32_t last) override {
    std::copy(band_.begin() + first, band_.begin() + last + 1, bins + first);
    return 0;
  }
  int32_t fnGetVectorData(int32_t* points, int32_t) override {
    const int32_t vector[kVectorValues] = {1000, 0, -990, 20, 985, -10, -1000, 5,
                                           995,  0, -980, 0,  990, 15,  -995,  -5};
    std::copy(vector, vector + kVectorValues, points);
    return 0;
  }

 private:
  std::array<int32_t, kSpectrumBins> band_{};
};

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

struct LoadedWindow {
  QTemporaryDir folder;
  BandModem modem;
  SilentDialogs dialogs;
  std::unique_ptr<Form1> form;

  LoadedWindow() {
    bench::ensureApplication();
    form = std::make_unique<Form1>(modem, dialogs, folder.path().toStdString(), -1);
    form->show();
    QCoreApplication::processEvents();
  }
  void deliver(int32_t message, int32_t wParam) {
    form->post(message, wParam, 0);
    QCoreApplication::sendPostedEvents(form.get(), ModemMessageEvent::eventType());
  }
};

void BM_HookDisplayReady(benchmark::State& state) {
  LoadedWindow window;
  for (auto _ : state) window.deliver(kMsgDisplayReady, 0);
}
BENCHMARK(BM_HookDisplayReady)->Unit(benchmark::kMicrosecond);

void BM_HookCharacter(benchmark::State& state) {
  LoadedWindow window;
  int64_t sent = 0;
  for (auto _ : state) {
    window.deliver(kMsgCharacter, (sent % 61 == 60) ? 13 : 'A' + sent % 26);
    ++sent;
  }
}
BENCHMARK(BM_HookCharacter)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillary
