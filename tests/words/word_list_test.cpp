#include "words/word_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "words/gaddag_file.h"

namespace lumiquad {
namespace {

namespace fs = std::filesystem;

class WordListFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = (fs::temp_directory_path() /
             ("lumiquad-words-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                .string();
  }
  void TearDown() override { fs::remove_all(path_); }

  WordList LoadText(const std::string& text) {
    std::ofstream(path_, std::ios::binary) << text;
    return LoadWordList(path_);
  }

  std::string path_;
};

TEST_F(WordListFile, ReadsWordsWhateverTheLineEnds) {
  WordList list = LoadText("CAT\r\nCATS\r\nDOG");
  EXPECT_TRUE(list.ContainsWord("CAT"));
  EXPECT_TRUE(list.ContainsWord("CATS"));
  EXPECT_TRUE(list.ContainsWord("DOG"));  // no line end after the last word
  EXPECT_FALSE(list.ContainsWord("CA"));
  const TrieNode* ca = list.FindPrefix("CA");
  ASSERT_NE(ca, nullptr);
  ASSERT_EQ(ca->ChildCount(), 1);
  EXPECT_EQ(ca->Child(0).Letter(), 'T');
  EXPECT_EQ(list.FindPrefix("CX"), nullptr);
}

TEST_F(WordListFile, EveryNonLetterByteSplitsWords) {
  WordList list = LoadText("DON'T\nWELL-MADE\tR2D\nCAF\xc3\xa9S ok");
  for (const char* word : {"DON", "T", "WELL", "MADE", "R", "D", "CAF", "S", "ok"}) {
    EXPECT_TRUE(list.ContainsWord(word)) << word;
  }
  EXPECT_FALSE(list.ContainsWord("DONT"));
  EXPECT_FALSE(list.ContainsWord("OK"));  // words keep their case
  EXPECT_FALSE(list.ContainsWord(""));
  EXPECT_EQ(list.FindPrefix(""), &list.Root());
}

TEST_F(WordListFile, RunsLongerThanTheBoardAreSkipped) {
  std::string text = "ABCDEFGHIJKLMNO\nABCDEFGHIJKLMNOP\n" + std::string(3'000'000, 'Q') + "\nZ";
  WordList list = LoadText(text);
  EXPECT_TRUE(list.ContainsWord("ABCDEFGHIJKLMNO"));
  EXPECT_FALSE(list.ContainsWord("ABCDEFGHIJKLMNOP"));
  EXPECT_EQ(list.FindPrefix("Q"), nullptr);
  EXPECT_TRUE(list.ContainsWord("Z"));
}

TEST_F(WordListFile, AFileThatCannotBeReadGivesAnEmptyListAndOneLine) {
  // Missing, a folder, a FIFO nobody writes into and an endless device: none is waited on.
  const std::string folder = path_ + ".folder";
  const std::string fifo = path_ + ".fifo";
  fs::create_directories(folder);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {path_, folder, fifo, std::string("/dev/zero")}) {
    ::testing::internal::CaptureStdout();
    WordList list = LoadWordList(path);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Error opening file: " + path + "\n");
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_FALSE(CanReadFile(path));
  }
  fs::remove(fifo);
  fs::remove(folder);
  WordList empty = LoadText("  123 \n\n");
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_TRUE(CanReadFile(path_));
}

TEST_F(WordListFile, AnyFileIsLaidOutAsAddingItsWordsOneByOneWould) {
  // Sorted files take a quicker way; the tree must not tell.
  for (const char* text :
       {"AA\nAB\nAB\nABA\nB\nBA\nBAD\nZZZ\nab\n", "CAT\nABCDEFGHIJKLMNOP\nCATS\nDOG\n",
        "DOG\nCAT\nCATS\nCA\n", "Zed\nZEBRA\nzoo\nA\n"}) {
    WordList added;
    std::string word;
    for (const char* c = text; *c != 0; ++c) {
      if (*c != '\n') {
        word += *c;
        continue;
      }
      if (word.size() <= kLongestWord) added.AddWord(word);
      word.clear();
    }
    added.Compact();
    EXPECT_TRUE(LoadText(text) == added) << text;
  }
}

TEST_F(WordListFile, TheGaddagIsCachedAndADamagedCacheIsMadeAgain) {
  std::ofstream(path_, std::ios::binary) << "AT\nCAT\nCATS\nTA\nTAT\n";
  const WordList list = LoadWordList(path_);
  const std::string folder = path_ + ".cache";
  const std::optional<Gaddag> built = Gaddag::Build(list);
  ASSERT_TRUE(built);
  auto cached = [&] {
    std::optional<Gaddag> gaddag = CachedGaddag(list, path_, folder);
    return gaddag && gaddag->Edges() == built->Edges() && gaddag->Root() == built->Root();
  };
  ASSERT_TRUE(cached());
  ASSERT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
  const fs::path file = fs::directory_iterator(folder)->path();
  const std::string good = [&] {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();
  EXPECT_TRUE(cached());  // read back
  // Damaged anywhere, cut short or grown, the cache is not trusted but made again.
  for (std::size_t at : {std::size_t{0}, std::size_t{9}, std::size_t{40}, good.size() - 2}) {
    std::string bad = good;
    bad[at] = static_cast<char>(bad[at] ^ 0x10);
    std::ofstream(file, std::ios::binary) << bad;
    EXPECT_TRUE(cached()) << "byte " << at;
  }
  for (const std::string& bad : {good.substr(0, good.size() - 4), good + "XXXX", std::string()}) {
    std::ofstream(file, std::ios::binary) << bad;
    EXPECT_TRUE(cached());
  }
  // A whole header that claims no edges at all (with the hash of nothing) is refused as well.
  std::string empty = good.substr(0, 64);
  const std::uint32_t none = 0;
  const std::uint64_t nothingHashed = 17861975320802989733ull;  // the cache's hash of no bytes
  std::memcpy(empty.data() + 12, &none, sizeof none);
  std::memcpy(empty.data() + 56, &nothingHashed, sizeof nothingHashed);
  std::ofstream(file, std::ios::binary) << empty;
  EXPECT_TRUE(cached());
  std::ifstream in(file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), good);
  // Writing one keeps only the three caches written last; other files are left alone.
  for (int i = 0; i < 4; ++i) {
    const fs::path old = fs::path(folder) / ("gaddag-" + std::to_string(i) + ".bin");
    std::ofstream(old) << "old";
    fs::last_write_time(old, fs::file_time_type::clock::now() - std::chrono::hours(10 - i));
  }
  std::ofstream(fs::path(folder) / "notes.txt") << "mine";
  std::ofstream(file, std::ios::binary) << "damaged";
  EXPECT_TRUE(cached());
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(folder)) left.push_back(entry.path().filename());
  std::vector<std::string> kept = {"gaddag-2.bin", "gaddag-3.bin", file.filename().string(),
                                   "notes.txt"};
  std::sort(left.begin(), left.end());
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(left, kept);
  // A structure made beside the list from its very bytes is taken as it is: no cache is made.
  fs::remove_all(folder);
  ASSERT_TRUE(WriteGaddagSidecar(*built, "AT\nCAT\nCATS\nTA\nTAT\n", GaddagSidecarPath(path_)).ok);
  EXPECT_TRUE(cached());
  EXPECT_FALSE(fs::exists(folder));
  // One made from other bytes is not; and a build can be stopped.
  ASSERT_TRUE(WriteGaddagSidecar(*built, "AT\nCAT\n", GaddagSidecarPath(path_)).ok);
  EXPECT_TRUE(cached());
  EXPECT_TRUE(fs::exists(folder));
  fs::remove(GaddagSidecarPath(path_));
  EXPECT_FALSE(Gaddag::Build(list, [](int percent) { return percent < 20; }));
  // Edges that lead outside the array or into the middle of a node are refused outright.
  std::vector<Gaddag::Edge> edges = built->Edges();
  edges.back() = (static_cast<Gaddag::Edge>(edges.size()) << 7) | (edges.back() & 0x7f);
  EXPECT_FALSE(Gaddag::FromEdges(edges, built->Root()));
  EXPECT_FALSE(Gaddag::FromEdges(built->Edges(), built->Root() + 1));
  fs::remove_all(folder);
}

