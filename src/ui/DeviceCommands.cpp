#include "ui/DeviceCommands.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QWidget>
#include <algorithm>

#include "binding/ControlBinding.h"
#include "link/DeviceLink.h"
#include "link/Frames.h"
#include "model/ParamAddress.h"
#include "model/Sections.h"
#include "widgets/Translation.h"
#include "widgets/WidgetNames.h"

namespace velantro {

namespace {

// The boxes and notices of these commands speak the console's language.
constexpr const char* kPrompt = VELANTRO_TEXT("prompt");
constexpr const char* kModeNameRefusal = VELANTRO_TEXT(
    "Mode names use letters, digits, spaces and ASCII punctuation only (at most 20).");
// What a password entry did, said in the notice strip.
constexpr const char* kPasswordAcceptedNotice =
    VELANTRO_TEXT("Password accepted: the user level can be chosen.");
constexpr const char* kOfflinePasswordNotice =
    VELANTRO_TEXT("Password right, but the unit is off line: connect, then enter it again.");
constexpr const char* kSystemPasswordChangedNotice =
    VELANTRO_TEXT("System password changed on the unit.");
constexpr const char* kLockPasswordChangedNotice =
    VELANTRO_TEXT("Key lock password changed on the unit.");

// What a stored mode's name can hold: printable ASCII.
constexpr char16_t kFirstNameCode = 0x20;
constexpr char16_t kLastNameCode = 0x7E;

// DEQ channel c keeps its dynamics at indexes 12c + 8 … 12c + 11: attack, release, level, ratio.
constexpr int kDeqChannelStride = 12;
constexpr int kDeqTypeOffset = 7;
constexpr int kDeqTypeAbove = 2;
constexpr int kDeqChannelCount = 3;
constexpr int kSensitivityCount = 3;

// Attack, release, level, ratio per sensitivity ("0.775V", "1V", "1.4V"); the level sits two
// steps lower on a channel that works "Above".
constexpr std::array<std::array<int, 4>, kSensitivityCount> kSensitivityPlain{{
    {9, 4, 9, 5},
    {9, 4, 12, 5},
    {9, 4, 15, 5},
}};
constexpr std::array<std::array<int, 4>, kSensitivityCount> kSensitivityAbove{{
    {9, 4, 7, 5},
    {9, 4, 10, 5},
    {9, 4, 13, 5},
}};
// The dynamics bars follow the work mode: attack time, release time, attack level, ratio.
constexpr int kDeqDynamicsBars = 4;

// Entries 1 to 9 carry the prefix "k-", entries from 10 on "kk-".
constexpr int kShortPrefixEntries = 9;

bool IsDigitKey(const QKeyEvent& key) {
  const QString text = key.text();
  return text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9');
}

bool IsEnterKey(const QKeyEvent& key) {
  return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

bool IsEditKey(const QKeyEvent& key) { return key.key() == Qt::Key_Backspace || IsEnterKey(key); }

// Moving the cursor or the focus changes no text; the operator keeps those keys.
bool IsNavigationKey(const QKeyEvent& key) {
  if (key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) return false;
  switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
      return true;
    default:
      return false;
  }
}

}  // namespace

DeviceCommands::DeviceCommands(QWidget& root, ParamEditor& editor, DeviceLink& link,
                               Messages& messages, const int& currentSection, QObject* parent)
    : QObject(parent),
      root_(root),
      editor_(editor),
      store_(editor.store()),
      link_(link),
      messages_(messages),
      currentSection_(currentSection) {
  sysPassEdit_ = Find<QLineEdit>("SysPassEdit");
  unlockEdit_ = Find<QLineEdit>("PanelPassWordEdit");
  lockPanel_ = Find<QWidget>(names::kKeyLockPanel);
  modeBox_ =
      Find<QComboBox>(ControlName(sysaddr::CurrentMode, ControlRole::Main).toLatin1().constData());
  modeNameEdit_ = Find<QLineEdit>("PresetModeEdit");

  system_ = {Find<QLineEdit>("SysPanelLabel1"), Find<QLineEdit>("NewSysPassLabel1"),
             Find<QLineEdit>("NewSysPassLabel2"), kSystemPasswordLength, sysaddr::SystemPassword};
  keyLock_ = {Find<QLineEdit>("PassPanelLabel1"), Find<QLineEdit>("NewPassLabel1"),
              Find<QLineEdit>("NewPassLabel2"), kKeyLockPasswordLength, sysaddr::KeyLockPassword};

  for (QLineEdit* field : {sysPassEdit_.data(), unlockEdit_.data()}) InstallDigitFilter(field);
  for (PasswordGroup* group : {&system_, &keyLock_}) {
    for (QLineEdit* field : {group->old.data(), group->new1.data(), group->new2.data()}) {
      InstallDigitFilter(field);
    }
    for (QLineEdit* field : {group->new1.data(), group->new2.data()}) {
      if (field) field->setEnabled(false);
    }
  }
  if (modeNameEdit_) modeNameEdit_->setMaxLength(kModeNameLength);
  if (lockPanel_) lockPanel_->hide();

  ConnectButton(kSysPassEnterButton, &DeviceCommands::EnterSystemPassword);
  ConnectButton(kUnlockEnterButton, &DeviceCommands::UnlockConsole);
  ConnectButton(kSaveModeButton, &DeviceCommands::SaveMode);
  ConnectButton(kRecallModeButton, &DeviceCommands::RecallMode);
  if (modeBox_) {
    connect(modeBox_, &QComboBox::currentIndexChanged, this, [this] { ShowModeName(); });
  }
  for (int channel = 0; channel < kDeqChannelCount; ++channel) {
    for (int sensitivity = 0; sensitivity < kSensitivityCount; ++sensitivity) {
      const QString name = QString::fromLatin1(names::kDeqAmpButton).arg(channel).arg(sensitivity);
      if (auto* button = root_.findChild<QAbstractButton*>(name)) {
        connect(button, &QAbstractButton::clicked, this,
                [this, channel, sensitivity] { PresetSensitivity(channel, sensitivity); });
      }
    }
  }
}

DeviceCommands::~DeviceCommands() = default;

template <typename T>
T* DeviceCommands::Find(const char* name) const {
  return root_.findChild<T*>(QString::fromLatin1(name));
}

void DeviceCommands::ConnectButton(const char* name, void (DeviceCommands::*handler)()) {
  if (auto* button = Find<QAbstractButton>(name)) {
    connect(button, &QAbstractButton::clicked, this, [this, handler] { (this->*handler)(); });
  }
}

void DeviceCommands::InstallDigitFilter(QLineEdit* field) {
  if (!field) return;
  field->installEventFilter(this);
  // Pasting and dropping bypass key presses; the validator keeps those to digits as well.
  field->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
}

DeviceCommands::PasswordGroup& DeviceCommands::GroupOf(PasswordKind kind) {
  return kind == PasswordKind::System ? system_ : keyLock_;
}

std::string& DeviceCommands::StoredPassword(PasswordKind kind) {
  return kind == PasswordKind::System ? store_.SystemPassword : store_.KeyLockPassword;
}

void DeviceCommands::SendText(ParamAddress address, const std::string& text) {
  link_.Transmit(BuildText(address, text));
}

bool DeviceCommands::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (IsNavigationKey(key)) return false;
  if (!IsDigitKey(key) && !IsEditKey(key)) return true;  // discarded before the field sees it

