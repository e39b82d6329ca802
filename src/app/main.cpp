// Quillary: the device chooser first, then the main window on the chosen
// sound device. SIGINT and SIGTERM close the main window as the operator
// would (its settings are written); before it shows they end the program
// like "Exit".
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <filesystem>
#include <memory>

#include "app/FontSubstitutes.h"
#include "app/Form1.h"
#include "app/ModemSetup.h"
#include "app/ProgramFolder.h"
#include "app/QtDialogs.h"
#include "app/SoundBoardChooser.h"
#include "app/TerminationSignals.h"

int main(int argc, char* argv[]) {
  using namespace quillary;
  QApplication app(argc, argv);
  installFontSubstitutes();
  const std::filesystem::path currentDirectory = std::filesystem::current_path();
  const std::filesystem::path programFolder = programFolderFor(
      argumentText(QApplication::arguments()), currentDirectory,
      std::filesystem::path(QDir::homePath().toStdString()));

  ModemParts parts = makeModemParts();
  QtDialogs dialogs;
  std::unique_ptr<Form1> mainWindow;
  frmSoundBoard chooser(
      *parts.inventory,
      [&](int16_t soundDevice) {
        mainWindow = std::make_unique<Form1>(*parts.modem, dialogs, *parts.radio, programFolder, soundDevice);
        mainWindow->controls().Combo5->setToolTip(QString::fromStdString(parts.commPortTooltip));
        mainWindow->state().soundDeviceName = chooser.soundDeviceName();
        dialogs.setParent(mainWindow.get());
        mainWindow->show();
      },
      currentDirectory);

  TerminationSignals termination;
  QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [&] {
    if (mainWindow && mainWindow->isVisible()) {
      mainWindow->close();
    } else {
      chooser.close();
    }
    QApplication::quit();
  });

  chooser.load();
  if (!chooser.isVisible() && !(mainWindow && mainWindow->isVisible())) return 0;
  const int result = QApplication::exec();
  // The window goes before the modem it reports to.
  mainWindow.reset();
  return result;
}
