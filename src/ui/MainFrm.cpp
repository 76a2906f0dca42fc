#include "ui/MainFrm.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSlider>
#include <QStackedWidget>
#include <algorithm>
#include <exception>

#include "binding/ControlBinding.h"
#include "eq/EqGraphPanel.h"
#include "link/Unit3.h"
#include "model/Scales.h"
#include "model/ScopedAssign.h"
#include "ui/Console.h"
#include "ui/DeviceCommands.h"
#include "ui/PageKit.h"
#include "ui/Pages.h"
#include "ui/PresetLibraryPanel.h"
#include "ui/SheetLayout.h"
#include "ui/Unit2.h"
#include "widgets/Looks.h"
#include "widgets/WidgetNames.h"
#include "widgets/Widgets.h"

namespace velantro {

namespace {

constexpr int kWindowButtonSize = 25;
constexpr int kEqPassInset = 8;
constexpr int kEqPassButtonWidth = 80;
constexpr int kLinkButtonWidth = 84;
constexpr int kStatusLabelWidth = 220;
// A normal volume in the section strip: caption, slider, pane; the slider gives way in a narrow
// window so that the link button never covers it.
constexpr int kVolumeCaptionWidth = 40;
constexpr int kVolumeBarWidth = 66;
constexpr int kVolumeBarNarrowest = 36;
constexpr int kVolumePaneWidth = 28;
constexpr int kVolumeFixedWidth = kVolumeCaptionWidth + 4 + 2 + kVolumePaneWidth + 8;
constexpr int kSystemSheetMargin = 4;  // under the System sheet's lowest group
constexpr int kLoadingNoticeWidth = 240;
constexpr int kLoadingNoticeHeight = 48;
constexpr char kLoadingNoticeLook[] =
    "font-size: 20px; font-weight: bold; color: white; background: rgba(0, 0, 0, 190);"
    " border: 1px solid silver; border-radius: 6px;";
// The page scroll box's bars, dark like the rest of the window.
constexpr char kPageScrollBarLook[] = R"(
QScrollBar { background: #101214; border: none; }
QScrollBar:horizontal { height: 12px; }
QScrollBar:vertical { width: 12px; }
QScrollBar::handle { background: #4a525a; border-radius: 4px; margin: 2px; }
QScrollBar::handle:horizontal { min-width: 40px; }
QScrollBar::handle:vertical { min-height: 40px; }
QScrollBar::handle:hover { background: #6a747e; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0px; height: 0px; border: none; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
)";

struct TabSpec {
  const char* caption;
  int width;
};

// FormTabBtn1 … FormTabBtn10; the last two never show.
constexpr TabSpec kTabs[kTabCount] = {
    {"Music", 62}, {"MIC", 50},         {"Effect", 60}, {"Main Output", 92}, {"AUX1", 52},
    {"AUX2", 52},  {"SUR  output", 92}, {"System", 64}, {"DEQ", 52},         {"", 40}};

struct NormalVolume {
  const char* caption;
  ParamAddress address;
};

constexpr NormalVolume kNormalVolumes[3] = {{"Music", sysaddr::MusicNormalVolume},
                                            {"MIC", sysaddr::MicNormalVolume},
                                            {"Effect", sysaddr::EffectNormalVolume}};

// The table's control in `role` at the address.
QString Bound(ParamAddress address, ControlRole role = ControlRole::Main) {
  return ControlName(address, role);
}

// The DEQ reference settings: per channel the five band fields.
constexpr ParamAddress kEqPassAddress = 0x0003;
constexpr ParamAddress kAutoManualAddress = 0x0000;
constexpr ParamAddress kSingDiscoAddress = 0x0001;

constexpr int kDeqReference[3][kBandValueCount] = {
    {0, 37, 138, 0, 0}, {0, 77, 127, 16, 0}, {2, 221, 83, 16, 16}};

const char* const kTemplatePictures[][3] = {
    {"PEQ_ONImage", "PEQ_OFFImage", nullptr},     {"LSQ_ONImage", "LSQ_OFFImage", nullptr},
    {"HSQ_ONImage", "HSQ_OFFImage", nullptr},     {"DEQ_ONImage", "DEQ_OFFImage", nullptr},
    {"BELOW_ONImage", "BELOW_OFFImage", nullptr}, {"Above_ONImage", "Above_OFFImage", nullptr}};

}  // namespace

int EqPassGroupLeft(int page) {
  switch (page) {
    case 0:
      return 272;
    case 1:
    case 3:
      return 352;
    case 4:
    case 5:
      return 736;
    case 6:
    case 9:
      return 680;
    case 7:
    case 8:
      return 712;
    default:
      return -1;
  }
}

template <typename T>
T* TForm1::Child(const char* name) const {
  return findChild<T*>(QString::fromUtf8(name));
}

TForm1::TForm1(Console& console) : QWidget(nullptr), console_(console) {
  setObjectName("TForm1");
  setWindowTitle("Velantro");
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  // The window paints its whole background black itself; the graph panel double-buffers.
  setAttribute(Qt::WA_StyledBackground, true);
  setAutoFillBackground(true);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  resize(kDesignWidth, kDesignHeight);

  pageScroll_ = new QScrollArea(this);
  pageScroll_->setObjectName("PageScroll");
  pageScroll_->setFrameShape(QFrame::NoFrame);
  pageScroll_->setFocusPolicy(Qt::NoFocus);  // Tab goes to the sheet's controls, not the box
  pageScroll_->setWidgetResizable(true);
  pageScroll_->horizontalScrollBar()->setStyleSheet(kPageScrollBarLook);
  pageScroll_->verticalScrollBar()->setStyleSheet(kPageScrollBarLook);
  pages_ = new QStackedWidget;
  pages_->setObjectName(names::kPageStack);
  BuildSectionPages(pages_);
  sheetLayout_ = new SheetLayout(pages_);
  pageScroll_->setWidget(pages_);
  pages_->installEventFilter(this);
  connect(pageScroll_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
          [this] { FollowPageScroll(); });

  // Creation step: the graph panel registers its handles and builds its background.
  graph_ = new EqGraphPanel(console_.store, this);
  graph_->move(0, kGraphTop);

  BuildTitleStrip();
  BuildSectionStrip();
  BuildButtonGroups();
  BuildLockPanel();
  BuildLoadingNotice();
  BuildTemplates();

  binding_ = std::make_unique<ControlBinding>(this, console_.store, console_.messages(),
                                              console_.CurrentSection);
  binding_->redrawCurves = graph_->RedrawHook();
  binding_->autoManualHandler = [this](QPushButton* button) { AutoManualClicked(button); };
  binding_->modeBoxHandler = [this] {
    if (deviceCommands_) deviceCommands_->ShowModeName();
  };
  graph_->SetHost(binding_.get());
  binding_->editor().AddListener(graph_);

  ConnectSectionHandlers();
  ConnectNetworkFields();
  PlaceParts();
  ChainWindowTabOrder();  // reads the places PlaceParts gives the strips' controls
  // Centred on the screen when it opens.
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

TForm1::~TForm1() {
  // The application's focus signal reaches the window until QObject's destructor, long after
  // TForm1's part is gone (closing the window moves the focus): cut it now. The sheet layout
  // goes before the strips it listens to.
  disconnect(qApp, nullptr, this, nullptr);
  pages_->removeEventFilter(this);
  delete sheetLayout_;
  sheetLayout_ = nullptr;
  // The helpers hold pointers into the widget tree: let them go first.
  deviceCommands_.reset();
  presets_.reset();
  if (graph_ != nullptr) {
    binding_->editor().RemoveListener(graph_);
    graph_->SetHost(nullptr);
  }
}

QPushButton* TForm1::tabButton(int number) const {
  return findChild<QPushButton*>(QString(names::kTabButton).arg(number));
}

// ---------------------------------------------------------------------------------------------
// Building.
// ---------------------------------------------------------------------------------------------

void TForm1::BuildTitleStrip() {
  titleStrip_ = new QWidget(this);
  titleStrip_->setObjectName("TitleStrip");
  titlePicture_ = new QLabel(titleStrip_);
  titlePicture_->setObjectName("TitlePicture");
  auto* caption = new QLabel("Velantro 3.1.0 En", titleStrip_);
  caption->setObjectName("TitleCaption");
  caption->setGeometry(10, 0, 300, kTitleStripHeight);
  statusLabel_ = new QLabel(titleStrip_);
  statusLabel_->setObjectName(names::kStatusLabel);
  statusLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  statusLabel_->setStyleSheet("font-weight: bold;");
  const char* names[3] = {"RzBmpButton2", "RzBmpButton1", "RzBmpButton3"};
  const WindowButton pictures[3] = {WindowButton::Minimise, WindowButton::Maximise,
                                    WindowButton::Close};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QPushButton(titleStrip_);
    button->setObjectName(names[i]);
    button->setProperty("role", "window");
    button->setFocusPolicy(Qt::TabFocus);
    button->setIcon(QIcon(WindowButtonPicture(pictures[i], kWindowButtonSize)));
    button->setIconSize(QSize(kWindowButtonSize, kWindowButtonSize));
    windowButtons_[i] = button;
  }
  connect(windowButtons_[0], &QPushButton::clicked, this, &TForm1::Minimise);
  connect(windowButtons_[1], &QPushButton::clicked, this, &TForm1::ToggleMaximise);
  connect(windowButtons_[2], &QPushButton::clicked, this, &QWidget::close);
}

void TForm1::BuildSectionStrip() {
  sectionStrip_ = new QWidget(this);
  sectionStrip_->setObjectName(names::kSectionStrip);
  PageKit kit(sectionStrip_);
  int x = 4;
  for (int i = 0; i < kTabCount; ++i) {
    auto* tab = new QPushButton(kTabs[i].caption, sectionStrip_);
    tab->setObjectName(QString(names::kTabButton).arg(i + 1));
    tab->setProperty("address", i);
    tab->setProperty("kind", "button");
    tab->setProperty("tab", true);
    tab->setProperty("look", "normal");
    tab->setGeometry(x, 2, kTabs[i].width, kSectionStripHeight - 4);
    if (i >= 8) {
      tab->hide();  // the DEQ tab and the spare one exist but never show
    } else {
      x += kTabs[i].width + 2;
    }
  }
  x += 10;
  volumesLeft_ = x;
  for (int i = 0; i < 3; ++i) {
    const ParamAddress address = kNormalVolumes[i].address;
    volumes_[i].caption =
        kit.Caption(kNormalVolumes[i].caption, QRect(0, 4, kVolumeCaptionWidth, 18),
                    Qt::AlignRight | Qt::AlignVCenter);
    volumes_[i].bar = kit.Bar(Bound(address), address, FindControl(address, ControlRole::Main)->max,
                              QRect(0, 4, kVolumeBarWidth, 18));
    volumes_[i].pane =
        kit.Pane(Bound(address, ControlRole::Pane), address, QRect(0, 4, kVolumePaneWidth, 18));
  }
  linkButton_ = kit.Button(names::kLinkButton, "Connect", QRect(0, 2, kLinkButtonWidth, 22));
  linkButton_->setProperty("kind", "button");
  unlinkButton_ = kit.Button(names::kUnlinkButton, "Unlink", QRect(0, 2, kLinkButtonWidth, 22));
  unlinkButton_->setProperty("kind", "button");
  unlinkButton_->hide();
}

void TForm1::BuildButtonGroups() {
  eqPassGroup_ = new QWidget(this);
  eqPassGroup_->setObjectName(names::kEqPassGroup);
  eqPassGroup_->setGeometry(272, kButtonGroupsTop, 176, 22);
  PageKit eq(eqPassGroup_);
  // The buttons start a little in from the group's edge: on the Main/SUR sheet the edge lies on
  // the Crossover group's frame.
  eq.Button(names::kEqResetButton, "EQ Reset", QRect(kEqPassInset, 0, kEqPassButtonWidth, 22));
  eq.Toggle(Bound(kEqPassAddress), kEqPassAddress, "EQ pass",
            QRect(kEqPassInset + kEqPassButtonWidth + 4, 0, kEqPassButtonWidth, 22));

  singleDiscoGroup_ = new QWidget(this);
  singleDiscoGroup_->setObjectName(names::kSingDiscoGroup);
  singleDiscoGroup_->setGeometry(272 + kSingleDiscoOffset, kButtonGroupsTop, 230, 22);
  PageKit sd(singleDiscoGroup_);
  // Each pair is one cell: Auto and Disco its main control, Manual and Sing its pane.
  struct Pair {
    ControlRole role;
    const char* caption;
    int address;
  };
  const Pair pairs[4] = {{ControlRole::Main, "Auto", 0},
                         {ControlRole::Pane, "Manual", 0},
                         {ControlRole::Pane, "Sing", 1},
                         {ControlRole::Main, "Disco", 1}};
  for (int i = 0; i < 4; ++i) {
    QPushButton* button = sd.Button(Bound(pairs[i].address, pairs[i].role), pairs[i].caption,
                                    QRect(i * 58, 0, 55, 22));
    button->setProperty("address", pairs[i].address);
    button->setProperty("kind", "button");
  }
}

void TForm1::BuildLockPanel() {
  auto* panel = new QGroupBox(QString::fromUtf8("Input UnLock Password："), this);
  panel->setObjectName(names::kKeyLockPanel);
  panel->resize(330, 70);
  PageKit kit(panel);
  kit.Field("PanelPassWordEdit", QRect(16, 28, 200, 24), 4, true);
  kit.Button("PanelPassEnterBtn", "Enter", QRect(226, 28, 88, 24));
  panel->hide();
  lockPanel_ = panel;
}

void TForm1::BuildLoadingNotice() {
  loadingNotice_ = new QLabel(this);
  loadingNotice_->setObjectName(names::kLoadingNotice);
  loadingNotice_->setAlignment(Qt::AlignCenter);
  loadingNotice_->setStyleSheet(kLoadingNoticeLook);
  loadingNotice_->resize(kLoadingNoticeWidth, kLoadingNoticeHeight);
  // The pages under it are greyed; the notice itself takes no mouse, so nothing changes there.
  loadingNotice_->setAttribute(Qt::WA_TransparentForMouseEvents);
  loadingNotice_->hide();
}

void TForm1::PlaceLoadingNotice() {
  const QRect area = pageScroll_->geometry();
  loadingNotice_->move(area.center() - loadingNotice_->rect().center());
  loadingNotice_->raise();
}

void TForm1::ShowUnitLoading(bool loading) {
  unitLoading_ = loading;
  for (QWidget* part : {static_cast<QWidget*>(pageScroll_), static_cast<QWidget*>(graph_),
                        eqPassGroup_, singleDiscoGroup_}) {
    part->setEnabled(!loading);
  }
  for (const VolumeParts& volume : volumes_) volume.bar->setEnabled(!loading);
  const bool chinese = console_.LanguageSetting == Language::Chinese;
  loadingNotice_->setText(QString::fromUtf8(chinese ? "加载中…" : "Loading…"));
  loadingNotice_->setToolTip(QString::fromUtf8(
      chinese ? "正在读取设备的设置, 读取完成后才能修改。"
              : "The unit's settings are being read in; the pages take edits again when they are "
                "all in."));
  PlaceLoadingNotice();
  loadingNotice_->setVisible(loading);
}

void TForm1::BuildTemplates() {
  // Hidden templates: the placeholder edit, the two look buttons and the type pictures.
  auto* example = new QLineEdit(this);
  example->setObjectName(names::kPlaceholderEdit);
  example->setProperty("kind", "edit");
  example->hide();
  for (const char* name : {"ExampleBtn", "ExampleBtn2"}) {
    auto* button = new QPushButton(this);
    button->setObjectName(name);
    button->hide();
  }
  const TypePicture pictures[6] = {TypePicture::Peq,    TypePicture::Lsq,   TypePicture::Hsq,
                                   TypePicture::DeqOff, TypePicture::Below, TypePicture::Above};
  for (int i = 0; i < 6; ++i) {
    for (int on = 0; on < 2; ++on) {
      auto* label = new QLabel(this);
      label->setObjectName(kTemplatePictures[i][on]);
      label->setPixmap(TypeImage(pictures[i], on == 0));
      label->hide();
    }
  }
}

void TForm1::ConnectSectionHandlers() {
  for (int i = 1; i <= kTabCount; ++i) {
    QPushButton* tab = tabButton(i);
    connect(tab, &QPushButton::clicked, this, [this, tab] { TabSwitch(tab); });
  }
  for (ControlRole role : {ControlRole::Main, ControlRole::Pane}) {
    auto* autoManual = findChild<QPushButton*>(Bound(kAutoManualAddress, role));
    connect(autoManual, &QPushButton::clicked, this,
            [this, autoManual] { AutoManualClicked(autoManual); });
    auto* singDisco = findChild<QPushButton*>(Bound(kSingDiscoAddress, role));
    connect(singDisco, &QPushButton::clicked, this,
            [this, singDisco] { SingDiscoClicked(singDisco); });
  }
  for (const char* name : {names::kMicGroupA, names::kMicGroupB}) {
    QPushButton* button = Child<QPushButton>(name);
    connect(button, &QPushButton::clicked, this, [this, button] { MicGroupClicked(button); });
  }
  // The focus brings what it lands on into view: a strip column through its slider, a control
  // the window is too small for through the page's scroll box.
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* now) { FocusMoved(now); });
  connect(Child<QPushButton>(names::kDeqReferenceButton), &QPushButton::clicked, this,
          &TForm1::DeqReferenceClicked);

