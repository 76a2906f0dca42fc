#pragma once

// The console's composition root: one instance per run (created by main) or per test. It owns the
// parameter store, the link and the window pieces, and hands them to each other by reference.
// No Qt in this header, so core-side helpers can include it cheaply.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "binding/Document.h"
#include "link/LinkInterfaces.h"
#include "model/Messages.h"
#include "model/ParamStore.h"

namespace velantro {

class TForm1;
class TForm2;
class TForm3;
class DeviceLink;
class ChangeQueue;
class ControlBinding;
class EqGraphPanel;
class LinkPresenter;
struct WindowContext;
class EditHistory;
class ModifiedMarkers;
class DocumentController;

// What the console edits at start and how a connect settles a difference with the unit.
struct DocumentSettings {
  std::string file;  // velantro FILE.Nddt: opened at start instead of the factory settings
  OnConnectPolicy onConnect = OnConnectPolicy::Ask;  // --on-connect
  bool startFromFactory = true;  // the first show puts the factory settings on the pages
};

// Where the link looks for the unit.
struct LinkSettings {
  std::string host = "127.0.0.1";  // the stand-in unit's default address
  int port = 8889;
  std::vector<std::string> serialDevices;  // --serial: tried before the machine's own ports
  bool networkAtOnce = false;              // --unit: search the network first
  bool paced = false;                      // --paced: requests wait for the timer ticks
  bool printStatus = false;                // --print-status: echo link states to stdout
  bool autoConnect = true;                 // the first show starts the search (tests turn it off)
};

class Console {
 public:
  // `messages` must outlive the console; tests pass a recording double.
  explicit Console(Messages& messages, LinkSettings settings = {});
  ~Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // The store every window piece edits.
  ParamStore store;
  // LanguageSetting: English unless main chose another (the command line, mod.dat, the locale).
  Language LanguageSetting = Language::English;
  // The operator's choice on the System page, or main's at start: installs the language's texts,
  // shows every caption, the status and the Device Status dialog in it at once, and when
  // `remember` writes it to mod.dat in the preset base folder for the next start.
  void SetLanguage(Language language, bool remember = false);
  LinkSettings linkSettings;
  // Read by CreateWindows and the first show.
  DocumentSettings documentSettings;
  // What the link reads: the "IP Address/Port" fields' text and the language.
  LinkConfig linkConfig;

  Messages& messages() { return *messages_; }
  void setMessages(Messages& messages) { messages_ = &messages; }

  // The section on view, page * 256 + sheet; set only by the tab switch of the main window.
  int CurrentSection = 0;

  // Preset folders: the program folder, base = program + "/Mode", presets = base + "/T4K-Mode".
  std::string programFolder;
  // The base folder as the preset list uses it (the first writable of the program folder's and
  // the user's); `mod.dat` lives there. Known before the windows are.
  std::filesystem::path PresetBaseFolder() const;

  // Window pieces, created by CreateWindows() in this order: link window, status dialog, main
  // window. The console owns them; they are null before CreateWindows().
  TForm1* form1() const { return form1_.get(); }
  TForm3* form3() const { return form3_.get(); }
  TForm2* form2() const { return form2_.get(); }

  // The link's view of the windows (status label, link button, Device Status dialog ...).
  LinkView& linkView();

  // Link pieces (owned by the link window); null until it exists.
  DeviceLink* link() const;
  ChangeQueue* changeQueue() const;

  // Pieces of the main window; null before its first show (binding) or creation (graph).
  ControlBinding* binding() const;
  EqGraphPanel* graph() const;

  // What the main window is handed: the store, the settings and the link window and dialog (null
  // before CreateWindows).
  WindowContext windowContext();

  // Undo/redo and the modified markers; null before CreateWindows().
  EditHistory* history() const { return history_.get(); }
  ModifiedMarkers* markers() const { return markers_.get(); }
  // The document the console edits; null before CreateWindows().
  DocumentController* document() const { return document_; }
  // The section on view (or every page) back to what the unit held at the last whole transfer,
  // through the one writer, as one undo step.
  void RevertPage();
  void RevertAll();

  // Creates TForm3, TForm2 and TForm1 in that order, each handed what it needs, and attaches the
  // link's view to them; then the undo history and the markers. Does not show anything.
  void CreateWindows();

  // Called once per link state change with the English status text ("Online", "Off Line" ...),
  // after the window has taken it. Used for --print-status and by tests.
  std::function<void(const std::string&)> onStatusText;

 private:
  Messages* messages_;
  std::unique_ptr<LinkPresenter> linkView_;
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TForm3> form3_;
  std::unique_ptr<TForm2> form2_;
  std::unique_ptr<ModifiedMarkers> markers_;
  std::unique_ptr<EditHistory> history_;
  DocumentController* document_ = nullptr;  // owned by the main window

  void CreateHistory();
  void ConnectLanguageBox();
  void RememberLanguage();
  void CreateDocument();
  void Revert(const std::vector<int>& pages, const char* text);
  void ShowStore();
};

}  // namespace velantro
