#pragma once
// The log's contacts as a table: one row per contact in file order, one
// column per field shown. A cell edited is checked and the whole log
// written anew; a refused edit leaves the contact as it was.
#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

#include "logbook/LogRecord.h"

namespace quillary {

class Logbook;

class LogTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // The date column sorts by date and time together.
  static constexpr int kDateColumn = 0;
  static constexpr int kCallColumn = 2;
  static constexpr int kSortRole = Qt::UserRole;

  explicit LogTableModel(Logbook& logbook, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  // Why an edit was not taken.
  void refused(const QString& problem);

 private:
  // The log goes with the main window before this model's window does,
  // whose view may still ask for rows on its way out.
  const std::vector<LogRecord>& records() const;
  QPointer<Logbook> logbook_;
  bool editing_ = false;  // a change of the log that this model made itself
};

}  // namespace quillary