  // The buttons around the graph act through the graph panel.
  QPushButton* pass = findChild<QPushButton*>(Bound(kEqPassAddress));
  connect(pass, &QPushButton::clicked, this, [this, pass] { graph_->OnEqPassButton(pass); });
  connect(Child<QPushButton>(names::kEqResetButton), &QPushButton::clicked, this,
          [this] { graph_->OnEqResetButton(); });
  for (int g = 0; g < 3; ++g) {
    // Each DEQ channel's EQ pass sits at the channel's second cell.
    QPushButton* deqPass =
        findChild<QPushButton*>(Bound(MakeAddress(kDeqPage, kDeqChannelSize * g + 1)));
    connect(deqPass, &QPushButton::clicked, this,
            [this, deqPass] { graph_->OnDeqPassButton(deqPass); });
  }
  for (ClickLabel* image : pages_->findChildren<ClickLabel*>()) {
    if (image->property("kind").toString() != "image") continue;
    connect(image, &ClickLabel::clicked, this, [this, image] { graph_->OnBandTypeImage(image); });
  }

  connect(linkButton_, &QPushButton::clicked, this, [this] {
    if (console_.link() != nullptr) console_.link()->PressLinkButton();
  });
  connect(unlinkButton_, &QPushButton::clicked, this, [this] {
    if (console_.link() != nullptr) console_.link()->Disconnect();
  });
}

// Tab reads the window as the operator does: the window buttons, the section strip, the sheet
// on view, the buttons above the graph, and the key lock panel when it shows. Hidden sheets'
// controls stay in the chain and Tab passes them by.
void TForm1::ChainWindowTabOrder() {
  std::vector<QWidget*> stops;
  auto add = [&stops](const std::vector<QWidget*>& more) {
    stops.insert(stops.end(), more.begin(), more.end());
  };
  add(ReadingOrder(titleStrip_));
  add(ReadingOrder(sectionStrip_));
  for (int i = 0; i < pages_->count(); ++i) add(ReadingOrder(pages_->widget(i)));
  add(ReadingOrder(eqPassGroup_));
  add(ReadingOrder(singleDiscoGroup_));
  add(ReadingOrder(lockPanel_));
  ChainTabOrder(stops);

  // Ctrl+Page Down and Ctrl+Page Up step through the sections as the tab buttons do.
  auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), this);
  connect(next, &QShortcut::activated, this, [this] { StepSection(1); });
  auto* previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), this);
  connect(previous, &QShortcut::activated, this, [this] { StepSection(-1); });
}

