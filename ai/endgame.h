#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "ai/candidates.h"

namespace lumiquad {

class ScratchBoard;

// The end of a game with the bag empty, when both racks are known: each side's highest-scoring
// moves (and those that go out) and a pass, searched deeper while time allows, for the largest
// final lead. Going out ends the game, and the scores stay as played. Beyond the depth searched,
// both sides play on to the end by the simplest rule.
class Endgame {
 public:
  // `widest`: how many of a side's highest-scoring moves are searched besides those going out,
  // at every ply but the first, which searches at least 128. The first depth is searched past
  // the deadline, for up to `firstDepthMost` in all.
  Endgame(ScratchBoard& board, int bonus, std::chrono::steady_clock::time_point deadline,
          int widest = 32,
          std::chrono::milliseconds firstDepthMost = std::chrono::milliseconds(2500));

  struct Result {
    bool pass = true;
    Candidate move;  // of the search's list `List()` when not a pass
    int lead = 0;    // the final lead it expects
    int depth = 0;   // the depth searched to the end
  };
  Result Solve(const std::string& rack, const std::string& opponentRack);
  // The list the move of the result belongs to, to make it whole.
  const Candidates& List() const { return rootList_; }

 private:
  int Search(int ply, int depth, int lead, int alpha, int beta, int passes);
  // The lead at the end when both sides play on by the simplest rule.
  int PlayOn(int ply, int lead, int passes);
  // The lead once the side to move plays the move: the game's end when it goes out, else what
  // `then` makes of the lead after it, with the move on the board.
  template <typename Then>
  int Played(int ply, const Candidate& move, int lead, Then then);
  // The moves worth searching of the side to move, best first.
  void Moves(int ply);
  // The result when even the first depth ran out of time.
  void CutShort(Result& result);

  ScratchBoard& board_;
  int bonus_;
  int widest_;
  std::chrono::steady_clock::time_point deadline_;
  std::chrono::milliseconds firstDepthMost_;
  std::chrono::steady_clock::time_point latest_;  // for the first depth
  bool timeUp_ = false;
  bool firstDepth_ = false;
  std::string racks_[2];
  std::vector<Candidates> lists_;
  std::vector<std::vector<int>> order_;
  Candidates rootList_;
  int bestRoot_ = -1;  // index in the root list, -1 a pass
  int bestRootLead_ = 0;
  bool rootWeighed_ = false;  // some move of the side to move now was searched to the depth
  int preferredRoot_ = -1;
  long nodes_ = 0;
  bool reachedDepth_ = false;  // some line was cut off at the depth
};

}  // namespace lumiquad
