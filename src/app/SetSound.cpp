#include "app/SetSound.h"

#include <QPushButton>
#include <filesystem>
#include <system_error>

#include "app/Form1.h"
#include "window/Dialogs.h"

namespace quillary {

void onSetSoundClicked(Form1Context& context) {
  const auto answer = context.dialogs.message(QStringLiteral("Do you want to set Sound Boad ??"),
                                              Dialogs::Buttons::YesNo);
  if (answer != Dialogs::Answer::Yes) return;
  // A file that is not there is no error: the next start shows the chooser
  // either way.
  std::error_code ignored;
  std::filesystem::remove(context.state.programFolder / "sound.ini", ignored);
  context.dialogs.message(QStringLiteral("Restart program !!!!"), Dialogs::Buttons::Ok);
  context.state.soundReset = 1;
  context.window.close();
}

void connectSetSound(Form1Context& context) {
  QObject::connect(context.controls.Command10, &QPushButton::clicked, &context.window,
                   [&context] { onSetSoundClicked(context); });
}

}  // namespace quillary
