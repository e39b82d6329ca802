#include "logbook/LogTableModel.h"

#include "logbook/Logbook.h"
#include "logbook/RecordEdit.h"

namespace quillary {

namespace {

struct Column {
  const char* field;
  const char* title;
};
constexpr Column kColumns[] = {
    {"QSO_DATE", "Date"}, {"TIME_ON", "Time"},  {"CALL", "Call"},     {"NAME", "Name"},
    {"BAND", "Band"},     {"FREQ", "MHz"},      {"MODE", "Mode"},     {"SUBMODE", "Submode"},
    {"RST_SENT", "Sent"}, {"RST_RCVD", "Rcvd"}, {"COMMENT", "Comment"},
};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));

}  // namespace

LogTableModel::LogTableModel(Logbook& logbook, QObject* parent)
    : QAbstractTableModel(parent), logbook_(&logbook) {
  connect(&logbook, &Logbook::changed, this, [this] {
    if (editing_) return;  // setData tells the view itself
    beginResetModel();
    endResetModel();
  });
}

const std::vector<LogRecord>& LogTableModel::records() const {
  static const std::vector<LogRecord> none;
  return logbook_ ? logbook_->records() : none;
}

int LogTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(records().size());
}

int LogTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant LogTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const LogRecord& record = records()[static_cast<std::size_t>(index.row())];
  const char* field = kColumns[index.column()].field;
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return QString::fromStdString(record.value(field));
    case kSortRole:
      if (index.column() == kDateColumn)
        return QString::fromStdString(record.value("QSO_DATE") + record.value("TIME_ON"));
      return QString::fromStdString(record.value(field));
    default:
      return {};
  }
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kColumnCount)
    return {};
  return QString::fromLatin1(kColumns[section].title);
}

Qt::ItemFlags LogTableModel::flags(const QModelIndex& index) const {
  return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool LogTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount()) return false;
  std::vector<LogRecord> edited = records();
  LogRecord& record = edited[static_cast<std::size_t>(index.row())];
  const EditResult edit = editedRecord(record, kColumns[index.column()].field, value.toString());
  if (!edit.record) {
    emit refused(edit.problem);
    return false;
  }
  if (*edit.record == record) return true;
  record = *edit.record;
  editing_ = true;
  const bool written = logbook_->replaceAll(std::move(edited));
  editing_ = false;
  if (!written) {
    // The log may have been read again; the view is told once the editor
    // that is committing has gone.
    QMetaObject::invokeMethod(this, [this] {
      beginResetModel();
      endResetModel();
    }, Qt::QueuedConnection);
    emit refused(QStringLiteral("Cannot write %1 !! The contact is as it was.")
                     .arg(QString::fromStdString(logbook_->path().string())));
    return false;
  }
  emit dataChanged(this->index(index.row(), 0), this->index(index.row(), kColumnCount - 1));
  return true;
}

}  // namespace quillary
