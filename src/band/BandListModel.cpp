#include "band/BandListModel.h"

#include <QColor>
#include <algorithm>
#include <cmath>

namespace quillary {

namespace {

const QColor kCommandMark(255, 214, 150);
// Text fades from black towards the list's white ground.
constexpr int kFadedGrey = 200;

}  // namespace

void BandListModel::setRows(const std::vector<Row>& rows) {
  const auto incoming = [&rows](int id) {
    return std::find_if(rows.begin(), rows.end(), [id](const Row& row) { return row.id == id; });
  };
  for (int i = static_cast<int>(rows_.size()) - 1; i >= 0; --i) {
    if (incoming(rows_[i].id) != rows.end()) continue;
    beginRemoveRows({}, i, i);
    rows_.erase(rows_.begin() + i);
    endRemoveRows();
  }
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    rows_[i] = *incoming(rows_[i].id);
    emit dataChanged(index(static_cast<int>(i), 0), index(static_cast<int>(i), ColumnCount - 1));
  }
  for (const Row& row : rows) {
    const bool known = std::any_of(rows_.begin(), rows_.end(), [&row](const Row& kept) { return kept.id == row.id; });
    if (known) continue;
    const int at = static_cast<int>(rows_.size());
    beginInsertRows({}, at, at);
    rows_.push_back(row);
    endInsertRows();
  }
}

int BandListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int BandListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant BandListModel::text(const Row& row, int column) const {
  switch (column) {
    case Frequency: return row.hz;
    case Mode: return row.mode;
    case Level: return row.levelDb;
    case Calls: return row.calls;
    case LastLine: return row.line;
    case Command: return row.command;
    default: return {};
  }
}

QVariant BandListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const Row& row = rows_[static_cast<std::size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
    case kSortRole:
      return text(row, index.column());
    case Qt::ToolTipRole:
      return index.column() == LastLine ? QVariant(row.line) : QVariant();
    case Qt::ForegroundRole: {
      const int grey = static_cast<int>(std::lround(row.fade * kFadedGrey));
      return QColor(grey, grey, grey);
    }
    case Qt::BackgroundRole:
      return row.command.isEmpty() ? QVariant() : QVariant(kCommandMark);
    case Qt::TextAlignmentRole:
      return index.column() == Frequency || index.column() == Level
                 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                 : QVariant();
    default:
      return {};
  }
}

QVariant BandListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case Frequency: return QStringLiteral("Hz");
    case Mode: return QStringLiteral("Mode");
    case Level: return QStringLiteral("S/N dB");
    case Calls: return QStringLiteral("Calls");
    case LastLine: return QStringLiteral("Last line");
    case Command: return QStringLiteral("Picture command");
    default: return {};
  }
}

}  // namespace quillary
