#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/gcg.h"

namespace lumiquad {

// One event line of a GCG record, as written; nothing is checked against a board here.
struct GcgEvent {
  enum class Kind {
    Play,            // >NICK: RACK 8H WORD +18 18
    Exchange,        // >NICK: RACK -ABC +0 18 (or -3: a count of tiles)
    Pass,            // >NICK: RACK - +0 18
    Withdrawn,       // >NICK: RACK -- -18 0: the play before taken back
    ChallengeBonus,  // >NICK: RACK (challenge) +5 23
    EndPoints,       // >NICK: (RACK) +14 345: the tiles an opponent was left with
    RackPenalty,     // >NICK: RACK (RACK) -3 319: a rack left after scoreless turns
    TimePenalty,     // >NICK: RACK (time) -10 335
  };
  Kind kind = Kind::Play;
  int line = 0;
  int player = 0;        // 0 for #player1, 1 for #player2
  std::string rack;      // the rack before, empty when the line gives none
  GcgPosition position;  // a play's start and direction
  std::string word;      // a play's word: '.' or the letter for a tile on the board, lower case
                         // for a blank; an exchange's letters
  int score = 0;
  long long total = 0;
};

struct GcgRecord {
  std::string nick[2];
  std::string name[2];
  std::string lexicon;
  std::string description;
  std::vector<std::string> notes;
  std::vector<GcgEvent> events;
};

// Reads a GCG record: the pragmas #player1, #player2, #lexicon, #description and #note (others
// are passed over), and event lines with or without racks. Refuses, with "line N: reason", a
// line it cannot read, a nickname no #player line names, or a record with no players.
std::optional<GcgRecord> ParseGcg(std::string_view text, std::string* error = nullptr);

}  // namespace lumiquad
