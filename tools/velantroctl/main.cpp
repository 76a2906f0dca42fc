#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "CtlCommands.h"

namespace velantro::ctl {

void PrintUsage() {
  std::fputs(
      "usage:\n"
      "  velantroctl backup  LINK FILE          download the whole image, write it as a preset\n"
      "  velantroctl restore LINK FILE          read a preset, connect, upload it to the unit\n"
      "  velantroctl get     LINK ADDRESS       print the value at a parameter address\n"
      "  velantroctl set     LINK ADDRESS VALUE write one value and wait for the acknowledgement\n"
      "  velantroctl check   FILE               validate a preset file\n"
      "  velantroctl curve   FILE --page P [--png OUT.png] [--size WxH]\n"
      "                                         print (or draw) a page's total EQ response\n"
      "  LINK is --unit HOST[:PORT] or --serial DEVICE; ADDRESS is decimal or 0x-hex (0x0105)\n",
      stderr);
}

}  // namespace velantro::ctl

int main(int argc, char** argv) {
  using namespace velantro::ctl;
  using Command = int (*)(const std::vector<std::string>&);
  const std::map<std::string, Command> commands{
      {"check", RunCheck}, {"curve", RunCurve}, {"backup", RunBackup},
      {"restore", RunRestore}, {"get", RunGet},  {"set", RunSet},
  };
  if (argc < 2) {
    PrintUsage();
    return kExitUsage;
  }
  const auto it = commands.find(argv[1]);
  if (it == commands.end()) {
    PrintUsage();
    return kExitUsage;
  }
  return it->second(std::vector<std::string>(argv + 2, argv + argc));
}
