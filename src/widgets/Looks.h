#pragma once

// The console's looks: one application style sheet, button looks chosen by a dynamic property,
// and the pictures (band type images, window buttons, title strip) drawn in code.

#include <QColor>
#include <QPixmap>
#include <QString>
#include <vector>

class QAbstractButton;
class QLabel;
class QWidget;

namespace velantro {

// A button's look. The style sheet keys on the dynamic property "look" ("normal", "selected",
// "down", "inverted"); tab buttons and the link button show a white caption when selected or
// down and a black one otherwise.
enum class ButtonLook { Normal, Selected, Down, Inverted };

// What a button shows: its caption (or drawn mark) in `text` over a fill that runs from `top` to
// `bottom` (the same colour twice for a flat fill), framed by `border`.
struct LookColours {
  QColor text;
  QColor top;
  QColor bottom;
  QColor border;
};

// The buttons the style sheet dresses apart: command and pair buttons (plain), the section tabs,
// the link button, phase buttons and toggles.
enum class ButtonKind { Plain, Tab, Link, Phase, Toggle };

// Captions stay readable at arm's length: at least this contrast against their fill (WCAG AA).
constexpr double kMinimumTextContrast = 4.5;

// The colours of a kind of button in a look, enabled or greyed. The style sheet is written from
// these, and the phase button draws its inverted mark in the text colour.
LookColours ButtonColours(ButtonKind kind, ButtonLook look, bool enabled = true);

// WCAG 2 contrast ratio of two colours, (L1 + 0.05) / (L2 + 0.05) of their relative luminances
// with L1 the lighter: 1 (the same) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

void SetButtonLook(QAbstractButton* button, ButtonLook look);
ButtonLook GetButtonLook(const QAbstractButton* button);
// Re-applies the style sheet after a dynamic property changed.
void Repolish(QWidget* widget);

// The six picture sets of the band type images.
enum class TypePicture { Peq, Lsq, Hsq, DeqOff, Below, Above };
constexpr int kTypeImageWidth = 46;
constexpr int kTypeImageHeight = 13;

// The picture's caption over its fill, chosen (on) or not.
LookColours TypeImageColours(TypePicture picture, bool on);
QPixmap TypeImage(TypePicture picture, bool on);
// Shows the picture on an image label and records the state in its "on" property.
void ShowTypeImage(QLabel* image, TypePicture picture, bool on);

enum class WindowButton { Minimise, Maximise, Restore, Close };
QPixmap WindowButtonPicture(WindowButton button, int size);
QPixmap TitleStripPicture(int width, int height);
// Small up or down triangle for the spin buttons.
QPixmap SpinArrowPicture(bool up, int width, int height, bool enabled);

// The focus ring (FocusRing): a bright ring outside the focused control with a dark gap between
// them. The ring stands out from every background it is drawn on, the gap from the ring, and the
// control's own fill from the gap or, where the fill is as dark as the gap, from the ring itself.
inline const QColor kFocusRingColour{0xff, 0xd4, 0x00};
inline const QColor kFocusGapColour{0x00, 0x00, 0x00};
constexpr int kFocusRingWidth = 2;
constexpr int kFocusGapWidth = 1;
// A focus indicator must contrast with what it touches at least this much (WCAG 2 non-text).
constexpr double kMinimumFocusContrast = 3.0;

// What a focus ring meets: the backgrounds the window's controls sit on (window, group boxes,
// graph panel, title strip, preset grid), and the fills and frames of every kind of control that
// takes the focus (buttons in every look, tabs, the link button, options, type images, fields,
// lists, spin buttons, bars' handles).
struct FocusSurroundings {
  std::vector<QColor> backgrounds;
  std::vector<QColor> fills;
};
FocusSurroundings FocusSurroundingColours();

// The one style sheet of the application, its texts in `fontFamily` (the Chinese console takes a
// CJK font: DejaVu Sans has no Chinese glyphs).
inline constexpr char kLatinFontFamily[] = "DejaVu Sans";
inline constexpr char kChineseFontFamily[] = "WenQuanYi Micro Hei";
QString ConsoleStyleSheet(const char* fontFamily = kLatinFontFamily);

}  // namespace velantro
