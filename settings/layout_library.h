#pragma once

#include <string>

#include "settings/reg_records.h"

namespace lumiquad {

// The library of named board layouts kept in the board record: twenty slots, each a name and
// its layout text, an empty name marking a free slot. Names compare byte for byte.

enum class SaveLayoutResult { NotUnique = 0, Full = 1, Saved = 2 };

// Stores `layout` under `name` in the first free slot and saves the record. NotUnique when a
// slot already has the name (an empty name always finds a free slot, so it is never stored),
// Full when all twenty slots are taken.
SaveLayoutResult StoreLayout(CBoardRegConfig& record, const std::string& name,
                             const std::string& layout);

// The layout stored under `name`, or null.
const std::string* FindLayout(const CBoardRegConfig& record, const std::string& name);

// Removes the layout of `name`; the slots behind it move up and a free slot is added at the
// end. A default layout of that name is forgotten. Saves the record; no effect when absent.
void RemoveLayout(CBoardRegConfig& record, const std::string& name);

}  // namespace lumiquad
