#include "logbook/LogbookHandlers.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtGlobal>

#include "logbook/ContactTexts.h"
#include "logbook/LogEntryForm.h"
#include "logbook/LogWindow.h"
#include "logbook/Logbook.h"
#include "logbook/WorkedBeforeMark.h"
#include "receive/CommandForwarding.h"
#include "window/Dialogs.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"
#include "window/TwipsWindow.h"

namespace quillary {

namespace {

bool isCall(const QString& text) {
  const QString call = text.trimmed();
  return !call.isEmpty() && call != QStringLiteral("ALL");
}

void showWorkedBefore(Form1Context& context) {
  auto* mark = context.controls.Text27->findChild<WorkedBeforeMark*>();
  const QString call = context.controls.Text27->text();
  const WorkedSummary* worked = isCall(call) ? logbookOf(context).worked().find(call.toStdString()) : nullptr;
  mark->showWorked(worked ? QString::fromStdString(workedBeforeText(*worked)) : QString());
}

// A new call is a new contact: nothing heard or sent before it counts.
void beginContact(Form1Context& context) {
  ContactHeard& heard = logbookOf(context).heard();
  heard = ContactHeard{};
  context.state.pictureTextsSent.clear();
  if (isCall(context.controls.Text27->text())) heard.callSetAt = QDateTime::currentDateTimeUtc();
  showWorkedBefore(context);
}

void followReceivedLine(Form1Context& context, const QString& line) {
  ContactHeard& heard = logbookOf(context).heard();
  if (!heard.callSetAt) return;
  if (auto report = reportIn(line)) heard.report = report;
  std::optional<QString> skipped;
  if (context.controls.Check1->isChecked()) skipped = context.controls.Text4->text().toUpper();
  const auto command = pictureCommandIn(line, skipped);
  if (command && !heard.commands.contains(*command)) heard.commands << *command;
}

void saveContact(Form1Context& context, LogEntryForm& form) {
  const RecordOrProblem made = recordOf(form.entry());
  if (!made.record) {
    context.dialogs.message(made.problem, Dialogs::Buttons::Ok);
    return;
  }
  Logbook& logbook = logbookOf(context);
  if (!logbook.save(*made.record)) {
    qWarning("Quillary: the contact could not be added to %s", logbook.path().string().c_str());
    context.dialogs.message(
        QStringLiteral("Cannot write %1 !! The contact stays in the form: press Enter to try again.")
            .arg(QString::fromStdString(logbook.path().string())),
        Dialogs::Buttons::Ok);
    return;
  }
  // Logged: a second log of the same call starts afresh.
  logbook.heard() = ContactHeard{};
  context.state.pictureTextsSent.clear();
  form.close();
}

}  // namespace

ContactSoFar contactSoFar(Form1Context& context) {
  const Form1Controls& c = context.controls;
  const MainState& state = context.state;
  Logbook& logbook = logbookOf(context);
  ContactSoFar known;
  known.hisCall = c.Text27->text();
  known.hisName = c.Text6->text();
  known.ownCall = c.Text4->text();
  known.callSetAt = logbook.heard().callSetAt;
  known.now = QDateTime::currentDateTimeUtc();
  known.modeCode = state.modeCode;
  bool isNumber = false;
  const int transmitHz = c.txtTX->text().trimmed().toInt(&isNumber);
  if (isNumber) known.frequencyHz = rfFrequencyOf(state.radio, transmitHz);
  for (const std::string& text : state.pictureTextsSent) known.sentTexts << QString::fromStdString(text);
  known.reportReceived = logbook.heard().report;
  known.commandsReceived = logbook.heard().commands;
  return known;
}

void openLogEntry(Form1Context& context) {
  auto* open = context.window.findChild<LogEntryForm*>(QStringLiteral("frmLogEntry"));
  if (open != nullptr && open->isVisible()) {
    open->raise();
    open->activateWindow();
    return;
  }
  auto* form = new LogEntryForm(draftOf(contactSoFar(context)), &context.window);
  form->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(form, &LogEntryForm::saveAsked, form, [&context, form] { saveContact(context, *form); });
  QObject::connect(form, &LogEntryForm::logWindowAsked, form, [&context] { showLogWindow(context); });
  form->show();
}

void connectLogbook(Form1Context& context) {
  Form1Controls& c = context.controls;
  auto* logbook = new Logbook(context.state.programFolder, &context.window);
  new WorkedBeforeMark(*c.Text27);
  QObject::connect(c.cmdLog, &QPushButton::clicked, logbook, [&context] { openLogEntry(context); });
  QObject::connect(c.Text27, &QLineEdit::textChanged, logbook, [&context] { beginContact(context); });
  QObject::connect(c.Text3, &QLineEdit::textChanged, logbook,
                   [&context](const QString& line) { followReceivedLine(context, line); });
  QObject::connect(logbook, &Logbook::changed, logbook, [&context] { showWorkedBefore(context); });
}

void loadLogbook(Form1Context& context) {
  Logbook& logbook = logbookOf(context);
  logbook.load();
  // "ALL" at start-up, or a call already there, is a contact from now on.
  beginContact(context);
}

}  // namespace quillary
