#include "ui/NoticeStrip.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace velantro {

namespace {

constexpr int kTextMargin = 8;
constexpr int kMarkWidth = 44;
constexpr int kHistoryFrame = 8;  // the list's frame and margins around its rows
constexpr int kHistoryWidth = 520;

// A lasting notice stands out (something holds that the operator should know of); a brief one
// is quieter. Both read against their background at well over 4.5:1.
const char kLastingLook[] = "background: #4a1410; color: #ffd9a0; font-weight: bold;";
const char kBriefLook[] = "background: #10283a; color: #e6f3ff;";
const char kIdleLook[] = "background: #000000; color: #9aa4ad;";
// The list lies over the page: opaque, framed.
const char kHistoryLook[] =
    "QListWidget { background: #10283a; color: #e6f3ff; border: 1px solid #5f8fb0; }";

QString OneLine(const QString& text) {
  QString line = text;
  line.replace(QLatin1Char('\n'), QStringLiteral(" — "));
  line.replace(QLatin1Char('\r'), QLatin1Char(' '));
  return line;
}

QString Stamped(const NoticeStrip::Entry& entry) {
  return entry.time.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral("  ") + entry.text;
}

}  // namespace

NoticeStrip::NoticeStrip(QWidget* parent) : QWidget(parent) {
  setObjectName(kNoticeStripName);
  setAttribute(Qt::WA_StyledBackground, true);
  setCursor(Qt::PointingHandCursor);
  setToolTip(tr("Notices of the link and of your actions: click to see the last ones"));
  label_ = new QLabel(this);
  label_->setObjectName("NoticeText");
  label_->setAttribute(Qt::WA_TransparentForMouseEvents);
  historyMark_ = new QLabel(this);
  historyMark_->setObjectName("NoticeHistoryMark");
  historyMark_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  historyMark_->setAttribute(Qt::WA_TransparentForMouseEvents);
  briefTimer_ = new QTimer(this);
  briefTimer_->setSingleShot(true);
  connect(briefTimer_, &QTimer::timeout, this, [this] { Close(); });
  setStyleSheet(kIdleLook);
}

void NoticeStrip::Show(const QString& text, NoticeKind kind) {
  text_ = OneLine(text);
  kind_ = kind;
  showing_ = true;
  history_.push_front({QTime::currentTime(), text_});
  if (history_.size() > static_cast<size_t>(kHistorySize)) history_.pop_back();
  if (kind == NoticeKind::Brief) {
    briefTimer_->start(briefMs_);
  } else {
    briefTimer_->stop();
  }
  ShowText();
}

void NoticeStrip::Close() {
  briefTimer_->stop();
  showing_ = false;
  text_.clear();
  ShowText();
}

QString NoticeStrip::text() const { return showing_ ? text_ : QString(); }

void NoticeStrip::ShowText() {
  setStyleSheet(!showing_ ? kIdleLook : kind_ == NoticeKind::Lasting ? kLastingLook : kBriefLook);
  const int room = std::max(0, width() - 2 * kTextMargin - kMarkWidth);
  label_->setGeometry(kTextMargin, 0, room, height());
  label_->setText(showing_ ? label_->fontMetrics().elidedText(text_, Qt::ElideRight, room)
                           : QString());
  label_->setToolTip(text_);
  historyMark_->setGeometry(width() - kMarkWidth - kTextMargin, 0, kMarkWidth, height());
  historyMark_->setText(history_.empty() ? QString() : QStringLiteral("▾ %1").arg(history_.size()));
}

void NoticeStrip::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ShowText();
}

void NoticeStrip::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    ShowHistory();
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}

QListWidget* NoticeStrip::ShowHistory() {
  delete popup_;
  popup_ = new QWidget(this, Qt::Popup);
  popup_->setObjectName(kNoticeHistoryName);
  popup_->setAttribute(Qt::WA_DeleteOnClose);
  auto* list = new QListWidget(popup_);
  list->setObjectName("NoticeHistoryList");
  list->setStyleSheet(kHistoryLook);
  if (history_.empty()) list->addItem(tr("No notices yet."));
  for (const Entry& entry : history_) list->addItem(Stamped(entry));
  auto* layout = new QVBoxLayout(popup_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list);
  const int rows = std::max(1, list->count());
  popup_->resize(std::min(kHistoryWidth, width()), list->sizeHintForRow(0) * rows + kHistoryFrame);
  popup_->move(mapToGlobal(QPoint(0, height())));
  popup_->show();
  return list;
}

}  // namespace velantro
