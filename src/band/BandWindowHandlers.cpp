#include "band/BandWindowHandlers.h"

#include <QPointer>
#include <QPushButton>
#include <QtGlobal>

#include "band/BandIni.h"
#include "band/BandWindow.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"
#include "window/TwipsWindow.h"

namespace quillary {

namespace {

// What the main window keeps of the band window: the reader, band.ini as
// read, and the window once made. A child of the main window, so it goes
// with it.
class BandKeeper : public QObject {
 public:
  BandKeeper(Form1Context context, BandReader& reader) : QObject(&context.window), context(context), reader(reader) {}

  BandWindow& window() {
    if (!made) {
      made = new BandWindow(context, reader);
      made->place(saved);
    }
    return *made;
  }

  Form1Context context;
  BandReader& reader;
  BandIni saved;
  QPointer<BandWindow> made;
};

BandKeeper* keeperOf(Form1Context& context) {
  for (QObject* child : context.window.children())
    if (auto* keeper = dynamic_cast<BandKeeper*>(child)) return keeper;
  return nullptr;
}

std::filesystem::path bandIniOf(const Form1Context& context) { return context.state.programFolder / "band.ini"; }

}  // namespace

void connectBandWindow(Form1Context& context, BandReader* reader) {
  QPushButton& button = *context.controls.cmdBand;
  if (reader == nullptr) {
    button.setEnabled(false);
    return;
  }
  new BandKeeper(context, *reader);
  QObject::connect(&button, &QPushButton::clicked, &button, [context]() mutable { onBandButtonClicked(context); });
}

void onBandButtonClicked(Form1Context& context) {
  BandKeeper* keeper = keeperOf(context);
  if (keeper == nullptr) return;
  BandWindow& window = keeper->window();
  window.show();
  window.raise();
  window.activateWindow();
}

void restoreBandWindow(Form1Context& context) {
  BandKeeper* keeper = keeperOf(context);
  if (keeper == nullptr) return;
  keeper->saved = readBandIni(bandIniOf(context));
  if (keeper->saved.open) keeper->window().show();
}

void closeBandWindow(Form1Context& context) {
  BandKeeper* keeper = keeperOf(context);
  if (keeper == nullptr) return;
  BandIni values = keeper->made ? keeper->made->saved() : keeper->saved;
  if (!keeper->made) values.open = false;
  const std::filesystem::path file = bandIniOf(context);
  if (!writeBandIni(file, values)) qWarning("Quillary: %s could not be written", file.string().c_str());
  if (keeper->made) keeper->made->close();
}

BandWindow* bandWindow(Form1Context& context) {
  BandKeeper* keeper = keeperOf(context);
  return keeper ? keeper->made.data() : nullptr;
}

}  // namespace quillary
