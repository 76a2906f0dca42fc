#include "ui/ScreenshotTour.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>

#include "ui/Console.h"
#include "ui/MainFrm.h"

namespace velantro {

namespace {

struct Shot {
  int tab;
  const char* name;
};

// Every sheet, by the tab button that shows it (tab 9 is the DEQ sheet's hidden tab).
constexpr Shot kShots[] = {{1, "music"},       {2, "mic"},    {3, "effect"},
                           {4, "main-output"}, {5, "aux1"},   {6, "aux2"},
                           {7, "sur-output"},  {8, "system"}, {9, "deq"}};

constexpr int kSettleMs = 400;

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

}  // namespace

ScreenshotTour::ScreenshotTour(Console& console, QString folder, QSize largeSize, QObject* parent)
    : QObject(parent), console_(console), folder_(std::move(folder)), largeSize_(largeSize) {}

void ScreenshotTour::OnStatus(const QString& englishText) {
  if (started_ || englishText != "Online") return;
  started_ = true;
  // Let the refresh and the graph's first redraw land before the first picture.
  QTimer::singleShot(kSettleMs, this, [this] {
    const int written = TakeAll();
    emit finished(written > 0 && !failed_);
  });
}

int ScreenshotTour::TakeAll() {
  TForm1* form = console_.form1();
  if (form == nullptr) return 0;
  QDir().mkpath(folder_);
  int written = 0;
  const QRect normal(form->pos(), QSize(kDesignWidth, kDesignHeight));
  for (const QSize size : {QSize(kDesignWidth, kDesignHeight), largeSize_}) {
    form->resize(size);
    Settle();
    const QString suffix = size == QSize(kDesignWidth, kDesignHeight) ? "" : "-max";
    for (const Shot& shot : kShots) {
      form->TabSwitchTo(shot.tab);
      Settle();
      if (Shoot(QString("screenshot-%1%2.png").arg(shot.name, suffix))) ++written;
    }
  }
  form->resize(normal.size());
  form->TabSwitchTo(1);
  return written;
}

bool ScreenshotTour::Shoot(const QString& name) {
  const QPixmap picture = console_.form1()->grab();
  const bool ok = picture.save(QDir(folder_).filePath(name), "PNG");
  if (!ok) failed_ = true;
  return ok;
}

}  // namespace velantro
