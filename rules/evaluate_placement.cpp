#include "rules/evaluate_placement.h"

#include <optional>

#include "model/board.h"
#include "rules/placement.h"
#include "rules/scoring.h"
#include "words/word_list.h"

namespace lumiquad {

namespace {

struct Step {
  int dr;
  int dc;
};

Step StepOf(int direction) { return direction == 0 ? Step{0, 1} : Step{1, 0}; }

void MarkInvalid(Move& move) {
  move.invalid = true;
  move.total = -1;
}

bool IsBlankIndex(const Placement& placement, int index) {
  return index == placement.blank1 || index == placement.blank2;
}

// rackBefore less the placed tiles, a '?' for each blank; nothing when one of them is missing.
std::optional<std::string> RackAfter(const std::string& rackBefore, const Placement& placement) {
  std::string rest = rackBefore;
  const int count = static_cast<int>(placement.letters.size());
  for (int i = 0; i < count; ++i) {
    const char tile =
        IsBlankIndex(placement, i) ? '?' : placement.letters[static_cast<std::size_t>(i)];
    const std::size_t at = rest.find(tile);
    if (at == std::string::npos) return std::nullopt;
    rest.erase(at, 1);
  }
  return rest;
}

bool LaysOnTheBoard(const Placement& placement) {
  const int count = static_cast<int>(placement.letters.size());
  if (!Board::OnBoard(placement.row, placement.column)) return false;
  if (placement.direction != 0 && placement.direction != 1) return false;
  if (count == 0) return false;
  for (char letter : placement.letters) {
    if (letter < 'A' || letter > 'Z') return false;
  }
  auto validIndex = [count](int index) { return index == -1 || (index >= 0 && index < count); };
  if (!validIndex(placement.blank1) || !validIndex(placement.blank2)) return false;
  return placement.blank2 == -1 || placement.blank1 < placement.blank2;
}

// Reads the run of tiles that ends just before (row, column), going against the step, into
// `word` (in board order) and adds their plain scores to `sum`.
void PrependRun(const Board& board, int row, int column, Step step, std::string& word, int& sum) {
  int r = row - step.dr;
  int c = column - step.dc;
  while (Board::OnBoard(r, c) && board.Cell(r, c).HasTile()) {
    r -= step.dr;
    c -= step.dc;
  }
  std::string run;
  for (r += step.dr, c += step.dc; r != row || c != column; r += step.dr, c += step.dc) {
    const Square& square = board.Cell(r, c);
    run += square.character;
    sum += LetterScore(board, square.character, square);
  }
  word.insert(0, run);
}

// Appends the run of tiles that starts at (row, column), going with the step.
void AppendRun(const Board& board, int row, int column, Step step, std::string& word, int& sum) {
  for (; Board::OnBoard(row, column) && board.Cell(row, column).HasTile();
       row += step.dr, column += step.dc) {
    const Square& square = board.Cell(row, column);
    word += square.character;
    sum += LetterScore(board, square.character, square);
  }
}

bool InWordList(const Board& board, const std::string& word) {
  const WordList* list = board.DictionaryRef();
  return list != nullptr && list->ContainsWord(word);
}

}  // namespace

Move EvaluatePlacement(Board& board, const Placement& placement, std::string_view rack,
                       const EvaluationOptions& options) {
  Move move;
  move.rackBefore = rack;
  if (options.trial) {
    for (int blank : {placement.blank1, placement.blank2}) {
      if (blank < 0 || blank >= static_cast<int>(placement.letters.size())) continue;
      const std::size_t at =
          move.rackBefore.find(placement.letters[static_cast<std::size_t>(blank)]);
      if (at != std::string::npos) move.rackBefore[at] = '?';
    }
  }
  move.moverIndex = static_cast<std::uint8_t>(board.Mover());
  move.placedLetters = placement.letters;
  move.blank1 = placement.blank1;
  move.blank2 = placement.blank2;
  move.row = placement.row;
  move.column = placement.column;
  move.directionText = DirectionText(placement.direction);
  std::optional<std::string> rackAfter = RackAfter(move.rackBefore, placement);
  move.rackAfter = rackAfter.value_or(std::string());

  // A placement that cannot be laid, or that lays tiles the rack does not hold, never touches
  // the board.
  const int count = static_cast<int>(placement.letters.size());
  if (!LaysOnTheBoard(placement) || !rackAfter) {
    // As after any evaluation, the backup grid is left equal to the live grid.
    board.BeginTrial();
    board.RollbackTrial();
    MarkInvalid(move);
    return move;
  }
  move.blank1Square =
      BlankSquare(board, placement.row, placement.column, placement.direction, placement.blank1);
  move.blank2Square =
      BlankSquare(board, placement.row, placement.column, placement.direction, placement.blank2);

  const Step step = StepOf(placement.direction);
  const int crossAxis = placement.direction;
  board.BeginTrial();
  WordFactors factors;
  int sum = 0;
  int r = placement.row;
  int c = placement.column;
  move.mainWord.reserve(kBoardSize);
  for (int i = 0; i < count; r += step.dr, c += step.dc) {
    if (!Board::OnBoard(r, c)) {
      board.RollbackTrial();
      move.mainWord.clear();
      move.crossWords.clear();
      move.crossScores.clear();
      MarkInvalid(move);
      return move;
    }
    const Square& square = board.Cell(r, c);
    if (square.HasTile()) {
      move.mainWord += square.character;
      sum += LetterScore(board, square.character, square);
      continue;
    }
    const char letter = placement.letters[static_cast<std::size_t>(i)];
    const bool blank = IsBlankIndex(placement, i);
    const char kind = square.character;
    Square scored = square;
    scored.blank = blank ? 1 : 0;
    const int letterScore = LetterScore(board, letter, scored);
    factors.Add(kind);
    if (board.HasNeighbour(r, c, crossAxis)) {
      std::string cross;
      int existing = 0;
      const Step across{step.dc, step.dr};
      PrependRun(board, r, c, across, cross, existing);
      cross += letter;
      AppendRun(board, r + across.dr, c + across.dc, across, cross, existing);
      const int crossScore = CrossWordScore(letterScore, kind, existing);
      move.crossWords.push_back(std::move(cross));
      move.crossScores.push_back(crossScore);
      move.total += crossScore;
    }
    move.mainWord += letter;
    sum += letterScore;
    board.LayTrialTile(r, c, letter, blank, board.Mover());
    ++i;
  }
  PrependRun(board, placement.row, placement.column, step, move.mainWord, sum);
  AppendRun(board, r, c, step, move.mainWord, sum);

  move.mainScore = MainWordScore(sum, factors, count, options.bonus);
  move.total += move.mainScore;
  if (move.mainWord.size() < 2) MarkInvalid(move);
  if (options.checkWords) {
    for (const std::string& cross : move.crossWords) {
      if (!InWordList(board, cross)) move.invalidWords.push_back(cross);
    }
    if (!move.mainWord.empty() && !InWordList(board, move.mainWord)) {
      move.invalidWords.push_back(move.mainWord);
    }
    if (!move.invalidWords.empty()) MarkInvalid(move);
  }
  if (!move.invalid && !options.trial) {
    board.CommitTrial();
  } else {
    board.RollbackTrial();
  }
  return move;
}

}  // namespace lumiquad
