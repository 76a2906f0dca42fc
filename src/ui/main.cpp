// velantro: the desktop console of the effect unit.
//
//   velantro [--unit HOST[:PORT]] [--serial DEVICE]... [--paced] [--print-status]
//            [--screenshot DIR [--screenshot-size WxH]]

#include <QApplication>
#include <QCommandLineParser>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "model/Messages.h"
#include "ui/Console.h"
#include "ui/Looks.h"
#include "ui/MainFrm.h"
#include "ui/QtMessages.h"
#include "ui/ScreenshotTour.h"
#include "ui/SignalBridge.h"

namespace {

using velantro::LinkSettings;

// Messages for the unattended screenshot run: a box would wait for a hand that never comes.
class StderrMessages : public velantro::Messages {
 public:
  void Information(const std::string& text, const std::string& caption) override {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  }
  bool AskYesNo(const std::string& text, const std::string& caption) override {
    Information(text, caption);
    return false;
  }
  bool AskOkCancel(const std::string& text, const std::string& caption) override {
    Information(text, caption);
    return false;
  }
};

constexpr int kScreenshotTimeoutMs = 60000;
constexpr int kUsageError = 2;

// HOST or HOST:PORT, the port 1 to 65535 in decimal digits. An empty host or port, or a port
// that is no such number, is wrong usage: the console would otherwise search at an address the
// operator never meant.
bool ParseUnit(const QString& text, LinkSettings& settings) {
  const qsizetype colon = text.lastIndexOf(':');
  const QString host = colon < 0 ? text : text.left(colon);
  if (host.isEmpty()) return false;
  if (colon >= 0) {
    const QString digits = text.mid(colon + 1);
    const bool allDigits = !digits.isEmpty() && std::all_of(digits.begin(), digits.end(),
                                                            [](QChar c) { return c.isDigit(); });
    bool ok = false;
    const int port = digits.toInt(&ok);
    if (!allDigits || !ok || port < 1 || port > 65535) return false;
    settings.port = port;
  }
  settings.host = host.toStdString();
  settings.networkAtOnce = true;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  velantro::SignalBridge::BlockTerminationSignals();
  QApplication app(argc, argv);
  QApplication::setApplicationName("Velantro");
  QApplication::setQuitOnLastWindowClosed(false);

  QCommandLineParser parser;
  parser.setApplicationDescription("Velantro console");
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption unit("unit", "Unit address; searches the network at once.",
                                "HOST[:PORT]");
  const QCommandLineOption serial("serial", "Serial device to try (repeatable).", "DEVICE");
  const QCommandLineOption paced(
      "paced", "Every search step and request waits for its timer tick (for slow units).");
  const QCommandLineOption printStatus("print-status", "Print every link status to stdout.");
  const QCommandLineOption screenshot(
      "screenshot", "Once online, write a picture of every sheet into DIR and exit.", "DIR");
  const QCommandLineOption screenshotSize(
      "screenshot-size", "Size of the large pictures (default 1600x900).", "WxH", "1600x900");
  parser.addOptions({unit, serial, paced, printStatus, screenshot, screenshotSize});
  // Wrong usage (an option without its value, an unknown option) ends with exit code 2, like
  // every other usage error here.
  if (!parser.parse(QApplication::arguments())) {
    std::fprintf(stderr, "velantro: %s\n", qPrintable(parser.errorText()));
    return kUsageError;
  }
  if (parser.isSet(help)) parser.showHelp(0);

  LinkSettings settings;
  if (parser.isSet(unit) && !ParseUnit(parser.value(unit), settings)) {
    std::fprintf(stderr, "velantro: --unit needs HOST[:PORT] with a port from 1 to 65535\n");
    return kUsageError;
  }
  for (const QString& device : parser.values(serial)) {
    if (device.isEmpty()) {
      std::fprintf(stderr, "velantro: --serial needs a device\n");
      return kUsageError;
    }
    settings.serialDevices.push_back(device.toStdString());
  }
  settings.paced = parser.isSet(paced);
  settings.printStatus = parser.isSet(printStatus);
  const bool touring = parser.isSet(screenshot);

  QSize largeSize(1600, 900);
  if (touring) {
    const QStringList parts = parser.value(screenshotSize).split('x');
    if (parts.size() == 2) largeSize = QSize(parts[0].toInt(), parts[1].toInt());
    if (largeSize.width() < velantro::kDesignWidth ||
        largeSize.height() < velantro::kDesignHeight) {
      std::fprintf(stderr, "velantro: --screenshot-size must be at least 1133x637\n");
      return kUsageError;
    }
  }

  app.setStyleSheet(velantro::ConsoleStyleSheet());

  velantro::QtMessages boxes;
  StderrMessages printed;
  velantro::Messages& messages = touring ? static_cast<velantro::Messages&>(printed) : boxes;
  velantro::Console console(messages, settings);
  console.programFolder = QApplication::applicationDirPath().toStdString();
  console.CreateWindows();
  velantro::TForm1* form = console.form1();
  boxes.SetOwner(form);

  QObject::connect(form, &velantro::TForm1::windowClosed, &app, &QApplication::quit);

  velantro::SignalBridge signals_;
  QObject::connect(&signals_, &velantro::SignalBridge::terminationRequested, form,
                   [form](int) { form->close(); });

  int exitCode = 0;
  std::unique_ptr<velantro::ScreenshotTour> tour;
  if (touring) {
    tour = std::make_unique<velantro::ScreenshotTour>(console, parser.value(screenshot), largeSize);
    console.onStatusText = [&tour](const std::string& text) {
      tour->OnStatus(QString::fromStdString(text));
    };
    QObject::connect(tour.get(), &velantro::ScreenshotTour::finished, form,
                     [form, &exitCode](bool ok) {
                       exitCode = ok ? 0 : 1;
                       form->close();
                     });
    QTimer::singleShot(kScreenshotTimeoutMs, form, [form, &exitCode] {
      std::fprintf(stderr, "velantro: the unit did not come online\n");
      exitCode = 1;
      form->close();
    });
  }

  form->show();
  const int loopCode = app.exec();
  console.onStatusText = nullptr;
  return exitCode != 0 ? exitCode : loopCode;
}
