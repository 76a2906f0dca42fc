#pragma once

// The preset library on the System page ("Computer Data Backup Management"): the grid of preset
// files, the "File Name:" field, "Save data to PC" and "Upload data to Equipment". Works on the
// widgets the main window built, found by their objectName.

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <string>

#include "model/Messages.h"
#include "model/ParamStore.h"
#include "presets/PresetLibrary.h"

class QAbstractButton;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace velantro {

class DeviceLink;

class PresetLibraryPanel : public QObject {
  Q_OBJECT

 public:
  static constexpr const char* kNumberTitle = "      Number";
  static constexpr const char* kNameTitle = "                   （Computer）Date Name";

  // `root` is the main window after its pages have been built; `presetRoot` the folder that
  // holds "Mode" (see ChooseRoot). Every reference must outlive this object.
  PresetLibraryPanel(QWidget& root, ParamStore& store, DeviceLink& link, Messages& messages,
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

  // "Save data to PC" and "Upload data to Equipment".
  void SavePreset();
  void LoadPreset();

  const PresetLibrary& library() const { return library_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SelectRow(int row);
  std::string FileEditText() const;

  ParamStore& store_;
  DeviceLink& link_;
  Messages& messages_;
  const Language& language_;
  PresetLibrary library_;

  QPointer<QTableWidget> grid_;
  QPointer<QLineEdit> fileEdit_;
};

}  // namespace velantro
