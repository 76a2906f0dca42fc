#pragma once

#include <string>
#include <vector>

namespace velantro {
class ParamStore;
class PageBandModel;
}  // namespace velantro

namespace velantro::ctl {

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
