#include "logbook/HookSettings.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "receive/CommandHook.h"
#include "window/Dialogs.h"
#include "window/MainState.h"

namespace quillary {

HookSettings::HookSettings(Form1Context& context, QWidget* parent) : QDialog(parent), context_(context) {
  setObjectName(QStringLiteral("frmHook"));
  setWindowTitle(QStringLiteral("Command hook"));
  auto* column = new QVBoxLayout(this);
  auto* help = new QLabel(QStringLiteral(
      "Program run on each picture command received, with the command line and the IMD as its "
      "arguments (empty: none)"), this);
  help->setWordWrap(true);
  column->addWidget(help);
  auto* row = new QHBoxLayout;
  program_ = new QLineEdit(hookProgram(context.state.programFolder), this);
  program_->setObjectName(QStringLiteral("hookProgram"));
  program_->setMinimumWidth(320);
  auto* browse = new QPushButton(QStringLiteral("Browse"), this);
  browse->setObjectName(QStringLiteral("hookBrowse"));
  browse->setAutoDefault(false);
  row->addWidget(program_);
  row->addWidget(browse);
  column->addLayout(row);
  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("hookOk"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setAutoDefault(false);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  column->addLayout(buttons);
  connect(browse, &QPushButton::clicked, this, &HookSettings::browse);
  connect(ok, &QPushButton::clicked, this, &HookSettings::save);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void HookSettings::browse() {
  const auto chosen = context_.dialogs.openFile(QStringLiteral("Program run on each picture command"),
                                                QDir::homePath(), QStringLiteral("All files (*)"));
  if (chosen) program_->setText(*chosen);
}

void HookSettings::save() {
  if (!writeHookIni(context_.state.programFolder, program_->text())) {
    context_.dialogs.message(QStringLiteral("Cannot write hook.ini !! The setting is still in the box."),
                             Dialogs::Buttons::Ok);
    return;
  }
  accept();
}

}  // namespace quillary
