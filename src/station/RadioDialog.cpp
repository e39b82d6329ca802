#include "station/RadioDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "common/Numbers.h"
#include "station/StationText.h"
#include "window/Dialogs.h"

namespace quillary {
namespace {

constexpr int kModelNumberRole = Qt::UserRole;
constexpr int kTestWatchMs = 200;
const QString kDefaultSpeed = QStringLiteral("Default");

// The method combo's items, in PttMethod's order.
const QStringList kMethods = {QStringLiteral("SERIAL: RTS and DTR of the Comm Port"),
                              QStringLiteral("CAT: by command, through hamlib or rigctld"),
                              QStringLiteral("VOX: the radio keys on the audio")};

bool isHostAndPort(const QString& text) {
  const qsizetype colon = text.lastIndexOf(u':');
  bool number = false;
  const int port = text.mid(colon + 1).toInt(&number);
  return colon > 0 && number && port >= 1 && port <= 65535;
}

}  // namespace

RadioDialog::RadioDialog(RadioLink& radio, Dialogs& dialogs, int32_t commPort, Actions actions, QWidget* parent)
    : QDialog(parent),
      radio_(radio),
      dialogs_(dialogs),
      commPort_(commPort),
      actions_(std::move(actions)),
      initial_(radio.settings()) {
  setObjectName(QStringLiteral("frmRadio"));
  setWindowTitle(QStringLiteral("Radio"));
  setWindowModality(Qt::WindowModal);
  buildControls();
  showSettings(initial_);
  connectControls();
}

void RadioDialog::buildControls() {
  const auto named = [](auto* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
  };
  method_ = named(new QComboBox(this), "cboMethod");
  method_->addItems(kMethods);
  search_ = named(new QLineEdit(this), "txtRigSearch");
  search_->setPlaceholderText(QStringLiteral("Search: 7300, icom, rigctl"));
  models_ = named(new QListWidget(this), "lstRigModels");
  for (const RigModelEntry& entry : radio_.rigModels()) {
    auto* item = new QListWidgetItem(QString::fromStdString(rigModelItem(entry)), models_);
    item->setData(kModelNumberRole, entry.number);
  }
  device_ = named(new QLineEdit(this), "txtRigDevice");
  deviceHint_ = named(new QLabel(this), "lblRigDeviceHint");
  speed_ = named(new QComboBox(this), "cboSpeed");
  speed_->setEditable(true);
  speed_->addItems({kDefaultSpeed, "4800", "9600", "19200", "38400", "57600", "115200"});
  test_ = named(new QPushButton(QStringLiteral("Test"), this), "cmdTest");
  testOutcome_ = named(new QLabel(this), "lblTest");
  testOutcome_->setWordWrap(true);
  testWatch_ = new QTimer(this);
  testWatch_->setInterval(kTestWatchMs);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  named(buttons->button(QDialogButtonBox::Ok), "cmdOK");
  named(buttons->button(QDialogButtonBox::Cancel), "cmdCancel");
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { finish(true); });
  connect(buttons, &QDialogButtonBox::rejected, this, [this] { finish(false); });

  auto* testRow = new QHBoxLayout;
  testRow->addWidget(test_);
  testRow->addWidget(testOutcome_, 1);
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("PTT"), method_);
  form->addRow(QStringLiteral("Rig model"), search_);
  form->addRow(QString(), models_);
  form->addRow(QStringLiteral("Device"), device_);
  form->addRow(QString(), deviceHint_);
  form->addRow(QStringLiteral("Speed"), speed_);
  form->addRow(testRow);
  form->addRow(buttons);
}

void RadioDialog::connectControls() {
  connect(method_, &QComboBox::currentIndexChanged, this, [this] { enableRigFields(); });
  connect(search_, &QLineEdit::textChanged, this, [this] { filterModels(); });
  connect(models_, &QListWidget::currentItemChanged, this, [this] { enableRigFields(); });
  connect(test_, &QPushButton::clicked, this, [this] { startTest(); });
  connect(testWatch_, &QTimer::timeout, this, [this] { checkTest(); });
}

