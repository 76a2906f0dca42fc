#include "ui/Unit2.h"

#include <QLabel>
#include <QProgressBar>
#include <QScreen>

#include "widgets/Translation.h"

namespace velantro {

namespace {
constexpr int kWidth = 340;
constexpr int kHeight = 132;
}  // namespace

TForm2::TForm2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      status_(new QLabel(this)),
      port_(new QLabel(this)),
      progress_(new QProgressBar(this)) {
  setObjectName("TForm2");
  SetText(this, QT_TRANSLATE_NOOP("velantro", "Device Status"));
  setFixedSize(kWidth, kHeight);
  setStyleSheet("QDialog#TForm2 { background: #101214; border: 1px solid #3c4650; }");
  status_->setObjectName("DeviceStatusLabel");
  status_->setGeometry(16, 12, 150, 20);
  status_->setStyleSheet("font-weight: bold; font-size: 12px;");
  port_->setObjectName("PortLabel");
  // Two lines high: a port this user may not open shows why under its name.
  port_->setGeometry(170, 4, kWidth - 16 - 170, 36);
  port_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  progress_->setObjectName("ProgressBar1");
  progress_->setRange(0, 100);
  progress_->setValue(0);
  progress_->setGeometry(16, 42, kWidth - 32, 22);
  auto* wait = new QLabel(this);
  SetText(wait,
          QT_TRANSLATE_NOOP("velantro", "Please wait a moment, this may take a few seconds!"));
  wait->setObjectName("WaitLabel");
  wait->setGeometry(16, 78, kWidth - 32, 36);
  wait->setWordWrap(true);
}

void TForm2::UpdateStatus(const QString& statusText, int percent) {
  status_->setText(statusText);
  progress_->setValue(qBound(0, percent, 100));
}

void TForm2::SetPortLabel(const QString& text) {
  portName_ = text;
  port_->setText(text);
}

void TForm2::SetPortProblem(const QString& problem) { port_->setText(portName_ + '\n' + problem); }

QString TForm2::statusText() const { return status_->text(); }
QString TForm2::portText() const { return port_->text(); }
int TForm2::progress() const { return progress_->value(); }

void TForm2::showEvent(QShowEvent* event) {
  // In the middle of the screen.
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  QDialog::showEvent(event);
}

}  // namespace velantro
