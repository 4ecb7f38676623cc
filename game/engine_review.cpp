// The review of a game's history: stepping through its records on the board.
#include <algorithm>

#include "game/game_engine.h"

namespace lumiquad {

namespace {

void LaySquares(Board& board, const std::vector<Square>& squares) {
  for (std::size_t i = 0; i < squares.size() && i < static_cast<std::size_t>(kLayoutLength); ++i) {
    *board.SquareAt(static_cast<int>(i) / kBoardSize, static_cast<int>(i) % kBoardSize) =
        squares[i];
  }
  board.SaveSnapshot();
}

}  // namespace

void GameEngine::StartReview() {
  if (state_ == GameState::NoGame) {
    window_.ShowMessage("No game to analyse", "Failure", MessageIcon::None);
    return;
  }
  if (viewer_) return;
  window_.SetBusy(true);
  std::vector<MoveRecord> records = history_;
  if (state_ == GameState::Playing) {
    FillCurrentPositionRecord();
    records.push_back(currentRecord_);
    state_ = GameState::Reviewing;
  }
  window_.SetButtonMode(ButtonMode::Review);
  asideBoard_ = board_->Squares();
  asideHumanScore_ = human_->score;
  asideComputerScore_ = computer_->score;
  asideBag_ = bag_->GetContents();
  viewer_ = std::make_unique<HistoryViewer>(std::move(records));
  viewer_->index = 0;
  ShowRecord(0);
  WriteAnalysis(0);
  window_.Repaint(false);
  window_.SetBusy(false);
}

void GameEngine::ShowRecord(int index) {
  const MoveRecord* record = viewer_ ? viewer_->At(index) : nullptr;
  if (record == nullptr) return;
  viewer_->shown = index;
  LaySquares(*board_, record->board);
  human_->score = record->humanScore;
  computer_->score = record->computerScore;
  bag_->SetBagLetters(record->bagLetters, false);
  window_.TilesChanged();
}

void GameEngine::WriteAnalysis(int index) {
  const MoveRecord* record = viewer_ ? viewer_->At(index) : nullptr;
  if (record == nullptr || index >= static_cast<int>(history_.size())) return;
  const Player& mover = record->move.moverIndex == 1 ? *computer_ : *human_;
  std::string rack = record->move.rackBefore;
  std::sort(rack.begin(), rack.end());
  std::string text = "\n\n" + std::to_string(index + 1) + ".  " + mover.Name() + ":\n";
  text += "Rack: " + rack + "\n";
  text += DescribeMove(record->move, 0, true) + "\n";
  text += "Other options:\n";
  const std::vector<Move>& ranked = record->analysis.Ranked();
  for (std::size_t n = 0; n < ranked.size() && n < 10; ++n) {
    text += std::to_string(n + 1) + ". " + DescribeMove(ranked[n], 0, true) + "\n";
  }
  window_.AppendLog(text);
}

void GameEngine::StepBack() {
  if (!viewer_) return;
  const int records = static_cast<int>(history_.size());
  int& index = viewer_->index;
  if (index >= 0 && index < records) {
    viewer_->direction = 1;
    ShowRecord(index);
    window_.Repaint(false);
    index = index > 0 ? index - 1 : records - 1;
  } else {
    window_.AppendLog("\n\nYou are at the start of the analysis!\n");
    index = 0;
  }
}

void GameEngine::StepForward() {
  if (!viewer_) return;
  const int records = static_cast<int>(history_.size());
  int& index = viewer_->index;
  if (index >= 0 && index < records) {
    index = index < records - 1 ? index + 1 : 0;
    viewer_->direction = 0;
    ShowRecord(index);
    WriteAnalysis(index);
    window_.Repaint(false);
  } else {
    window_.AppendLog("\n\nYou are at the end of the analysis!\n");
    index = records - 1;
  }
}

void GameEngine::GoToStart() {
  if (!viewer_) return;
  viewer_->index = 0;
  ShowRecord(0);
  window_.Repaint(false);
}

void GameEngine::GoToEnd() {
  if (!viewer_) return;
  viewer_->index = static_cast<int>(history_.size()) - 1;
  ShowRecord(viewer_->index);
  window_.Repaint(false);
}

void GameEngine::EndReview() {
  if (!viewer_) return;
  window_.SetButtonMode(ButtonMode::Play);
  if (state_ == GameState::Reviewing) state_ = GameState::Playing;
  LaySquares(*board_, asideBoard_);
  human_->score = asideHumanScore_;
  computer_->score = asideComputerScore_;
  bag_->SetContents(asideBag_);
  viewer_.reset();
  window_.TilesChanged();
  window_.Repaint(false);
}

void GameEngine::EndReviewIfRunning() { EndReview(); }

}  // namespace lumiquad
