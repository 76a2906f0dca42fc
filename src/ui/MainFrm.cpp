#include "ui/MainFrm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <exception>

#include "binding/ControlBinding.h"
#include "binding/ParameterCatalog.h"
#include "binding/ParameterTips.h"
#include "eq/EqGraphPanel.h"
#include "link/DeviceLink.h"
#include "link/Unit3.h"
#include "model/BandLayout.h"
#include "model/Scales.h"
#include "model/ScopedAssign.h"
#include "ui/Console.h"
#include "ui/DeviceCommands.h"
#include "ui/NoticeStrip.h"
#include "ui/Pages.h"
#include "ui/PresetLibraryPanel.h"
#include "ui/SectionNavigator.h"
#include "ui/SheetLayout.h"
#include "ui/Unit2.h"
#include "ui/WindowFrame.h"
#include "ui/WindowPlacement.h"
#include "widgets/Looks.h"
#include "widgets/Translation.h"
#include "widgets/WidgetNames.h"
#include "widgets/Widgets.h"

namespace velantro {

namespace {

constexpr int kSystemSheetMargin = 4;  // under the System sheet's lowest group

// The table's control in `role` at the address.
QString Bound(ParamAddress address, ControlRole role = ControlRole::Main) {
  return ControlName(address, role);
}

constexpr ParamAddress kEqPassAddress = 0x0003;
constexpr ParamAddress kAutoManualAddress = 0x0000;
constexpr ParamAddress kSingDiscoAddress = 0x0001;
// Each DEQ channel's EQ pass sits at the channel's second cell.
constexpr int kDeqPassIndex = 1;
constexpr int kDeqChannels = 3;
constexpr int kDeqTab = 9;

// The DEQ reference settings: per channel the five band fields.
constexpr int kDeqReference[kDeqChannels][kBandValueCount] = {
    {0, 37, 138, 0, 0}, {0, 77, 127, 16, 0}, {2, 221, 83, 16, 16}};

}  // namespace

template <typename T>
T* TForm1::Child(const char* name) const {
  return findChild<T*>(QString::fromUtf8(name));
}

TForm1::TForm1(const WindowContext& context) : QWidget(nullptr), context_(context) {
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

  BuildPageArea();
  // Creation step: the graph panel registers its handles and builds its background.
  graph_ = new EqGraphPanel(context_.store, this);
  graph_->move(0, kGraphTop);

  // The order of building is the order the parts stack in.
  frame_ = std::make_unique<WindowFrame>(*this);
  sectionStrip_ = new QWidget(this);
  sectionStrip_->setObjectName(names::kSectionStrip);
  strip_ = BuildSectionStrip(sectionStrip_);
  noticeStrip_ = new NoticeStrip(this);
  eqPassGroup_ = BuildEqPassGroup(this);
  singleDiscoGroup_ = BuildSingDiscoGroup(this);
  lockPanel_ = BuildLockPanel(this);
  loadingNotice_ = BuildLoadingNotice(this);
  BuildTemplates(this);

  binding_ = std::make_unique<ControlBinding>(this, context_.store, context_.messages,
                                              context_.currentSection);
  binding_->redrawCurves = graph_->RedrawHook();
  binding_->autoManualHandler = [this](QPushButton* button) { AutoManualClicked(button); };
  binding_->modeBoxHandler = [this] {
    if (deviceCommands_) deviceCommands_->ShowModeName();
  };
  graph_->SetHost(binding_.get());
  graph_->explainRefusal = [this](const std::string& why) {
    context_.messages.ShowNotice(why, "Velantro", NoticeKind::Brief);
  };
  binding_->editor().AddListener(graph_);
  BuildNavigator();

  ConnectSectionHandlers();
  ConnectNetworkFields();
  PlaceParts();
  // Tab reads the window as the operator does: the window buttons, the section strip, the sheet
  // on view, the buttons above the graph, the graph, and the key lock panel when it shows. Reads
  // the places PlaceParts gives the strips' controls.
  std::vector<QWidget*> parts{frame_->titleStrip(), sectionStrip_};
  for (int i = 0; i < pages_->count(); ++i) parts.push_back(pages_->widget(i));
  parts.insert(parts.end(), {eqPassGroup_, singleDiscoGroup_, graph_, lockPanel_});
  navigator_->ChainTabOrder(parts);
  if (QScreen* s = screen()) {
    setGeometry(OpeningGeometry(s->availableGeometry(), size(), minimumSize()));
  }
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

void TForm1::BuildPageArea() {
  pageScroll_ = BuildPageScroll(this);
  pages_ = new QStackedWidget;
  pages_->setObjectName(names::kPageStack);
  BuildSectionPages(pages_);
  sheetLayout_ = new SheetLayout(pages_);
  pageScroll_->setWidget(pages_);
  pages_->installEventFilter(this);
  connect(pageScroll_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
          [this] { FollowPageScroll(); });
}

void TForm1::BuildNavigator() {
  navigator_ = std::make_unique<SectionNavigator>(
      *this, *pages_, *binding_, *graph_, context_.store, context_.currentSection, *lockPanel_);
  navigator_->placeGroups = [this](int page, int sheet) { PlaceButtonGroups(page, sheet); };
  navigator_->placePageArea = [this] { PlacePageArea(); };
}

QPushButton* TForm1::tabButton(int number) const { return navigator_->tabButton(number); }

QLabel* TForm1::statusLabel() const { return frame_->statusLabel(); }

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
  for (const VolumeParts& volume : strip_.volumes) volume.bar->setEnabled(!loading);
  SetText(loadingNotice_, QT_TRANSLATE_NOOP("velantro", "Loading…"));
  SetToolTip(loadingNotice_,
             QT_TRANSLATE_NOOP("velantro",
                               "The unit's settings are being read in; the pages take edits again "
                               "when they are all in."));
  PlaceLoadingNotice();
  loadingNotice_->setVisible(loading);
}

void TForm1::ConnectSectionHandlers() {
  navigator_->ConnectTabs();
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
  ConnectGraphButtons();
}

// The buttons around the graph act through the graph panel.
void TForm1::ConnectGraphButtons() {
  QPushButton* pass = findChild<QPushButton*>(Bound(kEqPassAddress));
  connect(pass, &QPushButton::clicked, this, [this, pass] { graph_->OnEqPassButton(pass); });
  connect(Child<QPushButton>(names::kEqResetButton), &QPushButton::clicked, this,
          [this] { graph_->OnEqResetButton(); });
  for (int g = 0; g < kDeqChannels; ++g) {
    QPushButton* deqPass =
        findChild<QPushButton*>(Bound(MakeAddress(kDeqPage, kDeqChannelSize * g + kDeqPassIndex)));
    connect(deqPass, &QPushButton::clicked, this,
            [this, deqPass] { graph_->OnDeqPassButton(deqPass); });
  }
  for (ClickLabel* image : pages_->findChildren<ClickLabel*>()) {
    if (image->property("kind").toString() != "image") continue;
    connect(image, &ClickLabel::clicked, this, [this, image] { graph_->OnBandTypeImage(image); });
  }
}

void TForm1::ConnectNetworkFields() {
  QLineEdit* host = Child<QLineEdit>(names::kIpAddressEdit);
  QLineEdit* port = Child<QLineEdit>(names::kIpPortEdit);
  host->setText(QString::fromStdString(context_.linkConfig.host));
  port->setText(QString::fromStdString(context_.linkConfig.portText));
  connect(host, &QLineEdit::textChanged, this,
          [this](const QString& text) { context_.linkConfig.host = text.trimmed().toStdString(); });
  connect(port, &QLineEdit::textChanged, this, [this](const QString& text) {
    context_.linkConfig.portText = text.trimmed().toStdString();
  });
}

void TForm1::RetranslateParts() {
  if (firstShowDone_) binding_->RefreshAllControls(kAllPages);
  ShowParameterTips(*this, ParameterCatalog());
  graph_->update();
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!firstShowDone_) FirstShow();
}

