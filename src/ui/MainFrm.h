#pragma once

// TForm1, the console's main window: puts its parts together and places them. A borderless black
// window with its frame (title strip, window moves), the section strip (tab buttons, normal
// volumes, link button), the page control with every section sheet, the EQ graph panel and the
// two button groups above it; the section handlers that act across sheets (Auto/Manual,
// Sing/Disco, MIC group, DEQ reference) and the first show.

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "ui/WindowControls.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QStackedWidget;

namespace velantro {

class ControlBinding;
class DeviceCommands;
class EqGraphPanel;
class Messages;
class NoticeStrip;
class ParamStore;
class PresetLibraryPanel;
class SectionNavigator;
class SheetLayout;
class TForm2;
class TForm3;
class WindowFrame;
enum class Language;
struct LinkConfig;
struct LinkSettings;

// What the composition root hands the window. References: the console keeps each, and a setting
// may change after the window is made (the language, the preset folder before the first show).
struct WindowContext {
  ParamStore& store;
  Messages& messages;
  int& currentSection;  // written only by the tab switch
  const Language& language;
  const LinkSettings& linkSettings;
  LinkConfig& linkConfig;  // the "IP Address/Port" fields write it
  const std::string& programFolder;
  TForm3* linkWindow;    // null: no link (a test drives the store by itself)
  TForm2* statusDialog;  // may be null alike
};

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm1(const WindowContext& context);
  ~TForm1() override;

  // The first-show step; runs once, from the first show (tests may call it before showing).
  void FirstShow();
  bool firstShowDone() const { return firstShowDone_; }

  // The tab switch with tab button 1 … 10 (FormTabBtn<n>).
  void TabSwitch(QPushButton* tab);
  void TabSwitchTo(int tabNumber);

  // Window buttons.
  void Minimise();
  void ToggleMaximise();
  bool maximised() const;

  // Section handlers of the sheets.
  void AutoManualClicked(QPushButton* button);
  void SingDiscoClicked(QPushButton* button);
  void MicGroupClicked(QPushButton* button);
  void DeqReferenceClicked();

  // Shows the store's management code in its pane (after every full refresh).
  void ShowDeviceCode();
  // While the unit's settings are read in over what the pages show (the first download, a mode
  // recall's reload), the pages, the graph and the volumes take no edits: greyed, with a
  // "Loading…" notice over them. The key lock's own greying is left as it is.
  void ShowUnitLoading(bool loading);
  bool unitLoading() const { return unitLoading_; }
  // Rebuilds SysModeBox from ModeNames ("1-" + name ...), keeping the selected entry.
  void RebuildModeList();

  ControlBinding* binding() const { return binding_.get(); }
  EqGraphPanel* graph() const { return graph_; }
  DeviceCommands* deviceCommands() const { return deviceCommands_.get(); }
  PresetLibraryPanel* presets() const { return presets_.get(); }
  // After a language switch: the texts the window makes from the unit's values (the current mode
  // line) and the graph's labels, in the new language.
  void RetranslateParts();
  QStackedWidget* pages() const { return pages_; }
  // The scroll box around the page control: it scrolls a sheet that the window is too small for.
  QScrollArea* pageScroll() const { return pageScroll_; }
  // How far the content of the sheet on view sits right of its design place (a wide window).
  int sheetShift() const;
  QLabel* statusLabel() const;
  QPushButton* linkButton() const { return strip_.linkButton; }
  QPushButton* unlinkButton() const { return strip_.unlinkButton; }
  QPushButton* tabButton(int number) const;  // 1 … 10
  NoticeStrip* noticeStrip() const { return noticeStrip_; }

  // Asked before the window closes; false keeps it open (unsaved changes, Cancel).
  std::function<bool()> mayClose;
  // Run by the first show once the pages hold their start values, before the link starts: the
  // console puts its document on them.
  std::function<void()> beforeLinkStart;

 signals:
  // The window has closed; the program ends.
  void windowClosed();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildPageArea();
  void BuildNavigator();
  void ConnectSectionHandlers();
  void ConnectGraphButtons();
  void ConnectNetworkFields();
  void PlaceParts();
  void PlacePageArea();
  void PlaceLoadingNotice();
  void FocusMoved(QWidget* now);
  void FollowPageScroll();
  void PlaceButtonGroups(int page, int sheet);
  void StartLinkQuietly();
  template <typename T>
  T* Child(const char* name) const;

  WindowContext context_;
  std::unique_ptr<WindowFrame> frame_;
  std::unique_ptr<ControlBinding> binding_;
  std::unique_ptr<SectionNavigator> navigator_;
  std::unique_ptr<DeviceCommands> deviceCommands_;
  std::unique_ptr<PresetLibraryPanel> presets_;
  EqGraphPanel* graph_ = nullptr;
  QWidget* sectionStrip_ = nullptr;  // TopTileGrop
  SectionStripParts strip_;
  NoticeStrip* noticeStrip_ = nullptr;
  QStackedWidget* pages_ = nullptr;  // FormPageItem
  QScrollArea* pageScroll_ = nullptr;
  SheetLayout* sheetLayout_ = nullptr;
  int groupsLeft_ = 272;  // EQPassGrop's left edge on the sheet at its design place
  QWidget* eqPassGroup_ = nullptr;
  QWidget* singleDiscoGroup_ = nullptr;
  QWidget* lockPanel_ = nullptr;
  QLabel* loadingNotice_ = nullptr;
  bool unitLoading_ = false;
  bool firstShowDone_ = false;
};

}  // namespace velantro
