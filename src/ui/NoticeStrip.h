#pragma once

// The notice strip: one line under the section strip where the console says what happened
// without stopping the operator (the unit lost and back, a preset loaded, an upload finished).
// It has a row of the window to itself, so a notice never covers a control. A lasting notice
// holds until the program closes it; a brief one goes by itself after a few seconds. The last
// few notices are kept with their times: a click on the strip lists them.

#include <QDateTime>
#include <QPointer>
#include <QWidget>
#include <deque>

#include "model/Messages.h"

class QLabel;
class QListWidget;
class QTimer;

namespace velantro {

inline constexpr char kNoticeStripName[] = "NoticeStrip";
inline constexpr char kNoticeHistoryName[] = "NoticeHistory";

class NoticeStrip : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kBriefNoticeMs = 6000;
  static constexpr int kHistorySize = 10;

  struct Entry {
    QTime time;
    QString text;
  };

  explicit NoticeStrip(QWidget* parent);

  // Shows `text` (on one line) and keeps it in the history; it replaces the notice on show.
  void Show(const QString& text, NoticeKind kind);
  // The notice on show goes; the history keeps it.
  void Close();

  // The text on show, empty when none.
  QString text() const;
  bool showing() const { return showing_; }
  // Newest first.
  const std::deque<Entry>& history() const { return history_; }
  // The list of the last notices, shown under the strip (the click on the strip opens it).
  QListWidget* ShowHistory();
  // How long a brief notice stays (the console's few seconds; a test shortens it).
  void SetBriefDuration(int ms) { briefMs_ = ms; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowText();

  QLabel* label_ = nullptr;
  QLabel* historyMark_ = nullptr;  // "▾ n" at the right end: there is a list to open
  QTimer* briefTimer_ = nullptr;
  QPointer<QWidget> popup_;
  QString text_;
  NoticeKind kind_ = NoticeKind::Brief;
  bool showing_ = false;
  int briefMs_ = kBriefNoticeMs;
  std::deque<Entry> history_;
};

}  // namespace velantro
