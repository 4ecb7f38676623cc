#include "model/bag.h"

#include <algorithm>

#include "model/presets.h"

namespace lumiquad {

Bag::Bag(SettingsStore& store, const Clock& clock) : config_(store), clock_(clock) { FillBag(); }

void Bag::ShuffleBag() {
  const int n = Size();
  if (n <= 2) return;
  std::vector<int> v = RandomInts(n, 3 * n, clock_);
  for (int i = 0; i < 3 * n - 2; i += 2) {
    int a = v[static_cast<std::size_t>(i)];
    int b = v[static_cast<std::size_t>(i) + 1];
    if (a < n && b < n) {
      std::swap(contents_[static_cast<std::size_t>(a)], contents_[static_cast<std::size_t>(b)]);
    }
  }
}

std::string Bag::DrawTiles(int k) {
  ShuffleBag();
  std::string drawn;
  if (k > 0 && k < Size()) {
    drawn = contents_.substr(0, static_cast<std::size_t>(k));
    contents_.erase(0, static_cast<std::size_t>(k));
  } else if (k >= Size()) {
    drawn.swap(contents_);
  }
  if (!drawn.empty()) lastDrawn_ = drawn;
  return drawn;
}

void Bag::ReturnTiles(const std::string& letters) {
  contents_ += letters;
  ShuffleBag();
}

std::string Bag::Exchange(std::string letters) {
  const int k = static_cast<int>(letters.size());
  if (k <= 0 || k > Size()) return {};
  std::string drawn = DrawTiles(k);
  ReturnTiles(letters);
  return drawn;
}

void Bag::SetBagLetters(std::string letters, bool addBlanks) {
  if (addBlanks && letters.find('?') == std::string::npos) letters += "??";
  contents_ = std::move(letters);
  ShuffleBag();
}

void Bag::SetFullSet(std::string letters) {
  SetBagLetters(std::move(letters));
  RecountFrequencies();
  config_.Save();
}

void Bag::FillBag() {
  contents_.clear();
  SetBagLetters(LetterString(config_.freq));
  if (Size() < kMinimumFullBag) {
    SetFullSet(LetterString(FrequencyPresets()[kScrabbleFrequencies].counts));
  }
  RecountFrequencies();
}

std::string Bag::GetContents(bool sorted) const {
  std::string copy = contents_;
  if (sorted) std::sort(copy.begin(), copy.end());
  return copy;
}

void Bag::RecountFrequencies() {
  config_.freq.fill(0);
  for (char tile : contents_) {
    if (tile >= 'A' && tile <= 'Z') ++config_.freq[static_cast<std::size_t>(tile - 'A')];
  }
}

}  // namespace lumiquad
