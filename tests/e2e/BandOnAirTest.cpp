// The band window on the real engine, on a band of nine BPSK31 stations
// (one sending a picture command) and one too faint to read: every
// station listed with its frequency and text, the command marked, the
// waterfall's traces where the stations stand and as bright as they are
// strong, and a click on a trace or a double click on a row tuning the
// main receiver, which then prints the station.
#include <QAbstractItemModel>
#include <QTableView>
#include <gtest/gtest.h>

#include "band/BandListModel.h"
#include "band/BandWindow.h"
#include "band/BandWindowHandlers.h"
#include "band/WaterfallView.h"
#include "support/BusyBand.h"
#include "support/OnAirStation.h"

namespace quillary::testing {
namespace {

// 300 Hz and more from the main receiver at 1600 (its AFC stays put) and
// from the transmit marker at 1500.
const std::vector<PlannedStation> kBand = {
    {520, 18, "CQ CQ de DL1ABC DL1ABC pse k\r\n"},      {780, 12, "CQ de G4XYZ G4XYZ k\r\n"},
    {1040, 15, "QRL? de JA1QRP\r\n"},                    {1300, 10, "CQ DX de 9A2AB 9A2AB k\r\n"},
    {1900, 14, "tnx fer call de W1AW k\r\n"},           {2160, 9, "CQ de OH2BH OH2BH pse k\r\n"},
    {2420, 16, "test de VK2DEF VK2DEF\r\n"},            {2680, 11, "CQ CQ de PA3XYZ k\r\n"},
    {2940, 13, "QRV de QX9ZZ\r\n:QX9ZZ/PHOTO\r\n"},     {3200, -20, "CQ de XX0XX k\r\n"}};
constexpr std::size_t kDecodable = 9;
constexpr double kHzPerBaud = 31.25;

struct Listed {
  int hz = 0, levelDb = 0;
  QString calls, line, command;
  bool marked = false;
};

std::vector<Listed> listed(QTableView& list) {
  const QAbstractItemModel& model = *list.model();
  std::vector<Listed> rows;
  for (int r = 0; r < model.rowCount(); ++r) {
    const auto at = [&](int column, int role = Qt::DisplayRole) { return model.index(r, column).data(role); };
    rows.push_back({at(BandListModel::Frequency).toInt(), at(BandListModel::Level).toInt(), at(BandListModel::Calls).toString(),
                    at(BandListModel::LastLine).toString(), at(BandListModel::Command).toString(),
                    at(BandListModel::Command, Qt::BackgroundRole).isValid()});
  }
  return rows;
}

const Listed* rowNear(const std::vector<Listed>& rows, double hz) {
  for (const Listed& row : rows)
    if (std::abs(row.hz - hz) <= 2) return &row;
  return nullptr;
}

QString callOf(const PlannedStation& station) { return callsInLine(QString::fromStdString(station.text)).value(0); }

// The waterfall's newest rows, as the operator sees them: the mean
// brightness of each column.
std::vector<double> columnBrightness(WaterfallView& waterfall, int rows) {
  const QImage picture = waterfall.grab().toImage();
  std::vector<double> brightness(static_cast<std::size_t>(picture.width()), 0.0);
  for (int x = 0; x < picture.width(); ++x)
    for (int y = WaterfallView::kScaleHeight + 1; y <= WaterfallView::kScaleHeight + rows; ++y)
      brightness[x] += qGray(picture.pixel(x, y)) / static_cast<double>(rows);
  return brightness;
}

TEST(BandOnAir, EveryStationIsListedAndTheWaterfallAndTheListTuneTheMainReceiver) {
  BusyBand band(kBand);
  OnAirStation ours(band.device());
  ours.show(30);
  ours.press("cmdBand");
  BandWindow* window = bandWindow(ours.form.context());
  ASSERT_TRUE(window != nullptr && window->isVisible());
  const auto everyCallListed = [&] {
    const std::vector<Listed> rows = listed(window->list());
    return std::all_of(kBand.begin(), kBand.begin() + kDecodable, [&](const PlannedStation& station) {
      const Listed* row = rowNear(rows, station.hz);
      const bool commandDue = station.text.find("/PHOTO") != std::string::npos;
      return row && row->calls.contains(callOf(station)) && !row->line.isEmpty() && (!commandDue || row->marked);
    });
  };
  ASSERT_TRUE(pumpUntil(band, everyCallListed, 40)) << band.seconds();

  const std::vector<Listed> rows = listed(window->list());
  for (const PlannedStation& station : std::span(kBand).first(kDecodable)) {
    const Listed* row = rowNear(rows, station.hz);
    ASSERT_NE(row, nullptr) << station.hz;
    EXPECT_TRUE(QString::fromStdString(station.text).contains(row->line)) << row->line.toStdString();
    const bool sendsCommand = station.text.find("/PHOTO") != std::string::npos;
    EXPECT_EQ(row->command, sendsCommand ? ":QX9ZZ/PHOTO" : "") << station.hz;
    EXPECT_EQ(row->marked, sendsCommand) << station.hz;
    EXPECT_NEAR(row->levelDb, station.snrDb, 3) << station.hz;
  }

  // Each trace centred on its station (within a column), as bright as the
  // station is strong; the faint one still clear of the noise.
  WaterfallView& waterfall = window->waterfall();
  const std::vector<double> brightness = columnBrightness(waterfall, 50);
  const int lastColumn = static_cast<int>(brightness.size()) - 1;
  const auto around = [&](double hz, double reachHz, auto&& each) {
    const int first = std::max(0, waterfall.columnAt(hz - reachHz));
    for (int x = first; x <= std::min(lastColumn, waterfall.columnAt(hz + reachHz)); ++x) each(x);
  };
  const auto meanNear = [&](double hz) {
    double sum = 0, n = 0;
    around(hz, 0.5 * kHzPerBaud, [&](int x) { sum += brightness[x], ++n; });
    return sum / n;
  };
  const double noise = meanNear(3450);
  for (const PlannedStation& station : kBand) {
    double weight = 0, weighted = 0;
    around(station.hz, 1.5 * kHzPerBaud, [&](int x) {
      const double above = std::max(0.0, brightness[x] - noise);
      weight += above, weighted += above * waterfall.frequencyAt(x);
    });
    const double hzPerColumn = waterfall.frequencyAt(1) - waterfall.frequencyAt(0);
    EXPECT_NEAR(weighted / weight, station.hz, hzPerColumn) << station.hz;
  }
  EXPECT_GT(meanNear(520), meanNear(1300) + 20) << "18 dB against 10 dB";
  EXPECT_GT(meanNear(1300), meanNear(2160)) << "10 dB against 9 dB";
  EXPECT_GT(meanNear(3200), noise + 10) << "the faint station's trace";

  // A click on a trace tunes the main receiver there.
  QTest::mouseClick(&waterfall, Qt::LeftButton, {}, QPoint(waterfall.columnAt(1040), WaterfallView::kScaleHeight + 40));
  EXPECT_NEAR(ours.engine.fnGetRXFrequency(0), 1040, 2);

  // A double click on the command's row tunes there, and the main window prints it.
  QTableView& list = window->list();
  int commandRow = -1;
  for (int r = 0; r < list.model()->rowCount(); ++r)
    if (std::abs(list.model()->index(r, BandListModel::Frequency).data().toInt() - 2940) <= 2) commandRow = r;
  ASSERT_GE(commandRow, 0);
  const QPoint onRow = list.visualRect(list.model()->index(commandRow, BandListModel::LastLine)).center();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, onRow);
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, onRow);
  EXPECT_NEAR(ours.engine.fnGetRXFrequency(0), 2940, 2);
  const qsizetype printedBefore = ours.received().size();
  EXPECT_TRUE(pumpUntil(band, [&] { return ours.received().mid(printedBefore).contains(":QX9ZZ/PHOTO"); }, 20))
      << ours.received().mid(printedBefore).toStdString();
}

}  // namespace
}  // namespace quillary::testing
