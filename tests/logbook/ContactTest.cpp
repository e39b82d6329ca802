// What the log makes of a contact: the reports and commands in its texts,
// the form's first values, the record of a filled-in form, an edit, the
// worked-before index and an import.
#include <gtest/gtest.h>

#include "logbook/ContactEntry.h"
#include "logbook/ContactTexts.h"
#include "logbook/LogImport.h"
#include "logbook/RecordEdit.h"
#include "logbook/WorkedBefore.h"

namespace quillary::testing {
namespace {

TEST(ContactTexts, ReportsOnlyFromWholeGoodCopyLines) {
  const std::pair<const char*, const char*> cases[] = {
      {"GOOD COPY SNR= 12dB", "12"}, {"GOOD COPY SNR=-10dB", "-10"}, {"xx GOOD COPY SNR= 0dB ok", "0"},
      {"GOOD COPY SNR=dB", nullptr}, {"GOOD COPY SNR= 1x2dB", nullptr}, {"good copy snr= 5db", nullptr},
  };
  for (const auto& [line, report] : cases) {
    const auto found = reportIn(QString::fromLatin1(line));
    EXPECT_EQ(found.value_or("none"), report ? QString::fromLatin1(report) : "none") << line;
  }
}

TEST(ContactEntry, TheFormStartsFromWhatTheWindowKnows) {
  ContactSoFar known;
  known.hisCall = " ja1xyz";
  known.hisName = "OM";
  known.ownCall = "n0call";
  known.now = QDateTime(QDate(2024, 5, 1), QTime(12, 40), Qt::UTC);
  known.modeCode = 9;
  known.frequencyHz = 14'071'600;
  known.sentTexts = {"\r\n***** PHOTO COMMAND *****\r\n:N0CALL/PHOTO\r\n:N0CALL/PHOTO\r\nx\r\n",
                     "\r\nJA1XYZ de N0CALL\r\nGOOD COPY SNR= 7dB\r\n", "\r\nGOOD COPY SNR=-3dB\r\n"};
  known.reportReceived = "12";
  known.commandsReceived = {":JA1XYZ/HYBRID"};
  const ContactEntry entry = draftOf(known);
  EXPECT_EQ(entry.call + "|" + entry.name + "|" + entry.submode + "|" + entry.frequencyMhz + "|" +
                entry.reportSent + "|" + entry.reportReceived + "|" + entry.ownCall,
            "JA1XYZ||QPSK63|14.071600|-3|12|N0CALL");
  EXPECT_EQ(entry.pictures, "sent :N0CALL/PHOTO; received :JA1XYZ/HYBRID");
  EXPECT_EQ(entry.start, known.now) << "no call set: the contact starts now";
  known.hisCall = "ALL";
  EXPECT_EQ(draftOf(known).call, "");
}

TEST(ContactEntry, AFilledInFormMakesARecordOrSaysWhatIsWrong) {
  ContactEntry entry;
  entry.call = "ja1xyz";
  entry.start = QDateTime(QDate(2024, 5, 1), QTime(23, 59, 30), Qt::UTC);
  entry.end = entry.start.addSecs(90);
  entry.submode = "PSK31";
  entry.frequencyMhz = "7.0406";
  entry.pictures = "sent :N0CALL/PHOTO";
  entry.comment = "two\nlines";
  const RecordOrProblem made = recordOf(entry);
  ASSERT_TRUE(made.record);
  EXPECT_EQ(made.record->fields().size(), 10u);
  for (const auto& [field, value] :
       {std::pair{"CALL", "JA1XYZ"}, {"QSO_DATE", "20240501"}, {"TIME_ON", "235930"}, {"QSO_DATE_OFF", "20240502"},
        {"TIME_OFF", "000100"}, {"MODE", "PSK"}, {"FREQ", "7.040600"}, {"BAND", "40m"},
        {"COMMENT", "sent :N0CALL/PHOTO; two lines"}})
    EXPECT_EQ(made.record->value(field), value) << field;

  const std::tuple<QString ContactEntry::*, const char*, const char*> wrongs[] = {
      {&ContactEntry::call, " ", "Input his call sign"},
      {&ContactEntry::frequencyMhz, "14,07", "The frequency is in MHz, such as 14.0716"}};
  for (const auto& [field, typed, problem] : wrongs) {
    ContactEntry bad = entry;
    bad.*field = typed;
    EXPECT_EQ(recordOf(bad).problem, problem);
  }
}

TEST(RecordEdit, EditsAreCheckedAndTheBandFollowsTheFrequency) {
  const LogRecord record{{"CALL", "JA1XYZ"}, {"QSO_DATE", "20240501"}, {"BAND", "20m"}};
  EXPECT_EQ(editedRecord(record, "FREQ", "21.0716").record->value("BAND"), "15m");
  EXPECT_EQ(editedRecord(record, "CALL", " w1aw ").record->value("CALL"), "W1AW");
  EXPECT_FALSE(editedRecord(record, "NAME", "").record->has("NAME"));
  for (const auto& [field, value] : {std::pair{"CALL", ""}, {"QSO_DATE", "20240231"}, {"TIME_ON", "2460"},
                                     {"FREQ", "fast"}, {"QSO_DATE", ""}, {"TIME_ON", ""}})
    EXPECT_FALSE(editedRecord(record, field, value).record) << field << "=" << value;
}

TEST(WorkedBefore, TheLatestContactOfACallWhateverItsCaseOrOrder) {
  const std::vector<LogRecord> log = {
      {{"CALL", "JA1XYZ"}, {"QSO_DATE", "20240502"}, {"TIME_ON", "0900"}, {"BAND", "20m"}, {"MODE", "PSK"}, {"SUBMODE", "QPSK31"}},
      {{"CALL", "ja1xyz"}, {"QSO_DATE", "20230101"}, {"TIME_ON", "0900"}, {"BAND", "40m"}, {"MODE", "SSTV"}},
  };
  WorkedBeforeIndex index;
  index.rebuild(log);
  ASSERT_NE(index.find(" Ja1Xyz "), nullptr);
  EXPECT_EQ(workedBeforeText(*index.find("JA1XYZ")), "Worked before: 2024-05-02 20m QPSK31 (2 contacts)");
  EXPECT_EQ(index.find("JA1XY"), nullptr);

  const ImportCount count = newContactsIn(log, {log[1], {{"NAME", "no call"}}, {{"CALL", "W1AW"}}});
  EXPECT_EQ(count.added.size() * 100 + count.alreadyLogged * 10 + count.withoutCall, 111u);
}

}  // namespace
}  // namespace quillary::testing
