#pragma once

// The preset library on the System page ("Computer Data Backup Management"): the grid of preset
// files, the "File Name:" field, "Save data to PC" and "Upload data to Equipment". Works on the
// widgets the main window built, found by their objectName.

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "binding/ParameterCatalog.h"
#include "model/Messages.h"
#include "model/ParamStore.h"
#include "model/TextMark.h"
#include "presets/PresetLibrary.h"

class QAbstractButton;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace velantro {

class DeviceLink;
class ParamEditor;

// The preset grid's column titles; its rows count from 1.
inline constexpr const char* kPresetNumberTitle = VELANTRO_TEXT("Number");
inline constexpr const char* kPresetNameTitle = VELANTRO_TEXT("Name");

class PresetLibraryPanel : public QObject {
  Q_OBJECT

 public:
  // `root` is the main window after its pages have been built; `editor` the one writer of the
  // store, which takes a loaded preset as one edit; `presetRoot` the folder that holds "Mode"
  // (see ChooseRoot). Every reference must outlive this object.
  PresetLibraryPanel(QWidget& root, ParamEditor& editor, DeviceLink& link, Messages& messages,
                     const Language& language, std::filesystem::path presetRoot,
                     QObject* parent = nullptr);
  ~PresetLibraryPanel() override;

  // The program's folder when the preset folders can be made and written there, otherwise the
  // user's data folder (QStandardPaths::AppDataLocation); the program's folder when neither
  // works (the list then stays empty and a save reports the file system's error).
  static std::filesystem::path ChooseRoot(const std::filesystem::path& programFolder);

  // Start-up, before the first listing: creates the base and preset folders where missing.
  void EnsureFolders();
  // Rebuilds the grid and the name list from the preset folder; the current row's name goes
  // into FileEdit. After a save the saved preset's row is the current one.
  void ListPresets(const std::string& currentName = {});

  // "Save data to PC" and "Upload data to Equipment". The load reads the preset aside first and
  // asks with the values it would change, grouped by page; the store takes nothing before Yes.
  void SavePreset();
  void LoadPreset();

  // At most this many lines of a load's preview list pages and values, so the question fits a
  // 1024x600 screen; the rest is counted.
  static constexpr int kPreviewLineLimit = 16;
  static constexpr const char* kSameAsUnitText =
      QT_TRANSLATE_NOOP("velantro", "The preset holds what the unit holds.");

  const PresetLibrary& library() const { return library_; }

  // While the unit is not online a load opens the preset as the console's document instead of
  // waiting unseen in the store; the window's document takes it from here.
  std::function<void(const std::filesystem::path&)> openOffline;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SelectRow(int row);
  // What an action did, in the notice strip.
  void Tell(const LocalizedText& text);
  std::string FileEditText() const;
  // The preset `name` as the unit would hold it after its upload; nothing (its message shown)
  // when it cannot be read.
  std::optional<DeviceTable> ReadForUpload(const std::string& name);

  ParamEditor& editor_;
  ParamStore& store_;
  DeviceLink& link_;
  Messages& messages_;
  const Language& language_;
  PresetLibrary library_;
  ParameterCatalog catalog_;

  QPointer<QTableWidget> grid_;
  QPointer<QLineEdit> fileEdit_;
};

}  // namespace velantro