// The next shown tab after (or before) the section on view, round the strip; the focus moves to
// the tab, as a click on it would take it.
void TForm1::StepSection(int direction) {
  std::vector<QPushButton*> shown;
  int current = 0;
  for (int i = 1; i <= kTabCount; ++i) {
    QPushButton* tab = tabButton(i);
    if (tab == nullptr || tab->isHidden()) continue;
    if (i == currentTab_) current = static_cast<int>(shown.size());
    shown.push_back(tab);
  }
  if (shown.empty() || !lockPanel_->isHidden()) return;
  const int count = static_cast<int>(shown.size());
  QPushButton* tab = shown[static_cast<size_t>((current + direction + count) % count)];
  tab->setFocus(Qt::ShortcutFocusReason);
  TabSwitch(tab);
}

void TForm1::ConnectNetworkFields() {
  QLineEdit* host = Child<QLineEdit>(names::kIpAddressEdit);
  QLineEdit* port = Child<QLineEdit>(names::kIpPortEdit);
  host->setText(QString::fromStdString(console_.linkConfig.host));
  port->setText(QString::fromStdString(console_.linkConfig.portText));
  connect(host, &QLineEdit::textChanged, this,
          [this](const QString& text) { console_.linkConfig.host = text.trimmed().toStdString(); });
  connect(port, &QLineEdit::textChanged, this, [this](const QString& text) {
    console_.linkConfig.portText = text.trimmed().toStdString();
  });
}