void RadioDialog::showSettings(const RadioSettings& settings) {
  method_->setCurrentIndex(static_cast<int>(settings.method));
  selectModel(settings.rigModel);
  device_->setText(QString::fromStdString(settings.rigDevice));
  speed_->setEditText(settings.serialSpeed > 0 ? QString::number(settings.serialSpeed) : kDefaultSpeed);
  enableRigFields();
}

PttMethod RadioDialog::method() const { return static_cast<PttMethod>(method_->currentIndex()); }

void RadioDialog::selectModel(int32_t number) {
  for (int row = 0; row < models_->count(); ++row) {
    if (models_->item(row)->data(kModelNumberRole).toInt() != number) continue;
    models_->setCurrentRow(row);
    models_->scrollToItem(models_->item(row));
    return;
  }
}

void RadioDialog::filterModels() {
  const std::string search = search_->text().toStdString();
  for (int row = 0; row < models_->count(); ++row) {
    QListWidgetItem* item = models_->item(row);
    item->setHidden(!rigModelMatches(item->text().toStdString(), search));
  }
}

void RadioDialog::enableRigFields() {
  const bool cat = method() == PttMethod::Cat;
  for (QWidget* field : {static_cast<QWidget*>(search_), static_cast<QWidget*>(models_),
                         static_cast<QWidget*>(device_), static_cast<QWidget*>(speed_)})
    field->setEnabled(cat);
  const QListWidgetItem* model = models_->currentItem();
  const bool rigctld = model && model->data(kModelNumberRole).toInt() == kRigctldModel;
  deviceHint_->setText(!cat     ? QString()
                       : rigctld ? QStringLiteral("rigctld's HOST:PORT, e.g. localhost:4532")
                                 : QStringLiteral("the rig's serial device, e.g. /dev/ttyUSB0"));
}

std::optional<RadioSettings> RadioDialog::filledIn() {
  RadioSettings settings = radio_.settings();
  settings.method = method();
  if (settings.method != PttMethod::Cat) return settings;
  const QListWidgetItem* model = models_->currentItem();
  if (model == nullptr) {
    dialogs_.message(QStringLiteral("Choose the rig model"), Dialogs::Buttons::Ok);
    return std::nullopt;
  }
  settings.rigModel = model->data(kModelNumberRole).toInt();
  const QString device = device_->text().trimmed();
  if (settings.rigModel == kRigctldModel && !isHostAndPort(device)) {
    dialogs_.message(QStringLiteral("rigctld's address is HOST:PORT, e.g. localhost:4532"), Dialogs::Buttons::Ok);
    return std::nullopt;
  }
  settings.rigDevice = device.toStdString();
  const QString speed = speed_->currentText().trimmed();
  const std::optional<double> baud = parseNumber(speed.toStdString());
  if (speed.isEmpty() || speed == kDefaultSpeed) {
    settings.serialSpeed = 0;
  } else if (baud && *baud == static_cast<int32_t>(*baud) && *baud >= 1 && *baud <= 10'000'000) {
    settings.serialSpeed = static_cast<int32_t>(*baud);
  } else {
    dialogs_.message(QStringLiteral("The speed is a number of baud, or Default"), Dialogs::Buttons::Ok);
    return std::nullopt;
  }
  return settings;
}

void RadioDialog::startTest() {
  const std::optional<RadioSettings> settings = filledIn();
  if (!settings) return;
  if (!actions_.apply(*settings)) return;
  applied_ = true;
  testsBefore_ = radio_.status().tests;
  radio_.test(commPort_);
  testOutcome_->setText(QStringLiteral("Testing..."));
  test_->setEnabled(false);
  testWatch_->start();
}

void RadioDialog::checkTest() {
  const RadioStatus status = radio_.status();
  if (status.tests == testsBefore_) return;
  testWatch_->stop();
  test_->setEnabled(true);
  testOutcome_->setText(QString::fromStdString(status.testOutcome));
}

void RadioDialog::finish(bool keep) {
  if (keep) {
    const std::optional<RadioSettings> settings = filledIn();
    if (!settings) return;
    actions_.save(*settings);
    accept();
    return;
  }
  if (applied_) actions_.restore(initial_);
  reject();
}

}  // namespace quillary
