// What saving a preset does to whatever sits at the name it is given, and to everything around
// it: the writer that the window's preset save and velantroctl backup share.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>

#include "presets/PresetFile.h"
#include "support/Recorders.h"

namespace velantro::test {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kOtherUser = 65534;  // nobody
constexpr gid_t kOtherGroup = 65534;
constexpr rlim_t kFileSizeLimit = 1000;  // far below a preset's 20 KB

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Every name in the folder and its subfolders, relative to it.
std::set<std::string> Entries(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    names.insert(entry.path().lexically_relative(dir).string());
  }
  return names;
}

// Where a symlink points; empty when path is no symlink.
fs::path LinkTarget(const fs::path& path) {
  std::error_code error;
  return fs::read_symlink(path, error);
}

struct stat Stat(const fs::path& path) {
  struct stat info {};
  ::lstat(path.c_str(), &info);
  return info;
}

// How the write runs: in this process, or in a child that is not root (a read-only folder stops
// only such a user) or that may not make a file larger than kFileSizeLimit (as a full disk does).
enum class As { Caller, OtherUser, SmallDisk };

struct Outcome {
  bool written = false;
  std::string message;
};

Outcome WriteIn(As as, const fs::path& path, const ParamStore& store) {
  if (as == As::Caller) {
    RecordingMessages messages;
    const bool written = WritePresetFile(path, store, messages);
    return {written, messages.Texts().empty() ? "" : messages.Texts().front()};
  }
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return {false, "no pipe"};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(pipeFds[0]);
    if (as == As::OtherUser && ::geteuid() == 0 &&
        (::setgid(kOtherGroup) != 0 || ::setuid(kOtherUser) != 0)) {
      ::_exit(3);
    }
    if (as == As::SmallDisk) {
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{kFileSizeLimit, kFileSizeLimit};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    RecordingMessages messages;
    const bool written = WritePresetFile(path, store, messages);
    for (const std::string& text : messages.Texts()) {
      [[maybe_unused]] const ssize_t n = ::write(pipeFds[1], text.data(), text.size());
    }
    ::_exit(written ? 0 : 1);
  }
  ::close(pipeFds[1]);
  std::string message;
  char chunk[512];
  for (ssize_t got; (got = ::read(pipeFds[0], chunk, sizeof chunk)) > 0;)
    message.append(chunk, got);
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return {WIFEXITED(status) && WEXITSTATUS(status) == 0, message};
}

struct WriterCase {
  std::string name;
  As as;
  // Makes the folder's contents and returns the name the preset is saved under.
  std::function<fs::path(const fs::path& dir)> setup;
  bool written;
  std::string says;  // in the message of a refused write
  // What the folder holds afterwards.
  std::function<void(const fs::path& dir, const std::string& preset)> check;
};

