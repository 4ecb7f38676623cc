#include "settings/file_settings_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/file_io.h"

namespace lumiquad {
namespace {

namespace fs = std::filesystem;

class FileSettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("lumiquad-store-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    path_ = (folder_ / "Lumiquad" / "settings.conf").string();
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string FileText() const {
    std::ifstream in(path_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path folder_;
  std::string path_;
};

TEST_F(FileSettingsStoreTest, OpeningAMissingKeyCreatesTheFolderFileAndKey) {
  FileSettingsStore store(path_);
  std::optional<SettingsValues> values = store.OpenKey("Software\\Lumiquad\\Win");
  ASSERT_TRUE(values.has_value());
  EXPECT_TRUE(values->empty());
  EXPECT_NE(FileText().find("[Software\\Lumiquad\\Win]"), std::string::npos);
  EXPECT_EQ(fs::status(path_).permissions() & fs::perms::others_read, fs::perms::none);
}

TEST_F(FileSettingsStoreTest, WritesChangeOnlyTheirOwnValues) {
  // Two stores on one file stand for two running copies of the program.
  FileSettingsStore first(path_);
  FileSettingsStore second(path_);
  ASSERT_TRUE(first.WriteValues("Software\\Lumiquad\\Win",
                                {{"Color", std::int32_t{2}}, {"level", std::int32_t{3}}}));
  ASSERT_TRUE(second.WriteValues("Software\\Lumiquad\\Win", {{"level", std::int32_t{9}}}));
  ASSERT_TRUE(second.WriteValues("Software\\Lumiquad\\Move", {{"Bonus", std::int32_t{35}}}));

  std::optional<SettingsValues> win = FileSettingsStore(path_).OpenKey("Software\\Lumiquad\\Win");
  ASSERT_TRUE(win.has_value());
  EXPECT_EQ(*FindSettingsValue(*win, "Color"), SettingsValue(std::int32_t{2}));
  EXPECT_EQ(*FindSettingsValue(*win, "level"), SettingsValue(std::int32_t{9}));
  std::optional<SettingsValues> move = first.OpenKey("Software\\Lumiquad\\Move");
  EXPECT_EQ(*FindSettingsValue(*move, "Bonus"), SettingsValue(std::int32_t{35}));
}

TEST_F(FileSettingsStoreTest, AFailedSaveLeavesTheOldFileIntact) {
  FileSettingsStore store(path_);
  ASSERT_TRUE(store.WriteValues("Software\\Lumiquad\\Win", {{"Color", std::int32_t{5}}}));
  const std::string before = FileText();
  // A folder in the way of the temporary file makes the write fail, even for root.
  fs::create_directories(path_ + ".tmp-" + std::to_string(::getpid()));

  EXPECT_FALSE(store.WriteValues("Software\\Lumiquad\\Win", {{"Color", std::int32_t{6}}}));
  EXPECT_EQ(FileText(), before);
  EXPECT_FALSE(WriteFileAtomically(path_, "new text").ok);
  EXPECT_EQ(FileText(), before);
}

TEST_F(FileSettingsStoreTest, AnUnreadableFileIsNeitherReadNorOverwritten) {
  fs::create_directories(path_);  // a folder where the file should be
  FileSettingsStore store(path_);
  EXPECT_FALSE(store.OpenKey("Software\\Lumiquad\\Win").has_value());
  EXPECT_FALSE(store.WriteValues("Software\\Lumiquad\\Win", {{"Color", std::int32_t{2}}}));
  EXPECT_TRUE(fs::is_directory(path_));
}

TEST_F(FileSettingsStoreTest, AnOversizedFileIsTreatedAsDamagedAndReplaced) {
  fs::create_directories(fs::path(path_).parent_path());
  {
    std::ofstream out(path_);
    out << "[Software\\Lumiquad\\Win]\nColor = 3\n" << std::string(2 << 20, '#');
  }
  FileSettingsStore store(path_);
  std::optional<SettingsValues> win = store.OpenKey("Software\\Lumiquad\\Win");
  ASSERT_TRUE(win.has_value());
  EXPECT_EQ(FindSettingsValue(*win, "Color"), nullptr);
  EXPECT_LT(fs::file_size(path_), 4096u);
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
