#include "ui/PresetLibraryPanel.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTableWidget>
#include <QWidget>

#include "link/DeviceLink.h"
#include "presets/PresetFile.h"
#include "widgets/WidgetNames.h"

namespace velantro {

namespace {

const std::string kOverwriteQuestion = "File already exists, overwrite it?";
const std::string kOverwriteCaption = "*prompt*";
const std::string kRefusedCaption = "prompt";
const std::string kLoadCaption = "Confirm";

enum Column { kNumberColumn = 0, kNameColumn = 1, kColumnCount = 2 };

QTableWidgetItem* ReadOnlyItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

}  // namespace

PresetLibraryPanel::PresetLibraryPanel(QWidget& root, ParamStore& store, DeviceLink& link,
                                       Messages& messages, const Language& language,
                                       std::filesystem::path presetRoot, QObject* parent)
    : QObject(parent),
      store_(store),
      link_(link),
      messages_(messages),
      language_(language),
      library_(std::move(presetRoot)) {
  grid_ = root.findChild<QTableWidget*>(QString::fromLatin1(names::kPresetGrid));
  fileEdit_ = root.findChild<QLineEdit*>(QStringLiteral("FileEdit"));
  if (grid_) {
    grid_->setColumnCount(kColumnCount);
    grid_->setHorizontalHeaderLabels(
        {QString::fromUtf8(kNumberTitle), QString::fromUtf8(kNameTitle)});
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
    grid_->setItem(row, kNumberColumn, ReadOnlyItem(QString::number(row)));
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
  if (name.empty()) return;
  if (const auto reason = PresetLibrary::RefusalReason(name)) {
    messages_.Information(*reason, kRefusedCaption);
    return;
  }
  if (library_.Contains(name) && !messages_.AskOkCancel(kOverwriteQuestion, kOverwriteCaption)) {
    return;
  }
  if (!WritePresetFile(library_.PathOf(name), store_, messages_)) return;
  ListPresets(name);
}

void PresetLibraryPanel::LoadPreset() {
  const std::string name = FileEditText();
  if (!messages_.AskYesNo("Load Mode：" + name + " ?", kLoadCaption)) return;
  // A name that cannot be a file of the preset folder names no preset there; it must not lead
  // the reader out of the folder either. Any listed file passes, whatever the save would say.
  if (!PresetLibrary::NamesFileInFolder(name)) {
    ShowLocalizedMessage(messages_, language_, PresetErrorText(PresetError::NotFound),
                         PresetMessageCaption());
    return;
  }
  // Only what the upload sends is taken, online or not: the system page keeps the unit's mode,
  // user level, key lock and volumes. Offline the values wait in the store; online they go to
  // the unit and the transfer ends with every control refreshed.
  if (!ReadPresetForUpload(library_.PathOf(name), store_, messages_, language_)) return;
  if (link_.LinkOnline()) link_.StartUpload();
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
