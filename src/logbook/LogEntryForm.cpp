#include "logbook/LogEntryForm.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillary {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

LogEntryForm::LogEntryForm(const ContactEntry& draft, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmLogEntry"));
  setWindowTitle(QStringLiteral("Log contact"));
  fields_ = new QFormLayout;
  auto* column = new QVBoxLayout(this);
  column->addLayout(fields_);
  call_ = addLine("logCall", QStringLiteral("His call"), draft.call);
  name_ = addLine("logName", QStringLiteral("Name"), draft.name);
  start_ = addTime("logStart", QStringLiteral("Start (UTC)"), draft.start);
  end_ = addTime("logEnd", QStringLiteral("End (UTC)"), draft.end);
  mode_ = new QComboBox(this);
  mode_->setObjectName(QStringLiteral("logMode"));
  mode_->addItems(pskSubmodes());
  mode_->setCurrentText(draft.submode);
  fields_->addRow(QStringLiteral("Mode"), mode_);
  frequency_ = addLine("logFrequency", QStringLiteral("Frequency (MHz)"), draft.frequencyMhz);
  reportSent_ = addLine("logReportSent", QStringLiteral("Report sent"), draft.reportSent);
  reportReceived_ = addLine("logReportReceived", QStringLiteral("Report received"), draft.reportReceived);
  ownCall_ = addLine("logOwnCall", QStringLiteral("My call"), draft.ownCall);
  pictures_ = addLine("logPictures", QStringLiteral("Pictures"), draft.pictures);
  comment_ = addLine("logComment", QStringLiteral("Comment"), draft.comment);

  auto* buttons = new QHBoxLayout;
  QPushButton* save = button(this, "logSave", QStringLiteral("Save"));
  save->setDefault(true);
  QPushButton* cancel = button(this, "logCancel", QStringLiteral("Cancel"));
  QPushButton* log = button(this, "logShowLog", QStringLiteral("Log window"));
  buttons->addWidget(log);
  buttons->addStretch();
  buttons->addWidget(save);
  buttons->addWidget(cancel);
  column->addLayout(buttons);
  connect(save, &QPushButton::clicked, this, &LogEntryForm::saveAsked);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(log, &QPushButton::clicked, this, &LogEntryForm::logWindowAsked);
  // Everything else is filled in; the comment is what is left to type.
  comment_->setFocus();
}

QLineEdit* LogEntryForm::addLine(const char* name, const QString& label, const QString& text) {
  auto* box = new QLineEdit(text, this);
  box->setObjectName(QString::fromLatin1(name));
  fields_->addRow(label, box);
  return box;
}

QDateTimeEdit* LogEntryForm::addTime(const char* name, const QString& label, const QDateTime& time) {
  auto* box = new QDateTimeEdit(this);
  box->setObjectName(QString::fromLatin1(name));
  box->setTimeSpec(Qt::UTC);
  box->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
  box->setDateTime(time.toUTC());
  fields_->addRow(label, box);
  return box;
}

ContactEntry LogEntryForm::entry() const {
  ContactEntry e;
  e.call = call_->text();
  e.name = name_->text();
  e.start = start_->dateTime();
  e.end = end_->dateTime();
  e.submode = mode_->currentText();
  e.frequencyMhz = frequency_->text();
  e.reportSent = reportSent_->text();
  e.reportReceived = reportReceived_->text();
  e.ownCall = ownCall_->text();
  e.pictures = pictures_->text();
  e.comment = comment_->text();
  return e;
}

}  // namespace quillary
