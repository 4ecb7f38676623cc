// Games recorded elsewhere: a GCG record replayed move by move into a game of our own, with the
// computer's analysis of every position, for review.
#include <cctype>

#include "ai/move_chooser.h"
#include "ai/move_generator.h"
#include "game/game_engine.h"
#include "game/gcg_reader.h"
#include "game/scripted_window.h"
#include "settings/file_io.h"

namespace lumiquad {

namespace {

constexpr std::size_t kMaxGcgFile = std::size_t{4} << 20;

const FileDialog kImportDialog{"Import GCG", ".gcg",
                               "GCG Files (*.gcg)|*.gcg|All Files (*.*)|*.*||"};

// Takes `tiles` out of `pool`; false (and the pool as it was) when it lacks one.
bool TakeTiles(std::string& pool, std::string_view tiles) {
  std::string left = pool;
  for (char tile : tiles) {
    const std::size_t at = left.find(tile);
    if (at == std::string::npos) return false;
    left.erase(at, 1);
  }
  pool = std::move(left);
  return true;
}

}  // namespace

bool GameEngine::ReplayGcg(const GcgRecord& record, std::string* error) {
  auto fail = [&](int line, const std::string& why) {
    if (error != nullptr) *error = "line " + std::to_string(line) + ": " + why;
    return false;
  };
  GameType type = GameType::Scrabble;
  for (GameType named : {GameType::Lumiquad, GameType::Scrabble, GameType::Literati}) {
    if (record.description.find("the " + std::string(GameTypeName(named)) + " board") !=
        std::string::npos) {
      type = named;
    }
  }
  ChooseGameType(type);
  ResetGame();
  // The player named as our computer is the computer; otherwise the second player is.
  const int computerSide = record.name[0] == computer_->Name() ? 0 : 1;
  Player* side[2] = {computerSide == 0 ? computer_.get() : human_.get(),
                     computerSide == 0 ? human_.get() : computer_.get()};
  for (int player : {0, 1}) side[player]->config.name = record.name[player];
  state_ = GameState::Playing;
  std::string pool = bag_->GetContents();  // every tile not on the board

  for (const GcgEvent& event : record.events) {
    Player& mover = *side[event.player];
    Player& other = *side[1 - event.player];
    const bool placing = event.kind == GcgEvent::Kind::Play ||
                         event.kind == GcgEvent::Kind::Exchange ||
                         event.kind == GcgEvent::Kind::Pass;
    if (placing) {
      std::string rack = event.rack;
      Placement placement;
      std::string laid;  // the tiles a play takes from the rack, '?' for a blank
      if (event.kind == GcgEvent::Kind::Play) {
        const GcgPosition& at = event.position;
        placement = {"", at.row, at.column, at.direction, -1, -1};
        int r = at.row;
        int c = at.column;
        for (char letter : event.word) {
          if (!Board::OnBoard(r, c)) return fail(event.line, "the word runs off the board");
          const Square& square = board_->Cell(r, c);
          const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
          if (letter == '.' || square.HasTile()) {
            if (!square.HasTile()) return fail(event.line, "a '.' stands on an empty square");
            if (letter != '.' && square.character != upper) {
              return fail(event.line, "the word does not match the tiles on the board");
            }
          } else {
            const bool blank = std::islower(static_cast<unsigned char>(letter)) != 0;
            if (blank) {
              int& slot = placement.blank1 < 0 ? placement.blank1 : placement.blank2;
              if (placement.blank2 >= 0) return fail(event.line, "more than two blanks");
              slot = static_cast<int>(placement.letters.size());
            }
            if (placement.letters.empty() && &mover == human_.get()) {
              // The human's moves start at their first new tile, as the tiles laid give them;
              // the computer's where the word starts, as its search finds them.
              placement.row = r;
              placement.column = c;
            }
            placement.letters += upper;
            laid += blank ? '?' : upper;
          }
          (at.direction == 0 ? c : r) += 1;
        }
        if (laid.empty()) return fail(event.line, "the play lays no tile");
      } else if (event.kind == GcgEvent::Kind::Exchange) {
        laid = event.word;
      }
      if (rack.empty()) rack = laid;  // a record without racks: the rack held what was played
      if (!RackHolds(rack, laid)) return fail(event.line, "the rack does not hold the tiles");
      std::string unseen = pool;
      if (!TakeTiles(unseen, rack)) return fail(event.line, "the rack holds tiles not in the bag");
      mover.rack = rack;
      bag_->SetContents(unseen);
      board_->SetMover(&mover == computer_.get() ? 1 : 0);
      BeginRecord(Analyse(mover, other, kKeepCount));
      if (event.kind == GcgEvent::Kind::Pass) {
        RecordPass(mover);
      } else if (event.kind == GcgEvent::Kind::Exchange) {
        Move change;
        change.isExchange = true;
        change.exchangedLetters = laid;
        change.player = &mover;
        change.moverIndex = &mover == computer_.get() ? 1 : 0;
        change.rackBefore = rack;
        TakeTiles(rack, laid);
        change.rackAfter = rack;
        CompleteRecord(change);
        mover.rack = rack;
      } else {
        bool empty = true;
        for (const Square& square : board_->Squares()) empty = empty && !square.HasTile();
        Move move = EvaluatePlacement(*board_, placement, rack,
                                      {.checkWords = false, .trial = false, .bonus = Bonus()});
        if (move.total < 0) return fail(event.line, "the play cannot be laid there");
        const bool joined =
            empty ? board_->Cell(kBoardSize / 2, kBoardSize / 2).HasTile()
                  : move.mainWord.size() > move.placedLetters.size() || !move.crossWords.empty();
        if (!joined) {
          board_->RestoreSnapshot();
          return fail(event.line, empty ? "the first play does not cover the centre"
                                        : "the play touches no tile on the board");
        }
        board_->SaveSnapshot();
        if (move.total != event.score) {
          return fail(event.line, "the score " + std::to_string(event.score) +
                                      " does not add up: the play scores " +
                                      std::to_string(move.total));
        }
        move.player = &mover;
        move.moverIndex = &mover == computer_.get() ? 1 : 0;
        mover.score += move.total;
        mover.rack = move.rackAfter;
        TakeTiles(pool, laid);
        CompleteRecord(move);
      }
    } else if (event.kind == GcgEvent::Kind::Withdrawn) {
      // The play before is taken back: its tiles leave the board and its score goes.
      if (history_.empty() || history_.back().move.moverIndex != (&mover == computer_.get()) ||
          history_.back().move.invalid || history_.back().move.isPass ||
          history_.back().move.isExchange) {
        return fail(event.line, "a withdrawal follows no play of the same player");
      }
      MoveRecord& played = history_.back();
      if (-event.score != played.move.total) {
        return fail(event.line, "the withdrawal takes back another score than the play's");
      }
      for (std::size_t i = 0; i < played.board.size(); ++i) {
        *board_->SquareAt(static_cast<int>(i) / kBoardSize, static_cast<int>(i) % kBoardSize) =
            played.board[i];
      }
      board_->SaveSnapshot();
      pool += PlacedTiles(played.move);
      mover.score -= played.move.total;
      mover.rack = played.move.rackBefore;
      played.move.invalid = true;
      played.move.total = -1;
    } else {
      // Points outside the moves: a challenge bonus, the racks at the end, a time penalty. The
      // end lines tell the racks the game ended with.
      if (event.kind == GcgEvent::Kind::EndPoints) other.rack = event.word;
      if (event.kind == GcgEvent::Kind::RackPenalty) mover.rack = event.rack;
      mover.score += event.score;
    }
    if (mover.score != event.total) {
      return fail(event.line, "the total " + std::to_string(event.total) +
                                  " does not add up: the moves make " +
                                  std::to_string(mover.score));
    }
  }
  // The record is for review: its end is the game's end, whatever is left in the bag (the
  // unseen tiles but those the racks are known to hold).
  for (const Player* player : {human_.get(), computer_.get()}) TakeTiles(pool, player->rack);
  bag_->SetContents(pool);
  gameOver_ = true;
  FillCurrentPositionRecord();
  state_ = GameState::GameOver;
  return true;
}

bool GameEngine::ImportGcgText(const std::string& text, std::string* error) {
  const std::optional<GcgRecord> record = ParseGcg(text, error);
  if (!record) return false;
  // Replayed in a game of its own, so that nothing half-read reaches this one.
  MemorySettingsStore store;
  CMoveRegConfig moveConfig(store);
  ScriptedWindow quiet;
  GameEngine replay(store, clock_, moveConfig, quiet, wordListPath_, simpleWordListPath_);
  replay.SetFilter(filter_);
  if (!replay.ReplayGcg(*record, error)) return false;
  if (error != nullptr) error->clear();  // from here only the user's Cancel says no
  return LoadGameText(replay.GameText(), error);
}

bool GameEngine::ImportGcgFile(const std::string& path) {
  const FileReadResult file = ReadFileLimited(path, kMaxGcgFile);
  std::string why = "it cannot be read";
  if (file.status == FileReadStatus::TooLarge) why = "it is too large for a game record";
  if (file.status == FileReadStatus::Ok && ImportGcgText(file.contents, &why)) {
    window_.SetTitle(std::string(kWindowTitle) + " - " + path);
    return true;
  }
  if (why.empty()) return false;  // the user chose to go on with the running game
  window_.ShowMessage(path + " did not import: " + why, "Failure", MessageIcon::None);
  return false;
}

void GameEngine::ImportGcg() {
  EndReviewIfRunning();
  if (std::optional<std::string> path = window_.AskOpenPath(kImportDialog)) ImportGcgFile(*path);
}

}  // namespace lumiquad
