#include "settings/file_settings_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/file_io.h"
#include "support/file_size_limit.h"

namespace lumiquad {
namespace {

namespace fs = std::filesystem;

constexpr const char* kWin = "Software\\Lumiquad\\Win";

class FileSettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("lumiquad-store-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "Lumiquad");
    path_ = (folder_ / "Lumiquad" / "settings.conf").string();
  }
  void TearDown() override { fs::remove_all(folder_); }

  static std::string Text(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  std::optional<SettingsValue> Stored(const char* key, const char* name) {
    std::optional<SettingsValues> values = FileSettingsStore(path_).OpenKey(key);
    if (!values) return std::nullopt;
    const SettingsValue* value = FindSettingsValue(*values, name);
    return value == nullptr ? std::nullopt : std::optional<SettingsValue>(*value);
  }

  fs::path folder_;
  std::string path_;
};

TEST_F(FileSettingsStoreTest, OpeningAMissingKeyCreatesTheFolderFileAndKey) {
  fs::remove_all(folder_);
  FileSettingsStore store(path_);
  std::optional<SettingsValues> values = store.OpenKey(kWin);
  ASSERT_TRUE(values.has_value());
  EXPECT_TRUE(values->empty());
  EXPECT_NE(Text(path_).find("[Software\\Lumiquad\\Win]"), std::string::npos);
  EXPECT_EQ(fs::status(path_).permissions() & fs::perms::others_read, fs::perms::none);
}

TEST_F(FileSettingsStoreTest, TwoRunningCopiesNeverLoseEachOthersValues) {
  // Two processes write into one key at the same time, each value under a name of its own;
  // every value must be in the file.
  constexpr int kWrites = 100;
  int start[2];
  ASSERT_EQ(::pipe(start), 0);
  pid_t children[2];
  for (int child = 0; child < 2; ++child) {
    children[child] = ::fork();
    ASSERT_GE(children[child], 0);
    if (children[child] == 0) {
      char go;
      ::close(start[1]);
      if (::read(start[0], &go, 1) != 0) ::_exit(2);
      FileSettingsStore store(path_);
      for (int i = 0; i < kWrites; ++i) {
        const std::string name = (child == 0 ? "first" : "second") + std::to_string(i);
        if (!store.WriteValues(kWin, {{name, std::int32_t{i}}})) {
          ::_exit(1);
        }
      }
      ::_exit(0);
    }
  }
  ::close(start[0]);
  ::close(start[1]);  // both children start at once
  for (pid_t child : children) {
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const std::optional<SettingsValues> win = FileSettingsStore(path_).OpenKey(kWin);
  ASSERT_TRUE(win.has_value());
  EXPECT_EQ(win->size(), std::size_t{2 * kWrites});
}

TEST_F(FileSettingsStoreTest, AFullDiskLeavesTheOldFileIntact) {
  FileSettingsStore store(path_);
  ASSERT_TRUE(store.WriteValues(kWin, {{"Color", std::int32_t{5}}}));
  const std::string before = Text(path_);
  {
    test::FileSizeLimit full(16);
    EXPECT_FALSE(store.WriteValues(kWin, {{"Color", std::int32_t{6}}}));
    const FileWriteResult result = WriteFileAtomically(path_, before + "more");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "File too large");
  }
  EXPECT_EQ(Text(path_), before);
  // No temporary file is left behind.
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_ / "Lumiquad")) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "settings.conf" || name == "settings.conf.lock") << name;
  }
}