TEST(PresetWriter, TouchesOnlyTheFileItIsGivenAndKeepsItsModeAndOwner) {
  const std::string old = "the old preset";
  const std::string longName = std::string(250, 'n') + ".Nddt";  // 255 bytes, the most allowed
  const std::vector<WriterCase> cases{
      {"a regular file keeps its mode", As::Caller,
       [&](const fs::path& dir) {
         WriteText(dir / "Live.Nddt", old);
         ::chmod((dir / "Live.Nddt").c_str(), 0640);
         return dir / "Live.Nddt";
       },
       true, "",
       [](const fs::path& dir, const std::string& preset) {
         EXPECT_EQ(ReadFile(dir / "Live.Nddt"), preset);
         EXPECT_EQ(Stat(dir / "Live.Nddt").st_mode & 07777, 0640u);
         EXPECT_EQ(Entries(dir), std::set<std::string>{"Live.Nddt"});
       }},
      {"a symlink updates the file it names", As::Caller,
       [&](const fs::path& dir) {
         fs::create_directory(dir / "archive");
         WriteText(dir / "archive" / "x.Nddt", old);
         fs::create_symlink("archive/x.Nddt", dir / "latest.Nddt");
         fs::create_symlink("archive/new.Nddt", dir / "next.Nddt");
         return dir / "latest.Nddt";
       },
       true, "",
       [](const fs::path& dir, const std::string& preset) {
         EXPECT_EQ(ReadFile(dir / "archive" / "x.Nddt"), preset);
         EXPECT_EQ(LinkTarget(dir / "latest.Nddt"), "archive/x.Nddt");
         EXPECT_EQ(Entries(dir), (std::set<std::string>{"archive", "archive/x.Nddt", "latest.Nddt",
                                                        "next.Nddt"}));
       }},
      {"a symlink to a file not made yet makes it", As::Caller,
       [&](const fs::path& dir) {
         fs::create_directory(dir / "archive");
         fs::create_symlink("archive/new.Nddt", dir / "next.Nddt");
         return dir / "next.Nddt";
       },
       true, "",
       [](const fs::path& dir, const std::string& preset) {
         EXPECT_EQ(ReadFile(dir / "archive" / "new.Nddt"), preset);
         EXPECT_TRUE(fs::is_symlink(dir / "next.Nddt"));
         EXPECT_EQ(Entries(dir),
                   (std::set<std::string>{"archive", "archive/new.Nddt", "next.Nddt"}));
       }},
      {"a device behind a symlink is refused", As::Caller,
       [](const fs::path& dir) {
         fs::create_symlink("/dev/null", dir / "out.Nddt");
         return dir / "out.Nddt";
       },
       false, "it is a device, not a file",
       [](const fs::path& dir, const std::string&) {
         EXPECT_EQ(LinkTarget(dir / "out.Nddt"), "/dev/null");
         EXPECT_TRUE(fs::is_character_file("/dev/null"));
         EXPECT_EQ(Entries(dir), std::set<std::string>{"out.Nddt"});
       }},
      {"a FIFO is refused", As::Caller,
       [](const fs::path& dir) {
         ::mkfifo((dir / "pipe.Nddt").c_str(), 0644);
         return dir / "pipe.Nddt";
       },
       false, "it is a FIFO, not a file",
       [](const fs::path& dir, const std::string&) {
         EXPECT_TRUE(fs::is_fifo(dir / "pipe.Nddt"));
         EXPECT_EQ(Entries(dir), std::set<std::string>{"pipe.Nddt"});
       }},
      {"a folder is refused", As::Caller,
       [](const fs::path& dir) {
         fs::create_directory(dir / "Taken.Nddt");
         return dir / "Taken.Nddt";
       },
       false, "it is a folder, not a file",
       [](const fs::path& dir, const std::string&) {
         EXPECT_EQ(Entries(dir), std::set<std::string>{"Taken.Nddt"});
       }},
      {"a read-only folder is refused", As::OtherUser,
       [&](const fs::path& dir) {
         fs::create_directory(dir / "ro");
         WriteText(dir / "ro" / "A.Nddt", old);
         ::chmod((dir / "ro").c_str(), 0555);
         ::chmod(dir.c_str(), 0755);
         return dir / "ro" / "A.Nddt";
       },
       false, "Permission denied",
       [&](const fs::path& dir, const std::string&) {
         EXPECT_EQ(ReadFile(dir / "ro" / "A.Nddt"), old);
         EXPECT_EQ(Entries(dir), (std::set<std::string>{"ro", "ro/A.Nddt"}));
       }},
      {"earlier temporary names that are symlinks are never written through", As::Caller,
       [&](const fs::path& dir) {
         WriteText(dir / "victim.Nddt", old);
         WriteText(dir / "other.txt", "precious");
         fs::create_symlink("other.txt", dir / ".~victim.tmp");
         fs::create_symlink("other.txt", dir / ".~victim.0.tmp");
         return dir / "victim.Nddt";
       },
       true, "",
       [](const fs::path& dir, const std::string& preset) {
         EXPECT_EQ(ReadFile(dir / "victim.Nddt"), preset);
         EXPECT_EQ(ReadFile(dir / "other.txt"), "precious");
         EXPECT_EQ(Entries(dir), (std::set<std::string>{".~victim.0.tmp", ".~victim.tmp",
                                                        "other.txt", "victim.Nddt"}));
       }},
      {"a name of 255 bytes", As::Caller, [&](const fs::path& dir) { return dir / longName; }, true,
       "",
       [&](const fs::path& dir, const std::string& preset) {
         EXPECT_EQ(ReadFile(dir / longName), preset);
         EXPECT_EQ(Entries(dir), std::set<std::string>{longName});
       }},
      {"a full disk leaves the old file", As::SmallDisk,
       [&](const fs::path& dir) {
         WriteText(dir / "Full.Nddt", old);
         return dir / "Full.Nddt";
       },
       false, "File too large",
       [&](const fs::path& dir, const std::string&) {
         EXPECT_EQ(ReadFile(dir / "Full.Nddt"), old);
         EXPECT_EQ(Entries(dir), std::set<std::string>{"Full.Nddt"});
       }},
  };
  ParamStore store;
  store.DeviceImage[4][4] = 9;
  const std::string preset = FormatPresetFile(store);
  for (const WriterCase& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path dir =
        fs::temp_directory_path() /
        ("velantro-writer-" + std::to_string(::getpid()) + "-" + std::to_string(&c - cases.data()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path path = c.setup(dir);
    const Outcome outcome = WriteIn(c.as, path, store);
    EXPECT_EQ(outcome.written, c.written) << outcome.message;
    if (!c.written) {
      EXPECT_NE(outcome.message.find(c.says), std::string::npos) << outcome.message;
      EXPECT_NE(outcome.message.find(path.string()), std::string::npos) << outcome.message;
    }
    c.check(dir, preset);
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
    if (fs::exists(dir / "ro")) fs::permissions(dir / "ro", fs::perms::owner_all);
    fs::remove_all(dir);
  }
}

// Root may keep a file's owner: a preset kept 0600 by another account stays that account's.
TEST(PresetWriter, AnotherUsersFileStaysTheirs) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
  const fs::path dir =
      fs::temp_directory_path() / ("velantro-writer-owner-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path file = dir / "Theirs.Nddt";
  WriteText(file, "theirs");
  ASSERT_EQ(::chown(file.c_str(), kOtherUser, kOtherGroup), 0);
  ::chmod(file.c_str(), 0600);
  ParamStore store;
  RecordingMessages messages;
  ASSERT_TRUE(WritePresetFile(file, store, messages));
  const struct stat info = Stat(file);
  EXPECT_EQ(info.st_uid, kOtherUser);
  EXPECT_EQ(info.st_gid, kOtherGroup);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_EQ(ReadFile(file), FormatPresetFile(store));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace velantro::test