// ---------------------------------------------------------------------------------------------
// First show, tab switch.
// ---------------------------------------------------------------------------------------------

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!firstShowDone_) FirstShow();
}

void TForm1::FirstShow() {
  if (firstShowDone_) return;
  firstShowDone_ = true;
  ParamStore& store = console_.store;
  binding_->BuildBindingTables();
  binding_->ResetEqBands(kAllPages);
  if (DeviceLink* link = console_.link()) {
    presets_ = std::make_unique<PresetLibraryPanel>(
        *this, store, *link, console_.messages(), console_.LanguageSetting,
        PresetLibraryPanel::ChooseRoot(console_.programFolder));
    presets_->EnsureFolders();
    presets_->ListPresets();
    deviceCommands_ = std::make_unique<DeviceCommands>(
        *this, binding_->editor(), *link, console_.messages(), console_.CurrentSection);
  }
  QPushButton* music = tabButton(1);
  TabSwitch(music);
  music->setFocus();
  graph_->Start();
  StartLinkQuietly();
}

void TForm1::StartLinkQuietly() {
  TForm3* form3 = console_.form3();
  if (form3 == nullptr || !console_.linkSettings.autoConnect) return;
  // Errors of the port list or the first search step leave the console offline; the operator
  // can press "Connect" later.
  try {
    if (console_.linkSettings.networkAtOnce) {
      form3->link().FillPortList();
      form3->link().ConnectOnNetwork();
    } else {
      form3->StartLink();
    }
  } catch (const std::exception&) {
  }
}