void TForm1::FirstShow() {
  if (firstShowDone_) return;
  firstShowDone_ = true;
  binding_->BuildBindingTables();
  ShowParameterTips(*this, ParameterCatalog());
  binding_->ResetEqBands(kAllPages);
  if (context_.linkWindow != nullptr) {
    DeviceLink& link = context_.linkWindow->link();
    presets_ = std::make_unique<PresetLibraryPanel>(
        *this, binding_->editor(), link, context_.messages, context_.language,
        PresetLibraryPanel::ChooseRoot(context_.programFolder));
    presets_->EnsureFolders();
    presets_->ListPresets();
    deviceCommands_ = std::make_unique<DeviceCommands>(*this, binding_->editor(), link,
                                                       context_.messages, context_.currentSection);
  }
  QPushButton* music = tabButton(1);
  TabSwitch(music);
  music->setFocus();
  graph_->Start();
  if (beforeLinkStart) beforeLinkStart();
  StartLinkQuietly();
}

void TForm1::StartLinkQuietly() {
  if (context_.linkWindow == nullptr || !context_.linkSettings.autoConnect) return;
  TForm3& form3 = *context_.linkWindow;
  // Errors of the port list or the first search step leave the console offline; the operator
  // can press "Connect" later.
  try {
    if (context_.linkSettings.networkAtOnce) {
      form3.link().FillPortList();
      form3.link().ConnectOnNetwork();
    } else {
      form3.StartLink();
    }
  } catch (const std::exception&) {
  }
}

