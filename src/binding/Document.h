#pragma once

// What the console edits: the unit's image while it works with a unit, a preset file the operator
// opened, or the factory settings it starts from without a unit. The store holds the document's
// values; this remembers where they came from and what was last saved, so the window can say
// what it shows, whether there is something unsaved, and what a connect should do when the unit
// holds something else.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "binding/ImageDiff.h"
#include "binding/ParameterCatalog.h"
#include "model/ParamStore.h"

namespace velantro {

enum class DocumentKind { Factory, File, Unit };

// velantro --on-connect: what a connect does when the console's document and the unit differ.
enum class OnConnectPolicy { Ask, Send, Take };

// What the console does once a connect's download is in.
enum class ConnectChoice {
  Silent,  // nothing to choose: online as it is
  Send,    // the document goes to the unit
  Take,    // the unit's settings become the document
  Ask,     // the operator chooses
};

class Document {
 public:
  explicit Document(const ParameterCatalog& catalog) : catalog_(catalog) {}

  // The factory settings, just loaded: nothing unsaved.
  void SetFactory(const DeviceTable& image);
  // A file just opened or saved: `image` is what the file holds.
  void SetFile(std::filesystem::path path, const DeviceTable& image);
  // The unit's image is the document from now on.
  void SetUnit();

  DocumentKind kind() const { return kind_; }
  const std::filesystem::path& path() const { return path_; }

  // Whether `now` holds values the file (or the factory settings) does not: what an upload
  // carries is compared, so the unit's own system settings coming and going change nothing.
  // The unit's image has nothing to save.
  bool Modified(const DeviceTable& now) const;
  // "Velantro — Stage.Nddt ●" (● while modified), "Velantro — factory settings", "Velantro — unit".
  std::string Title(const DeviceTable& now) const;

  // What a connect does after its download: `document` is what the console showed before it,
  // `unit` what the download read. Untouched factory settings are no choice of the operator's:
  // the unit's image takes their place without a word.
  ConnectChoice ChooseOnConnect(const DeviceTable& document, const DeviceTable& unit,
                                OnConnectPolicy policy) const;
  // The values that differ between the unit's image and the document, as the upload question
  // lists them.
  std::vector<ImageDifference> Differences(const DeviceTable& unit,
                                           const DeviceTable& document) const;

 private:
  const ParameterCatalog& catalog_;
  DocumentKind kind_ = DocumentKind::Factory;
  std::filesystem::path path_;
  DeviceTable saved_{};
};

// "3 edits not on the unit"; empty for none.
std::string EditsNotOnUnitText(size_t count);

// The name of --on-connect's word ("send", "take", "ask"); false for any other word.
bool ParseOnConnectPolicy(const std::string& word, OnConnectPolicy& policy);

}  // namespace velantro
