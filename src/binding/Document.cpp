#include "binding/Document.h"

#include <utility>

namespace velantro {

namespace {

constexpr const char* kTitlePrefix = "Velantro — ";
constexpr const char* kUnsavedMark = " ●";

}  // namespace

void Document::SetFactory(const DeviceTable& image) {
  kind_ = DocumentKind::Factory;
  path_.clear();
  saved_ = image;
}

void Document::SetFile(std::filesystem::path path, const DeviceTable& image) {
  kind_ = DocumentKind::File;
  path_ = std::move(path);
  saved_ = image;
}

void Document::SetUnit() {
  kind_ = DocumentKind::Unit;
  path_.clear();
}

bool Document::Modified(const DeviceTable& now) const {
  if (kind_ == DocumentKind::Unit) return false;
  return !Differences(saved_, now).empty();
}

std::string Document::Title(const DeviceTable& now) const {
  std::string title = kTitlePrefix;
  switch (kind_) {
    case DocumentKind::Unit:
      return title + "unit";
    case DocumentKind::Factory:
      title += "factory settings";
      break;
    case DocumentKind::File:
      title += path_.filename().string();
      break;
  }
  if (Modified(now)) title += kUnsavedMark;
  return title;
}

ConnectChoice Document::ChooseOnConnect(const DeviceTable& document, const DeviceTable& unit,
                                        OnConnectPolicy policy) const {
  if (Differences(unit, document).empty()) return ConnectChoice::Silent;
  if (kind_ == DocumentKind::Factory && !Modified(document)) return ConnectChoice::Silent;
  switch (policy) {
    case OnConnectPolicy::Send:
      return ConnectChoice::Send;
    case OnConnectPolicy::Take:
      return ConnectChoice::Take;
    case OnConnectPolicy::Ask:
      break;
  }
  return ConnectChoice::Ask;
}

std::vector<ImageDifference> Document::Differences(const DeviceTable& unit,
                                                   const DeviceTable& document) const {
  return DiffImages(unit, document, catalog_, DiffScope::Upload);
}

std::string EditsNotOnUnitText(size_t count) {
  if (count == 0) return {};
  return std::to_string(count) + (count == 1 ? " edit" : " edits") + " not on the unit";
}

bool ParseOnConnectPolicy(const std::string& word, OnConnectPolicy& policy) {
  if (word == "ask") {
    policy = OnConnectPolicy::Ask;
  } else if (word == "send") {
    policy = OnConnectPolicy::Send;
  } else if (word == "take") {
    policy = OnConnectPolicy::Take;
  } else {
    return false;
  }
  return true;
}

}  // namespace velantro
