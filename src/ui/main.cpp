// velantro: the desktop console of the effect unit.
//
//   velantro [FILE.Nddt] [--unit HOST[:PORT]] [--serial DEVICE]... [--paced] [--print-status]
//            [--on-connect send|take|ask] [--lang zh|en] [--screenshot DIR [--screenshot-size WxH]]
//            [--help] [--version]

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QPointer>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "model/Messages.h"
#include "presets/LanguageChoice.h"
#include "presets/PresetLibrary.h"
#include "ui/Console.h"
#include "ui/Language.h"
#include "ui/MainFrm.h"
#include "ui/PresetLibraryPanel.h"
#include "ui/QtMessages.h"
#include "ui/ScreenshotTour.h"
#include "ui/SignalBridge.h"
#include "widgets/Looks.h"

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

const char kUsageLine[] =
    "usage: velantro [FILE.Nddt] [--unit HOST[:PORT]] [--serial DEVICE]... [--paced]\n"
    "                [--print-status] [--on-connect send|take|ask] [--lang zh|en]\n"
    "                [--screenshot DIR [--screenshot-size WxH]] [--help] [--version]\n";

const char kOptionsHelp[] =
    "The desktop console of the karaoke and audio effect unit.\n"
    "\n"
    "  --unit HOST[:PORT]       the unit's network address (port 8889 unless given); the\n"
    "                           search goes to the network at once\n"
    "  --serial DEVICE          a serial device to try first (a USB adapter or a pty);\n"
    "                           may be given more than once\n"
    "  --paced                  every search step and request waits for its timer tick,\n"
    "                           for units that cannot take requests back to back\n"
    "  --print-status           print every link status on stdout\n"
    "  --on-connect WORD        when the console's settings and the unit's differ after a\n"
    "                           connect: send (the console's go to the unit), take (the\n"
    "                           unit's become the console's) or ask (the default)\n"
    "  --lang zh|en             the console's language: Chinese or English; without it the\n"
    "                           file mod.dat in the preset base folder chooses (\"C\" or \"E\"),\n"
    "                           else the system's locale (a Chinese locale gives Chinese); the\n"
    "                           System page switches it at once and writes mod.dat\n"
    "  --screenshot DIR         once online, write a picture of every sheet into DIR, exit\n"
    "  --screenshot-size WxH    size of the large pictures (default 1600x900)\n"
    "  -h, --help               print this help and exit\n"
    "  --version                print the version and exit\n"
    "\n"
    "FILE.Nddt, a preset file, is opened at start; without one the console starts from the\n"
    "factory settings. Either can be edited and saved without a unit.\n"
    "\n"
    "Without --unit or --serial the console searches the machine's serial ports, then the\n"
    "address in the System page (127.0.0.1:8889). A serial port this user may not open is\n"
    "skipped (the Device Status dialog says \"permission denied\"); membership of the group\n"
    "that owns the device, usually dialout, lets the console use it.\n"
    "\n";

// Where presets are kept, as the help tells it; the data folder is what this user gets.
std::string PresetsHelp() {
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  using velantro::PresetLibrary;
  const std::string folder =
      PresetLibrary::FromPath(PresetLibrary::ToPath(data.toStdString()) /
                              PresetLibrary::kBaseFolderName / PresetLibrary::kPresetFolderName);
  return "Presets are kept in Mode/T4K-Mode beside the program. An installed console (under\n"
         "/usr), or one whose folder cannot be written, keeps them in the user's data folder:\n"
         "  " +
         folder + "\n";
}

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
  QCoreApplication::setApplicationName("Velantro");
  QCoreApplication::setApplicationVersion(VELANTRO_VERSION);

  // The command line is read before any window object exists: --help, --version and wrong
  // usage answer without a display.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  QCommandLineParser parser;
  const QCommandLineOption help({"h", "help"}, "Print this help and exit.");
  const QCommandLineOption version("version", "Print the version and exit.");
  const QCommandLineOption unit("unit", "Unit address; searches the network at once.",
                                "HOST[:PORT]");
  const QCommandLineOption serial("serial", "Serial device to try (repeatable).", "DEVICE");
  const QCommandLineOption paced(
      "paced", "Every search step and request waits for its timer tick (for slow units).");
  const QCommandLineOption printStatus("print-status", "Print every link status to stdout.");
  const QCommandLineOption lang("lang", "The console's language: zh or en.", "zh|en");
  const QCommandLineOption screenshot(
      "screenshot", "Once online, write a picture of every sheet into DIR and exit.", "DIR");
  const QCommandLineOption screenshotSize(
      "screenshot-size", "Size of the large pictures (default 1600x900).", "WxH", "1600x900");
  const QCommandLineOption onConnect(
      "on-connect", "send, take or ask when the console and the unit differ.", "WORD", "ask");
  parser.addOptions({help, version, unit, serial, paced, printStatus, onConnect, lang, screenshot,
                     screenshotSize});
  // Wrong usage (an option without its value, an unknown option, a stray word) ends with exit
  // code 2, like every other usage error here.
  const bool parsed = parser.parse(arguments);
  const QStringList words = parser.positionalArguments();
  // One preset file may be named; any other word is a mistake, not a file to look for.
  const auto stray = std::find_if(words.begin(), words.end(), [&](const QString& word) {
    return word != words.front() || !word.endsWith(".Nddt", Qt::CaseInsensitive);
  });
  if (!parsed || stray != words.end()) {
    const QString why = parsed ? "unexpected argument '" + *stray + "'" : parser.errorText();
    std::fprintf(stderr, "velantro: %s\n%sTry 'velantro --help' for more.\n", qPrintable(why),
                 kUsageLine);
    return kUsageError;
  }
  if (parser.isSet(help)) {
    std::printf("%s%s%s", kUsageLine, kOptionsHelp, PresetsHelp().c_str());
    return 0;
  }
  if (parser.isSet(version)) {
    std::printf("velantro %s\n", VELANTRO_VERSION);
    return 0;
  }

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
  velantro::DocumentSettings document;
  if (!velantro::ParseOnConnectPolicy(parser.value(onConnect).toStdString(), document.onConnect)) {
    std::fprintf(stderr, "velantro: --on-connect takes send, take or ask\n");
    return kUsageError;
  }
  if (!words.isEmpty()) document.file = words.front().toStdString();
  std::optional<velantro::Language> chosenLanguage;
  if (parser.isSet(lang)) {
    chosenLanguage = velantro::ParseLanguageName(parser.value(lang).toStdString());
    if (!chosenLanguage) {
      std::fprintf(stderr, "velantro: --lang takes zh or en\n");
      return kUsageError;
    }
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

  velantro::SignalBridge::BlockTerminationSignals();
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  QGuiApplication::setDesktopFileName("org.velantro.Velantro");

  velantro::QtMessages boxes;
  StderrMessages printed;
  velantro::Messages& messages = touring ? static_cast<velantro::Messages&>(printed) : boxes;
  velantro::Console console(messages, settings);
  console.documentSettings = document;
  console.programFolder = QApplication::applicationDirPath().toStdString();
  console.SetLanguage(
      velantro::ChooseLanguage({.commandLine = chosenLanguage,
                                .file = velantro::ReadLanguageFile(console.PresetBaseFolder()),
                                .locale = QLocale::system().name().toStdString()}));
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
