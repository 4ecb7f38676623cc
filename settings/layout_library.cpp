#include "settings/layout_library.h"

#include <algorithm>

namespace lumiquad {

namespace {

int SlotOf(const CBoardRegConfig& record, const std::string& name) {
  auto found = std::find(record.name.begin(), record.name.end(), name);
  return found == record.name.end() ? -1 : static_cast<int>(found - record.name.begin());
}

}  // namespace

SaveLayoutResult StoreLayout(CBoardRegConfig& record, const std::string& name,
                             const std::string& layout) {
  if (SlotOf(record, name) >= 0) return SaveLayoutResult::NotUnique;
  int slot = SlotOf(record, std::string());
  if (slot < 0) return SaveLayoutResult::Full;
  record.name[static_cast<std::size_t>(slot)] = name;
  record.boards[static_cast<std::size_t>(slot)] = layout;
  record.Save();
  return SaveLayoutResult::Saved;
}

const std::string* FindLayout(const CBoardRegConfig& record, const std::string& name) {
  int slot = SlotOf(record, name);
  return slot < 0 ? nullptr : &record.boards[static_cast<std::size_t>(slot)];
}

void RemoveLayout(CBoardRegConfig& record, const std::string& name) {
  int slot = name.empty() ? -1 : SlotOf(record, name);
  if (slot < 0) return;
  std::move(record.name.begin() + slot + 1, record.name.end(), record.name.begin() + slot);
  std::move(record.boards.begin() + slot + 1, record.boards.end(), record.boards.begin() + slot);
  record.name.back().clear();
  record.boards.back().clear();
  if (record.defaultboard == name) record.defaultboard.clear();
  record.Save();
}

}  // namespace lumiquad
