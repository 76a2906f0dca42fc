// velantroctl curve --png draws the page's graph panel without a display.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/ShellCommand.h"

namespace velantro::test {
namespace {

namespace fs = std::filesystem;

// Runs velantroctl with no display and no platform chosen: the command must pick offscreen.
int RunCtl(const std::string& args) {
  return RunShell("env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY " +
                  ShellQuoted(VELANTRO_CTL) + " " + args + " >/dev/null 2>&1")
      .exitCode;
}

struct PngSize {
  uint32_t width = 0;
  uint32_t height = 0;
};

// Width and height from the PNG's IHDR chunk; zero when the file is not a PNG.
PngSize ReadPngSize(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char head[24] = {};
  if (!in.read(reinterpret_cast<char*>(head), sizeof head)) return {};
  const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (!std::equal(signature, signature + 8, head) || std::string(head + 12, head + 16) != "IHDR") {
    return {};
  }
  const auto be = [&](int at) {
    return uint32_t{head[at]} << 24 | uint32_t{head[at + 1]} << 16 | uint32_t{head[at + 2]} << 8 |
           uint32_t{head[at + 3]};
  };
  return {be(16), be(20)};
}

class CtlCurvePng : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("velantro-curve-png-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string Preset() const {
    return ShellQuoted((fs::path(VELANTRO_EXAMPLES) / "Demo.Nddt").string());
  }
  fs::path dir;
};

// The picture is the size asked for, a title line and the panel in it.
TEST_F(CtlCurvePng, HasExactlyTheSizeAsked) {
  struct Case {
    std::string page;
    std::string size;  // empty: the design size
    uint32_t width, height;
  };
  for (const Case& c : {Case{"0", "", 1135, 366}, Case{"6", "1200x600", 1200, 600},
                        Case{"3", "", 1135, 366}, Case{"5", "1600x500", 1600, 500}}) {
    const fs::path out = dir / ("page" + c.page + ".png");
    const std::string size = c.size.empty() ? "" : " --size " + c.size;
    ASSERT_EQ(RunCtl("curve " + Preset() + " --page " + c.page + " --png " +
                     ShellQuoted(out.string()) + size),
              0)
        << c.page;
    const PngSize png = ReadPngSize(out);
    EXPECT_EQ(png.width, c.width) << c.page;
    EXPECT_EQ(png.height, c.height) << c.page;
  }
}

TEST_F(CtlCurvePng, RefusesBadSizesAndUnwritableFiles) {
  const std::string out = ShellQuoted((dir / "x.png").string());
  EXPECT_EQ(RunCtl("curve " + Preset() + " --page 0 --png " + out + " --size 5x5"), 2);
  EXPECT_EQ(RunCtl("curve " + Preset() + " --page 0 --png " + out + " --size 100"), 2);
  EXPECT_FALSE(fs::exists(dir / "x.png"));
  EXPECT_EQ(RunCtl("curve " + Preset() + " --page 0 --png " +
                   ShellQuoted((dir / "missing" / "x.png").string())),
            1);
}

}  // namespace
}  // namespace velantro::test
