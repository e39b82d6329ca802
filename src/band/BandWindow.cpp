#include "band/BandWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>

#include "band/BandLevels.h"
#include "band/WaterfallView.h"
#include "common/Numbers.h"
#include "link/ReceiveTuning.h"
#include "modem/BandReader.h"
#include "modem/ModemLibrary.h"
#include "window/Form1Controls.h"
#include "window/MainState.h"
#include "window/ModemMessageEvent.h"
#include "window/ScreenPlacement.h"

namespace quillary {

namespace {

// Beside the main window, when band.ini has no place: 760 x 560 pixels.
constexpr double kFirstWidth = 11400, kFirstHeight = 8400;
// How fast each bin's average power follows the band, per frame: about
// half a second, steady enough to read a level from.
constexpr float kAverageFollowing = 0.2f;
// A station's power: all of it within this many baud of its carrier (its
// neighbours stand three baud off and more).
constexpr double kLevelHalfWidthBaud = 1.5;
// A click this close to a listed station (in baud) tunes to the station's
// own frequency, as its channel's AFC has found it.
constexpr double kSnapBaud = 0.6;

QString modeName(int32_t modeCode) {
  for (std::string_view name : kModeNames)
    if (modeCodeForName(name) == modeCode) return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
  return QStringLiteral("mode %1").arg(modeCode);
}

}  // namespace

BandWindow::BandWindow(Form1Context context, BandReader& reader)
    : TwipsWindow(&context.window),
      context_(context),
      reader_(reader),
      tracker_(context.modem, reader, systemCodePage()),
      row_(kSpectrumBins, 0.0f) {
  setWindowFlags(Qt::Window);
  setObjectName(QStringLiteral("frmBand"));
  setWindowTitle(QStringLiteral("Band"));
  build();
  context_.window.installEventFilter(this);
}

BandWindow::~BandWindow() { context_.window.removeEventFilter(this); }

void BandWindow::build() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("lblBandMode"));
  layout->addWidget(note_);
  auto* splitter = new QSplitter(Qt::Vertical, this);
  waterfall_ = new WaterfallView(splitter);
  waterfall_->setObjectName(QStringLiteral("picWaterfall"));
  waterfall_->onClicked = [this](double hz) { onWaterfallClicked(hz); };
  buildList(*splitter);
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 2);
  layout->addWidget(splitter, 1);
  note_->setText(QStringLiteral("Reading %1, the main window's mode: stations of other modes are not decoded.")
                     .arg(modeName(context_.state.modeCode)));
}

// Sorted by frequency until the operator sorts by another column; one line
// a station, the last line taking what room is left.
void BandWindow::buildList(QWidget& parent) {
  list_ = new QTableView(&parent);
  list_->setObjectName(QStringLiteral("lstStations"));
  sorted_.setSourceModel(&model_);
  sorted_.setSortRole(BandListModel::kSortRole);
  list_->setModel(&sorted_);
  list_->setSortingEnabled(true);
  list_->sortByColumn(BandListModel::Frequency, Qt::AscendingOrder);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setWordWrap(false);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
  QHeaderView& columns = *list_->horizontalHeader();
  const int digit = list_->fontMetrics().horizontalAdvance(QLatin1Char('0'));
  for (const auto& [column, digits] : {std::pair{BandListModel::Frequency, 7}, {BandListModel::Mode, 9},
                                      {BandListModel::Level, 7}, {BandListModel::Calls, 16},
                                      {BandListModel::Command, 17}})
    columns.resizeSection(column, digits * digit);
  columns.setSectionResizeMode(BandListModel::LastLine, QHeaderView::Stretch);
  list_->setToolTip(QStringLiteral("Double click a station to tune to it"));
  connect(list_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { onRowDoubleClicked(index); });
}

void BandWindow::place(const BandIni& saved) {
  waterfall_->setSpan(saved.span);
  if (saved.place) {
    setTopTwips(saved.place->top);
    setLeftTwips(saved.place->left);
    setWidthTwips(saved.place->width);
    setHeightTwips(saved.place->height);
  } else {
    const TwipsWindow& main = context_.window;
    setTopTwips(main.topTwips());
    setLeftTwips(main.leftTwips() + main.widthTwips());
    setWidthTwips(kFirstWidth);
    setHeightTwips(kFirstHeight);
  }
  QList<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
  move(reachablePosition(frameGeometry(), areas));
}

