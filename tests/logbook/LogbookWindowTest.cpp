// The logbook as the operator meets it: the worked-before mark on His Call,
// the entry form (Log, Shift+F8, Enter, Escape, a folder that refuses the
// save), and the log window (import, search, edit, delete, export).
#include <QAbstractItemModel>
#include <QDialog>
#include <QTableView>

#include "logbook/Adif.h"
#include "support/FileFaults.h"
#include "support/Form1Harness.h"

namespace quillary::testing {
namespace {

const LogRecord kEarlier{{"CALL", "JA1XYZ"}, {"QSO_DATE", "20240501"}, {"TIME_ON", "0930"},
                         {"BAND", "20m"},    {"MODE", "PSK"},          {"SUBMODE", "PSK31"}};

class LogbookInWindow : public TransmitPanelTest {
 protected:
  void SetUp() override {
    writeBytes(log(), adifFile({kEarlier}));
    TransmitPanelTest::SetUp();
  }
  std::filesystem::path log() const { return h.file("quillary.adi"); }
  std::vector<LogRecord> logged() const { return readAdif(readBytes(log())).records; }
  template <class W = QWidget>
  W* find(const char* name) { return h.form().findChild<W*>(QString::fromLatin1(name)); }
  // Keys go where the operator's focus is: the form opens on its comment.
  QDialog* openForm() {
    click(c().cmdLog);
    for (auto* form : h.form().findChildren<QDialog*>("frmLogEntry"))
      if (form->isVisible()) return form;
    return nullptr;
  }
  void press(QWidget* form, Qt::Key key) { QTest::keyClick(form->focusWidget(), key); }
  // A double click (a click, then a second press that Qt reports as one),
  // the text typed over the cell's, and Enter.
  void editCell(QTableView& table, const QModelIndex& index, const QString& text) {
    const QPoint at = table.visualRect(index).center();
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, at);
    auto* editor = table.viewport()->findChild<QLineEdit*>();
    ASSERT_TRUE(editor);
    retype(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits the edit once the key is handled, and a refusal is
    // told once the edit has ended.
    for (int step = 0; step < 2; ++step) QCoreApplication::processEvents();
  }
};

TEST_F(LogbookInWindow, ACallDoubleClickedInTheReceiveAreaShowsWhetherAndWhenItWasWorked) {
  receive(h, {'d', 'e', ' ', 'J', 'A', '1', 'X', 'Y', 'Z', ' ', 'W', '1', 'A', 'W', 13, 10});
  QWidget* mark = c().Text27->findChild<QWidget*>("WorkedBefore");
  doubleClickOnWord(*c().Term, "JA1XYZ");
  EXPECT_TRUE(mark->isVisible());
  EXPECT_EQ(c().Text27->toolTip(), "Worked before: 2024-05-01 20m PSK31 (1 contact)");
  doubleClickOnWord(*c().Term, "W1AW");
  EXPECT_FALSE(mark->isVisible());
  EXPECT_EQ(c().Text27->toolTip(), "");
}

TEST_F(LogbookInWindow, AContactARefusingFolderCannotTakeStaysInTheFormUntilItIsSaved) {
  QTest::keyClick(c().Text5, Qt::Key_F8, Qt::ShiftModifier);
  QDialog* cancelled = find<QDialog>("frmLogEntry");
  ASSERT_TRUE(cancelled && cancelled->isVisible());
  press(cancelled, Qt::Key_Escape);
  EXPECT_FALSE(cancelled->isVisible());

  retype(c().Text27, "w1aw");
  QDialog* form = openForm();
  ASSERT_TRUE(form);
  QTest::keyClicks(form->focusWidget(), "first picture QSO");
  const std::string before = readBytes(log());
  {
    ReadOnlyFolder readOnly(h.state().programFolder);
    press(form, Qt::Key_Return);
    EXPECT_EQ(readBytes(log()), before);
  }
  EXPECT_EQ(h.dialogs.texts().value(0), "Cannot write " + QString::fromStdString(log().string()) +
                                            " !! The contact stays in the form: press Enter to try again.");
  ASSERT_TRUE(form->isVisible());
  press(form, Qt::Key_Return);
  EXPECT_FALSE(form->isVisible());
  const std::vector<LogRecord> records = logged();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0], kEarlier);
  for (const auto& [field, value] : {std::pair{"CALL", "W1AW"}, {"SUBMODE", "QPSK63"},
                                     {"STATION_CALLSIGN", "N0CALL"}, {"COMMENT", "first picture QSO"}})
    EXPECT_EQ(records[1].value(field), value) << field;
  EXPECT_TRUE(c().Text27->findChild<QWidget*>("WorkedBefore")->isVisible()) << "worked now";
}

TEST_F(LogbookInWindow, TheLogWindowImportsSearchesEditsDeletesAndExports) {
  writeBytes(h.file("other.adi"), "From another logger\n<EOH>\n<call:4>w1aw <qso_date:8>20230101 "
                                  "<time_on:4>1200 <eor>\n<CALL:6>JA1XYZ<QSO_DATE:8>20240501<TIME_ON:6>093012<EOR>\n");
  QDialog* form = openForm();
  ASSERT_TRUE(form);
  click(form->findChild<QWidget*>("logShowLog"));
  auto* table = find<QTableView>("logTable");
  ASSERT_TRUE(table && table->isVisible());
  const QAbstractItemModel& rows = *table->model();
  const auto cell = [&](int row, int column) { return rows.index(row, column).data().toString(); };

  h.dialogs.files = {QString::fromStdString(h.file("other.adi").string())};
  click(find("logImport"));
  EXPECT_EQ(h.dialogs.texts().value(0), "1 contacts imported (1 already in the log).");
  ASSERT_EQ(rows.rowCount(), 2);
  EXPECT_EQ(cell(0, 2) + " " + cell(1, 2), "JA1XYZ w1aw") << "newest first";

  QTest::keyClicks(find("logSearch"), "W1");
  ASSERT_EQ(rows.rowCount(), 1);
  editCell(*table, rows.index(0, 3), "Bob");
  editCell(*table, rows.index(0, 0), "2023-01-01");
  EXPECT_EQ(logged()[1].value("NAME") + logged()[1].value("QSO_DATE"), "Bob20230101");
  EXPECT_EQ(h.dialogs.texts().value(1), "A date is written YYYYMMDD, such as 20240501");

  retype(find<QLineEdit>("logSearch"), "");
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(rows.index(0, 0)).center());
  h.dialogs.answers = {Dialogs::Answer::Yes};
  click(find("logDelete"));
  EXPECT_EQ(h.dialogs.texts().value(2), "Delete the contact with JA1XYZ of 20240501 ??");
  ASSERT_EQ(logged().size(), 1u);
  EXPECT_EQ(logged()[0].value("CALL") + logged()[0].value("NAME"), "w1awBob");

  h.dialogs.files = {QString::fromStdString(h.file("export.adi").string())};
  click(find("logExport"));
  EXPECT_EQ(readBytes(h.file("export.adi")), readBytes(log()));
}

}  // namespace
}  // namespace quillary::testing