  for (PasswordKind kind : {PasswordKind::System, PasswordKind::KeyLock}) {
    const PasswordGroup& group = GroupOf(kind);
    if (watched == group.old || watched == group.new1 || watched == group.new2) {
      ChangePassword(kind);
      if (watched == group.old && IsEnterKey(key)) RefuseWrongOldPassword(kind);
      break;
    }
  }
  return false;
}

// A full old password that is not the unit's would otherwise stay in the field, which takes no
// more digits: the right one could never be typed after it.
void DeviceCommands::RefuseWrongOldPassword(PasswordKind kind) {
  PasswordGroup& group = GroupOf(kind);
  if (!group.old) return;
  const QString typed = group.old->text();
  if (typed.size() != group.length || typed.toStdString() == StoredPassword(kind)) return;
  group.old->clear();
  messages_.Information(Say(QT_TRANSLATE_NOOP("velantro", "Password error")), Say(kPrompt));
}

void DeviceCommands::Tell(const char* text) {
  messages_.ShowNotice(Say(text), Say(kPrompt), NoticeKind::Brief);
}

void DeviceCommands::EnterSystemPassword() {
  if (!sysPassEdit_) return;
  const std::string typed = sysPassEdit_->text().toStdString();
  sysPassEdit_->clear();
  const bool valid = typed == store_.SystemPassword &&
                     store_.SystemPassword.size() == static_cast<size_t>(kSystemPasswordLength);
  if (!valid) {
    messages_.Information(Say(QT_TRANSLATE_NOOP("velantro", "Password error")), Say(kPrompt));
    return;
  }
  if (!link_.LinkOnline()) {
    Tell(kOfflinePasswordNotice);
    return;
  }
  if (auto* choice = Find<QWidget>(names::kUserAdminGroup)) choice->setEnabled(true);
  SendText(sysaddr::SystemPassword, typed);
  Tell(kPasswordAcceptedNotice);
}

