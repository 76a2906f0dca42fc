#include "widgets/Looks.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QVariant>
#include <algorithm>
#include <cmath>

#include "widgets/Translation.h"

namespace velantro {

namespace {

const char* LookName(ButtonLook look) {
  switch (look) {
    case ButtonLook::Selected:
      return "selected";
    case ButtonLook::Down:
      return "down";
    case ButtonLook::Inverted:
      return "inverted";
    case ButtonLook::Normal:
      break;
  }
  return "normal";
}

// A flat fill.
LookColours Flat(const char* text, const char* fill, const char* border) {
  return {QColor(text), QColor(fill), QColor(fill), QColor(border)};
}

LookColours Gradient(const char* text, const char* top, const char* bottom, const char* border) {
  return {QColor(text), QColor(top), QColor(bottom), QColor(border)};
}

// Looks shared by several kinds: the grey command button, its chosen blue, and their greyed
// forms (dimmed, with captions still well clear of the fill).
LookColours PlainUp() { return Gradient("#ffffff", "#444a50", "#24282c", "#5d666e"); }
LookColours PlainChosen() { return Gradient("#ffffff", "#1d6fa8", "#0f4670", "#52abe1"); }
LookColours GreyedUp() { return Flat("#8c8c8c", "#1a1a1a", "#333333"); }
LookColours GreyedChosen() { return Gradient("#a9c4d8", "#123a58", "#0b2a42", "#1d4a6c"); }
// Tabs and the link button: light grey with a black caption until chosen.
LookColours LightUp() { return Gradient("#000000", "#d4d8dc", "#9ca3aa", "#6f777f"); }
LookColours LightGreyed() { return Gradient("#9aa0a6", "#2a2e32", "#1e2226", "#3a3f44"); }

bool Chosen(ButtonLook look) { return look == ButtonLook::Selected || look == ButtonLook::Down; }

struct TypePictureInfo {
  const char* text;
  const char* onFill;  // a light fill under a black caption: chosen reads at a glance
};

TypePictureInfo InfoFor(TypePicture picture) {
  switch (picture) {
    case TypePicture::Peq:
      return {"PEQ", "#52abe1"};
    case TypePicture::Lsq:
      return {"LSQ", "#52abe1"};
    case TypePicture::Hsq:
      return {"HSQ", "#52abe1"};
    case TypePicture::DeqOff:
      return {QT_TRANSLATE_NOOP("velantro", "Off"), "#d08a3c"};
    case TypePicture::Below:
      return {QT_TRANSLATE_NOOP("velantro", "Below"), "#3caa5a"};
    case TypePicture::Above:
      return {QT_TRANSLATE_NOOP("velantro", "Above"), "#e25c5c"};
  }
  return {"", "#52abe1"};
}

double RelativeLuminance(const QColor& colour) {
  const auto linear = [](double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  const QColor rgb = colour.toRgb();
  return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

QString FillText(const LookColours& c) {
  if (c.top == c.bottom) return c.top.name();
  return QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2)")
      .arg(c.top.name(), c.bottom.name());
}

// The colour rules of every button kind in every look, enabled and greyed. A kind's selector is
// more specific than the plain button's, and a look or :disabled adds to it, so each combination
// gets exactly the colours ButtonColours gives it.
QString ButtonColourRules() {
  struct KindSelector {
    ButtonKind kind;
    const char* selector;
  };
  const KindSelector kinds[] = {{ButtonKind::Plain, "QPushButton"},
                                {ButtonKind::Tab, "QPushButton[tab=\"true\"]"},
                                {ButtonKind::Link, "QPushButton#LinkBtn"},
                                {ButtonKind::Phase, "QPushButton[role=\"phase\"]"},
                                {ButtonKind::Toggle, "QPushButton[role=\"toggle\"]"}};
  const ButtonLook looks[] = {ButtonLook::Normal, ButtonLook::Selected, ButtonLook::Down,
                              ButtonLook::Inverted};
  QString rules;
  for (bool enabled : {true, false}) {
    for (const KindSelector& k : kinds) {
      for (ButtonLook look : looks) {
        QString selector = QString::fromLatin1(k.selector);
        if (look != ButtonLook::Normal) {
          selector += QStringLiteral("[look=\"%1\"]").arg(QLatin1String(LookName(look)));
        }
        if (!enabled) selector += QStringLiteral(":disabled");
        if (k.kind == ButtonKind::Plain && look == ButtonLook::Down && enabled) {
          selector += QStringLiteral(", QPushButton:checked");
        }
        const LookColours c = ButtonColours(k.kind, look, enabled);
        rules += QStringLiteral("%1 { background: %2; color: %3; border-color: %4; }\n")
                     .arg(selector, FillText(c), c.text.name(), c.border.name());
      }
    }
  }
  return rules;
}

}  // namespace

void Repolish(QWidget* widget) {
  widget->style()->unpolish(widget);
  widget->style()->polish(widget);
  widget->update();
}

void SetButtonLook(QAbstractButton* button, ButtonLook look) {
  if (button == nullptr) return;
  const QString name = LookName(look);
  if (button->property("look").toString() == name) return;
  button->setProperty("look", name);
  Repolish(button);
}

ButtonLook GetButtonLook(const QAbstractButton* button) {
  const QString name = button->property("look").toString();
  if (name == "selected") return ButtonLook::Selected;
  if (name == "down") return ButtonLook::Down;
  if (name == "inverted") return ButtonLook::Inverted;
  return ButtonLook::Normal;
}

LookColours ButtonColours(ButtonKind kind, ButtonLook look, bool enabled) {
  switch (kind) {
    case ButtonKind::Plain:
      break;
    case ButtonKind::Tab:
      if (Chosen(look)) {
        return enabled ? Gradient("#ffffff", "#1b6fb3", "#0f4a7c", "#8fd0ff") : GreyedChosen();
      }
      return enabled ? LightUp() : LightGreyed();
    case ButtonKind::Link:
      if (Chosen(look)) {
        return enabled ? Gradient("#ffffff", "#1e7a40", "#125228", "#7be0a0")
                       : Gradient("#a8d8b8", "#16402a", "#0e2c1c", "#2a6a44");
      }
      return enabled ? LightUp() : LightGreyed();
    case ButtonKind::Phase:
      // Inverted is amber with a dark mark: no caption, so the fill and the mark carry the state.
      if (look == ButtonLook::Inverted) {
        return enabled ? Flat("#111111", "#f0a830", "#ffd080")
                       : Flat("#c8a050", "#3a2a08", "#5a4418");
      }
      return enabled ? Flat("#ffffff", "#262a2e", "#7a7a7a") : GreyedUp();
    case ButtonKind::Toggle:
      if (Chosen(look)) {
        return enabled ? Gradient("#ffffff", "#c03030", "#7a1010", "#ff8080")
                       : Gradient("#d0a0a0", "#4a1818", "#341010", "#6a2828");
      }
      break;
  }
  if (Chosen(look)) return enabled ? PlainChosen() : GreyedChosen();
  return enabled ? PlainUp() : GreyedUp();
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

LookColours TypeImageColours(TypePicture picture, bool on) {
  if (!on) return Flat("#c8c8c8", "#1c1c1c", "#6a6a6a");
  const QColor fill(InfoFor(picture).onFill);
  return {QColor(Qt::black), fill, fill, fill.lighter(150)};
}

QPixmap TypeImage(TypePicture picture, bool on) {
  const LookColours colours = TypeImageColours(picture, on);
  QPixmap pixmap(kTypeImageWidth, kTypeImageHeight);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF box(0.5, 0.5, kTypeImageWidth - 1, kTypeImageHeight - 1);
  painter.setPen(colours.border);
  painter.setBrush(colours.top);
  painter.drawRoundedRect(box, 3, 3);
  QFont font("DejaVu Sans");
  font.setPixelSize(11);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(colours.text);
  painter.drawText(box, Qt::AlignCenter, Translated(InfoFor(picture).text));
  return pixmap;
}

void ShowTypeImage(QLabel* image, TypePicture picture, bool on) {
  if (image == nullptr) return;
  image->setPixmap(TypeImage(picture, on));
  image->setProperty("on", on);
}

QPixmap WindowButtonPicture(WindowButton button, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QPen pen(QColor(235, 235, 235), 1.6);
  painter.setPen(pen);
  const double m = size * 0.28;
  const double e = size - m;
  switch (button) {
    case WindowButton::Minimise:
      painter.drawLine(QPointF(m, e - 1), QPointF(e, e - 1));
      break;
    case WindowButton::Maximise:
      painter.drawRect(QRectF(m, m, e - m, e - m));
      painter.drawLine(QPointF(m, m + 1.5), QPointF(e, m + 1.5));
      break;
    case WindowButton::Restore: {
      const double d = size * 0.12;
      painter.drawRect(QRectF(m + d, m, e - m - d, e - m - d));
      painter.setBrush(QColor(20, 20, 20));
      painter.drawRect(QRectF(m, m + d, e - m - d, e - m - d));
      break;
    }
    case WindowButton::Close:
      pen.setWidthF(1.9);
      painter.setPen(pen);
      painter.drawLine(QPointF(m, m), QPointF(e, e));
      painter.drawLine(QPointF(m, e), QPointF(e, m));
      break;
  }
  return pixmap;
}

QPixmap TitleStripPicture(int width, int height) {
  QPixmap pixmap(qMax(1, width), qMax(1, height));
  QPainter painter(&pixmap);
  QLinearGradient gradient(0, 0, 0, height);
  gradient.setColorAt(0.0, QColor(46, 52, 60));
  gradient.setColorAt(0.55, QColor(18, 22, 28));
  gradient.setColorAt(1.0, QColor(6, 8, 10));
  painter.fillRect(pixmap.rect(), gradient);
  // A thin accent line under the caption.
  painter.setPen(QColor(0, 150, 210));
  painter.drawLine(0, height - 1, width, height - 1);
  return pixmap;
}

QPixmap SpinArrowPicture(bool up, int width, int height, bool enabled) {
  QPixmap pixmap(width, height);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(enabled ? QColor(230, 230, 230) : QColor(90, 90, 90));
  const double cx = width / 2.0;
  const double half = qMin(width, height * 2) * 0.28;
  const double top = height * 0.28;
  const double bottom = height * 0.72;
  QPainterPath path;
  if (up) {
    path.moveTo(cx, top);
    path.lineTo(cx + half, bottom);
    path.lineTo(cx - half, bottom);
  } else {
    path.moveTo(cx - half, top);
    path.lineTo(cx + half, top);
    path.lineTo(cx, bottom);
  }
  path.closeSubpath();
  painter.drawPath(path);
  return pixmap;
}

FocusSurroundings FocusSurroundingColours() {
  FocusSurroundings s;
  // The window and the sheets, group boxes, the graph's panels, the title strip's gradient from
  // top to bottom, the preset grid and the dialogs.
  for (const char* name : {"#000000", "#07090b", "#0a0a0a", "#0c0c0c", "#2e343c", "#12161c",
                           "#06080a", "#0c0e10", "#101214"}) {
    s.backgrounds.emplace_back(name);
  }
  const ButtonKind kinds[] = {ButtonKind::Plain, ButtonKind::Tab, ButtonKind::Link,
                              ButtonKind::Phase, ButtonKind::Toggle};
  const ButtonLook looks[] = {ButtonLook::Normal, ButtonLook::Selected, ButtonLook::Down,
                              ButtonLook::Inverted};
  for (ButtonKind kind : kinds) {
    for (ButtonLook look : looks) {
      const LookColours c = ButtonColours(kind, look);
      s.fills.insert(s.fills.end(), {c.top, c.bottom, c.border});
    }
  }
  const TypePicture pictures[] = {TypePicture::Peq,    TypePicture::Lsq,   TypePicture::Hsq,
                                  TypePicture::DeqOff, TypePicture::Below, TypePicture::Above};
  for (TypePicture picture : pictures) {
    for (bool on : {false, true}) {
      const LookColours c = TypeImageColours(picture, on);
      s.fills.insert(s.fills.end(), {c.top, c.border});
    }
  }
  // Option buttons (off, and the chosen one's gradient and frame), edits, lists, spin buttons,
  // bars' grooves, handles and filled part, as the style sheet below gives them.
  for (const char* name : {"#1c1c1c", "#8a8a8a", "#c8f0ff", "#2fa8f0", "#0d4f7e", "#bfe9ff",
                           "#121212", "#808080", "#161616", "#707070", "#2c3034", "#5d666e",
                           "#2a2f34", "#4a525a", "#1f7fc4", "#ffffff", "#9aa4ac", "#aab4bc"}) {
    s.fills.emplace_back(name);
  }
  return s;
}

QString ConsoleStyleSheet(const char* fontFamily) {
  return QStringLiteral(R"(
QWidget { color: #f2f2f2; font-family: "%1"; font-size: 11px; })")
             .arg(QString::fromUtf8(fontFamily)) +
         QStringLiteral(R"(
QWidget#TForm1 { background: #000000; }
QWidget#TForm1:disabled, QWidget:disabled { color: #6a6a6a; }
QStackedWidget#FormPageItem, QStackedWidget#FormPageItem > QWidget { background: #000000; }
QLabel { background: transparent; }
QLabel#TitleCaption { color: #ffffff; font-weight: bold; font-size: 13px; }
QGroupBox {
  border: 1px solid #3c4650; border-radius: 4px; margin-top: 7px; padding-top: 3px;
  background: #07090b; color: #dfe8ef; font-weight: bold;
}
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; color: #9fd8ff; }
QLineEdit {
  background: #121212; color: #ffffff; border: 1px solid #808080; border-radius: 2px;
  padding: 0 2px; selection-background-color: #2a8fd6;
}
QLineEdit:disabled { color: #666666; border-color: #3a3a3a; background: #0c0c0c; }
QLabel[kind="pane"] {
  background: #101418; color: #e9f6ff; border: 1px solid #34404a; border-radius: 2px;
  padding: 0 3px;
}
QLabel[kind="pane"]:disabled { color: #5c5c5c; border-color: #262626; }
QComboBox {
  background: #161616; color: #ffffff; border: 1px solid #707070; border-radius: 2px;
  padding: 0 4px;
}
QComboBox:disabled { color: #666666; border-color: #3a3a3a; }
QComboBox QAbstractItemView {
  background: #161616; color: #ffffff; selection-background-color: #2a8fd6;
}
QPushButton {
  border-width: 1px; border-style: solid; border-radius: 3px; padding: 0 4px;
}
QPushButton[tab="true"], QPushButton#LinkBtn { font-weight: bold; }
QPushButton[role="phase"] { border-radius: 2px; padding: 0; font-weight: bold; font-size: 12px; }
)") + ButtonColourRules() +
         QStringLiteral(R"(
QPushButton:enabled:hover { border-color: #8fb8d8; }
QPushButton[role="option"] {
  background: #1c1c1c; border: 1px solid #8a8a8a; border-radius: 7px; padding: 0;
  min-width: 12px; max-width: 12px; min-height: 12px; max-height: 12px;
}
QPushButton[role="option"][look="selected"], QPushButton[role="option"][look="down"] {
  background: qradialgradient(cx:0.5, cy:0.5, radius:0.6, fx:0.4, fy:0.4,
                              stop:0 #c8f0ff, stop:0.45 #2fa8f0, stop:1 #0d4f7e);
  border-color: #bfe9ff;
}
QPushButton[role="window"] { background: transparent; border: none; border-radius: 0; }
QPushButton[role="window"]:hover { background: #3a4048; }
QPushButton[role="window"]:focus { border: 1px solid @focus; }
QPushButton#RzBmpButton3:hover { background: #c42b1c; }
QToolButton[role="spin"] {
  background: #2c3034; border: 1px solid #5d666e; border-radius: 1px; padding: 0; margin: 0;
}
QToolButton[role="spin"]:pressed { background: #1d6fa8; }
QToolButton[role="spin"]:disabled { background: #161616; border-color: #2c2c2c; }
QSlider::groove:horizontal { height: 4px; background: #2a2f34; border: 1px solid #4a525a; border-radius: 2px; }
QSlider::sub-page:horizontal { background: #1f7fc4; border-radius: 2px; }
QSlider::handle:horizontal {
  width: 9px; margin: -6px 0; border-radius: 2px; border: 1px solid #aab4bc;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #9aa4ac);
}
QSlider::groove:vertical { width: 4px; background: #2a2f34; border: 1px solid #4a525a; border-radius: 2px; }
QSlider::add-page:vertical { background: #1f7fc4; border-radius: 2px; }
QSlider::handle:vertical {
  height: 8px; margin: 0 -7px; border-radius: 2px; border: 1px solid #aab4bc;
  background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #ffffff, stop:1 #9aa4ac);
}
QSlider::sub-page:horizontal:disabled, QSlider::add-page:vertical:disabled { background: #333333; }
QSlider::handle:disabled { background: #4a4a4a; border-color: #5a5a5a; }
QSlider[look="disabled"]::handle { background: #4a4a4a; border-color: #5a5a5a; }
QSlider[look="disabled"]::sub-page:horizontal { background: #333333; }
QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; border: none; }
QTableWidget {
  background: #0c0e10; color: #ffffff; gridline-color: #2c3338; border: 1px solid #3c4650;
  selection-background-color: #1d6fa8;
}
QHeaderView::section { background: #20262c; color: #ffffff; border: 1px solid #3c4650; padding: 2px; }
QTableCornerButton::section { background: #20262c; border: 1px solid #3c4650; }
QProgressBar {
  background: #111; border: 1px solid #5d666e; border-radius: 3px; color: #ffffff;
  text-align: center;
}
QProgressBar::chunk { background: #1f7fc4; }
QLabel#EqCaption { color: #9fd8ff; font-weight: bold; }
QLabel[kind="point"] { color: #ffffff; font-weight: bold; border-radius: 2px; }
QDialog, QMessageBox { background: #101214; }
QMenu { background: #161a1e; color: #f2f2f2; border: 1px solid #5d666e; padding: 2px 0; }
QMenu::item { padding: 3px 20px 3px 16px; background: transparent; }
QMenu::item:selected { background: #1d6fa8; color: #ffffff; }
QMenu::item:disabled { color: #8a8a8a; }
QMenu::separator { height: 1px; background: #3c4650; margin: 2px 6px; }
QSlider { border: 1px solid transparent; border-radius: 2px; }
QSlider:focus { border-color: @focus; }
QComboBox:focus, QLineEdit:focus { border-color: @focus; }
QPushButton[look]:focus, QPushButton[tab="true"]:focus { border-color: @focus; }
)")
             .replace(QStringLiteral("@focus"), kFocusRingColour.name());
}

}  // namespace velantro
