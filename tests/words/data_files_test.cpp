#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>

#include "settings/program_paths.h"
#include "settings/reg_records.h"
#include "words/anagram_keys.h"
#include "words/language_filter.h"
#include "words/word_list.h"
#include "words/word_list_paths.h"

namespace lumiquad {
namespace {

// Counts the lines of a word list file, checking that each is one upper-case word that a move
// could form.
int CheckedWordCount(const std::string& path) {
  std::ifstream in(path);
  int count = 0;
  for (std::string line; std::getline(in, line); ++count) {
    bool word = line.size() >= 2 && line.size() <= kLongestWord;
    for (char c : line) word = word && c >= 'A' && c <= 'Z';
    EXPECT_TRUE(word) << path << ": " << line;
    if (!word) break;
  }
  return count;
}

TEST(DataFiles, TheWordListsAreGameDictionaries) {
  const std::string main = std::string(LUMIQUAD_SOURCE_DIR) + "/data/dictionary.txt";
  const std::string simple = std::string(LUMIQUAD_SOURCE_DIR) + "/data/simple.dat";
  int mainCount = CheckedWordCount(main);
  int simpleCount = CheckedWordCount(simple);
  EXPECT_GE(mainCount, 250'000);
  EXPECT_LE(mainCount, 300'000);
  EXPECT_GE(simpleCount, 30'000);
  EXPECT_LE(simpleCount, 50'000);

  WordList mainList = LoadWordList(main);
  std::ifstream in(simple);
  int missing = 0;
  for (std::string word; std::getline(in, word);) missing += mainList.ContainsWord(word) ? 0 : 1;
  EXPECT_EQ(missing, 0) << "every simple word is also in the main list";
  // The long words by their letters: every long word is found from its letters, and a set of
  // letters finds only words of exactly those letters.
  const AnagramKeys& anagrams = mainList.LongAnagrams();
  auto keyOf = [](std::string_view letters) {
    AnagramKeys::Key key = 0;
    for (char letter : letters) key += AnagramKeys::KeyOf(letter - 'A');
    return key;
  };
  auto sorted = [](std::string letters) {
    std::sort(letters.begin(), letters.end());
    return letters;
  };
  std::ifstream longWords(simple);
  int longMissing = 0;
  for (std::string word; std::getline(longWords, word);) {
    if (word.size() < 7) continue;
    bool found = false;
    anagrams.ForEachWord(keyOf(word), [&](std::string_view letters) {
      std::string spelt;
      for (char letter : letters) spelt += static_cast<char>('A' + letter);
      found = found || spelt == word;
      EXPECT_EQ(sorted(spelt), sorted(word));
    });
    if (!found) ++longMissing;
  }
  EXPECT_EQ(longMissing, 0);
  EXPECT_TRUE(anagrams.FormsWord(keyOf("AEINRST")));  // RETAINS, NASTIER, ...
  EXPECT_FALSE(anagrams.FormsWord(keyOf("AEINRSTX")));
  EXPECT_FALSE(anagrams.FormsWord(keyOf("EINRST")));  // too short to be kept
  // A word-game list: the short words players rely on, none of a spell-checker's
  // abbreviations and letter plurals.
  for (const char* word : {"CAT", "QUIZ", "COLOUR", "COLOR", "AA", "QI", "ZA", "XU", "JO", "KA"}) {
    EXPECT_TRUE(mainList.ContainsWord(word)) << word;
  }
  for (const char* word :
       {"BS", "CS", "DS", "FS", "GS", "HS", "JS", "KB", "KS", "LM", "LN", "LS",
        "LX", "MB", "MF", "MS", "NS", "PS", "RS", "TS", "WS", "XS", "YS", "ZS"}) {
    EXPECT_FALSE(mainList.ContainsWord(word)) << word;
  }
  // Everyday words, the coarse ones too (the filter keeps the computer from those): every word
  // the filter lists is in, but for the slurs left out and a few SCOWL's everyday sizes lack.
  const std::set<std::string> slurs = {"COON", "COONS", "NIGGER", "NIGGERS"};
  const std::set<std::string> rare = {"CUM",       "DICKHEAD", "DICKHEADS", "SHITHEAD",
                                      "SHITHEADS", "SHITTER",  "SHITTERS",  "WANK",
                                      "WANKER",    "WANKERS",  "WANKS"};
  for (std::string_view filtered : FilteredWords()) {
    std::string word(filtered);
    for (char& c : word) c = static_cast<char>(c - 'a' + 'A');
    if (!rare.contains(word)) {
      EXPECT_EQ(mainList.ContainsWord(word), !slurs.contains(word)) << word;
    }
  }
  for (const char* word : {"HELL", "DAMN", "TIMEZONE", "FACEPALM", "NIPPLE"}) {
    EXPECT_TRUE(mainList.ContainsWord(word)) << word;
  }
}

TEST(DataFiles, TheBuildPutsTheWordListsBesideThePrograms) {
  const std::string path = DataFilePath("dictionary.txt");
  EXPECT_EQ(path, ProgramDirectory() + "/dictionary.txt");
  EXPECT_TRUE(CanReadFile(path));
  EXPECT_TRUE(CanReadFile(DataFilePath("simple.dat")));
}

TEST(DataFiles, AStoredWordListIsUsedOnlyWhileItCanBeRead) {
  MemorySettingsStore store;
  CWinRegConfig settings(store);
  const std::string fallback = ProgramDirectory() + "/dictionary.txt";
  EXPECT_EQ(ChooseMainWordListPath(settings), fallback);  // nothing stored

  const std::string own = std::string(LUMIQUAD_SOURCE_DIR) + "/data/simple.dat";
  settings.dictionary = own;
  EXPECT_EQ(ChooseMainWordListPath(settings), own);

  settings.dictionary = "/no/such/folder/words.txt";
  const int writes = store.WriteCount();
  EXPECT_EQ(ChooseMainWordListPath(settings), fallback);
  EXPECT_EQ(settings.dictionary, fallback);
  EXPECT_GT(store.WriteCount(), writes);  // the fallback is stored at once
  EXPECT_EQ(SimpleWordListPath(), ProgramDirectory() + "/simple.dat");
}

}  // namespace
}  // namespace lumiquad
