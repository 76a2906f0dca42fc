#include "sim/StateFile.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace velantro::unit {

namespace {

constexpr const char* kStateMagic = "velantro-unit-state 1";
constexpr long long kHighestValue = 65535;
constexpr size_t kCodeDigits = 2 * kManagementCodeBytes;

using Row = std::array<int32_t, kSlotsPerPage>;

void WriteRow(std::ostream& out, const Row& row) {
  for (int32_t v : row) out << ' ' << v;
}

bool ReadRow(std::istream& in, Row& row) {
  for (auto& v : row) {
    long long value = 0;
    if (!(in >> value) || value < 0 || value > kHighestValue) return false;
    v = static_cast<int32_t>(value);
  }
  std::string rest;
  return !(in >> rest);
}

bool ReadIndex(std::istream& in, int limit, int& value) {
  return static_cast<bool>(in >> value) && value >= 0 && value < limit;
}

void WriteState(std::ostream& out, const UnitState& state) {
  out << kStateMagic << '\n';
  out << "system-password " << state.systemPassword << '\n';
  out << "keylock-password " << state.keyLockPassword << '\n';
  const auto& c = state.managementCode;
  char code[kCodeDigits + 1];
  std::snprintf(code, sizeof code, "%02X%02X%02X%02X", c[0], c[1], c[2], c[3]);
  out << "code " << code << '\n';
  for (int p = 0; p < kPageCount; ++p) {
    out << "image " << p;
    WriteRow(out, state.image[p]);
    out << '\n';
  }
  for (int m = 0; m < kModeCount; ++m) {
    out << "name " << m << ' ' << state.modeNames[m] << '\n';
    for (int p = 0; p < kPageCount; ++p) {
      out << "mode " << m << ' ' << p;
      WriteRow(out, state.modes[m][p]);
      out << '\n';
    }
  }
  out << "end\n";
}

// Collects the parts of a state file; each must be present before the state is taken.
struct Reader {
  UnitState state;
  int seenImage = 0;
  int seenNames = 0;
  std::array<std::array<bool, kPageCount>, kModeCount> seenModes{};
  bool seenCode = false;
  bool ended = false;

  bool ReadLine(const std::string& line);
  bool ReadCode(std::istream& fields);
  bool ReadName(std::istream& fields);
  bool Complete() const;
};

bool Reader::ReadLine(const std::string& line) {
  std::istringstream fields(line);
  std::string key;
  fields >> key;
  if (key == "system-password" || key == "keylock-password") {
    std::string value, rest;
    fields >> value;
    if (fields >> rest) return false;
    (key == "system-password" ? state.systemPassword : state.keyLockPassword) = value;
    return true;
  }
  if (key == "code") return ReadCode(fields);
  if (key == "image") {
    int page = 0;
    if (!ReadIndex(fields, kPageCount, page) || !ReadRow(fields, state.image[page])) return false;
    seenImage |= 1 << page;
    return true;
  }
  if (key == "mode") {
    int mode = 0, page = 0;
    if (!ReadIndex(fields, kModeCount, mode) || !ReadIndex(fields, kPageCount, page) ||
        !ReadRow(fields, state.modes[mode][page])) {
      return false;
    }
    seenModes[mode][page] = true;
    return true;
  }
  if (key == "name") return ReadName(fields);
  if (key == "end") {
    ended = true;
    return true;
  }
  return false;
}

bool Reader::ReadCode(std::istream& fields) {
  std::string hex;
  fields >> hex;
  if (hex.size() != kCodeDigits ||
      hex.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos) {
    return false;
  }
  for (size_t k = 0; k < kManagementCodeBytes; ++k) {
    state.managementCode[k] = static_cast<uint8_t>(std::stoi(hex.substr(2 * k, 2), nullptr, 16));
  }
  seenCode = true;
  return true;
}

bool Reader::ReadName(std::istream& fields) {
  int mode = 0;
  if (!ReadIndex(fields, kModeCount, mode)) return false;
  std::string name;
  std::getline(fields, name);
  if (!name.empty() && name.front() == ' ') name.erase(0, 1);
  if (name.size() > kNameLength || !std::all_of(name.begin(), name.end(), ValidNameChar)) {
    return false;
  }
  state.modeNames[mode] = name;
  seenNames |= 1 << mode;
  return true;
}

bool Reader::Complete() const {
  const bool allModes = std::all_of(seenModes.begin(), seenModes.end(), [](const auto& row) {
    return std::all_of(row.begin(), row.end(), [](bool seen) { return seen; });
  });
  return ended && allModes && seenCode && seenImage == (1 << kPageCount) - 1 &&
         seenNames == (1 << kModeCount) - 1 &&
         ValidDigits(state.systemPassword, kSystemPasswordDigits) &&
         ValidDigits(state.keyLockPassword, kKeyLockPasswordDigits);
}

}  // namespace

bool WriteStateFile(const std::string& path, const UnitState& state) {
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::trunc);
    if (!out) return false;
    WriteState(out, state);
    if (!out.flush()) return false;
  }
  return std::rename(temp.c_str(), path.c_str()) == 0;
}

std::optional<UnitState> ReadStateFile(const std::string& path) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  std::string line;
  if (!std::getline(in, line) || line != kStateMagic) return std::nullopt;
  Reader reader;
  while (!reader.ended && std::getline(in, line)) {
    if (!reader.ReadLine(line)) return std::nullopt;
  }
  if (!reader.Complete()) return std::nullopt;
  return reader.state;
}

}  // namespace velantro::unit
