#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "ai/candidates.h"
#include "ai/rack_leaves.h"
#include "ai/scratch_board.h"

namespace lumiquad {

class Board;

// One choice of the player to move, and what playing it out found.
struct PlayedOutChoice {
  bool exchange = false;  // tiles changed: the board stays as it is
  Candidate candidate;    // otherwise the placement
  double equity = 0;      // its score and the worth of its leave

  double mean = 0;       // the equity less the opponent's best reply, on average over the racks
  int runs = 0;          // racks it was played out against
  bool givenUp = false;  // it did clearly worse than another on the same racks

  double sum = 0;  // of the outcomes, each by the weight of its rack
  double weight = 0;
  std::vector<double> outcomes;  // over racks drawn at random, in order
};

// The opponent's best reply, by score and leave, to each of the choices. One search of the
// position as it stands finds the replies that no choice changes; after a placement only the lines
// where its tiles may change a word are searched again: its own line, the lines along its word
// and, across it, the lines that the tiles it joins reach.
class Replies {
 public:
  Replies(const Board& board, int bonus, const std::vector<PlayedOutChoice>& choices);
  Replies(const Replies&) = delete;
  Replies& operator=(const Replies&) = delete;

  // The opponent's rack for the answers that follow.
  void SetRack(const std::string& rack, const LeaveValueFunction& value);
  // The worth of its best reply to the choice; 0 when it has none.
  double Best(std::size_t choice);
  // Its best reply to the choice and the reply's worth; false when it has none.
  bool BestReply(std::size_t choice, Candidate& reply, double& equity);

 private:
  // The lines a choice's tiles may change, as bits.
  struct Lines {
    std::uint32_t rows = 0;
    std::uint32_t columns = 0;
    bool Has(const Candidate& reply) const {
      return ((reply.direction == 0 ? rows : columns) >> reply.line & 1) != 0;
    }
  };

  ScratchBoard scratch_;
  int bonus_;
  const std::vector<PlayedOutChoice>& choices_;
  std::vector<Lines> changed_;
  std::string rack_;
  RackLeaves leaves_;
  Candidates standing_;  // the best replies on the board as it stands
  std::vector<double> standingEquities_;
  Candidates reply_;
  std::vector<double> equities_;
};

struct PlayOutPlan {
  std::string unseen;     // the tiles the player has not seen, in any order
  int opponentTiles = 7;  // how many of them the opponent holds
  int bagSize = 0;
  int bonus = 50;
  std::uint64_t seed = 1;
  std::chrono::steady_clock::time_point deadline;
  int playouts = 0;  // when above 0, so many racks whatever the time
  int threads = 1;
  // The turns a play-out takes, the choice's the first: with 2 the opponent's best reply answers
  // it; with more, both sides play on by score and leave from the racks the choice leaves
  // (`rack`: the player's before it; for the exchange, `keep` and the tiles drawn, `exchanged`
  // going back into the bag) and the bag in a random order, the player drawing from one end and
  // the opponent from the other; with 0, or once the bag runs out, on to the end of the game.
  int turns = 2;
  std::string rack;
  std::string keep;
  std::string exchanged;
  // Played on to the end of the game, what winning is worth beside the spread: `lead` is the
  // player's score less the opponent's before the choice; a tie counts half.
  int lead = 0;
  double winWorth = 0;
};

// Plays every choice out the plan's turns ahead, against racks of the unseen tiles for the
// opponent, the same racks for every choice. Two turns ahead, the opponent answers with its best
// reply by score and leave; with seven tiles in the bag or fewer the racks are then every one it
// may hold, the likeliest first, each by its chance. Otherwise they are drawn at random with the
// bag's order, and a choice that clearly does worse than the leader is given up so that the time
// goes to those that may still be best. Played on further, a choice's outcome is the spread it
// comes to, and the worth of the tiles each side keeps when it is cut short: both sides play
// their best by score and leave while the bag holds tiles; on to the end, they then go out when
// they can, else play their highest-scoring move. Runs until the deadline (or the play-outs
// asked for), one choice is left, or every rack was seen; the racks are shared out among the
// threads and their outcomes taken in order, so the threads never change what a number of
// play-outs finds.
void PlayOut(const Board& board, const PlayOutPlan& plan, const LeaveValueFunction& value,
             std::vector<PlayedOutChoice>& choices);

}  // namespace lumiquad