void TForm1::TabSwitchTo(int tabNumber) { TabSwitch(tabButton(tabNumber)); }

void TForm1::TabSwitch(QPushButton* tab) {
  if (tab == nullptr || !binding_) return;
  if (tab->property("address").toInt() >= 9) return;  // the spare tab selects nothing
  const int section = binding_->actions().SelectTab(tab);
  currentTab_ = tab->property("address").toInt() + 1;
  console_.CurrentSection = section;
  const int page = PageOf(section);
  const int sheet = IndexOf(section);
  binding_->RefreshAllControls(page);
  if (page != kSystemPage) ShowEqPass(page);
  graph_->RedrawSection();
  // The selected band's edit becomes the one the wheel, the arrows and the spin buttons step.
  if (page != kSystemPage) {
    const int band = binding_->SelectedBand(GraphIndex(MakeAddress(page, 0)));
    const ParamAddress address =
        page == kDeqPage ? MakeAddress(page, 12 * band + 3)
                         : MakeAddress(page, kFirstBandIndex[page] + kBandValueCount * band + 2);
    if (auto* edit = qobject_cast<QLineEdit*>(binding_->tables().MainControlAt(address))) {
      binding_->SetCurrentEdit(edit);
    }
  }
  PlaceButtonGroups(page, sheet);
  binding_->EnableBoundControls(console_.store.View(0, 0), page);
  pages_->setCurrentIndex(sheet);
  PlacePageArea();
}

