#pragma once

// The small interfaces through which the device link reaches the outside: the serial port, the
// TCP client, the three link timers and the window. Each has one Qt implementation
// (SerialTransport, TcpTransport, QtLinkTimers, the main window) and one test implementation
// (tests/support/LinkHarness).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/Frames.h"
#include "model/Messages.h"

namespace velantro {

// The serial port as the link drives it: 57600 baud, 8N1, DTR and RTS on, no flow control.
class SerialPort {
 public:
  virtual ~SerialPort() = default;
  // Names of the machine's serial ports (and any devices given on the command line).
  virtual std::vector<std::string> PortNames() = 0;
  virtual void SetPortName(const std::string& name) = 0;
  // False when the port cannot be opened (missing, busy, empty name).
  virtual bool Open() = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual size_t BytesAvailable() = 0;
  // Reads up to `count` bytes of those already waiting; never waits for the line.
  virtual Bytes Read(size_t count) = 0;
  // False when the write failed; the link ignores the result.
  virtual bool Write(const Bytes& bytes) = 0;
};

// The TCP client: non-blocking, event driven. Errors are discarded by the implementation.
class NetworkClient {
 public:
  virtual ~NetworkClient() = default;
  // Drops any connection, then starts one to host:port.
  virtual void ConnectNetwork(const std::string& host, uint16_t port) = 0;
  virtual void Deactivate() = 0;
  // Sends whatever the socket's state; on a closed socket the bytes are lost.
  virtual void Send(const Bytes& bytes) = 0;
};

enum class LinkTimer { Search, Download, Hold };

constexpr int kSearchIntervalMs = 1000;
constexpr int kDownloadIntervalMs = 100;
constexpr int kNetworkDownloadIntervalMs = 200;
constexpr int kHoldIntervalMs = 20;

// The three link timers. Each calls the matching tick of DeviceLink (SearchTick, DownloadTick,
// HoldTick) every interval while it is active.
class LinkTimers {
 public:
  virtual ~LinkTimers() = default;
  virtual void Start(LinkTimer timer) = 0;
  virtual void Stop(LinkTimer timer) = 0;
  virtual void SetInterval(LinkTimer timer, int ms) = 0;
  virtual int Interval(LinkTimer timer) const = 0;
  virtual bool IsActive(LinkTimer timer) const = 0;
};

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Status colours on the dark title strip: each keeps a contrast of at least 4.5:1 against the
// strip's lightest row, so the state reads at a glance from the mixing desk. A pure red (3.1:1)
// and the dark blue a mode save once showed (1.2:1) did not.
constexpr Rgb kStatusSilver{0xC0, 0xC0, 0xC0};
constexpr Rgb kStatusRed{0xFF, 0x78, 0x6E};
constexpr Rgb kStatusSavedBlue{0x66, 0xB3, 0xFF};

// The link button: pressed image, caption "Unlink" in white while searching or online; normal
// image, caption "Connect" in black while offline.
enum class LinkButtonLook { Connect, Unlink };

// What the link shows and asks of the main window and the Device Status dialog.
class LinkView {
 public:
  virtual ~LinkView() = default;
  // Status label: caption in the language of LanguageSetting, the other language in its hint.
  virtual void SetStatus(const std::string& caption, const std::string& hint) = 0;
  // Status label caption only ("Equipment search...", "OffLine", "Saving...");
  // the hint stays as it is.
  virtual void SetStatusCaption(const std::string& caption) = 0;
  virtual void SetStatusColour(Rgb colour) = 0;
  virtual void SetLinkButton(LinkButtonLook look) = 0;

  // Device Status dialog.
  virtual void ShowDeviceStatus() = 0;
  virtual void HideDeviceStatus() = 0;
  // Status text (a copy of the status label's caption) and progress in percent.
  virtual void UpdateDeviceStatus(const std::string& statusText, int percent) = 0;
  // The serial port being tried, or "Network".
  virtual void SetPortLabel(const std::string& text) = 0;
  // Why the port just named could not be opened, when the reason matters to the operator
  // ("permission denied"); holds until the next port is named. Only the serial adapter knows why
  // an open failed; views that have nowhere to show it ignore it.
  virtual void SetPortProblem(const std::string& problem) { (void)problem; }

  // Inside link event 1: the window's RefreshAllControls(20): rebuild ViewValues from the
  // DeviceImage (LayoutFlag already latched) and refresh every control with sending suppressed.
  virtual void RefreshAll() = 0;
  // While online the unit reported values of its own (a change at its front panel) and they are in
  // the DeviceImage: show them as a refresh does, nothing sent.
  virtual void ShowUnitValues() { RefreshAll(); }
  // Whether the unit's image is being read in over what the pages show (the first download since
  // start-up, or a mode recall from the moment it leaves until its reload is in): an edit then
  // would be shown as the unit's value, so the pages take none. Told with every status.
  virtual void ShowReadingUnitImage(bool reading) { (void)reading; }
  // Link event 3: rebuild the system page's mode list from ModeNames, keeping the selection.
  virtual void RebuildModeList() = 0;
  virtual void ShowMainWindow() = 0;
  // One line of the hidden diagnostic log.
  virtual void LogLine(const std::string& line) = 0;
};

// Where the link finds the unit on the network and which language its texts use. The window
// fills it from the System page's "IP Address/Port" fields; velantroctl from --unit.
struct LinkConfig {
  std::string host = "127.0.0.1";
  std::string portText = "8889";
  Language LanguageSetting = Language::English;
  // --paced: every search step and every request waits for its timer tick, for units that
  // cannot take requests back to back. Otherwise the next request leaves as soon as the answer
  // to the last one has arrived, and the timers only guard against silence.
  bool paced = false;
  // The window keeps looking for a unit it has lost (velantroctl never does): every 2 s where
  // the unit was last found, and a search of every port once a minute.
  bool reconnect = false;
};

}  // namespace velantro
