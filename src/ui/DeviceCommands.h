#pragma once

// The System page's commands to the unit: the system password entry, the two password changes,
// the key lock panel, saving and recalling the unit's stored modes, and the DEQ page's input
// sensitivity buttons. Works on the widgets the main window built, found by their objectName.

#include <QObject>
#include <QPointer>
#include <QString>
#include <array>

#include "binding/ParamEditor.h"
#include "model/Messages.h"
#include "model/ParamStore.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QSlider;
class QWidget;

namespace velantro {

class DeviceLink;

class DeviceCommands : public QObject {
  Q_OBJECT

 public:
  // Names of the buttons that carry no parameter; the main window gives its buttons these names.
  static constexpr const char* kSysPassEnterButton = "SysPassEnterBtn";
  static constexpr const char* kUnlockEnterButton = "PanelPassEnterBtn";
  static constexpr const char* kSaveModeButton = "SaveModeBtn";
  static constexpr const char* kRecallModeButton = "CallModeBtn";

  static constexpr int kSystemPasswordLength = 6;
  static constexpr int kKeyLockPasswordLength = 4;
  static constexpr int kModeNameLength = 20;

  // `root` is the main window (TForm1) after its pages have been built. Every reference must
  // outlive this object. `currentSection` is the window's CurrentSection (page * 256 + sheet).
  DeviceCommands(QWidget& root, ParamEditor& editor, DeviceLink& link, Messages& messages,
                 const int& currentSection, QObject* parent = nullptr);
  ~DeviceCommands() override;

  enum class PasswordKind { System, KeyLock };

  // The "Enter" button beside SysPassEdit.
  void EnterSystemPassword();
  // Runs at every accepted key press in one of the group's three fields, on the texts as they
  // stand before the key takes effect.
  void ChangePassword(PasswordKind kind);
  // The "Enter" button of the lock panel.
  void UnlockConsole();
  // "Recall Mode" and "Save Mode".
  void RecallMode();
  void SaveMode();
  // The mode list's change event: the name field takes the entry without its number prefix.
  void ShowModeName();
  // The DEQ sensitivity buttons: channel 0 … 2, sensitivity 0 "0.775V", 1 "1V", 2 "1.4V".
  void PresetSensitivity(int channel, int sensitivity);

  // The auto key lock after a connection: the first full refresh after the connection's download
  // (FirstDownloadFlag 1) sets the flag to 2 and, when the auto key lock is on, locks the console
  // (EngageKeyLock); later refreshes never lock. Call at the end of every RefreshAllControls.
  // Returns whether it locked.
  bool ApplyKeyLockAtStart();
  // Shows the lock panel, selects the System section, disables the section strip and the page
  // area, and puts the focus into the unlock field.
  void EngageKeyLock();
  bool KeyLockEngaged() const;

  // Whether the unit can keep the name as it is: at most 20 characters, printable ASCII only.
  static bool IsUnitModeName(const QString& name);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct PasswordGroup {
    QPointer<QLineEdit> old;
    QPointer<QLineEdit> new1;
    QPointer<QLineEdit> new2;
    int length = 0;
    ParamAddress address = 0;
  };

  template <typename T>
  T* Find(const char* name) const;
  void ConnectButton(const char* name, void (DeviceCommands::*handler)());
  void InstallDigitFilter(QLineEdit* field);
  PasswordGroup& GroupOf(PasswordKind kind);
  std::string& StoredPassword(PasswordKind kind);
  void SendText(ParamAddress address, const std::string& text);
  void EndPasswordChange(PasswordGroup& group);
  // Enter in the old field: N digits that are not the stored password are cleared away with
  // "Password error", so the next try starts from an empty field.
  void RefuseWrongOldPassword(PasswordKind kind);
  // What an action did, in the notice strip.
  void Tell(const char* text);
  void SetLocked(bool locked);

  QWidget& root_;
  ParamEditor& editor_;
  ParamStore& store_;
  DeviceLink& link_;
  Messages& messages_;
  const int& currentSection_;

  PasswordGroup system_;
  PasswordGroup keyLock_;
  QPointer<QLineEdit> sysPassEdit_;
  QPointer<QLineEdit> unlockEdit_;
  QPointer<QWidget> lockPanel_;
  QPointer<QComboBox> modeBox_;
  QPointer<QLineEdit> modeNameEdit_;
};

}  // namespace velantro
