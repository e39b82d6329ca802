#pragma once
// The "Log" window: the contacts, newest first, searched by call, sorted by
// any column, edited in place and deleted after a question; importing
// another program's ADIF file, exporting the whole log, and the hook's
// settings.
#include <QWidget>

#include "window/Form1Context.h"

class QLabel;
class QSortFilterProxyModel;
class QTableView;

namespace quillary {

class Logbook;
class LogTableModel;

class LogWindow : public QWidget {
  Q_OBJECT
 public:
  LogWindow(Form1Context& context, QWidget* parent);

 private:
  void deleteSelected();
  void importFile();
  void exportLog();
  void openHookSettings();
  void showCount();
  void tell(const QString& text);

  Form1Context& context_;
  Logbook& logbook_;
  LogTableModel* model_;
  QSortFilterProxyModel* sorted_;
  QTableView* table_;
  QLabel* count_;
};

// Shows the window's log window, made at its first showing.
void showLogWindow(Form1Context& context);

}  // namespace quillary