void DeviceCommands::ChangePassword(PasswordKind kind) {
  PasswordGroup& group = GroupOf(kind);
  if (!group.old || !group.new1 || !group.new2) return;
  std::string& stored = StoredPassword(kind);
  const auto length = static_cast<qsizetype>(group.length);
  if (group.old->text().toStdString() != stored || stored.size() != static_cast<size_t>(length) ||
      !link_.LinkOnline()) {
    return;
  }
  group.new1->setEnabled(true);
  if (group.new1->text().size() == length) group.new2->setEnabled(true);
  if (group.new1->text().size() != length || group.new2->text().size() != length) return;

  const std::string new1 = group.new1->text().toStdString();
  const std::string new2 = group.new2->text().toStdString();
  if (new1 != stored && new1 == new2) {
    stored = new1;
    SendText(group.address, new1);
    Tell(kind == PasswordKind::System ? kSystemPasswordChangedNotice : kLockPasswordChangedNotice);
  } else if (new1 != new2) {
    messages_.Information(Say(QT_TRANSLATE_NOOP("velantro", "Password different!")), Say(kPrompt));
  }
  EndPasswordChange(group);
}

void DeviceCommands::EndPasswordChange(PasswordGroup& group) {
  group.new1->setEnabled(false);
  group.new2->setEnabled(false);
  group.old->clear();
  group.new1->clear();
  group.new2->clear();
}

bool DeviceCommands::ApplyKeyLockAtStart() {
  constexpr int kAutoKeyLockIndex = IndexOf(sysaddr::AutoKeyLock);
  if (link_.FirstDownloadFlag != 1) return false;
  // The first refresh after the connection decides, locked or not: the refreshes after a preset
  // upload or a mode recall must never lock the console.
  link_.FirstDownloadFlag = 2;
  if (store_.ViewValues[kSystemPage][kAutoKeyLockIndex] != 1) return false;
  EngageKeyLock();
  return true;
}

void DeviceCommands::EngageKeyLock() {
  if (lockPanel_) {
    lockPanel_->show();
    lockPanel_->raise();
  }
  // Selected as if the operator had clicked the tab, before the strip is disabled.
  constexpr int kSystemTab = 8;
  if (auto* systemTab = root_.findChild<QAbstractButton*>(
          QString::fromLatin1(names::kTabButton).arg(kSystemTab))) {
    systemTab->click();
  }
  SetLocked(true);
  if (unlockEdit_) unlockEdit_->setFocus(Qt::OtherFocusReason);
}

bool DeviceCommands::KeyLockEngaged() const { return lockPanel_ && !lockPanel_->isHidden(); }

void DeviceCommands::SetLocked(bool locked) {
  for (const char* name : {names::kSectionStrip, names::kPageStack}) {
    if (auto* widget = Find<QWidget>(name)) widget->setEnabled(!locked);
  }
}