void TForm1::ShowEqPass(int page) {
  auto* pass = qobject_cast<QPushButton*>(binding_->tables().EqPassButton());
  if (page == kDeqPage || page < 0 || page >= kEqPageCount || kFirstBandIndex[page] < 1) {
    binding_->SetEqPassState(page, 0);
    graph_->ShowEqPassNotice(false);
    return;
  }
  const ParamAddress address = MakeAddress(page, kFirstBandIndex[page] - 1);
  const bool on = console_.store.View(address) != 0;
  pass->setProperty("address", address);
  SetButtonLook(pass, on ? ButtonLook::Down : ButtonLook::Normal);
  binding_->SetEqPassState(page, on ? 1 : 0);
  graph_->ShowEqPassNotice(on);
}

void TForm1::PlaceButtonGroups(int page, int sheet) {
  if (sheet == sheet::kSystem) {
    graph_->hide();
    eqPassGroup_->hide();
    singleDiscoGroup_->hide();
    return;
  }
  graph_->show();
  singleDiscoGroup_->setVisible(sheet == sheet::kMusic || sheet == sheet::kMainOutput ||
                                sheet == sheet::kAuxOutput);
  const bool deq = page == kDeqPage;
  eqPassGroup_->setVisible(!deq);
  if (deq) graph_->ShowEqPassNotice(false);
  const int left = EqPassGroupLeft(page);
  if (left >= 0) groupsLeft_ = left;
  FollowPageScroll();
  eqPassGroup_->raise();
  singleDiscoGroup_->raise();
}

int TForm1::sheetShift() const {
  return sheetLayout_ != nullptr ? sheetLayout_->Shift(pages_->currentIndex()) : 0;
}

// The two groups belong with the sheet's content: they move with its centring and its scrolling.
void TForm1::FollowPageScroll() {
  const int left = groupsLeft_ + sheetShift() + pages_->mapTo(this, QPoint(0, 0)).x();
  eqPassGroup_->move(left, kButtonGroupsTop);
  singleDiscoGroup_->move(left + kSingleDiscoOffset, kButtonGroupsTop);
}

// ---------------------------------------------------------------------------------------------
// Section handlers.
// ---------------------------------------------------------------------------------------------

void TForm1::AutoManualClicked(QPushButton* button) {
  const int value = binding_->actions().ChooseAutoManual(button);
  binding_->editor().SetValue(MakeAddress(0, 0), value, EditOrigin::Click);
  binding_->EnableBoundControls(console_.store.View(0, 0), kAutoModeLock);
  // The crossover Q controls take the state their mode type prescribes.
  constexpr ParamAddress kCrossoverTypes[] = {0x0710, 0x0713, 0x0610, 0x0613};
  for (ParamAddress type : kCrossoverTypes) {
    if (auto* combo = qobject_cast<QComboBox*>(binding_->tables().MainControlAt(type))) {
      binding_->edits().ShowCrossoverQ(combo);
    }
  }
}

