#pragma once

// The section navigation of the main window: the tab switch (which sheet shows, the section the
// binding and the graph work on, the EQ pass state of the page, the band edit the keys step),
// the tab buttons' clicks, Ctrl+Page Down / Ctrl+Page Up round the shown tabs, F6 to the graph,
// and the Tab key's order through the whole window.

#include <functional>
#include <vector>

class QPushButton;
class QStackedWidget;
class QWidget;

namespace velantro {

class ControlBinding;
class EqGraphPanel;
class ParamStore;

class SectionNavigator {
 public:
  // `window` holds the tab buttons (FormTabBtn1 … 10) and the key lock panel; `currentSection`
  // is the console's CurrentSection, written only here. All must outlive the navigator.
  SectionNavigator(QWidget& window, QStackedWidget& pages, ControlBinding& binding,
                   EqGraphPanel& graph, ParamStore& store, int& currentSection, QWidget& lockPanel);

  // The window places its button groups for the section (between the binding's refresh and
  // the enabling of its controls), then its page area once the sheet shows.
  std::function<void(int page, int sheet)> placeGroups;
  std::function<void()> placePageArea;

  // A click on any tab button switches to its section.
  void ConnectTabs();
  // Tab through `parts` in the order given (each part's controls in reading order); the
  // Ctrl+Page shortcuts step the sections, F6 focuses the graph.
  void ChainTabOrder(const std::vector<QWidget*>& parts);

  // The tab switch with tab button 1 … 10 (FormTabBtn<n>).
  void TabSwitch(QPushButton* tab);
  void TabSwitchTo(int tabNumber);
  QPushButton* tabButton(int number) const;  // 1 … 10

 private:
  void StepSection(int direction);
  void FocusGraph();
  void ShowEqPass(int page);
  void SelectBandEdit(int page);

  QWidget& window_;
  QStackedWidget& pages_;
  ControlBinding& binding_;
  EqGraphPanel& graph_;
  ParamStore& store_;
  int& currentSection_;
  QWidget& lockPanel_;
  int currentTab_ = 1;  // FormTabBtn<n> of the section on view
};

}  // namespace velantro
