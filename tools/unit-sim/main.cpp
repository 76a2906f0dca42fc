// velantro-unit-sim: a stand-in effect unit on TCP (and optionally a pseudo-terminal).
//
//   velantro-unit-sim [--listen HOST] [--port N] [--pty] [--state FILE] [--seed N]
//                     [--drop-acks P] [--corrupt P] [--delay-ms N]
//                     [--lose-writes N] [--lose-write-share P] [--corrupt-answers N]
//                     [--ack-remote-request] [--duplicate-answers] [--stray-frames]
//                     [--short-answer PAGE] [--trickle-ms N] [--report-changes MS]
//                     [--log-frames] [--help] [--version]
//
// SIGINT and SIGTERM end it cleanly (the state file is written, the fault counts go to
// stderr); SIGUSR1 makes the unit fall silent and, sent again, answer again.

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <optional>

#include "SimServer.h"

#ifdef __linux__
#include <sys/signalfd.h>
#include <unistd.h>
#endif

namespace velantro {
namespace {

constexpr int kUsageError = 2;
constexpr long long kMaxFaultCount = 1000000000;

const char kUsage[] =
    "usage: velantro-unit-sim [--listen HOST] [--port N] [--pty] [--state FILE] [--seed N]\n"
    "                         [--drop-acks P] [--corrupt P] [--delay-ms N]\n"
    "                         [--lose-writes N] [--lose-write-share P] [--corrupt-answers N]\n"
    "                         [--ack-remote-request] [--duplicate-answers] [--stray-frames]\n"
    "                         [--short-answer PAGE] [--trickle-ms N] [--report-changes MS]\n"
    "                         [--log-frames] [--help] [--version]\n"
    "  --listen HOST           address to listen on (default 127.0.0.1)\n"
    "  --port N                TCP port, 0 picks a free one (default 8889)\n"
    "  --pty                   also serve a pseudo-terminal; its path is printed as\n"
    "                          \"pty: PATH\"\n"
    "  --state FILE            load the unit's state from FILE and save every change to it\n"
    "  --seed N                seed of the fault generator (default 1)\n"
    "  --drop-acks P           share 0..1 of acknowledgements never sent\n"
    "  --corrupt P             share 0..1 of data frames sent with one byte flipped\n"
    "  --delay-ms N            hold every answer back N ms, on TCP and on the pty\n"
    "  --answer-delay-ms N     the same as --delay-ms\n"
    "  --lose-writes N         the first N writes (every 0xA7 frame but link control) are lost:\n"
    "                          neither applied nor answered\n"
    "  --lose-write-share P    share 0..1 of the later writes lost the same way\n"
    "  --corrupt-answers N     the first N data frames leave with a byte flipped (bad checksum)\n"
    "  --ack-remote-request    answer the item request to 0x0A11 with FE BB, not a data frame\n"
    "  --duplicate-answers     send every data frame twice (acknowledgements once), as a\n"
    "                          bridge that repeats what it forwards\n"
    "  --stray-frames          before each page answer send a one-value frame of that page\n"
    "                          (a value the unit holds), as a unit reporting a change would\n"
    "  --short-answer PAGE     cut the first answer to page PAGE (0..9) to 10 values, with a\n"
    "                          good checksum; later answers to it are whole\n"
    "  --trickle-ms N          every answer leaves in 3 pieces N ms apart (a slow bridge)\n"
    "  --report-changes MS     every MS ms change one band gain at the unit itself and report\n"
    "                          it in a value frame (a knob at the front panel)\n"
    "  --log-frames            print each good frame received on stdout: \"rx: FC BA ...\"\n"
    "  -h, --help              print this help and exit\n"
    "  --version               print the version and exit\n"
    "On SIGINT or SIGTERM the frame and fault counts are printed on stderr.\n";

std::optional<long long> ParseInteger(const QString& text, long long low, long long high) {
  bool ok = false;
  const long long value = text.toLongLong(&ok);
  if (!ok || value < low || value > high) return std::nullopt;
  return value;
}

std::optional<double> ParseShare(const QString& text) {
  bool ok = false;
  const double value = text.toDouble(&ok);
  if (!ok || !(value >= 0.0 && value <= 1.0)) return std::nullopt;
  return value;
}

enum class Parsed { Run, Help, Version, Wrong };

// The options that take a value; every other option stands alone.
bool TakesValue(const QString& flag) {
  static const QStringList kValued{"--listen",
                                   "--port",
                                   "--state",
                                   "--seed",
                                   "--drop-acks",
                                   "--corrupt",
                                   "--delay-ms",
                                   "--lose-writes",
                                   "--lose-write-share",
                                   "--corrupt-answers",
                                   "--answer-delay-ms",
                                   "--short-answer",
                                   "--trickle-ms",
                                   "--report-changes"};
  return kValued.contains(flag);
}

// Sets `error` on wrong usage.
Parsed ParseArguments(const QStringList& args, ServerOptions& options, QString& error) {
  for (qsizetype k = 1; k < args.size(); ++k) {
    const QString& flag = args[k];
    if (flag == QLatin1String("--pty")) {
      options.pty = true;
      continue;
    }
    if (flag == QLatin1String("--ack-remote-request")) {
      options.sim.ackRemoteRequest = true;
      continue;
    }
    if (flag == QLatin1String("--duplicate-answers")) {
      options.sim.duplicateAnswers = true;
      continue;
    }
    if (flag == QLatin1String("--stray-frames")) {
      options.sim.strayFrames = true;
      continue;
    }
    if (flag == QLatin1String("--log-frames")) {
      options.logFrames = true;
      continue;
    }
    if (flag == QLatin1String("--help") || flag == QLatin1String("-h")) return Parsed::Help;
    if (flag == QLatin1String("--version")) return Parsed::Version;
    if (!TakesValue(flag)) {
      error = flag.startsWith('-') ? QStringLiteral("unknown option %1").arg(flag)
                                   : QStringLiteral("unexpected argument %1").arg(flag);
      return Parsed::Wrong;
    }
    if (k + 1 >= args.size()) {
      error = QStringLiteral("%1 needs a value").arg(flag);
      return Parsed::Wrong;
    }
    const QString value = args[++k];
    bool good = true;
    if (flag == QLatin1String("--listen")) {
      options.listenHost = value;
    } else if (flag == QLatin1String("--port")) {
      const auto port = ParseInteger(value, 0, 65535);
      good = port.has_value();
      if (good) options.port = static_cast<quint16>(*port);
    } else if (flag == QLatin1String("--state")) {
      options.stateFile = value;
      good = !value.isEmpty();
    } else if (flag == QLatin1String("--seed")) {
      const auto seed = ParseInteger(value, 0, 0xFFFFFFFFll);
      good = seed.has_value();
      if (good) options.sim.seed = static_cast<uint32_t>(*seed);
    } else if (flag == QLatin1String("--drop-acks")) {
      const auto share = ParseShare(value);
      good = share.has_value();
      if (good) options.sim.dropAckShare = *share;
    } else if (flag == QLatin1String("--corrupt")) {
      const auto share = ParseShare(value);
      good = share.has_value();
      if (good) options.sim.corruptShare = *share;
    } else if (flag == QLatin1String("--short-answer")) {
      const auto page = ParseInteger(value, 0, 9);
      good = page.has_value();
      if (good) options.sim.shortAnswerPage = static_cast<int>(*page);
    } else if (flag == QLatin1String("--trickle-ms")) {
      const auto gap = ParseInteger(value, 0, 60000);
      good = gap.has_value();
      if (good) options.sim.trickleMs = *gap;
    } else if (flag == QLatin1String("--report-changes")) {
      const auto every = ParseInteger(value, 1, 3600000);
      good = every.has_value();
      if (good) options.sim.reportEveryMs = *every;
    } else if (flag == QLatin1String("--delay-ms") || flag == QLatin1String("--answer-delay-ms")) {
      const auto delay = ParseInteger(value, 0, 3600000);
      good = delay.has_value();
      if (good) options.sim.delayMs = *delay;
    } else if (flag == QLatin1String("--lose-writes")) {
      const auto count = ParseInteger(value, 0, kMaxFaultCount);
      good = count.has_value();
      if (good) options.sim.loseWrites = static_cast<int>(*count);
    } else if (flag == QLatin1String("--lose-write-share")) {
      const auto share = ParseShare(value);
      good = share.has_value();
      if (good) options.sim.loseWriteShare = *share;
    } else if (flag == QLatin1String("--corrupt-answers")) {
      const auto count = ParseInteger(value, 0, kMaxFaultCount);
      good = count.has_value();
      if (good) options.sim.corruptAnswers = static_cast<int>(*count);
    }
    if (!good) {
      error = QStringLiteral("bad value for %1: %2").arg(flag, value);
      return Parsed::Wrong;
    }
  }
  return Parsed::Run;
}

// One line, key=value, for scripts that count the faults a run injected.
void PrintStats(const SimStats& s) {
  std::fprintf(stderr,
               "velantro-unit-sim: stats frames-received=%d frames-rejected=%d "
               "bytes-discarded=%d acks-sent=%d acks-dropped=%d data-frames-sent=%d "
               "frames-corrupted=%d writes-applied=%d writes-lost=%d reports-sent=%d\n",
               s.framesReceived, s.framesRejected, s.bytesDiscarded, s.acksSent, s.acksDropped,
               s.dataFramesSent, s.framesCorrupted, s.writesApplied, s.writesLost, s.reportsSent);
  std::fflush(stderr);
}

int Run(int argc, char** argv) {
#ifdef __linux__
  // Signals arrive as readable data on a descriptor, handled in the event loop like any other
  // input; blocked before any thread exists so every thread inherits the mask.
  sigset_t handled;
  sigemptyset(&handled);
  sigaddset(&handled, SIGINT);
  sigaddset(&handled, SIGTERM);
  sigaddset(&handled, SIGUSR1);
  sigprocmask(SIG_BLOCK, &handled, nullptr);
  const int signalFd = signalfd(-1, &handled, SFD_NONBLOCK | SFD_CLOEXEC);
#endif
  std::signal(SIGPIPE, SIG_IGN);

  QCoreApplication app(argc, argv);
  ServerOptions options;
  QString error;
  switch (ParseArguments(app.arguments(), options, error)) {
    case Parsed::Run:
      break;
    case Parsed::Help:
      std::fputs(kUsage, stdout);
      return 0;
    case Parsed::Version:
      std::printf("velantro-unit-sim %s\n", VELANTRO_VERSION);
      return 0;
    case Parsed::Wrong:
      std::fprintf(stderr, "velantro-unit-sim: %s\n", qPrintable(error));
      std::fputs(kUsage, stderr);
      return kUsageError;
  }

  SimServer server(options);
  if (!server.Start(error)) {
    std::fprintf(stderr, "velantro-unit-sim: %s\n", qPrintable(error));
    return 1;
  }

#ifdef __linux__
  if (signalFd >= 0) {
    auto* notifier = new QSocketNotifier(signalFd, QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&server, signalFd] {
      signalfd_siginfo info{};
      while (::read(signalFd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        if (info.ssi_signo == SIGUSR1) {
          server.ToggleSilent();
        } else {
          QCoreApplication::quit();
        }
      }
    });
  }
#endif

  const int code = app.exec();
  server.Stop();
  PrintStats(server.Stats());
#ifdef __linux__
  if (signalFd >= 0) ::close(signalFd);
#endif
  return code;
}

}  // namespace
}  // namespace velantro

int main(int argc, char** argv) { return velantro::Run(argc, argv); }
