#pragma once

// TForm1, the console's main window: a borderless black window with its own title strip, the
// section strip (tab buttons, normal volumes, link button), the page control with every section
// sheet, the EQ graph panel and the two button groups above it.

#include <QPoint>
#include <QRect>
#include <QWidget>
#include <memory>

class QLabel;
class QPushButton;
class QScrollArea;
class QSlider;
class QStackedWidget;

namespace velantro {

class Console;
class ControlBinding;
class DeviceCommands;
class EqGraphPanel;
class PresetLibraryPanel;
class SheetLayout;

// Design placement of the window's parts.
constexpr int kDesignWidth = 1133;
constexpr int kDesignHeight = 637;
constexpr int kTitleStripHeight = 25;
constexpr int kSectionStripHeight = 26;
constexpr int kPageTop = kTitleStripHeight + kSectionStripHeight;  // 51
constexpr int kGraphTop = 294;
constexpr int kGraphWidthExtra = 2;  // the graph panel is 1135 wide in a 1133 window
constexpr int kButtonGroupsTop = 270;
constexpr int kSingleDiscoOffset = 185;
constexpr int kTabCount = 10;
// Below this the section strip no longer holds its controls side by side.
constexpr int kMinimumWidth = 1024;
constexpr int kMinimumHeight = 600;

// Left edge of EQPassGrop by the page of the section; -1: the groups stay where they are.
int EqPassGroupLeft(int page);

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm1(Console& console);
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
  bool maximised() const { return maximised_; }

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
  QStackedWidget* pages() const { return pages_; }
  // The scroll box around the page control: it scrolls a sheet that the window is too small for.
  QScrollArea* pageScroll() const { return pageScroll_; }
  // How far the content of the sheet on view sits right of its design place (a wide window).
  int sheetShift() const;
  QLabel* statusLabel() const { return statusLabel_; }
  QPushButton* linkButton() const { return linkButton_; }
  QPushButton* unlinkButton() const { return unlinkButton_; }
  QPushButton* tabButton(int number) const;  // 1 … 10

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
  void BuildTitleStrip();
  void BuildSectionStrip();
  void BuildButtonGroups();
  void BuildLockPanel();
  void BuildLoadingNotice();
  void PlaceLoadingNotice();
  void BuildTemplates();
  void ConnectSectionHandlers();
  void ConnectNetworkFields();
  void PlaceParts();
  void PlaceSectionStrip(int w);
  void PlacePageArea();
  void FocusMoved(QWidget* now);
  void ChainWindowTabOrder();
  void StepSection(int direction);
  void FollowPageScroll();
  void ShowEqPass(int page);
  void PlaceButtonGroups(int page, int sheet);
  void StartLinkQuietly();
  bool PressedOnControl(QPoint pos) const;
  template <typename T>
  T* Child(const char* name) const;

  Console& console_;
  std::unique_ptr<ControlBinding> binding_;
  std::unique_ptr<DeviceCommands> deviceCommands_;
  std::unique_ptr<PresetLibraryPanel> presets_;
  EqGraphPanel* graph_ = nullptr;
  QWidget* titleStrip_ = nullptr;
  QLabel* titlePicture_ = nullptr;
  QWidget* sectionStrip_ = nullptr;  // TopTileGrop
  QStackedWidget* pages_ = nullptr;  // FormPageItem
  QScrollArea* pageScroll_ = nullptr;
  SheetLayout* sheetLayout_ = nullptr;
  int groupsLeft_ = 272;  // EQPassGrop's left edge on the sheet at its design place
  struct VolumeParts {
    QWidget* caption;
    QWidget* bar;
    QWidget* pane;
  };
  VolumeParts volumes_[3] = {};
  int volumesLeft_ = 0;
  QWidget* eqPassGroup_ = nullptr;
  QWidget* singleDiscoGroup_ = nullptr;
  QWidget* lockPanel_ = nullptr;
  QLabel* loadingNotice_ = nullptr;
  bool unitLoading_ = false;
  QLabel* statusLabel_ = nullptr;
  QPushButton* linkButton_ = nullptr;
  QPushButton* unlinkButton_ = nullptr;
  QPushButton* windowButtons_[3] = {};  // minimise, maximise/restore, close
  int currentTab_ = 1;                  // FormTabBtn<n> of the section on view
  bool firstShowDone_ = false;
  bool maximised_ = false;
  QRect normalGeometry_;
  bool dragging_ = false;
  QPoint dragOffset_;
};

}  // namespace velantro
