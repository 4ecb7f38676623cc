#include "tools/cli/engine_mode.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <sstream>

#include "ai/champion.h"
#include "ai/move_chooser.h"
#include "ai/move_generator.h"
#include "game/cgp.h"
#include "game/champion_leaves.h"
#include "game/gcg.h"
#include "model/bag.h"
#include "model/board.h"
#include "model/player.h"
#include "model/presets.h"
#include "settings/reg_records.h"
#include "tools/cli/match.h"
#include "words/word_list.h"

namespace lumiquad {

namespace {

constexpr std::size_t kLongestLine = 64 * 1024;

// A line of at most kLongestLine characters; a longer one is read to its end and marked.
bool ReadLine(std::istream& in, std::string& line, bool& tooLong) {
  line.clear();
  tooLong = false;
  char c = 0;
  bool any = false;
  while (in.get(c)) {
    any = true;
    if (c == '\n') return true;
    if (line.size() < kLongestLine) {
      line += c;
    } else {
      tooLong = true;
    }
  }
  return any;
}

// Everything a search needs, set up once for the game type over settings of its own.
class EngineTable {
 public:
  explicit EngineTable(const EngineOptions& options)
      : words_(LoadMainWordList(options.dictionary)),
        simple_(LoadWordList(options.simpleWords)),
        moveConfig_(store_),
        board_(store_, &words_),
        bag_(store_, clock_),
        opponent_(store_, false, bag_),
        mover_(store_, true, bag_),
        type_(options.type),
        learnt_(ReadLearntLeaves(options.type)) {
    ApplyGameType(type_, board_, bag_, moveConfig_);
  }

  GameType Type() const { return type_; }

  // The move of a level in the position: "bestmove ..." as the protocol writes it.
  std::string Go(const CgpPosition& position, const std::string& unseen, int level,
                 int milliseconds) {
    board_.LayBuiltIn(type_);
    LayCgp(board_, position);
    // What the mover cannot see: the bag and the opponent's rack as one.
    bag_.SetContents(unseen + position.opponentRack);
    mover_.rack = position.rack;
    mover_.score = position.score;
    opponent_.score = position.opponentScore;
    board_.SetMover(1);
    MarkCentreAnchor(board_);
    if (level == kChampionLevel) return Champion(position, unseen, milliseconds);
    FindTopCandidates(board_, mover_.rack, moveConfig_.GetBonus(), kKeepCount + 1, candidates_);
    const MoveChooser chooser(candidates_, kKeepCount, board_, bag_, mover_, opponent_, &simple_,
                              false, moveConfig_.GetBonus());
    const Move move = chooser.ChooseMove(level);
    if (move.mainWord == kNoMoveWord || candidates_.Empty() || move.total <= 0) {
      return "bestmove -";
    }
    return "bestmove " + GcgPlay(move, board_.Squares());
  }

 private:
  // The champion knows the tiles it has not seen as one lot, and how many the opponent holds:
  // those given, or a full rack while the unseen tiles last.
  std::string Champion(const CgpPosition& position, const std::string& unseen, int milliseconds) {
    ChampionView view;
    view.board = &board_;
    view.rack = position.rack;
    view.unseen = unseen + position.opponentRack;
    const std::size_t opponentTiles = position.opponentRack.empty()
                                          ? std::min<std::size_t>(7, view.unseen.size())
                                          : position.opponentRack.size();
    view.bagSize = static_cast<int>(view.unseen.size() - opponentTiles);
    view.score = position.score;
    view.opponentScore = position.opponentScore;
    view.bonus = moveConfig_.GetBonus();
    ChampionOptions options;
    options.budget = std::chrono::milliseconds(milliseconds);
    options.leaves = learnt_ ? &*learnt_ : nullptr;
    const ChampionChoice choice = ChooseChampion(view, options);
    switch (choice.kind) {
      case ChampionChoice::Kind::Place:
        return "bestmove " + GcgPlay(choice.move, board_.Squares());
      case ChampionChoice::Kind::Exchange:
        return "bestmove -" + choice.exchange;
      case ChampionChoice::Kind::Pass:
        break;
    }
    return "bestmove -";
  }

  WordList words_;
  WordList simple_;
  MemorySettingsStore store_;
  FixedClock clock_{1'700'000'000};
  CMoveRegConfig moveConfig_;
  Board board_;
  Bag bag_;
  Player opponent_;
  Player mover_;
  Candidates candidates_;
  GameType type_;
  std::optional<LeaveTable> learnt_;
};

}  // namespace

void RunEngine(std::istream& in, std::ostream& out, const EngineOptions& options) {
  EngineTable table(options);
  std::optional<CgpPosition> position;
  std::string unseen;
  std::string line;
  bool tooLong = false;
  while (ReadLine(in, line, tooLong)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (tooLong) {
      out << "error the line is too long" << std::endl;
      continue;
    }
    std::istringstream words(line);
    std::string command;
    if (!(words >> command)) continue;
    if (command == "quit") return;
    if (command == "position") {
      std::string form;
      words >> form;
      if (form != "cgp") {
        out << "error only positions in cgp form are read" << std::endl;
        continue;
      }
      std::string rest;
      std::getline(words, rest);
      std::string why;
      std::optional<CgpPosition> read = ParseCgp(rest, &why);
      std::optional<std::string> tiles;
      if (read) tiles = UnseenTiles(table.Type(), *read, &why);
      if (!read || !tiles) {
        out << "error " << why << std::endl;
        continue;
      }
      position = std::move(read);
      unseen = std::move(*tiles);
    } else if (command == "go") {
      int level = kChampionLevel;  // the strongest level
      int milliseconds = 1000;
      bool understood = true;
      for (std::string word; understood && words >> word;) {
        std::string value;
        if (word == "level" && words >> value && ParseLevel(value)) {
          level = *ParseLevel(value);
        } else if (word == "time" && words >> value &&
                   value.find_first_not_of("0123456789") == std::string::npos &&
                   value.size() <= 9) {
          // The levels below the champion choose at once; it thinks a minute at most.
          milliseconds = std::min(std::stoi(value), 60'000);
        } else {
          understood = false;
        }
      }
      if (!understood) {
        out << "error go takes level NAME and time MS" << std::endl;
      } else if (!position) {
        out << "error no position yet" << std::endl;
      } else {
        out << table.Go(*position, unseen, level, milliseconds) << std::endl;
      }
    } else {
      out << "error unknown command " << command.substr(0, 40) << std::endl;
    }
  }
}

}  // namespace lumiquad