void DeviceCommands::UnlockConsole() {
  if (!unlockEdit_) return;
  const std::string typed = unlockEdit_->text().toStdString();
  unlockEdit_->clear();
  if (typed != store_.KeyLockPassword ||
      store_.KeyLockPassword.size() != static_cast<size_t>(kKeyLockPasswordLength)) {
    return;
  }
  if (lockPanel_) lockPanel_->hide();
  SetLocked(false);
  Tell(QT_TRANSLATE_NOOP("velantro", "Unlock Success"));
}

void DeviceCommands::RecallMode() {
  if (!modeBox_ || modeBox_->currentIndex() < 0) return;
  const int index = modeBox_->currentIndex();
  if (!messages_.AskYesNo(
          Say(QT_TRANSLATE_NOOP("velantro", "Load mode %1?"), {modeBox_->currentText()}),
          Say(kPrompt))) {
    return;
  }
  // Sent through the change queue: when it leaves at once the link goes quiet ("Loading...") and
  // the unit's acknowledgement starts the reload.
  editor_.SetValue(sysaddr::CurrentMode, index, EditOrigin::System);
}

void DeviceCommands::SaveMode() {
  constexpr int kAdministratorIndex = IndexOf(sysaddr::UserOrAdmin);
  if (store_.ViewValues[kSystemPage][kAdministratorIndex] != 1) {
    messages_.Information(Say(QT_TRANSLATE_NOOP("velantro", "User mode can not save operation!")),
                          Say(kPrompt));
    return;
  }
  if (!modeBox_ || !modeNameEdit_) return;
  const int index = modeBox_->currentIndex();
  // Only the unit's nine stored modes can take a save.
  if (index < 0 || index >= static_cast<int>(store_.ModeNames.size())) return;
  // The unit would keep another character as "?"; the operator chooses a name it can keep.
  if (!IsUnitModeName(modeNameEdit_->text())) {
    messages_.Information(Say(kModeNameRefusal), Say(kPrompt));
    return;
  }
  const std::string name = modeNameEdit_->text().toStdString();
  if (!messages_.AskYesNo(Say(QT_TRANSLATE_NOOP("velantro", "Save Mode to %1-%2?"),
                              {QString::number(index + 1), modeNameEdit_->text()}),
                          Say(kPrompt))) {
    return;
  }
  // Names the mode, sends the save frame directly and waits for the acknowledgement.
  link_.SaveMode(index, name);
}

bool DeviceCommands::IsUnitModeName(const QString& name) {
  if (name.size() > kModeNameLength) return false;
  return std::all_of(name.begin(), name.end(), [](QChar c) {
    return c.unicode() >= kFirstNameCode && c.unicode() <= kLastNameCode;
  });
}

void DeviceCommands::ShowModeName() {
  if (!modeBox_ || !modeNameEdit_) return;
  const int index = modeBox_->currentIndex();
  if (index < 0) return;
  const int prefix = index < kShortPrefixEntries ? 2 : 3;
  modeNameEdit_->setText(modeBox_->currentText().mid(prefix));
}

void DeviceCommands::PresetSensitivity(int channel, int sensitivity) {
  if (SectionPage(currentSection_) != kDeqPage) return;
  if (channel < 0 || channel >= kDeqChannelCount || sensitivity < 0 ||
      sensitivity >= kSensitivityCount) {
    return;
  }
  const int type = store_.ViewValues[kDeqPage][kDeqChannelStride * channel + kDeqTypeOffset];
  const auto& values = type == kDeqTypeAbove ? kSensitivityAbove[static_cast<size_t>(sensitivity)]
                                             : kSensitivityPlain[static_cast<size_t>(sensitivity)];
  const int typeIndex = kDeqChannelStride * channel + kDeqTypeOffset;
  for (int k = 0; k < kDeqDynamicsBars; ++k) {
    const QString name = ControlName(MakeAddress(kDeqPage, typeIndex + 1 + k), ControlRole::Main);
    // The bar's own change handler shows and sends the value, as for an operator's drag.
    if (auto* bar = root_.findChild<QSlider*>(name)) bar->setValue(values[static_cast<size_t>(k)]);
  }
}

}  // namespace velantro
