#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "CtlCommands.h"
#include "CtlLanguage.h"
#include "CurveCommand.h"
#include "eq/FilterResponse.h"
#include "eq/PageBandModel.h"
#include "model/Messages.h"
#include "model/ParamStore.h"
#include "presets/PresetFile.h"

namespace velantro::ctl {

namespace {

constexpr int kHighestCurvePage = 9;
const char* const kCurveUsage = QT_TRANSLATE_NOOP(
    "velantro", "usage: velantroctl curve FILE --page P [--png OUT.png] [--size WxH]");

bool ParseWhole(std::string_view text, int& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}

bool ParseSize(std::string_view text, int& width, int& height) {
  const size_t x = text.find('x');
  if (x == std::string_view::npos) return false;
  return ParseWhole(text.substr(0, x), width) && ParseWhole(text.substr(x + 1), height) &&
         width > 0 && height > 0;
}

void PrintTotal(const EqResponse& total) {
  for (int p = 0; p < kGridPoints; ++p) {
    double db = total[p];
    if (std::fabs(db) < 0.00005) db = 0.0;  // no "-0.0000"
    std::printf("%.4f,%.4f\n", FrequencyOfGridIndex(p), db);
  }
}

}  // namespace

std::string ParseCurveArgs(const std::vector<std::string>& args, CurveRequest& request) {
  bool pageGiven = false;
  bool sizeGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    const bool hasValue = i + 1 < args.size();
    if (word == "--page" || word == "--png" || word == "--size") {
      if (!hasValue) return SayWith(QT_TRANSLATE_NOOP("velantro", "%1 needs a value"), {word});
      const std::string& value = args[++i];
      if (word == "--page") {
        if (!ParseWhole(value, request.page) || request.page < 0 ||
            request.page > kHighestCurvePage) {
          return Say(QT_TRANSLATE_NOOP("velantro", "--page must be 0 to 9"));
        }
        pageGiven = true;
      } else if (word == "--png") {
        if (value.empty()) return Say(QT_TRANSLATE_NOOP("velantro", "--png needs a file name"));
        request.pngPath = value;
      } else {
        if (!ParseSize(value, request.width, request.height)) {
          return Say(QT_TRANSLATE_NOOP("velantro", "--size must be WxH"));
        }
        sizeGiven = true;
      }
    } else if (word.starts_with("--")) {
      return SayWith(QT_TRANSLATE_NOOP("velantro", "unknown option %1"), {word});
    } else if (request.file.empty()) {
      request.file = word;
    } else {
      return Say(QT_TRANSLATE_NOOP("velantro", "more than one file given"));
    }
  }
  if (request.file.empty()) return Say(QT_TRANSLATE_NOOP("velantro", "no preset file given"));
  if (!pageGiven) return Say(QT_TRANSLATE_NOOP("velantro", "--page is missing"));
  if (sizeGiven && request.pngPath.empty()) {
    return Say(QT_TRANSLATE_NOOP("velantro", "--size needs --png"));
  }
  return {};
}

int PrepareCurveStore(ParamStore& store, int page) {
  int graphPage = page;
  switch (page) {
    case 1:
    case 3:
      store.MicGroup = page == 3 ? 1 : 0;
      graphPage = 1;
      break;
    case 4:
    case 5:
      store.EffectEqPage = page;
      break;
    case 6:
    case 9:
      store.MainOutputPage = page;
      graphPage = 6;
      break;
    case 7:
    case 8:
      store.AuxOutputPage = page;
      graphPage = 7;
      break;
    default:
      break;
  }
  store.LayoutFlag = static_cast<uint8_t>(store.DeviceImage[0][1]);
  store.RebuildViewValues(store.LayoutFlag);
  return graphPage;
}

// velantroctl curve FILE --page P: the page's total EQ response, one "hz,db" line per grid point.
int RunCurve(const std::vector<std::string>& args) {
  CurveRequest request;
  const std::string problem = ParseCurveArgs(args, request);
  if (!problem.empty()) {
    Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "curve: %1"), {problem}));
    std::fprintf(stderr, "%s\n", Say(kCurveUsage).c_str());
    return kExitUsage;
  }
  auto store = std::make_unique<ParamStore>();
  std::string text;
  if (!LoadPreset(request.file, text, store->DeviceImage)) return kExitBadInput;

  const int graphPage = PrepareCurveStore(*store, request.page);
  auto model = std::make_unique<PageBandModel>();
  model->Load(*store, graphPage);
  if (!request.pngPath.empty()) return RenderCurvePng(request, *store, *model);
  PrintTotal(model->total());
  return std::fflush(stdout) == 0 ? kExitOk : kExitBadInput;
}

}  // namespace velantro::ctl
