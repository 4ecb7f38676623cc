// Help for the player: the preview of the tiles laid, the best move, the computer's last move,
// the word check and taking turns back.
#include <algorithm>

#include "ai/move_generator.h"
#include "game/game_engine.h"

namespace lumiquad {

namespace {

std::string RefusalText(PlacementFault fault) {
  switch (fault) {
    case PlacementFault::LooseTile:
      return "A tile is not on a square";
    case PlacementFault::SquareTaken:
      return "A tile lies where it cannot be played";
    case PlacementFault::NotInLine:
      return "The tiles are not in one line";
    case PlacementFault::Gap:
      return "The tiles leave a gap";
    case PlacementFault::NotJoined:
      return "The tiles do not join the words on the board";
    case PlacementFault::NotTiles:
      return "Those are not tiles of your rack";
    case PlacementFault::NoTile:
    case PlacementFault::None:
      break;
  }
  return {};
}

std::string JoinedWords(const Move& move) {
  std::string text = move.mainWord;
  for (const std::string& cross : move.crossWords) text += ", " + cross;
  return text;
}

// The rack as a trial evaluation counts it: the blanks' '?' stand as the letters they play.
std::string RackForTrial(std::string rack, const Placement& placement) {
  for (int blank : {placement.blank1, placement.blank2}) {
    if (blank < 0) continue;
    const std::size_t at = rack.find('?');
    if (at != std::string::npos) rack[at] = placement.letters[static_cast<std::size_t>(blank)];
  }
  return rack;
}

}  // namespace

TurnPreview GameEngine::PreviewTurn(const TurnTiles& tiles) {
  TurnPreview preview;
  if (state_ != GameState::Playing) return preview;
  const PlacementFault fault = PlacementFaultOf(*board_, tiles);
  if (fault == PlacementFault::NoTile) return preview;
  preview.kind = TurnPreview::Kind::Refused;
  if (fault != PlacementFault::None) {
    preview.text = RefusalText(fault);
    return preview;
  }
  const std::optional<Move> gathered = GatherPlacement(*board_, tiles, 0);
  if (!gathered || !RackHolds(human_->rack, gathered->placedLetters)) {
    preview.text = RefusalText(PlacementFault::NotTiles);
    return preview;
  }
  Placement placement{gathered->placedLetters, gathered->row,    gathered->column,
                      gathered->Direction(),   gathered->blank1, gathered->blank2};
  // Blanks named as they were laid keep their letters; the others are tried as every letter.
  std::vector<int> unnamed;
  for (int blank : {placement.blank1, placement.blank2}) {
    if (blank < 0) continue;
    const char named = NamedBlankLetter(
        tiles, blank == gathered->blank1 ? gathered->blank1Square : gathered->blank2Square);
    if (named != 0) {
      placement.letters[static_cast<std::size_t>(blank)] = named;
    } else {
      unnamed.push_back(blank);
    }
  }
  auto evaluate = [&] {
    board_->SetMover(0);
    return EvaluatePlacement(*board_, placement, RackForTrial(human_->rack, placement),
                             {.checkWords = true, .trial = true, .bonus = Bonus()});
  };
  Move move;
  std::string blanksAs;
  const int tries = unnamed.empty() ? 1 : unnamed.size() == 1 ? 26 : 26 * 26;
  for (int t = 0; t < tries; ++t) {
    blanksAs.clear();
    for (std::size_t k = 0, code = static_cast<std::size_t>(t); k < unnamed.size();
         ++k, code /= 26) {
      const char letter = static_cast<char>('A' + code % 26);
      placement.letters[static_cast<std::size_t>(unnamed[k])] = letter;
      blanksAs += blanksAs.empty() ? std::string(1, letter) : std::string(" and ") + letter;
    }
    move = evaluate();
    if (!move.invalid) break;
  }
  if (!move.invalid) {
    preview.kind = TurnPreview::Kind::Valid;
    preview.total = move.total;
    preview.text = JoinedWords(move) + " = " + std::to_string(move.total);
    if (!unnamed.empty()) {
      preview.text += (unnamed.size() == 1 ? " (blank as " : " (blanks as ") + blanksAs + ")";
    }
  } else if (move.mainWord.size() < 2) {
    preview.text = "A word needs at least two letters";
  } else if (!unnamed.empty()) {
    preview.kind = TurnPreview::Kind::Challenged;
    preview.text = "No letter for the blank makes every word";
  } else if (!move.invalidWords.empty()) {
    preview.kind = TurnPreview::Kind::Challenged;
    preview.text = "Not in the word list: " + move.invalidWords.front();
    for (std::size_t i = 1; i < move.invalidWords.size(); ++i) {
      preview.text += ", " + move.invalidWords[i];
    }
  } else {
    preview.text = RefusalText(PlacementFault::NotTiles);
  }
  return preview;
}

std::optional<Move> GameEngine::BestMoveForHuman() {
  if (state_ != GameState::Playing) return std::nullopt;
  // The search leaves its anchor behind, and that is part of a saved game.
  const Square anchor = board_->searchAnchor;
  const MoveChooser& chooser = HumanAnalysis();
  board_->searchAnchor = anchor;
  const Move best = chooser.ChooseMove(1);
  if (best.mainWord == kNoMoveWord || chooser.RankedCount() == 0) return std::nullopt;
  return best;
}

std::vector<TurnTile> GameEngine::LastComputerMove() const {
  if (history_.empty() || viewer_) return {};
  const MoveRecord& last = history_.back();
  const Move& move = last.move;
  if (move.moverIndex != 1 || move.isPass || move.isExchange || move.invalid) return {};
  return TilesOfMove(move, last.board);
}

void GameEngine::CheckWord(const std::string& word) {
  // Spaces typed around the word are no part of it.
  const std::size_t first = word.find_first_not_of(" \t");
  const std::size_t last = word.find_last_not_of(" \t");
  std::string upper = first == std::string::npos ? "" : word.substr(first, last - first + 1);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  const bool listed = mainDictionary_->ContainsWord(upper);
  window_.ShowMessage(upper + (listed ? " is in the word list." : " is not in the word list."),
                      "Check Word", MessageIcon::Information);
}

void GameEngine::RememberTurn() {
  TurnState turn;
  turn.board = board_->Squares();
  turn.searchAnchor = board_->searchAnchor;
  turn.bagContents = bag_->GetContents();
  turn.bagLastDrawn = bag_->LastDrawn();
  turn.human = {human_->rack, human_->score, human_->lastDrawn};
  turn.computer = {computer_->rack, computer_->score, computer_->lastDrawn};
  turn.humanIdleTurns = humanIdleTurns_;
  turn.computerIdleTurns = computerIdleTurns_;
  turn.gameOver = gameOver_;
  turn.historyLength = history_.size();
  turn.currentRecord = currentRecord_;
  turn.logLength = window_.LogLength();
  takeBack_.push_back(std::move(turn));
}

bool GameEngine::CanTakeBack() const { return state_ == GameState::Playing && !takeBack_.empty(); }

bool GameEngine::TakeBack() {
  if (!CanTakeBack()) return false;
  TurnState turn = std::move(takeBack_.back());
  takeBack_.pop_back();
  window_.ReturnTurnTiles();
  for (int i = 0; i < kLayoutLength; ++i) {
    *board_->SquareAt(i / kBoardSize, i % kBoardSize) = turn.board[static_cast<std::size_t>(i)];
  }
  board_->SaveSnapshot();
  board_->searchAnchor = turn.searchAnchor;
  bag_->SetContents(std::move(turn.bagContents));
  bag_->SetLastDrawn(std::move(turn.bagLastDrawn));
  for (auto [player, state] :
       {std::pair{human_.get(), &turn.human}, std::pair{computer_.get(), &turn.computer}}) {
    player->rack = state->rack;
    player->score = state->score;
    player->lastDrawn = state->lastDrawn;
  }
  humanIdleTurns_ = turn.humanIdleTurns;
  computerIdleTurns_ = turn.computerIdleTurns;
  gameOver_ = turn.gameOver;
  history_.resize(turn.historyLength);
  currentRecord_ = std::move(turn.currentRecord);
  window_.CutLog(turn.logLength);
  window_.ClearTiles();
  window_.TilesChanged();
  KeepAfterTurn();
  window_.Repaint(false);
  return true;
}

}  // namespace lumiquad