void TForm1::SingDiscoClicked(QPushButton* button) {
  const int value = binding_->actions().ChooseSingDisco(button);
  binding_->editor().SetMusicSetting(value, EditOrigin::Click);
  binding_->RefreshAllControls(kAllPages);
  graph_->DrawPageCurves(kWholePagePoint, SectionPage(console_.CurrentSection));
}

void TForm1::MicGroupClicked(QPushButton* button) {
  const int group = binding_->actions().ChooseMicGroup(button);
  binding_->editor().SetMicGroup(group);
  const bool nineBands = group == 1 && pages_->currentIndex() == sheet::kMic;
  Child<QLabel>("MicEqCaption")->setText(nineBands ? "9 band EQ" : "15 band EQ");
  sheetLayout_->ShowMicColumns(nineBands);
  binding_->RefreshAllControls(1);
  // The curve, the handles and the point label now show the group chosen.
  graph_->RedrawSection();
}

void TForm1::FocusMoved(QWidget* now) {
  // A control that passes the focus on (a band column the view does not show) is no stop.
  if (now == nullptr || now != QApplication::focusWidget() || !pages_->isAncestorOf(now)) return;
  sheetLayout_->BringIntoView(now);
  // The whole control, not only a text cursor at its left end, as the box would by itself.
  constexpr int kMargin = 8;
  const QRect r(now->mapTo(pages_, QPoint(0, 0)), now->size());
  pageScroll_->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + kMargin,
                             r.height() / 2 + kMargin);
}

void TForm1::DeqReferenceClicked() {
  // One edit: the work modes and the channels' bands.
  const EditScope oneEdit(binding_->editor(), EditOrigin::Reset);
  // Work modes as if clicked: channel 1 and 2 "Below", channel 3 "Above"; the gains keep the
  // reference values below instead of returning to 0 dB.
  binding_->edits().DeqResetRunning = true;
  constexpr int kBelow = 1;
  constexpr int kAbove = 2;
  for (auto [workMode, image] :
       {std::pair{0x0207, kBelow}, std::pair{0x0213, kBelow}, std::pair{0x021F, kAbove}}) {
    graph_->OnBandTypeImage(binding_->tables().SideControlAt(workMode, image));
  }
  binding_->edits().DeqResetRunning = false;
  binding_->editor().SetDeqBands(kDeqReference, EditOrigin::Reset);
  binding_->RefreshAllControls(kDeqPage);
  TabSwitch(tabButton(9));
}

void TForm1::ShowDeviceCode() {
  if (auto* pane = Child<QLineEdit>(names::kDeviceCodeEdit)) {
    pane->setText(QString::fromStdString(console_.store.DeviceCode));
  }
}

void TForm1::RebuildModeList() {
  auto* box = qobject_cast<QComboBox*>(binding_->tables().MainControlAt(sysaddr::CurrentMode));
  const int selected = box->currentIndex();
  const QSignalBlocker quiet(box);
  box->clear();
  for (int k = 0; k < static_cast<int>(console_.store.ModeNames.size()); ++k) {
    box->addItem(QString("%1-").arg(k + 1) +
                 QString::fromStdString(console_.store.ModeNames[static_cast<size_t>(k)]));
  }
  box->setCurrentIndex(selected >= 0 && selected < box->count() ? selected : 0);
}

// ---------------------------------------------------------------------------------------------
// Frame: window buttons, resize, dragging, close.
// ---------------------------------------------------------------------------------------------

void TForm1::Minimise() { showMinimized(); }

void TForm1::ToggleMaximise() {
  if (maximised_) {
    maximised_ = false;
    setGeometry(normalGeometry_);
  } else {
    normalGeometry_ = geometry();
    maximised_ = true;
    // The work area: the maximised window ends above a taskbar wherever it sits.
    if (QScreen* s = screen()) setGeometry(s->availableGeometry());
  }
  windowButtons_[1]->setIcon(QIcon(WindowButtonPicture(
      maximised_ ? WindowButton::Restore : WindowButton::Maximise, kWindowButtonSize)));
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceParts();
}

void TForm1::PlaceParts() {
  const int w = width();
  const int h = height();
  titleStrip_->setGeometry(0, 0, w, kTitleStripHeight);
  titlePicture_->setGeometry(0, 0, w, kTitleStripHeight);
  titlePicture_->setPixmap(TitleStripPicture(w, kTitleStripHeight));
  titlePicture_->lower();
  for (int i = 0; i < 3; ++i) {
    windowButtons_[i]->setGeometry(w - (3 - i) * kWindowButtonSize, 0, kWindowButtonSize,
                                   kTitleStripHeight);
  }
  statusLabel_->setGeometry(w - 3 * kWindowButtonSize - kStatusLabelWidth - 12, 0,
                            kStatusLabelWidth, kTitleStripHeight);
  sectionStrip_->setGeometry(0, kTitleStripHeight, w, kSectionStripHeight);
  PlaceSectionStrip(w);
  PlacePageArea();
  lockPanel_->move((w - lockPanel_->width()) / 2, (h - lockPanel_->height()) / 2);
  eqPassGroup_->raise();
  singleDiscoGroup_->raise();
  PlaceLoadingNotice();
  lockPanel_->raise();
}

