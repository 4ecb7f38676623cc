#include "words/word_list_paths.h"

#include "settings/program_paths.h"
#include "settings/reg_records.h"
#include "words/word_list.h"

namespace lumiquad {

std::string ChooseMainWordListPath(CWinRegConfig& settings) {
  if (!settings.dictionary.empty() && CanReadFile(settings.dictionary)) return settings.dictionary;
  settings.dictionary = DataFilePath("dictionary.txt");
  settings.Save();
  return settings.dictionary;
}

std::string SimpleWordListPath() { return DataFilePath("simple.dat"); }

}  // namespace lumiquad
