#pragma once
// The small form a contact is logged with: every field filled in from what
// the window knows, every field editable. Enter saves, Escape cancels.
#include <QDialog>

#include "logbook/ContactEntry.h"

class QComboBox;
class QDateTimeEdit;
class QFormLayout;
class QLineEdit;

namespace quillary {

class LogEntryForm : public QDialog {
  Q_OBJECT
 public:
  LogEntryForm(const ContactEntry& draft, QWidget* parent);

  ContactEntry entry() const;

 signals:
  // The form stays open until the contact is saved, so nothing typed into
  // it is lost when the save fails.
  void saveAsked();
  void logWindowAsked();

 private:
  QLineEdit* addLine(const char* name, const QString& label, const QString& text);
  QDateTimeEdit* addTime(const char* name, const QString& label, const QDateTime& time);

  QFormLayout* fields_;
  QLineEdit* call_;
  QLineEdit* name_;
  QDateTimeEdit* start_;
  QDateTimeEdit* end_;
  QComboBox* mode_;
  QLineEdit* frequency_;
  QLineEdit* reportSent_;
  QLineEdit* reportReceived_;
  QLineEdit* ownCall_;
  QLineEdit* pictures_;
  QLineEdit* comment_;
};

}  // namespace quillary