void TForm1::PlaceSectionStrip(int w) {
  const int linkLeft = w - kLinkButtonWidth - 6;
  linkButton_->move(linkLeft, 2);
  unlinkButton_->move(w - 2 * kLinkButtonWidth - 10, 2);
  const int room = (linkLeft - 8 - volumesLeft_) / 3;
  const int bar = std::clamp(room - kVolumeFixedWidth, kVolumeBarNarrowest, kVolumeBarWidth);
  int x = volumesLeft_;
  for (const VolumeParts& v : volumes_) {
    v.caption->move(x, 4);
    v.bar->setGeometry(x + kVolumeCaptionWidth + 4, 4, bar, 18);
    v.pane->move(v.bar->geometry().right() + 3, 4);
    x += kVolumeFixedWidth + bar;
  }
}

// Graph sheets show their content above the graph; the System sheet has the whole page area. A
// window narrower than a sheet scrolls it, and the graph gives way to the scroll bar.
void TForm1::PlacePageArea() {
  const int w = width();
  const int h = height();
  const bool wholeArea = pages_->currentIndex() == sheet::kSystem;
  QWidget* system = pages_->widget(sheet::kSystem);
  const int contentHeight =
      wholeArea ? system->childrenRect().bottom() + 1 + kSystemSheetMargin : kGraphTopInPage;
  pages_->setMinimumSize(kSheetWidth, contentHeight);
  const int bar = w < kSheetWidth ? pageScroll_->horizontalScrollBar()->sizeHint().height() : 0;
  pageScroll_->setGeometry(0, kPageTop, w, wholeArea ? h - kPageTop : kGraphTopInPage + bar);
  const int graphTop = kGraphTop + bar;
  graph_->setGeometry(0, graphTop, w + kGraphWidthExtra, h - graphTop + 1);
  FollowPageScroll();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == pages_ && event->type() == QEvent::Resize) {
    sheetLayout_->Fit();
    // A strip that shows fewer columns now keeps the band the operator works on in view.
    const int page = SectionPage(console_.CurrentSection);
    if (binding_ && page != kSystemPage) {
      sheetLayout_->ShowColumn(pages_->currentIndex(),
                               binding_->SelectedBand(GraphIndex(MakeAddress(page, 0))));
    }
    FollowPageScroll();
  }
  return QWidget::eventFilter(watched, event);
}

void TForm1::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  // The 2-pixel frame of the borderless window.
  QPainter painter(this);
  painter.setPen(QPen(QColor(60, 68, 76), 2));
  painter.drawRect(rect().adjusted(1, 1, -1, -1));
}

// A press that reaches the window from a control is no press on the background: a disabled
// control (greyed in Auto mode, say) passes its presses on to its parents, and a type image
// passes its press on after it has acted on it.
bool TForm1::PressedOnControl(QPoint pos) const {
  for (QWidget* w = childAt(pos); w != nullptr && w != this; w = w->parentWidget()) {
    if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSlider*>(w) ||
        qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
        qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
        qobject_cast<ClickLabel*>(w) || qobject_cast<SpinButtons*>(w)) {
      return true;
    }
  }
  return false;
}

void TForm1::mousePressEvent(QMouseEvent* event) {
  // Every spot of the background works as a title bar.
  if (event->button() == Qt::LeftButton && !maximised_ &&
      !PressedOnControl(event->position().toPoint())) {
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}

void TForm1::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_ && (event->buttons() & Qt::LeftButton)) {
    move(event->globalPosition().toPoint() - dragOffset_);
    event->accept();
    return;
  }
  QWidget::mouseMoveEvent(event);
}

void TForm1::mouseReleaseEvent(QMouseEvent* event) {
  dragging_ = false;
  QWidget::mouseReleaseEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
  // The unit hears the disconnect code when the link is online; closing goes ahead regardless.
  // The code is only queued on the port or the socket, and the program ends right after this,
  // so it is pushed out here (for a bounded moment) or it would never leave.
  if (DeviceLink* link = console_.link()) link->OnClose();
  if (TForm3* form3 = console_.form3()) form3->Flush();
  if (TForm2* status = console_.form2()) status->hide();
  event->accept();
  emit windowClosed();
}

}  // namespace velantro
