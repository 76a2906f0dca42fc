#include <QtGlobal>
#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CtlCommands.h"
#include "CtlLanguage.h"
#include "CurveCommand.h"

namespace velantro::ctl {

namespace {

// "--page P: 0 Music, 1 MIC A, …" wrapped under the option.
void PrintCurvePages(std::FILE* out) {
  std::string line = "  --page P:";
  for (size_t page = 0; page < kCurvePageNames.size(); ++page) {
    const std::string item = " " + std::to_string(page) + " " + Say(kCurvePageNames[page]) +
                             (page + 1 < kCurvePageNames.size() ? "," : "");
    if (DisplayWidth(line) + DisplayWidth(item) > 79) {
      std::fprintf(out, "%s\n", line.c_str());
      line = "          ";
    }
    line += item;
  }
  std::fprintf(out, "%s\n", line.c_str());
}

// The help in two parts: the list of the curve's pages goes between them, wrapped to the width.
const char* const kUsageHead = QT_TRANSLATE_NOOP(
    "velantro",
    "usage: velantroctl COMMAND ARGUMENTS [--timeout SECONDS] [--paced] [--lang zh|en]\n"
    "  velantroctl backup  LINK FILE          download the whole image, write it as a preset;\n"
    "                                         FILE - writes it to standard output. A symlink\n"
    "                                         is followed; a device, FIFO or folder is refused\n"
    "  velantroctl restore LINK FILE          upload a preset and read it back; exit 3 listing\n"
    "                                         the cells the unit holds differently. It uploads\n"
    "                                         pages 0 to 9 and the volume limits (0x0A06 to\n"
    "                                         0x0A0B), as the console does. System settings are\n"
    "                                         not restored: 0x0A02 current mode, 0x0A03 music\n"
    "                                         input gain, 0x0A0C user or administrator, 0x0A0D\n"
    "                                         auto key lock, 0x0A0E music input, 0x0A11\n"
    "                                         infrared remote, 0x0A20 to 0x0A22 normal volumes;\n"
    "                                         those that differ on the unit are listed\n"
    "  velantroctl get     LINK ADDRESS       print the value at a parameter address\n"
    "  velantroctl set     LINK ADDRESS VALUE write one value, wait for the acknowledgement and\n"
    "                                         read it back; exit 1 \"refused value\" when the\n"
    "                                         unit holds another. VALUE is raw (130), or with\n"
    "                                         its unit as the console shows it (2.0dB, \"-3 "
    "dB\",\n"
    "                                         1000Hz); a value off the range or between two\n"
    "                                         steps is refused (exit 2)\n"
    "  velantroctl list    [--page P] [--json] print the parameters: address, name, range as\n"
    "                                         the console shows it, step\n"
    "  velantroctl diff    A B [--all] [--json]\n"
    "                                         what differs between two presets, or a preset and\n"
    "                                         the unit (the word unit with a LINK; a preset and\n"
    "                                         a LINK alone compare the preset with the unit):\n"
    "                                         \"name: A's value → B's value\", then a "
    "count. It\n"
    "                                         compares what an upload carries (pages 0 to 9,\n"
    "                                         the volume limits), --all the System settings\n"
    "                                         too; passwords and the management code show only\n"
    "                                         \"(differs)\". Exit 0 same, 1 different, 2 "
    "trouble\n"
    "                                         (usage, a file it cannot read), 3 no unit\n"
    "  velantroctl check   FILE               validate a preset file\n"
    "  velantroctl curve   FILE --page P [--png OUT.png] [--size WxH]\n"
    "                                         print (or draw) a page's total EQ response\n"
    "  LINK is --unit HOST[:PORT] or --serial DEVICE (only that link is tried); ADDRESS is\n"
    "  decimal or 0x-hex (0x0105), a parameter the console shows or a System setting, or its\n"
    "  name as velantroctl list prints it (\"Music EQ 3 gain\"; case is ignored, and the\n"
    "  beginning of one name is enough)\n");

const char* const kUsageTail = QT_TRANSLATE_NOOP(
    "velantro",
    "  --size WxH: the picture's size in pixels, a title line included\n"
    "  --timeout SECONDS  give up after this long (fractions allowed) and exit 3; without\n"
    "                     it each search, transfer or wait gives up after 120 s, and a unit\n"
    "                     that sends nothing for 11 s is lost (exit 3)\n"
    "  --paced            every request waits for the link's timer tick, as slow units need\n"
    "  --lang zh|en       help, messages and text output in Chinese (zh) or English (en,\n"
    "                     the default); --json, values and exit codes are the same in both\n"
    "  Options may stand before or after the command word.\n"
    "  -h, --help         print this help and exit\n"
    "  --version          print the version and exit\n"
    "exit codes:\n"
    "  0  done\n"
    "  1  a preset file that cannot be read or is not valid, a file that cannot be written,\n"
    "     a value the unit refused or that set cannot confirm\n"
    "  2  wrong usage: an unknown command or option, a missing or extra word, a number that\n"
    "     is not one, an address that is not a parameter address, a name that is no\n"
    "     parameter's or more than one's, a value with a unit the parameter does not take\n"
    "  3  the unit: not found, lost, holding other values after a restore (or part of the\n"
    "     file after a restore that failed), --timeout ran out, a host name that does not\n"
    "     resolve, or a serial device that cannot be opened (for permission: join the group\n"
    "     that owns it, e.g. dialout)\n"
    "  diff exits as diff(1) does: 0 the same, 1 different, 2 trouble, 3 the unit\n");

}  // namespace

void PrintUsage(std::FILE* out) {
  std::fputs(Say(kUsageHead).c_str(), out);
  PrintCurvePages(out);
  std::fputs(Say(kUsageTail).c_str(), out);
}

// Qt's own warnings (sockets, XDG_RUNTIME_DIR, fonts) are about Qt, not about the command: they
// never reach the user's terminal. VELANTRO_QT_MESSAGES=1 shows them for a developer.
void QuietQtMessages() {
  if (qEnvironmentVariableIntValue("VELANTRO_QT_MESSAGES") != 0) return;
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

namespace {

using Command = int (*)(const std::vector<std::string>&, const RunOptions&);

// Options of the commands that take a value: that value is never the command word.
constexpr std::array<std::string_view, 5> kValueOptions{"--unit", "--serial", "--page", "--png",
                                                        "--size"};

// Options of a command that take no value (list and diff).
constexpr std::array<std::string_view, 2> kFlagOptions{"--json", "--all"};

// "-x" and "--x" are options; "-1" is a (refused) value, "-" a word.
bool IsOption(const std::string& word) {
  return word.size() > 1 && word[0] == '-' &&
         std::isdigit(static_cast<unsigned char>(word[1])) == 0;
}

// What is wrong with a command line: an English text, with %1 filled in from `word`, said once
// the language is known.
struct Problem {
  const char* text = nullptr;
  std::string word;
  explicit operator bool() const { return text != nullptr; }
};

struct CommandLine {
  bool help = false;
  bool version = false;
  Language language = Language::English;  // --lang zh: the text output in Chinese
  std::string command;
  std::vector<std::string> args;  // everything but the command word and the run options
  RunOptions options;
};

std::optional<double> ParseSeconds(const std::string& text) {
  double seconds = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, seconds);
  if (ec != std::errc() || ptr != end || !std::isfinite(seconds) || seconds <= 0) {
    return std::nullopt;
  }
  return seconds;
}

// The command word is the first word that is neither an option nor an option's value. Returns
// no problem on success, else what was wrong.
Problem ParseCommandLine(const std::vector<std::string>& words, CommandLine& line) {
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "--help" || word == "-h") {
      line.help = true;
    } else if (word == "--version") {
      line.version = true;
    } else if (word == "--paced") {
      line.options.paced = true;
    } else if (word == "--lang") {
      const std::string name = i + 1 < words.size() ? words[++i] : std::string();
      if (name == "zh") {
        line.language = Language::Chinese;
      } else if (name != "en") {
        return {QT_TRANSLATE_NOOP("velantro", "--lang takes zh or en"), {}};
      }
    } else if (word == "--timeout") {
      const std::optional<double> seconds =
          i + 1 < words.size() ? ParseSeconds(words[++i]) : std::nullopt;
      if (!seconds) {
        return {QT_TRANSLATE_NOOP("velantro", "--timeout needs a number of seconds greater than 0"),
                {}};
      }
      line.options.timeoutSeconds = seconds;
    } else if (std::ranges::find(kFlagOptions, word) != kFlagOptions.end()) {
      line.args.push_back(word);
    } else if (std::ranges::find(kValueOptions, word) != kValueOptions.end()) {
      line.args.push_back(word);
      if (i + 1 < words.size()) line.args.push_back(words[++i]);
    } else if (IsOption(word)) {
      return {QT_TRANSLATE_NOOP("velantro", "unknown option %1"), word};
    } else if (line.command.empty() && !word.starts_with("--")) {
      line.command = word;
    } else {
      line.args.push_back(word);
    }
  }
  if (line.help || line.version) return {};
  if (line.command.empty()) return {QT_TRANSLATE_NOOP("velantro", "no command given"), {}};
  return {};
}

}  // namespace

}  // namespace velantro::ctl

