// The band window on a scripted band: opened by "Band", kept open or
// closed and in place across starts in band.ini, zoomed with the wheel and
// panned with a drag; its rows follow the band's clock and fade when silent.
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "app/Form1.h"
#include "band/BandWindow.h"
#include "band/BandWindowHandlers.h"
#include "band/WaterfallView.h"
#include "support/FakeDialogs.h"
#include "support/FakeRadio.h"
#include "support/GuiTest.h"
#include "support/RecordingBandModem.h"

namespace quillary::testing {
namespace {

struct BandHarness {
  explicit BandHarness(const std::filesystem::path& folder)
      : form((ensureQtApplication(), std::make_unique<Form1>(modem, dialogs, radio, folder, -1))) {
    form->show();
  }
  BandWindow* band() { return bandWindow(form->context()); }
  void openBand() { QTest::mouseClick(form->controls().cmdBand, Qt::LeftButton); }
  // The band's clock moved on by `frames` (ten a second), and the window told.
  void frames(uint64_t frames) {
    modem.frame += frames;
    form->post(kMsgDisplayReady, 0, 0);
    QCoreApplication::sendPostedEvents();
  }

  RecordingBandModem modem;
  FakeDialogs dialogs;
  FakeRadio radio;
  std::unique_ptr<Form1> form;
};

TEST(BandWindow, OpenAtShutDownItOpensAgainWhereItWasAndClosedItStaysClosed) {
  TempFolder folder;
  BandIni saved;
  {
    BandHarness h(folder.path());
    EXPECT_EQ(h.band(), nullptr);
    h.openBand();
    ASSERT_TRUE(h.band() && h.band()->isVisible());
    EXPECT_EQ(h.band()->windowTitle(), "Band");
    WaterfallView& waterfall = h.band()->waterfall();
    const QPointF middle(waterfall.width() / 2.0, 60);
    QWheelEvent notch(middle, waterfall.mapToGlobal(middle), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&waterfall, &notch);
    EXPECT_NEAR(waterfall.span().widthHz(), 0.8 * kWholeBand.widthHz(), 1e-9);
    const double before = waterfall.span().lowHz;
    const std::size_t tunings = h.modem.callsOf("fnSetRXFrequency").size();
    QTest::mousePress(&waterfall, Qt::LeftButton, {}, {300, 60});
    QTest::mouseMove(&waterfall, {400, 60});
    QTest::mouseRelease(&waterfall, Qt::LeftButton, {}, {400, 60});
    EXPECT_LT(waterfall.span().lowHz, before) << "dragged to the right: lower frequencies come in";
    EXPECT_EQ(h.modem.callsOf("fnSetRXFrequency").size(), tunings) << "a drag tunes nothing";
    saved = h.band()->saved();
  }
  EXPECT_EQ(formatBandIni(readBandIni(folder.path() / "band.ini")), formatBandIni(saved));
  EXPECT_TRUE(saved.open);
  {
    BandHarness h(folder.path());
    ASSERT_TRUE(h.band() && h.band()->isVisible()) << "open again at the start";
    EXPECT_EQ(formatBandIni(h.band()->saved()), formatBandIni(saved));
    h.band()->close();
  }
  EXPECT_FALSE(readBandIni(folder.path() / "band.ini").open);
  BandHarness h(folder.path());
  EXPECT_EQ(h.band(), nullptr);
}

TEST(BandWindow, AStationIsListedOnTheBandsClockAndFadesAndGoesWhenSilent) {
  TempFolder folder;
  BandHarness h(folder.path());
  h.openBand();
  QAbstractItemModel& rows = *h.band()->list().model();
  h.modem.shown = {1000};
  for (int look = 0; look < 3; ++look) h.frames(BandWindow::kFramesPerLook);
  h.modem.waiting[1] = "CQ de DL1ABC\r\n";
  h.modem.shown.clear();
  h.frames(BandWindow::kFramesPerLook);
  ASSERT_EQ(rows.rowCount(), 1);
  EXPECT_EQ(rows.index(0, BandListModel::Calls).data().toString(), "DL1ABC");
  EXPECT_EQ(rows.index(0, BandListModel::Mode).data().toString(), "BPSK31");
  EXPECT_EQ(rows.index(0, BandListModel::Frequency).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
  h.frames(450);  // 45 s of silence
  EXPECT_EQ(rows.index(0, BandListModel::Frequency).data(Qt::ForegroundRole).value<QColor>(), QColor(100, 100, 100));
  h.frames(150);
  EXPECT_EQ(rows.rowCount(), 0);
  EXPECT_TRUE(h.band()->findChild<QLabel*>("lblBandMode")->text().contains("BPSK31 stations: stations of other modes are not decoded"));
}

}  // namespace
}  // namespace quillary::testing
