// A day on the band, faster than real time: noise with a station every few
// minutes (calls, picture commands, Kanji, a line longer than the receive
// area); memory must stay flat and the receive area bounded. ./test.sh runs
// 2 hours (half an hour under the sanitizers, whose own memory grows, so no
// memory check there). The full day: QUILLARY_SOAK_HOURS=24 build/tests/test_soak
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <optional>
#include <random>

#include "common/Numbers.h"

#include "psk/tx/Transmitter.h"
#include "support/OnAirStation.h"
#include "window/Form1Controls.h"

#if defined(__SANITIZE_ADDRESS__)
#define QUILLARY_SOAK_UNDER_SANITIZER 1
#else
#define QUILLARY_SOAK_UNDER_SANITIZER 0
#endif

namespace quillary {
namespace {

constexpr std::size_t kBlock = 2048;
constexpr std::size_t kSamplesPerHour = 8000 * 3600;
const char* const kPictureCommand = ":JA1XYZ/PHOTO";

// 0 or a text that is no number would pass having played nothing.
std::optional<double> soakHours() {
  const char* hours = std::getenv("QUILLARY_SOAK_HOURS");
  if (hours == nullptr) return QUILLARY_SOAK_UNDER_SANITIZER ? 0.5 : 2.0;
  const std::optional<double> parsed = parseNumber(hours);
  if (!parsed || !(*parsed > 0)) return std::nullopt;
  return parsed;
}

// A new cmd_data.txt as the image program finds it: every hand-over writes
// a new file (a new inode) in the old one's place.
class CommandFiles {
 public:
  explicit CommandFiles(std::filesystem::path file) : file_(std::move(file)) {}
  void look() {
    struct stat now {};
    if (::stat(file_.c_str(), &now) != 0 || now.st_ino == inode_) return;
    inode_ = now.st_ino;
    ++written_;
    holdingTheCommand_ += testing::readBytes(file_).find(std::string(kPictureCommand) + "\r\n") != std::string::npos;
  }
  std::size_t written() const { return written_; }
  std::size_t holdingTheCommand() const { return holdingTheCommand_; }

 private:
  std::filesystem::path file_;
  ino_t inode_ = 0;
  std::size_t written_ = 0, holdingTheCommand_ = 0;
};

double residentMb() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1048576.0);
}

std::vector<float> transmission(const std::string& text) {
  psk::Transmitter tx;
  tx.setFrequency(1600);  // the preset the window starts on
  tx.start(kModeBpsk63);
  tx.enqueue(text);
  tx.stop();
  std::vector<float> audio, block(256);
  do {
    tx.process(block.size(), block.data());
    audio.insert(audio.end(), block.begin(), block.end());
  } while (tx.on());
  return audio;
}

// Band noise with a station every two to four minutes.
class Band {
 public:
  // The Kanji greeting is Shift-JIS.
  Band() {
    for (const std::string& text : {std::string("CQ CQ CQ de JA1XYZ JA1XYZ pse k\r"),
                                    "\r" + std::string(kPictureCommand) + "\r",
                                    std::string("\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd 73\r"),
                                    std::string(1500, 'R') + "\r"})
      texts_.push_back(transmission(text));
  }
  void render(std::vector<float>& block) {
    for (float& sample : block) {
      sample = static_cast<float>(noise_(random_));
      if (toNext_ > 0) {
        --toNext_;
        continue;
      }
      const std::vector<float>& station = texts_[stations_ % texts_.size()];
      sample += 0.3f * station[at_++];
      if (at_ == station.size()) {
        at_ = 0;
        ++stations_;
        toNext_ = std::uniform_int_distribution<std::size_t>(120 * 8000, 240 * 8000)(random_);
      }
    }
  }
  std::size_t stationsSent() const { return stations_; }

 private:
  std::mt19937 random_{24};
  std::normal_distribution<double> noise_{0.0, 0.05};
  std::vector<std::vector<float>> texts_;
  std::size_t stations_ = 0, at_ = 0, toNext_ = 8000 * 10;
};

TEST(Soak, ADayOfBandAudioKeepsMemoryFlatAndTheReceiveAreaBounded) {
  psk::PumpedAudio device;
  testing::OnAirStation station(device);
  Form1& form = station.form;
  form.show();
  Form1Controls& c = form.controls();
  QTest::keyClick(c.Combo3, Qt::Key_Down);  // BPSK31 -> BPSK63
  QTest::mouseClick(c.Command2, Qt::LeftButton);  // "Kanji ON"
  std::size_t longestLine = 0;
  QObject::connect(c.Text3, &QLineEdit::textChanged,
                   [&](const QString& line) { longestLine = std::max<std::size_t>(longestLine, line.size()); });
  CommandFiles commands(station.folder.path() / "cmd_data.txt");

  Band band;
  const std::optional<double> soak = soakHours();
  ASSERT_TRUE(soak.has_value()) << "QUILLARY_SOAK_HOURS must be a number of hours above 0";
  const double hours = *soak;
  const auto total = static_cast<std::size_t>(hours * kSamplesPerHour);
  std::vector<float> block(kBlock);
  double afterFirstHour = 0;
  std::size_t longestTerm = 0;
  QElapsedTimer wall;
  wall.start();
  for (std::size_t done = 0; done < total; done += kBlock) {
    band.render(block);
    device.pump(kBlock, block);
    QCoreApplication::processEvents();
    commands.look();
    longestTerm = std::max<std::size_t>(longestTerm, c.Term->toPlainText().size());
    if ((done + kBlock) / kSamplesPerHour != done / kSamplesPerHour || done + kBlock >= total) {
      const double hour = static_cast<double>(done + kBlock) / kSamplesPerHour;
      if (afterFirstHour == 0 && hour >= std::min(1.0, hours)) afterFirstHour = residentMb();
      std::printf("soak: %.2f h of audio in %.0f s, resident %.1f MB, %zu stations, %zu commands handed over\n",
                  hour, wall.elapsed() / 1000.0, residentMb(), band.stationsSent(), commands.written());
      std::fflush(stdout);
    }
  }
  const double atEnd = residentMb();

  EXPECT_LE(longestTerm, 1002u) << "the receive area is cut back";
  EXPECT_LE(longestLine, 1002u) << "the received line is cut back as the area is";
  // Every station is strong: however long the band was quiet before it,
  // each picture command (every fourth station, from the second) is handed
  // over, each in a file of its own (noise may come before the colon).
  const std::size_t sent = (band.stationsSent() + 2) / 4;
  ASSERT_GE(sent, 1u) << "a soak of " << hours << " h is too short to hear a picture command";
  EXPECT_EQ(commands.written(), sent) << "cmd_data.txt files written";
  EXPECT_EQ(commands.holdingTheCommand(), sent);
  if (!QUILLARY_SOAK_UNDER_SANITIZER && hours >= 2) {
    EXPECT_LE(atEnd - afterFirstHour, 4.0) << afterFirstHour << " MB after the first hour, " << atEnd << " at the end";
  }
}

}  // namespace
}  // namespace quillary