int main(int argc, char** argv) {
  using namespace velantro::ctl;
  QuietQtMessages();
  CommandLine line;
  const Problem problem = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), line);
  if (!UseLanguage(line.language)) {  // the build embeds the texts: only a broken build lands here
    Complain("the Chinese texts are missing; speaking English");
  }
  using Args = std::vector<std::string>;
  const std::map<std::string, Command> commands{
      {"check", [](const Args& args, const RunOptions&) { return RunCheck(args); }},
      {"curve", [](const Args& args, const RunOptions&) { return RunCurve(args); }},
      {"backup", RunBackup},
      {"restore", RunRestore},
      {"get", RunGet},
      {"set", RunSet},
      {"list", [](const Args& args, const RunOptions&) { return RunList(args); }},
      {"diff", RunDiff},
  };
  if (!problem && line.help) {
    PrintUsage(stdout);
    return kExitOk;
  }
  if (!problem && line.version) {
    std::printf("velantroctl %s\n", VELANTRO_VERSION);
    return kExitOk;
  }
  const auto it = commands.find(line.command);
  if (problem || it == commands.end()) {
    Complain(problem
                 ? SayWith(problem.text, {problem.word})
                 : SayWith(QT_TRANSLATE_NOOP("velantro", "unknown command %1"), {line.command}));
    PrintUsage(stderr);
    return kExitUsage;
  }
  return it->second(line.args, line.options);
}
