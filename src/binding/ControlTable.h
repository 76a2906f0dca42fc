#pragma once

// The bound controls of the console, one row per control and binding entry: the objectName the
// pages give the widget, the parameter it edits, what sort of control it is, its scale and
// range, its option position and a label a person reads. The binding tables and the parameter
// catalog are made from it. Plain data: no Qt, so the core and the command line can read it.

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "model/ParamAddress.h"
#include "model/Scales.h"

namespace velantro {

// Which binding entry a row fills for its address.
enum class ControlRole : unsigned char {
  Main,    // MainControls: the control that edits the value
  Pane,    // ValuePanes: the pane beside a bar, or the second member of a pair
  Spin,    // SpinControls: the up/down buttons
  Side0,   // SideControls entry 0: a band's gain bar or its first type image
  Side1,   // SideControls entry 1: the second type image
  Side2,   // SideControls entry 2: the third type image
  Member,  // a member of an option group (every member, the first one included)
};

enum class ControlSort : unsigned char {
  Edit,
  Combo,
  Bar,
  Pane,
  Spin,
  Image,
  Toggle,
  Phase,
  Option,
  Pair,
  EqPass,
};

// Pages whose values two pages share: the controls show the first page or the second as the
// view selectors choose; labels name the first.
enum class PageGroup : unsigned char {
  Own,           // one page only
  MicAB,         // MIC A (page 1) and MIC B (page 3)
  MainSur,       // main output (page 6) and SUR (page 9)
  Aux12,         // AUX1 (page 7) and AUX2 (page 8)
  EchoReverbEq,  // the echo EQ bands (page 4) show the reverb's (page 5) too
};

struct ControlSpec {
  std::string_view name;  // the widget's objectName
  ParamAddress address;   // on the group's first page
  ControlRole role;
  ControlSort sort;
  int scale;     // value scale number of edits, panes, bars and band combos; 0: none
  int max;       // highest raw value the control takes; -1: none
  int position;  // option and type image position; -1: none
  PageGroup group;
  std::string_view label;    // the parameter, as a person names it
  std::string_view caption;  // an option member's own caption

  // The scale column read as a scale: the one place the table's numbers become scales.
  constexpr Scale valueScale() const { return ScaleOfNumber(scale); }
};

std::span<const ControlSpec> ControlRows();

// The row of the control in `role` at the address (for an option member or a type image, the one
// at `position`); nullptr when the table has none.
const ControlSpec* FindControl(ParamAddress address, ControlRole role, int position = -1);

// The first row of the control named `name`; nullptr when the table has none.
const ControlSpec* FindControlNamed(std::string_view name);

// The "role" property a button of this sort carries, by which the binding tells phase, option,
// EQ-pass, pair and toggle buttons apart; empty for the sorts that are no buttons.
std::string_view ButtonRoleName(ControlSort sort);

// The group's two pages and the names labels use for them; {page, page, "", ""} for Own.
struct PageGroupNames {
  int first;
  int second;
  std::string_view firstName;
  std::string_view secondName;
};
PageGroupNames NamesOf(PageGroup group, int page);

// A label of the catalog in another language: `translate` gives a text's translation, or the
// text itself when it has none. A label of a pair's second page ("MIC B EQ 3 gain", "SUR output
// HPF Q") is its first page's label with the page named again, so it is said as the first page's
// translation with the second page's name translated in. Labels without a translation stay.
using TextTranslation = std::function<std::string(const std::string&)>;
std::string TranslateLabel(std::string_view english, const TextTranslation& translate);

// The name of a cell no control shows, by where it lies: "page 3 index 12". TranslateLabel says
// it in another language.
std::string CellName(int page, int index);

}  // namespace velantro
