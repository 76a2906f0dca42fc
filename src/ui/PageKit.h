#pragma once

// The widget factory of the section pages. Every factory call names the widget, stamps its
// "address" the way the binding expects it, marks its "kind" and places it at its design
// geometry. What else the binding knows of a control (its scale, its option position) it takes
// from the control table by the widget's name. Rows and band columns are built from tables with
// these calls.

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include "model/Scales.h"
#include "widgets/Looks.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QWidget;

namespace velantro {

class ClickLabel;
class SpinButtons;

// Design sizes of the option and phase buttons. Their role in the binding is the "role"
// property, which every button the control table knows takes from its row there.
constexpr int kOptionButtonSize = 14;
constexpr int kPhaseButtonSize = 15;

// Row heights and the band column pitch shared by all sheets.
constexpr int kRowHeight = 18;
constexpr int kBandColumnWidth = 70;
constexpr int kBandColumnPitch = 71;  // one scroll slider step

class PageKit {
 public:
  explicit PageKit(QWidget* parent) : parent_(parent) {}
  QWidget* parent() const { return parent_; }

  QLabel* Caption(const QString& text, QRect r,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) const;
  QGroupBox* Group(const QString& name, const QString& title, QRect r) const;
  QSlider* Bar(const QString& name, int address, int max, QRect r,
               Qt::Orientation orientation = Qt::Horizontal) const;
  QLabel* Pane(const QString& name, int address, QRect r) const;
  SpinButtons* Spin(const QString& name, int address, QPoint at) const;
  QLineEdit* Edit(const QString& name, int address, QRect r) const;
  // A plain text field of the System page (not bound).
  QLineEdit* Field(const QString& name, QRect r, int maxLength = 32767, bool masked = false) const;
  QComboBox* Combo(const QString& name, int address, const QStringList& items, QRect r) const;
  // Option button (14 x 14) at `at`, its caption to its right when not empty.
  // Its position in the group is the control table's.
  QPushButton* Option(const QString& name, int address, QPoint at, const QString& caption = {},
                      int captionWidth = 60) const;
  // Phase button (15 x 15), starting with "+"; the inverted look draws its own mark and keeps
  // the caption empty.
  QPushButton* Phase(const QString& name, int address, QPoint at) const;
  // Plain toggle (role "toggle") or command button (no address) with a caption.
  QPushButton* Toggle(const QString& name, int address, const QString& caption, QRect r) const;
  QPushButton* Button(const QString& name, const QString& caption, QRect r) const;
  ClickLabel* Image(const QString& name, int address, int position, TypePicture picture,
                    QPoint at) const;

 private:
  QWidget* parent_;
};

}  // namespace velantro
