#pragma once

// How the section sheets use the room the window gives them. Each sheet keeps its design
// arrangement; in a page control wider than the design, a band strip that scrolls shows more of
// its columns (MIC all fifteen, the outputs all seven once there is room), and what room is left
// centres the sheet's content. A strip's scroll slider is the one thing that scrolls its columns:
// the focus moving into a column out of view moves the slider, never the box alone.

#include <QObject>
#include <vector>

class QScrollArea;
class QSlider;
class QStackedWidget;
class QWidget;

namespace velantro {

class SheetLayout : public QObject {
 public:
  // Finds the strips of the sheets in `pages` (built by BuildSectionPages) and ties each strip's
  // scroll box to its slider.
  explicit SheetLayout(QStackedWidget* pages);

  // Fits every sheet to the page control's width: strips widen by whole columns, the rest of the
  // room centres the sheet. Call whenever the page control changes width.
  void Fit();

  // How far the content of sheet `sheet` sits right of its design place.
  int Shift(int sheet) const;

  // Group B of the MIC sheet shows nine columns: the strip keeps its design width, its tenth
  // column hides and the slider (nothing to scroll) with it. Group A shows all it has room for.
  void ShowMicColumns(bool nineBands);

  // The focus is on `w`: when `w` lies in a strip column out of view, the strip's slider brings
  // that column into view. Other widgets are left alone.
  void BringIntoView(const QWidget* w);
  // Column `column` (0-based) of the strip of sheet `sheet` comes into view, if it has one.
  void ShowColumn(int sheet, int column);

  // Columns of a strip in view at once.
  static int ColumnsInView(const QScrollArea* box);

 private:
  struct Strip {
    int sheet = 0;
    QScrollArea* box = nullptr;
    QSlider* scroll = nullptr;  // nullptr: the strip never scrolls (Music)
    QWidget* panel = nullptr;   // MIC's panel behind the strip, widened with it
    int designColumns = 0;
    int columns = 0;  // columns the strip has
    int panelDesignWidth = 0;
    bool micStrip = false;
  };
  void SetColumnsInView(Strip& s, int inView);
  void ShowColumn(const Strip& s, int column);

  QStackedWidget* pages_;
  std::vector<Strip> strips_;
  std::vector<int> shifts_;
  bool nineBands_ = false;
};

}  // namespace velantro
