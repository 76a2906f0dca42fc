#pragma once

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks the page names for the translation
#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace velantro {
class ParamStore;
class PageBandModel;
}  // namespace velantro

namespace velantro::ctl {

// The pages curve --page takes, by number: what the console's section buttons call them.
inline constexpr std::array<const char*, 10> kCurvePageNames{
    QT_TRANSLATE_NOOP("velantro", "Music"),       QT_TRANSLATE_NOOP("velantro", "MIC A"),
    QT_TRANSLATE_NOOP("velantro", "DEQ"),         QT_TRANSLATE_NOOP("velantro", "MIC B"),
    QT_TRANSLATE_NOOP("velantro", "Echo"),        QT_TRANSLATE_NOOP("velantro", "Reverb"),
    QT_TRANSLATE_NOOP("velantro", "Main output"), QT_TRANSLATE_NOOP("velantro", "AUX1"),
    QT_TRANSLATE_NOOP("velantro", "AUX2"),        QT_TRANSLATE_NOOP("velantro", "Surround output"),
};
inline const char* CurvePageName(int page) {
  return page >= 0 && page < static_cast<int>(kCurvePageNames.size())
             ? kCurvePageNames[static_cast<size_t>(page)]
             : "";
}

// velantroctl curve FILE --page P [--png OUT.png] [--size WxH]
struct CurveRequest {
  std::string file;
  int page = -1;        // 0 music, 1 MIC A, 2 DEQ, 3 MIC B, 4 echo, 5 reverb, 6 main, 7 AUX1,
                        // 8 AUX2, 9 SUR
  std::string pngPath;  // empty: print the points
  int width = 0;        // from --size; 0 when not given
  int height = 0;
};

// Parses the words after "curve". Returns an empty text on success, else what was wrong.
std::string ParseCurveArgs(const std::vector<std::string>& args, CurveRequest& request);

// Sets the view selectors for the requested page, latches LayoutFlag from the music mode switch
// and rebuilds ViewValues, as a download does. Returns the page the graph draws.
int PrepareCurveStore(ParamStore& store, int page);

// Draws the page's graph into request.pngPath (ctl_curve_png.cpp). `store` is prepared and
// `model` loaded for the graph page. Returns the command's exit code.
int RenderCurvePng(const CurveRequest& request, const ParamStore& store,
                   const PageBandModel& model);

}  // namespace velantro::ctl