BandIni BandWindow::saved() const {
  return {isVisible(), BandPlace{topTwips(), leftTwips(), widthTwips(), heightTwips()}, waterfall_->span()};
}

bool BandWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &context_.window && event->type() == ModemMessageEvent::eventType() && isVisible() &&
      static_cast<ModemMessageEvent*>(event)->message() == kMsgDisplayReady)
    onDisplayReady();
  return false;  // the main window's own handling goes on
}

void BandWindow::closeEvent(QCloseEvent* event) {
  tracker_.clear();
  model_.setRows({});
  TwipsWindow::closeEvent(event);
}

void BandWindow::onDisplayReady() {
  const uint64_t frame = reader_.latestSpectrum(row_.data());
  if (frame == 0 || frame == lastFrame_) return;
  const uint64_t passed = lastFrame_ == 0 || frame < lastFrame_ ? 1 : frame - lastFrame_;
  const bool lookDue = frame / kFramesPerLook != lastFrame_ / kFramesPerLook;
  lastFrame_ = frame;
  averagePower_.resize(row_.size());
  for (std::size_t k = 0; k < row_.size(); ++k)
    averagePower_[k] += kAverageFollowing * (std::pow(10.0f, row_[k] / 10) - averagePower_[k]);
  waterfall_->addRow(row_);
  showMarkers();
  // While we transmit the receivers are paused: the band's clock stops, so
  // a long over does not age every station away.
  if (context_.state.transmitterOn != 0) return;
  bandSeconds_ += static_cast<double>(passed) / BandReader::kFramesPerSecond;
  if (lookDue) look();
}

void BandWindow::showMarkers() {
  const std::optional<int32_t> transmitHz = numberInText(context_.controls.txtTX->text().toStdString());
  waterfall_->setMarkers(context_.modem.fnGetRXFrequency(0),
                         transmitHz ? std::optional<double>(*transmitHz) : std::nullopt);
}

void BandWindow::look() {
  const double halfWidth = kLevelHalfWidthBaud * modeBaud(context_.state.modeCode);
  tracker_.look(bandSeconds_, context_.state.modeCode,
                [&](double hz) { return stationSnrDb(averagePower_, hz, halfWidth); });
  model_.setRows(rows());
  note_->setText(QStringLiteral("%1 %2 stations: stations of other modes are not decoded.")
                     .arg(model_.rowCount())
                     .arg(modeName(context_.state.modeCode)));
}

std::vector<BandListModel::Row> BandWindow::rows() const {
  std::vector<BandListModel::Row> rows;
  const QString mode = modeName(context_.state.modeCode);
  for (const BandStation& station : tracker_.stations()) {
    if (!station.heard) continue;
    BandListModel::Row row;
    row.id = station.id;
    row.hz = static_cast<int>(std::lround(station.hz));
    row.mode = mode;
    row.levelDb = static_cast<int>(std::lround(station.snrDb));
    row.calls = station.text.calls().join(QLatin1Char(' '));
    row.line = station.text.lastLine();
    row.command = station.text.command().value_or(QString());
    row.fade = rowFade(bandSeconds_ - station.lastHeard);
    rows.push_back(std::move(row));
  }
  return rows;
}

// As a click on the spectrum tunes: the receiver alone, with the receive
// frequency box left as it is (AFC, when on, brings it along).
void BandWindow::tuneTo(double hz) {
  context_.modem.fnSetRXFrequency(static_cast<int32_t>(roundHalfEven(hz)), 0, 0);
  showMarkers();
}

void BandWindow::onWaterfallClicked(double hz) {
  const double reach = kSnapBaud * modeBaud(context_.state.modeCode);
  const BandStation* nearest = nullptr;
  for (const BandStation& station : tracker_.stations())
    if (station.heard && std::abs(station.hz - hz) < reach && (!nearest || std::abs(station.hz - hz) < std::abs(nearest->hz - hz)))
      nearest = &station;
  tuneTo(nearest ? nearest->hz : hz);
}

void BandWindow::onRowDoubleClicked(const QModelIndex& index) {
  const QModelIndex source = sorted_.mapToSource(index);
  if (source.isValid()) tuneTo(model_.row(source.row()).hz);
}

}  // namespace quillary
