#include "ui/PageKit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "binding/BindingTables.h"
#include "binding/ControlTable.h"
#include "widgets/Translation.h"
#include "widgets/Widgets.h"

namespace velantro {

namespace {

// Buttons and lists are reached by Tab and worked with Space and the arrows; a click on them
// leaves the focus (and a band edit being typed in) where it was.
constexpr Qt::FocusPolicy kButtonFocus = Qt::TabFocus;

void Stamp(QWidget* widget, const QString& name, int address, const char* kind) {
  widget->setObjectName(name);
  if (address >= 0) widget->setProperty("address", address);
  widget->setProperty("kind", kind);
}

// A bound button carries the role its row in the control table gives it; a button the table
// does not know keeps the factory's `fallback` (none for plain command buttons).
void StampRole(QPushButton* button, const char* fallback) {
  const ControlSpec* row = FindControlNamed(button->objectName().toStdString());
  const std::string_view role = row != nullptr ? ButtonRoleName(row->sort) : std::string_view();
  if (!role.empty()) {
    button->setProperty("role",
                        QString::fromLatin1(role.data(), static_cast<qsizetype>(role.size())));
  } else if (fallback != nullptr) {
    button->setProperty("role", fallback);
  }
}

}  // namespace

QLabel* PageKit::Caption(const QString& text, QRect r, Qt::Alignment align) const {
  auto* label = new QLabel(parent_);
  SetText(label, text);
  label->setAlignment(align);
  label->setGeometry(r);
  return label;
}

QGroupBox* PageKit::Group(const QString& name, const QString& title, QRect r) const {
  auto* group = new QGroupBox(parent_);
  group->setObjectName(name);
  SetText(group, title);
  group->setGeometry(r);
  return group;
}

QSlider* PageKit::Bar(const QString& name, int address, int max, QRect r,
                      Qt::Orientation orientation) const {
  auto* bar = new FineSlider(orientation, parent_);
  Stamp(bar, name, address, "bar");
  bar->setRange(0, max);
  bar->setSingleStep(1);
  bar->setPageStep(qMax(1, max / 10));
  // Vertical gain bars: up is more gain, as the slider's own direction.
  bar->setGeometry(r);
  return bar;
}

QLabel* PageKit::Pane(const QString& name, int address, QRect r) const {
  auto* pane = new QLabel(parent_);
  Stamp(pane, name, address, "pane");
  pane->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  pane->setGeometry(r);
  return pane;
}

SpinButtons* PageKit::Spin(const QString& name, int address, QPoint at) const {
  auto* spin = new SpinButtons(parent_);
  Stamp(spin, name, address, "spin");
  spin->setGeometry(at.x(), at.y(), SpinButtons::kWidth, SpinButtons::kHeight);
  return spin;
}

QLineEdit* PageKit::Edit(const QString& name, int address, QRect r) const {
  auto* edit = new QLineEdit(parent_);
  Stamp(edit, name, address, "edit");
  edit->setAlignment(Qt::AlignCenter);
  edit->setGeometry(r);
  return edit;
}

QLineEdit* PageKit::Field(const QString& name, QRect r, int maxLength, bool masked) const {
  auto* edit = new QLineEdit(parent_);
  edit->setObjectName(name);
  edit->setMaxLength(maxLength);
  if (masked) edit->setEchoMode(QLineEdit::Password);
  edit->setGeometry(r);
  return edit;
}

QComboBox* PageKit::Combo(const QString& name, int address, const QStringList& items,
                          QRect r) const {
  auto* combo = new QComboBox(parent_);
  Stamp(combo, name, address, "combo");
  SetItems(combo, items);
  combo->setFocusPolicy(kButtonFocus);
  combo->setGeometry(r);
  return combo;
}

QPushButton* PageKit::Option(const QString& name, int address, QPoint at, const QString& caption,
                             int captionWidth) const {
  auto* button = new QPushButton(parent_);
  Stamp(button, name, address, "button");
  StampRole(button, "option");
  button->setProperty("look", "normal");
  button->setFocusPolicy(kButtonFocus);
  button->setGeometry(at.x(), at.y(), kOptionButtonSize, kOptionButtonSize);
  if (!caption.isEmpty()) {
    QLabel* label = Caption(caption, QRect(at.x() + kOptionButtonSize + 3, at.y() - 2, captionWidth,
                                           kOptionButtonSize + 4));
    label->setObjectName(name + "Caption");
    label->setBuddy(button);
  }
  return button;
}

QPushButton* PageKit::Phase(const QString& name, int address, QPoint at) const {
  auto* button = new PhaseButton(parent_);
  Stamp(button, name, address, "button");
  StampRole(button, "phase");
  button->setProperty("look", "normal");
  button->setFocusPolicy(kButtonFocus);
  button->setGeometry(at.x(), at.y(), kPhaseButtonSize, kPhaseButtonSize);
  return button;
}

QPushButton* PageKit::Toggle(const QString& name, int address, const QString& caption,
                             QRect r) const {
  auto* button = new QPushButton(parent_);
  SetText(button, caption);
  Stamp(button, name, address, "button");
  StampRole(button, "toggle");
  button->setProperty("look", "normal");
  button->setFocusPolicy(kButtonFocus);
  button->setGeometry(r);
  return button;
}

QPushButton* PageKit::Button(const QString& name, const QString& caption, QRect r) const {
  auto* button = new QPushButton(parent_);
  SetText(button, caption);
  button->setObjectName(name);
  StampRole(button, nullptr);
  button->setProperty("look", "normal");
  button->setFocusPolicy(kButtonFocus);
  button->setGeometry(r);
  return button;
}

ClickLabel* PageKit::Image(const QString& name, int address, int position, TypePicture picture,
                           QPoint at) const {
  auto* image = new ClickLabel(parent_);
  Stamp(image, name, address, "image");
  image->setProperty("picture", static_cast<int>(picture));
  image->setGeometry(at.x(), at.y(), kTypeImageWidth, kTypeImageHeight);
  image->setCursor(Qt::PointingHandCursor);
  ShowTypeImage(image, picture, position == 0);
  return image;
}

}  // namespace velantro
