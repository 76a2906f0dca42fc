#pragma once

// The link as the operator sees it: the status label and the Connect/Unlink buttons of the main
// window, the Device Status dialog, and what the window does on the link's word (the full
// refresh after a download, the unit's reported values, the mode list, the loading notice). It is
// the link's LinkView; it exists before the windows, which the console attaches once made.

#include <deque>
#include <functional>
#include <string>

#include "link/LinkInterfaces.h"

namespace velantro {

class DeviceLink;
class TForm1;
class TForm2;

class LinkPresenter : public LinkView {
 public:
  using StatusEcho = std::function<void(const std::string&)>;
  // `language` picks which status text is echoed; `printStatus` echoes it on stdout as well;
  // `onStatusText` (may hold nothing) hears every status text. All must outlive the presenter.
  LinkPresenter(const Language& language, const bool& printStatus, const StatusEcho& onStatusText);

  // The windows the link's word goes to, and the link the buttons work; until then (and after
  // Detach) the link's word goes nowhere.
  void Attach(TForm1& window, TForm2& statusDialog, DeviceLink& link);
  void Detach();

  void SetStatus(const std::string& caption, const std::string& hint) override;
  void SetStatusCaption(const std::string& caption) override;
  void SetStatusColour(Rgb colour) override;
  void SetLinkButton(LinkButtonLook look) override;
  void ShowDeviceStatus() override;
  void HideDeviceStatus() override;
  void UpdateDeviceStatus(const std::string& statusText, int percent) override;
  void SetPortLabel(const std::string& text) override;
  void SetPortProblem(const std::string& problem) override;
  void RefreshAll() override;
  void ShowUnitValues() override;
  void RebuildModeList() override;
  void ShowMainWindow() override;
  void LogLine(const std::string& line) override;
  void ShowReadingUnitImage(bool reading) override;

  // After a language switch: a two-language status shows the other language, its hint the first.
  // A single-language status ("OffLine") stays.
  void SwapStatusLanguage();

 private:
  void Report(const std::string& text);

  const Language& language_;
  const bool& printStatus_;
  const StatusEcho& onStatusText_;
  TForm1* window_ = nullptr;
  TForm2* dialog_ = nullptr;
  std::deque<std::string> log_;
};

}  // namespace velantro
