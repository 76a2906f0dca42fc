#include "ui/PresetLibraryPanel.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTableWidget>
#include <QWidget>

#include "binding/ImageDiff.h"
#include "binding/ParamEditor.h"
#include "binding/ParameterTips.h"
#include "link/DeviceLink.h"
#include "presets/PresetFile.h"
#include "ui/DifferenceList.h"
#include "widgets/Translation.h"
#include "widgets/WidgetNames.h"

namespace velantro {

namespace {

constexpr const char* kOverwriteQuestion = VELANTRO_TEXT("File already exists, overwrite it?");
constexpr const char* kOverwriteCaption = VELANTRO_TEXT("*prompt*");
constexpr const char* kRefusedCaption = VELANTRO_TEXT("prompt");
constexpr const char* kLoadCaption = VELANTRO_TEXT("Confirm");
constexpr const char* kSameAsUnitCaption = VELANTRO_TEXT("prompt");

std::string Say(const char* source, const std::string& argument) {
  return velantro::Say(source, {QString::fromStdString(argument)});
}

// What a preset action did, said in the notice strip.
const LocalizedText kNoNameNotice{"请先输入预设名称。", "Type or pick a preset name first."};
LocalizedText SavedNotice(const std::string& name) {
  return {"预设 \"" + name + "\" 已保存。", "Preset \"" + name + "\" saved."};
}
LocalizedText LoadedNotice(const std::string& name, bool online) {
  if (online) {
    return {"预设 \"" + name + "\" 已载入, 正在发送到设备…",
            "Preset \"" + name + "\" loaded: sending it to the unit…"};
  }
  return {"预设 \"" + name + "\" 已载入 (设备未连接, 未发送)。",
          "Preset \"" + name + "\" loaded into the console (the unit is off line: nothing sent)."};
}

enum Column { kNumberColumn = 0, kNameColumn = 1, kColumnCount = 2 };

QTableWidgetItem* ReadOnlyItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

std::string LoadQuestion(const std::string& name) {
  return Say(QT_TRANSLATE_NOOP("velantro", "Load Mode：%1 ?"), name);
}

std::string CountLine(size_t count) {
  return Say(count == 1
                 ? QT_TRANSLATE_NOOP("velantro", "%1 value differs from what the unit holds:")
                 : QT_TRANSLATE_NOOP("velantro", "%1 values differ from what the unit holds:"),
             std::to_string(count));
}

std::string PreviewQuestion(const std::string& name,
                            const std::vector<ImageDifference>& differences) {
  return LoadQuestion(name) + "\n" + CountLine(differences.size()) +
         DifferenceListText(differences, PresetLibraryPanel::kPreviewLineLimit, true);
}

}  // namespace

PresetLibraryPanel::PresetLibraryPanel(QWidget& root, ParamEditor& editor, DeviceLink& link,
                                       Messages& messages, const Language& language,
                                       std::filesystem::path presetRoot, QObject* parent)
    : QObject(parent),
      editor_(editor),
      store_(editor.store()),
      link_(link),
      messages_(messages),
      language_(language),
      library_(std::move(presetRoot)) {
  grid_ = root.findChild<QTableWidget*>(QString::fromLatin1(names::kPresetGrid));
  fileEdit_ = root.findChild<QLineEdit*>(QStringLiteral("FileEdit"));
  if (grid_) {
    grid_->setColumnCount(kColumnCount);
    SetHeaderLabels(grid_, {kPresetNumberTitle, kPresetNameTitle});
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setTabKeyNavigation(false);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->installEventFilter(this);
    const auto pickRow = [this](int row, int) {
      SelectRow(row);
      if (fileEdit_) fileEdit_->setFocus(Qt::MouseFocusReason);
    };
    connect(grid_, &QTableWidget::cellClicked, this, pickRow);
    // The second press of a double click gives the grid the focus back, and the view reports no
    // click for it: without this the keys typed next would go to the grid, which drops them.
    connect(grid_, &QTableWidget::cellDoubleClicked, this, pickRow);
  }
  if (auto* save = root.findChild<QAbstractButton*>(QStringLiteral("RzBmpButton120"))) {
    connect(save, &QAbstractButton::clicked, this, [this] { SavePreset(); });
  }
  if (auto* load = root.findChild<QAbstractButton*>(QStringLiteral("RzBmpButton119"))) {
    connect(load, &QAbstractButton::clicked, this, [this] { LoadPreset(); });
  }
}

PresetLibraryPanel::~PresetLibraryPanel() = default;

std::filesystem::path PresetLibraryPanel::ChooseRoot(const std::filesystem::path& programFolder) {
  const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  std::vector<std::filesystem::path> candidates;
  if (!PresetLibrary::IsSystemFolder(programFolder)) candidates.push_back(programFolder);
  if (!dataFolder.isEmpty()) {
    candidates.push_back(PresetLibrary::ToPath(dataFolder.toStdString()));
  }
  return PresetLibrary::ChooseWritableRoot(candidates).value_or(programFolder);
}

void PresetLibraryPanel::EnsureFolders() { library_.EnsureFolders(); }

void PresetLibraryPanel::ListPresets(const std::string& currentName) {
  const int previousRow = grid_ ? grid_->currentRow() : -1;
  const std::vector<std::string>& names = library_.ListPresets();
  if (!grid_) return;
  grid_->setRowCount(0);
  grid_->setRowCount(static_cast<int>(names.size()));
  int wanted = -1;
  for (size_t p = 0; p < names.size(); ++p) {
    const int row = static_cast<int>(p);
    grid_->setItem(row, kNumberColumn, ReadOnlyItem(QString::number(row + 1)));
    grid_->setItem(row, kNameColumn, ReadOnlyItem(QString::fromStdString(names[p])));
    if (!currentName.empty() && names[p] == currentName) wanted = row;
  }
  if (wanted < 0) wanted = std::min(std::max(previousRow, 0), static_cast<int>(names.size()) - 1);
  SelectRow(wanted);
}

void PresetLibraryPanel::SelectRow(int row) {
  const std::vector<std::string>& names = library_.Names();
  if (row < 0 || row >= static_cast<int>(names.size())) {
    if (fileEdit_) fileEdit_->clear();
    return;
  }
  if (grid_) grid_->setCurrentCell(row, kNameColumn);
  // The row's name as listed: stripping it a second time would cut "ab.cdef" to "ab".
  if (fileEdit_) fileEdit_->setText(QString::fromStdString(names[static_cast<size_t>(row)]));
}

std::string PresetLibraryPanel::FileEditText() const {
  return fileEdit_ ? fileEdit_->text().toStdString() : std::string();
}

void PresetLibraryPanel::SavePreset() {
  const std::string name = FileEditText();
  if (name.empty()) {
    Tell(kNoNameNotice);
    return;
  }
  if (const auto reason = PresetLibrary::RefusalReason(name)) {
    messages_.Information(reason->In(language_), Say(kRefusedCaption));
    return;
  }
  if (library_.Contains(name) &&
      !messages_.AskOkCancel(Say(kOverwriteQuestion), Say(kOverwriteCaption))) {
    return;
  }
  if (!WritePresetFile(library_.PathOf(name), store_, messages_, language_)) return;
  ListPresets(name);
  Tell(SavedNotice(name));
}

void PresetLibraryPanel::Tell(const LocalizedText& text) {
  messages_.ShowNotice(text.In(language_), kSameAsUnitCaption, NoticeKind::Brief);
}

void PresetLibraryPanel::LoadPreset() {
  const std::string name = FileEditText();
  if (name.empty()) {
    Tell(kNoNameNotice);
    return;
  }
  if (!link_.LinkOnline() && openOffline && PresetLibrary::NamesFileInFolder(name)) {
    openOffline(library_.PathOf(name));
    return;
  }
  const std::optional<DeviceTable> preset = ReadForUpload(name);
  if (!preset) return;
  const std::vector<ImageDifference> differences =
      DiffImages(store_.DeviceImage, *preset, catalog_, DiffScope::Upload);
  // Nothing would change on the unit: an upload would only take the console off line for the
  // transfer, in front of an audience, so the operator is told and nothing is sent.
  if (differences.empty()) {
    messages_.Information(
        Say(QT_TRANSLATE_NOOP("velantro", "Load Mode：%1"), name) + "\n" + Say(kSameAsUnitText),
        Say(kSameAsUnitCaption));
    return;
  }
  if (!messages_.AskYesNo(PreviewQuestion(name, differences), Say(kLoadCaption))) return;
  // The link ran while the question was open: what the unit reported meanwhile stays, and only
  // the cells the upload carries take the preset's values. The system page keeps the unit's
  // mode, user level, key lock and volumes. Offline the values wait in the store; online they
  // go to the unit and the transfer ends with every control refreshed.
  DeviceTable next = store_.DeviceImage;
  TakeUploadedCells(*preset, next);
  editor_.TakeImage(next, EditOrigin::Preset);
  const bool online = link_.LinkOnline();
  Tell(LoadedNotice(name, online));
  if (online) link_.StartUpload();
}

std::optional<DeviceTable> PresetLibraryPanel::ReadForUpload(const std::string& name) {
  // A name that cannot be a file of the preset folder names no preset there; it must not lead
  // the reader out of the folder either. Any listed file passes, whatever the save would say.
  if (!PresetLibrary::NamesFileInFolder(name)) {
    ShowLocalizedMessage(messages_, language_, PresetErrorText(PresetError::NotFound),
                         PresetMessageCaption());
    return std::nullopt;
  }
  DeviceTable image = store_.DeviceImage;
  if (!ReadPresetUploadImage(library_.PathOf(name), image, messages_, language_)) {
    return std::nullopt;
  }
  return image;
}

bool PresetLibraryPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    // The rows are never edited or moved through by keys; the focus may still leave.
    return key != Qt::Key_Tab && key != Qt::Key_Backtab;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace velantro
