#pragma once

// The console's looks: one application style sheet, button looks chosen by a dynamic property,
// and the pictures (band type images, window buttons, title strip) drawn in code.

#include <QPixmap>
#include <QString>

class QAbstractButton;
class QLabel;
class QWidget;

namespace velantro {

// A button's look. The style sheet keys on the dynamic property "look" ("normal", "selected",
// "down", "inverted"); tab buttons and the link button show a white caption when selected or
// down and a black one otherwise.
enum class ButtonLook { Normal, Selected, Down, Inverted };

void SetButtonLook(QAbstractButton* button, ButtonLook look);
ButtonLook GetButtonLook(const QAbstractButton* button);
// Re-applies the style sheet after a dynamic property changed.
void Repolish(QWidget* widget);

// The six picture sets of the band type images.
enum class TypePicture { Peq, Lsq, Hsq, DeqOff, Below, Above };
constexpr int kTypeImageWidth = 40;
constexpr int kTypeImageHeight = 13;

QPixmap TypeImage(TypePicture picture, bool on);
// Shows the picture on an image label and records the state in its "on" property.
void ShowTypeImage(QLabel* image, TypePicture picture, bool on);

enum class WindowButton { Minimise, Maximise, Restore, Close };
QPixmap WindowButtonPicture(WindowButton button, int size);
QPixmap TitleStripPicture(int width, int height);
// Small up or down triangle for the spin buttons.
QPixmap SpinArrowPicture(bool up, int width, int height, bool enabled);

// The one style sheet of the application.
QString ConsoleStyleSheet();

}  // namespace velantro