TEST_F(FileSettingsStoreTest, LinksAreFollowedOnlyWhereTheUserMadeThem) {
  // A link planted where a predictable temporary file would be must not be written through.
  const std::string victim = (folder_ / "victim").string();
  Write(victim, "not yours\n");
  fs::create_symlink(victim, path_ + ".tmp-" + std::to_string(::getpid()));
  FileSettingsStore store(path_);
  ASSERT_TRUE(store.WriteValues(kWin, {{"Color", std::int32_t{2}}}));
  EXPECT_EQ(Text(victim), "not yours\n");

  // A settings file kept elsewhere behind a link stays a link; the file it names is rewritten.
  const std::string dotfiles = (folder_ / "dotfiles" / "lumiquad.conf").string();
  fs::create_directories(folder_ / "dotfiles");
  fs::rename(path_, dotfiles);
  fs::create_symlink("../dotfiles/lumiquad.conf", path_);
  ASSERT_TRUE(store.WriteValues(kWin, {{"Color", std::int32_t{3}}}));
  EXPECT_TRUE(fs::is_symlink(path_));
  EXPECT_EQ(Stored(kWin, "Color"), SettingsValue(std::int32_t{3}));
  EXPECT_EQ(fs::status(dotfiles).permissions() & fs::perms::group_read, fs::perms::none);

  // The program's own files never follow a link, not even one that leads nowhere yet.
  const std::string own = (folder_ / "cache.bin").string();
  fs::create_symlink(victim, own);
  EXPECT_FALSE(WriteFileAtomically(own, "cache", 0644, PathOwner::Program).ok);
  EXPECT_EQ(ReadFileLimited(own, 100, PathOwner::Program).status, FileReadStatus::Unreadable);
  const std::string dangling = (folder_ / "last.lqg").string();
  fs::create_symlink(folder_ / "elsewhere", dangling);
  EXPECT_FALSE(WriteFileAtomically(dangling, "game", 0600, PathOwner::Program).ok);
  EXPECT_FALSE(fs::exists(folder_ / "elsewhere"));
  EXPECT_EQ(Text(victim), "not yours\n");

  // Wherever a link leads, only a regular file is ever replaced.
  const std::string fifo = (folder_ / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink(fifo, folder_ / "to-fifo");
  for (const fs::path& special : {fs::path(fifo), folder_ / "to-fifo", folder_ / "dotfiles"}) {
    const FileWriteResult result = WriteFileAtomically(special.string(), "export");
    EXPECT_FALSE(result.ok) << special;
    EXPECT_NE(result.error.find("not"), std::string::npos) << result.error;
  }
  EXPECT_EQ(fs::symlink_status(fifo).type(), fs::file_type::fifo);
  EXPECT_TRUE(fs::is_directory(folder_ / "dotfiles"));

  // A lock file that is no regular file is left alone; the store works on unlocked.
  fs::remove(path_ + ".lock");
  ASSERT_EQ(::mkfifo((path_ + ".lock").c_str(), 0600), 0);
  ASSERT_TRUE(store.WriteValues(kWin, {{"Color", std::int32_t{4}}}));
  EXPECT_EQ(fs::symlink_status(path_ + ".lock").type(), fs::file_type::fifo);
}

TEST_F(FileSettingsStoreTest, WhatCannotBeReadIsNeitherWaitedOnNorOverwritten) {
  fs::create_directories(path_);  // a folder where the file should be
  FileSettingsStore store(path_);
  EXPECT_FALSE(store.OpenKey(kWin).has_value());
  EXPECT_FALSE(store.WriteValues(kWin, {{"Color", std::int32_t{2}}}));
  EXPECT_TRUE(fs::is_directory(path_));
  fs::remove(path_);
  ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);  // nobody writes into it: reading would block
  EXPECT_FALSE(store.OpenKey(kWin).has_value());
  EXPECT_EQ(fs::status(path_).type(), fs::file_type::fifo);
}

TEST_F(FileSettingsStoreTest, AFileThatIsNoSettingsFileIsSetAsideNotDestroyed) {
  for (const std::string& damaged :
       {"[Software\\Lumiquad\\Win]\nColor = 3\n" + std::string(2 << 20, '#'),
        std::string("[Software\\Lumiquad\\Win]\nColor = 3\n\0\x01", 36)}) {
    fs::remove(path_ + ".bad");
    Write(path_, damaged);
    std::optional<SettingsValues> win = FileSettingsStore(path_).OpenKey(kWin);
    ASSERT_TRUE(win.has_value());
    EXPECT_EQ(FindSettingsValue(*win, "Color"), nullptr);
    EXPECT_EQ(Text(path_ + ".bad"), damaged);
    EXPECT_LT(fs::file_size(path_), 4096u);
  }
}

TEST(DefaultSettingsPath, FollowsXdgConfigHomeElseHome) {
  const std::string savedXdg = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
  const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";

  ::setenv("XDG_CONFIG_HOME", "/tmp/xdg-here", 1);
  EXPECT_EQ(DefaultSettingsPath(), "/tmp/xdg-here/Lumiquad/settings.conf");
  ::setenv("HOME", "/home/ann", 1);
  ::setenv("XDG_CONFIG_HOME", "relative/path", 1);  // not absolute: ignored
  EXPECT_EQ(DefaultSettingsPath(), "/home/ann/.config/Lumiquad/settings.conf");
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(DefaultSettingsPath(), "/home/ann/.config/Lumiquad/settings.conf");

  ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
  ::setenv("HOME", savedHome.c_str(), 1);
}

}  // namespace
}  // namespace lumiquad
