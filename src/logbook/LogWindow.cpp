#include "logbook/LogWindow.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "common/AtomicFile.h"
#include "common/FieldReader.h"
#include "logbook/Adif.h"
#include "logbook/HookSettings.h"
#include "logbook/LogImport.h"
#include "logbook/LogTableModel.h"
#include "logbook/Logbook.h"
#include "window/Dialogs.h"
#include "window/TwipsWindow.h"

namespace quillary {

namespace {

const QString kAdifFilter = QStringLiteral("ADIF files (*.adi *.adif *.ADI *.ADIF);;All files (*)");

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

QString fileText(const std::filesystem::path& file) { return QString::fromStdString(file.string()); }

}  // namespace

LogWindow::LogWindow(Form1Context& context, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context), logbook_(logbookOf(context)) {
  setObjectName(QStringLiteral("frmLog"));
  setWindowTitle(QStringLiteral("Log"));
  resize(900, 480);
  auto* column = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* search = new QLineEdit(this);
  search->setObjectName(QStringLiteral("logSearch"));
  search->setPlaceholderText(QStringLiteral("Search call"));
  search->setClearButtonEnabled(true);
  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("logCount"));
  top->addWidget(search);
  top->addWidget(count_);
  column->addLayout(top);

  model_ = new LogTableModel(logbook_, this);
  sorted_ = new QSortFilterProxyModel(this);
  sorted_->setSourceModel(model_);
  sorted_->setSortRole(LogTableModel::kSortRole);
  sorted_->setFilterKeyColumn(LogTableModel::kCallColumn);
  sorted_->setFilterCaseSensitivity(Qt::CaseInsensitive);
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("logTable"));
  table_->setModel(sorted_);
  table_->setSortingEnabled(true);
  table_->sortByColumn(LogTableModel::kDateColumn, Qt::DescendingOrder);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  table_->horizontalHeader()->setDefaultSectionSize(80);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->verticalHeader()->hide();
  column->addWidget(table_);

  auto* buttons = new QHBoxLayout;
  QPushButton* remove = button(this, "logDelete", QStringLiteral("Delete"));
  QPushButton* import = button(this, "logImport", QStringLiteral("Import"));
  QPushButton* exportButton = button(this, "logExport", QStringLiteral("Export"));
  QPushButton* settings = button(this, "logSettings", QStringLiteral("Settings"));
  for (QPushButton* b : {remove, import, exportButton, settings}) buttons->addWidget(b);
  buttons->addStretch();
  column->addLayout(buttons);

  connect(search, &QLineEdit::textChanged, sorted_, &QSortFilterProxyModel::setFilterFixedString);
  connect(remove, &QPushButton::clicked, this, &LogWindow::deleteSelected);
  connect(import, &QPushButton::clicked, this, &LogWindow::importFile);
  connect(exportButton, &QPushButton::clicked, this, &LogWindow::exportLog);
  connect(settings, &QPushButton::clicked, this, &LogWindow::openHookSettings);
  // Told once the edit that was refused has ended.
  connect(model_, &LogTableModel::refused, this, &LogWindow::tell, Qt::QueuedConnection);
  connect(&logbook_, &Logbook::changed, this, &LogWindow::showCount);
  showCount();
}

void LogWindow::showCount() {
  const std::size_t n = logbook_.records().size();
  count_->setText(n == 1 ? QStringLiteral("1 contact") : QStringLiteral("%1 contacts").arg(n));
}

void LogWindow::tell(const QString& text) { context_.dialogs.message(text, Dialogs::Buttons::Ok); }

void LogWindow::deleteSelected() {
  std::set<std::size_t> rows;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows())
    rows.insert(static_cast<std::size_t>(sorted_->mapToSource(index).row()));
  if (rows.empty()) return;
  const std::vector<LogRecord>& records = logbook_.records();
  const QString question =
      rows.size() == 1
          ? QStringLiteral("Delete the contact with %1 of %2 ??")
                .arg(QString::fromStdString(records[*rows.begin()].value("CALL")),
                     QString::fromStdString(records[*rows.begin()].value("QSO_DATE")))
          : QStringLiteral("Delete these %1 contacts ??").arg(rows.size());
  if (context_.dialogs.message(question, Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes) return;
  std::vector<LogRecord> kept;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (!rows.count(i)) kept.push_back(records[i]);
  }
  if (!logbook_.replaceAll(std::move(kept)))
    tell(QStringLiteral("Cannot write %1 !! Nothing was deleted.").arg(fileText(logbook_.path())));
}

void LogWindow::importFile() {
  const auto chosen = context_.dialogs.openFile(QStringLiteral("Import an ADIF log"), QDir::homePath(), kAdifFilter);
  if (!chosen) return;
  const auto bytes = readFileBytes(chosen->toStdString());
  if (!bytes) return tell(QStringLiteral("Cannot read %1 !!").arg(*chosen));
  const ImportCount count = newContactsIn(logbook_.records(), readAdif(*bytes).records);
  const QString already = QStringLiteral("%1 already in the log").arg(count.alreadyLogged);
  if (count.added.empty()) return tell(QStringLiteral("No new contact in %1 (%2).").arg(*chosen, already));
  std::vector<LogRecord> records = logbook_.records();
  records.insert(records.end(), count.added.begin(), count.added.end());
  if (!logbook_.replaceAll(std::move(records)))
    return tell(QStringLiteral("Cannot write %1 !! Nothing was imported.").arg(fileText(logbook_.path())));
  tell(QStringLiteral("%1 contacts imported (%2).").arg(count.added.size()).arg(already));
}

void LogWindow::exportLog() {
  const QString suggested = QDir::home().filePath(QStringLiteral("quillary-export.adi"));
  const auto chosen = context_.dialogs.saveFile(QStringLiteral("Export the log"), suggested, kAdifFilter);
  if (!chosen) return;
  if (!writeFileAtomically(chosen->toStdString(), adifFile(logbook_.records())))
    return tell(QStringLiteral("Cannot write %1 !!").arg(*chosen));
  tell(QStringLiteral("%1 contacts exported to %2.").arg(logbook_.records().size()).arg(*chosen));
}

void LogWindow::openHookSettings() {
  auto* settings = new HookSettings(context_, this);
  settings->setAttribute(Qt::WA_DeleteOnClose);
  settings->open();
}

void showLogWindow(Form1Context& context) {
  auto* window = context.window.findChild<LogWindow*>(QStringLiteral("frmLog"));
  if (window == nullptr) window = new LogWindow(context, &context.window);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace quillary
