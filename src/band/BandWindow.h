#pragma once
// The band window "Band": the waterfall of the band above, every station of
// the main window's mode below, each read by a receive channel of its own.
// It follows the modem's display-ready notifications: each brings a
// waterfall row (ten a second of audio), every fifth a look at the stations
// (twice a second). A click on a trace or a double click on a row tunes the
// main receiver as a click on the spectrum does. Not modal; closing it lets
// every channel go.
#include <QSortFilterProxyModel>
#include <cstdint>
#include <optional>
#include <vector>

#include "band/BandIni.h"
#include "band/BandListModel.h"
#include "band/StationTracker.h"
#include "window/Form1Context.h"
#include "window/TwipsWindow.h"

class QLabel;
class QTableView;

namespace quillary {

class BandReader;
class WaterfallView;

class BandWindow : public TwipsWindow {
 public:
  // Spectrum frames between two looks at the stations.
  static constexpr uint64_t kFramesPerLook = 5;

  // Hidden, a window of its own over the main window, which it watches for
  // display-ready notifications.
  BandWindow(Form1Context context, BandReader& reader);
  ~BandWindow() override;

  // Where band.ini puts it, beside the main window when band.ini has no place.
  void place(const BandIni& saved);
  // What band.ini keeps of it now.
  BandIni saved() const;

  WaterfallView& waterfall() { return *waterfall_; }
  QTableView& list() { return *list_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void build();
  void buildList(QWidget& parent);
  void onDisplayReady();
  void showMarkers();
  void look();
  std::vector<BandListModel::Row> rows() const;
  void tuneTo(double hz);
  void onWaterfallClicked(double hz);
  void onRowDoubleClicked(const QModelIndex& index);

  Form1Context context_;
  BandReader& reader_;
  StationTracker tracker_;
  BandListModel model_;
  QSortFilterProxyModel sorted_;
  QLabel* note_ = nullptr;
  WaterfallView* waterfall_ = nullptr;
  QTableView* list_ = nullptr;
  std::vector<float> row_;
  std::vector<float> averagePower_;  // each bin over the last half second or so
  uint64_t lastFrame_ = 0;
  double bandSeconds_ = 0;  // audio heard, our own transmissions left out
};

}  // namespace quillary
