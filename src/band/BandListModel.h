#pragma once
// The band list's rows: one per station, kept by the station's id so that
// a row stays put (and selected) while its text and frequency change under
// it. A row with a picture command is marked; a silent row fades.
#include <QAbstractTableModel>
#include <QString>
#include <vector>

namespace quillary {

class BandListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { Frequency, Mode, Level, Calls, LastLine, Command, ColumnCount };
  // The number a column sorts by (frequency and level), else its text.
  static constexpr int kSortRole = Qt::UserRole;

  struct Row {
    int id = 0;
    int hz = 0;
    QString mode;
    int levelDb = 0;  // signal to noise in 3 kHz
    QString calls;
    QString line;
    QString command;  // empty: none seen
    double fade = 0;  // 0 heard lately .. 1 about to go
  };

  using QAbstractTableModel::QAbstractTableModel;

  // The rows as they now stand: rows whose id is gone are removed, the
  // others changed in place, new ones added at the end.
  void setRows(const std::vector<Row>& rows);
  const Row& row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QVariant text(const Row& row, int column) const;

  std::vector<Row> rows_;
};

}  // namespace quillary
