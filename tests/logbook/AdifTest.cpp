// ADIF as this log writes it and as other programs write it, a log cut short
// by a crash, and the band of a frequency.
#include <gtest/gtest.h>

#include "logbook/Adif.h"
#include "logbook/Band.h"

namespace quillary::testing {
namespace {

const LogRecord kContact{{"CALL", "JA1XYZ"}, {"QSO_DATE", "20240501"}, {"TIME_ON", "123456"},
                         {"NAME", "J\xC3\xBCrgen"}, {"COMMENT", "sent :N0CALL/PHOTO; <b> ok"}};

TEST(Adif, OwnRecordsGoOutWithByteLengthsAndComeBackWhole) {
  EXPECT_EQ(adifRecord(kContact),
            "<CALL:6>JA1XYZ <QSO_DATE:8>20240501 <TIME_ON:6>123456 <NAME:7>J\xC3\xBCrgen "
            "<COMMENT:26>sent :N0CALL/PHOTO; <b> ok <EOR>\r\n");
  const LogRecord other{{"CALL", "N0CALL"}, {"APP_X_RIG", "a\r\nb"}};
  const std::string file = adifFile({kContact, other});
  const AdifRead read = readAdif(file);
  EXPECT_EQ(read.records, (std::vector<LogRecord>{kContact, other}));
  EXPECT_EQ(read.completeEnd, file.size());
  EXPECT_EQ(readAdif(file.substr(0, file.find("<EOH>"))).records.size(), 0u) << "a header is no contact";
}

TEST(Adif, AnotherProgramsFileInItsOwnSpelling) {
  struct Case {
    const char* what;
    const char* bytes;
  };
  const Case cases[] = {
      {"no header, lower case, LF", "<call:6>JA1XYZ<qso_date:8>20240501\n<eor>\n"},
      {"header with fields, CR LF, types", "Log of X\r\n<adif_ver:5>3.1.0\r\n<EOH>\r\n<Call:6:S>JA1XYZ "
                                           "<QSO_DATE:8:D>20240501 <eor>\r\n"},
      {"any order, text between, a '<' in the header", "x <= y <PROGRAMID:1>X <EOH> <QSO_DATE:8>20240501 junk "
                                                      "<CALL:6>JA1XYZ<EOR>"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    const AdifRead read = readAdif(k.bytes);
    ASSERT_EQ(read.records.size(), 1u);
    EXPECT_EQ(read.records[0].value("CALL") + read.records[0].value("QSO_DATE"), "JA1XYZ20240501");
    EXPECT_EQ(read.records[0].fields().size(), 2u) << "the header's fields are not the contact's";
  }
  const AdifRead unknown = readAdif("<CALL:4>W1AW <MY_RIG:5>FT-8x <SIG_INFO:0><EOR>");
  EXPECT_EQ(unknown.records[0].value("MY_RIG"), "FT-8x") << "fields this program does not know are kept";
}

TEST(Adif, ALogCutAnywhereInItsLastRecordReadsEveryEarlierOne) {
  const std::string whole = adifFile({kContact, kContact});
  const std::size_t secondStart = whole.size() - adifRecord(kContact).size();
  for (std::size_t cut = secondStart; cut < whole.size() - 2; ++cut) {
    const AdifRead read = readAdif(whole.substr(0, cut));
    ASSERT_EQ(read.records, std::vector<LogRecord>{kContact}) << "cut at " << cut;
    EXPECT_EQ(read.completeEnd, secondStart);
  }
}

TEST(Band, FrequenciesToBandsAndMegahertz) {
  EXPECT_EQ(bandOf(14'070'000), "20m");
  EXPECT_EQ(bandOf(7'000'000), "40m");
  EXPECT_EQ(bandOf(29'700'000), "10m");
  EXPECT_EQ(bandOf(144'800'000), "2m");
  EXPECT_EQ(bandOf(14'350'001), std::nullopt);
  EXPECT_EQ(megahertzText(14'071'600), "14.071600");
  EXPECT_EQ(megahertzText(472'500), "0.472500");
  EXPECT_EQ(hertzOfMegahertz(" 14.0716 "), 14'071'600);
  for (const char* bad : {"", "14,07", "-3", "0", "abc", "nan", "1e9"}) EXPECT_EQ(hertzOfMegahertz(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace quillary::testing