void TForm1::TabSwitchTo(int tabNumber) { navigator_->TabSwitchTo(tabNumber); }

void TForm1::TabSwitch(QPushButton* tab) { navigator_->TabSwitch(tab); }

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

void TForm1::AutoManualClicked(QPushButton* button) {
  const int value = binding_->actions().ChooseAutoManual(button);
  binding_->editor().SetValue(MakeAddress(0, 0), value, EditOrigin::Click);
  binding_->EnableBoundControls(context_.store.View(0, 0), kAutoModeLock);
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
  graph_->DrawPageCurves(kWholePagePoint, SectionPage(context_.currentSection));
}

void TForm1::MicGroupClicked(QPushButton* button) {
  const int group = binding_->actions().ChooseMicGroup(button);
  binding_->editor().SetMicGroup(group);
  const bool nineBands = group == 1 && pages_->currentIndex() == sheet::kMic;
  SetText(Child<QLabel>("MicEqCaption"), nineBands ? QT_TRANSLATE_NOOP("velantro", "9 band EQ")
                                                   : QT_TRANSLATE_NOOP("velantro", "15 band EQ"));
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
  constexpr int kReferenceWorkModes[kDeqChannels] = {kBelow, kBelow, kAbove};
  for (int g = 0; g < kDeqChannels; ++g) {
    const ParamAddress workMode = MakeAddress(kDeqPage, kDeqChannelSize * g + kDeqWorkModeIndex);
    graph_->OnBandTypeImage(binding_->tables().SideControlAt(workMode, kReferenceWorkModes[g]));
  }
  binding_->edits().DeqResetRunning = false;
  binding_->editor().SetDeqBands(kDeqReference, EditOrigin::Reset);
  binding_->RefreshAllControls(kDeqPage);
  TabSwitchTo(kDeqTab);
}

void TForm1::ShowDeviceCode() {
  if (auto* pane = Child<QLineEdit>(names::kDeviceCodeEdit)) {
    pane->setText(QString::fromStdString(context_.store.DeviceCode));
  }
}

void TForm1::RebuildModeList() {
  auto* box = qobject_cast<QComboBox*>(binding_->tables().MainControlAt(sysaddr::CurrentMode));
  const int selected = box->currentIndex();
  const QSignalBlocker quiet(box);
  box->clear();
  for (int k = 0; k < static_cast<int>(context_.store.ModeNames.size()); ++k) {
    box->addItem(QString("%1-").arg(k + 1) +
                 QString::fromStdString(context_.store.ModeNames[static_cast<size_t>(k)]));
  }
  box->setCurrentIndex(selected >= 0 && selected < box->count() ? selected : 0);
}

void TForm1::Minimise() { frame_->Minimise(); }

void TForm1::ToggleMaximise() { frame_->ToggleMaximise(); }

bool TForm1::maximised() const { return frame_->maximised(); }

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceParts();
}

void TForm1::PlaceParts() {
  const int w = width();
  const int h = height();
  frame_->Place(w);
  sectionStrip_->setGeometry(0, kTitleStripHeight, w, kSectionStripHeight);
  PlaceSectionStrip(strip_, w);
  noticeStrip_->setGeometry(0, kNoticeStripTop, w, kNoticeStripHeight);
  PlacePageArea();
  lockPanel_->move((w - lockPanel_->width()) / 2, (h - lockPanel_->height()) / 2);
  eqPassGroup_->raise();
  singleDiscoGroup_->raise();
  PlaceLoadingNotice();
  lockPanel_->raise();
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
    const int page = SectionPage(context_.currentSection);
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
  frame_->PaintBorder();
}

void TForm1::mousePressEvent(QMouseEvent* event) {
  if (!frame_->MousePress(event)) QWidget::mousePressEvent(event);
}

void TForm1::mouseMoveEvent(QMouseEvent* event) {
  if (!frame_->MouseMove(event)) QWidget::mouseMoveEvent(event);
}

void TForm1::mouseReleaseEvent(QMouseEvent* event) {
  frame_->MouseRelease();
  QWidget::mouseReleaseEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (mayClose && !mayClose()) {
    event->ignore();
    return;
  }
  // The unit hears the disconnect code when the link is online; closing goes ahead regardless.
  // The code is only queued on the port or the socket, and the program ends right after this,
  // so it is pushed out here (for a bounded moment) or it would never leave.
  if (TForm3* form3 = context_.linkWindow) {
    form3->link().OnClose();
    form3->Flush();
  }
  if (TForm2* status = context_.statusDialog) status->hide();
  event->accept();
  emit windowClosed();
}

}  // namespace velantro
