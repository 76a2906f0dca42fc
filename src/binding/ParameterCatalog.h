#pragma once

// What every parameter address of pages 0 to 10 is, for anything without a window: its label,
// scale, range, what kind of value it carries, and the text a raw value is shown as. Made from
// the control table; cells no control shows are named by page and index.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ParamAddress.h"
#include "model/Scales.h"

namespace velantro {

enum class ParamKind {
  Value,      // a plain value, written with a value frame
  BandField,  // a field of an EQ band, written with a band frame
  Command,    // a request to the unit (mode save, page upload or request, link control)
  Text,       // a name or a code (mode name, passwords, management code)
};

struct ParamInfo {
  ParamAddress address = -1;
  std::string label;
  Scale scale = Scale::None;
  int lower = 0;  // raw range
  int upper = 0;
  ParamKind kind = ParamKind::Value;
  std::vector<std::string> options;  // option captions by position, when the control has them
};

// What a parameter name typed by a person stands for: one entry, several, or none.
struct NameMatch {
  const ParamInfo* found = nullptr;          // the one entry the name names
  std::vector<const ParamInfo*> candidates;  // the names it could mean, when more than one
};

class ParameterCatalog {
 public:
  ParameterCatalog();

  // The address's entry; nothing for an address outside pages 0 to 10's cells.
  const ParamInfo* Find(ParamAddress address) const;
  // The text a raw value is shown as, with its unit ("19.7 Hz", "-24.0 dB", "Fast").
  std::string DisplayText(ParamAddress address, int raw) const;
  std::string DisplayText(const ParamInfo& info, int raw) const;

  // The entry a typed name stands for: a name equal to it (case ignored) wins, otherwise the
  // one name it begins. Several entries are candidates, in catalog order.
  // `spoken` gives the names as the caller shows them (another language); without it the names
  // are the catalog's own.
  NameMatch FindByName(std::string_view name,
                       const std::function<std::string(const std::string&)>& spoken = {}) const;

  const std::vector<ParamInfo>& Entries() const { return entries_; }

 private:
  std::vector<ParamInfo> entries_;
  std::vector<int> indexOf_;  // address -> entry, -1 none
};

// The unit a scale's numbers are in ("Hz", "dB", "%", "ms", ...); empty for none.
std::string_view ScaleUnit(Scale scale);

}  // namespace velantro