TEST(WordList, ChildrenKeepTheOrderTheyWereFirstAdded) {
  WordList list;
  list.AddWord("CATS");
  list.AddWord("CAT");  // marks the existing node
  list.AddWord("COT");
  list.AddWord("CAB");
  list.AddWord("CAT");  // a duplicate changes nothing
  list.AddWord("");
  EXPECT_TRUE(list.ContainsWord("CAT"));
  EXPECT_TRUE(list.ContainsWord("CATS"));
  const TrieNode* c = list.FindPrefix("C");
  ASSERT_EQ(c->ChildCount(), 2);
  EXPECT_EQ(c->Child(0).Letter(), 'A');
  EXPECT_EQ(c->Child(1).Letter(), 'O');
  const TrieNode* ca = list.FindPrefix("CA");
  ASSERT_EQ(ca->ChildCount(), 2);
  EXPECT_EQ(ca->Child(0).Letter(), 'T');
  EXPECT_EQ(ca->Child(1).Letter(), 'B');
  EXPECT_EQ(ca->FindChild('B'), 1);
  EXPECT_EQ(ca->FindChild('Z'), -1);
  EXPECT_FALSE(list.Root().IsTerminal());
  EXPECT_EQ(list.Root().Letter(), 0);
}

TEST(WordList, AVeryDeepTreeIsFreedWithoutExhaustingTheStack) {
  {
    WordList list;
    list.AddWord(std::string(400'000, 'A'));
    EXPECT_TRUE(list.ContainsWord(std::string(400'000, 'A')));
  }
  WordList moved;
  moved.AddWord(std::string(400'000, 'B'));
  moved = WordList();  // assignment frees the old tree the same way
  EXPECT_TRUE(moved.IsEmpty());
}

}  // namespace
}  // namespace lumiquad
