#pragma once

// The three link timers on QTimer (precise, so the hold timer keeps its 20 ms).

#include <QObject>
#include <QTimer>

#include "link/LinkInterfaces.h"

namespace velantro {

class QtLinkTimers : public QObject, public LinkTimers {
  Q_OBJECT

 public:
  explicit QtLinkTimers(QObject* parent = nullptr);

  void Start(LinkTimer timer) override;
  void Stop(LinkTimer timer) override;
  void SetInterval(LinkTimer timer, int ms) override;
  int Interval(LinkTimer timer) const override;
  bool IsActive(LinkTimer timer) const override;

 signals:
  // An active timer's interval has passed.
  void timeout(LinkTimer timer);

 private:
  QTimer& TimerFor(LinkTimer timer);
  const QTimer& TimerFor(LinkTimer timer) const;

  QTimer searchTimer_;
  QTimer downloadTimer_;
  QTimer holdTimer_;
};

}  // namespace velantro
