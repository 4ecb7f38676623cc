// The engine's files: game files written and opened, and game reports.
#include "game/game_engine.h"
#include "game/game_file.h"
#include "game/gcg.h"
#include "game/report.h"
#include "settings/file_io.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace lumiquad {

namespace {

// A game file much larger than any game could make is no game file (and one that is no
// regular file, a FIFO or a device, is never waited on).
constexpr std::size_t kMaxGameFile = std::size_t{64} << 20;

const FileDialog kGameFileDialog{"Save Game", ".lqg",
                                 "Lumiquad Games (*.lqg)|*.lqg|All Files (*.*)|*.*||"};
const FileDialog kOpenGameDialog{"Open Game", ".lqg",
                                 "Lumiquad Games (*.lqg)|*.lqg|All Files (*.*)|*.*||"};
const FileDialog kTextReportDialog{"Create Report", ".txt",
                                   "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"};
const FileDialog kHtmlReportDialog{"Create HTML Report", ".htm",
                                   "HTML Files (*.htm)|*.htm|All Files (*.*)|*.*||"};
const FileDialog kGcgDialog{"Export GCG", ".gcg", "GCG Files (*.gcg)|*.gcg|All Files (*.*)|*.*||"};

SavedPlayer SavePlayer(const Player& player) {
  return {player.Name(),    player.rack,  player.spareNumber,  player.workingText,
          player.lastDrawn, player.score, player.IsComputer(), player.savedScore};
}

SavedRecord SaveRecord(const MoveRecord& record) {
  return {record.move,
          {record.analysis.Ranked(), record.analysis.KeepCount(), record.analysis.LeaveWeight()},
          record.board,
          record.computerScore,
          record.humanScore,
          record.bagLetters};
}

void RestorePlayer(Player& player, const SavedPlayer& saved) {
  player.config.name = saved.name;
  player.rack = saved.rack;
  player.spareNumber = saved.spareNumber;
  player.workingText = saved.workingText;
  player.lastDrawn = saved.lastDrawn;
  player.score = saved.score;
  player.savedScore = saved.savedScore;
}

// A square read back: an empty character in the file keeps what the board starts with.
Square Restored(const Square& saved, char start) {
  Square square = saved;
  if (square.character == '\0') square.character = start;
  return square;
}

}  // namespace

std::string GameEngine::GameText() const {
  SavedGame game;
  game.gameOver = gameOver_;
  game.wordListPath = wordListPath_;
  game.level = levelValue_;
  game.spareText = spareText_;
  game.bagLastDrawn = bag_->LastDrawn();
  game.bagContents = bag_->GetContents();
  game.unseenText = UnseenLetters();
  game.computer = SavePlayer(*computer_);
  game.human = SavePlayer(*human_);
  game.squares = board_->Squares();
  game.searchAnchor = board_->searchAnchor;
  game.letterValues = board_->GetLetterValues();
  game.humanIdleTurns = humanIdleTurns_;
  game.computerIdleTurns = computerIdleTurns_;
  game.keepCount = currentKeepCount_;
  for (const MoveRecord& record : history_) game.records.push_back(SaveRecord(record));
  game.current = SaveRecord(currentRecord_);
  game.bonus = Bonus();
  return FormatGameFile(game);
}

void GameEngine::BindPlayers(Move& move) {
  move.player = move.moverIndex == 1 ? computer_.get() : human_.get();
}

void GameEngine::ApplySavedGame(const SavedGame& saved) {
  EndReviewIfRunning();
  ResetGame();
  gameOver_ = saved.gameOver;
  if (!saved.wordListPath.empty()) wordListPath_ = saved.wordListPath;
  levelValue_ = saved.level;
  spareText_ = saved.spareText;
  bag_->SetContents(saved.bagContents);
  bag_->SetLastDrawn(saved.bagLastDrawn);
  RestorePlayer(*computer_, saved.computer);
  RestorePlayer(*human_, saved.human);
  const std::string start = board_->StartingLayout();
  for (int i = 0; i < kLayoutLength; ++i) {
    *board_->SquareAt(i / kBoardSize, i % kBoardSize) =
        Restored(saved.squares[static_cast<std::size_t>(i)], start[static_cast<std::size_t>(i)]);
  }
  board_->searchAnchor = saved.searchAnchor;
  board_->SetLetterValues(saved.letterValues);
  board_->SaveSnapshot();
  humanIdleTurns_ = saved.humanIdleTurns;
  computerIdleTurns_ = saved.computerIdleTurns;
  currentKeepCount_ = saved.keepCount;

  // A record's analysis is bound again to this game's board, bag, players and word lists, so
  // that a report or a review can still ask it for a move.
  auto restore = [&](const SavedRecord& from) {
    MoveRecord record;
    record.move = from.move;
    BindPlayers(record.move);
    std::vector<Move> ranked = from.analysis.ranked;
    for (Move& move : ranked) BindPlayers(move);
    Player& mover = record.move.moverIndex == 1 ? *computer_ : *human_;
    Player& opponent = record.move.moverIndex == 1 ? *human_ : *computer_;
    record.analysis = MoveChooser::Restored(std::move(ranked), from.analysis.keepCount,
                                            from.analysis.leaveWeight, *board_, *bag_, mover,
                                            opponent, simpleWords_.get(), filter_, saved.bonus);
    for (std::size_t i = 0; i < from.squares.size(); ++i) {
      record.board.push_back(Restored(from.squares[i], start[i]));
    }
    record.computerScore = from.computerScore;
    record.humanScore = from.humanScore;
    record.bagLetters = from.bagLetters;
    return record;
  };
  for (const SavedRecord& record : saved.records) history_.push_back(restore(record));
  currentRecord_ = restore(saved.current);
  // The game is played on with its own bonus; the setting itself is not changed.
  if (saved.lastBonus) loadedBonus_ = *saved.lastBonus;
  if (mainDictionary_->IsEmpty() && CanReadFile(wordListPath_)) SetDictionary(wordListPath_);
  for (Player* player : {computer_.get(), human_.get()}) {
    if (player->rack.empty()) {
      const std::string drawn = bag_->DrawTiles(kRackSize);
      player->rack = drawn;
      if (!drawn.empty()) player->lastDrawn = drawn;
    }
  }
  state_ = gameOver_ ? GameState::GameOver : GameState::Playing;
}

bool GameEngine::ReplaceGame(const SavedGame& saved) {
  if (!KeepBeforeReplacing()) return false;
  ApplySavedGame(saved);
  // The log shows the game's moves as playing them showed them.
  window_.ClearLog();
  window_.AppendLog(HistoryLog());
  window_.ClearTiles();
  window_.TilesChanged();
  window_.SetButtonMode(ButtonMode::Play);
  window_.Repaint(false);
  return true;
}

bool GameEngine::LoadGameText(const std::string& text, std::string* error) {
  std::optional<SavedGame> saved = ParseGameFile(text, error);
  return saved && ReplaceGame(*saved);
}

bool GameEngine::LoadGameFile(std::string path) {
  const FileReadResult file = ReadFileLimited(path, kMaxGameFile);
  std::optional<SavedGame> saved;
  if (file.status == FileReadStatus::Ok) saved = ParseGameFile(file.contents);
  if (!saved) {
    window_.ShowMessage(path + " did not load", "Failure", MessageIcon::None);
    return false;
  }
  if (!ReplaceGame(*saved)) return false;
  window_.SetTitle(std::string(kWindowTitle) + " - " + path);
  return true;
}

std::vector<RecentGame> GameEngine::RecentGames() const {
  std::vector<RecentGame> games = ListRecentGames(resumeFolder_);
  std::erase_if(games, [&](const RecentGame& game) { return game.path == keptPath_; });
  return games;
}

FileWriteResult GameEngine::KeepRunningGame() {
  if (resumeFolder_.empty() || !InPlay()) return {true, {}};
  std::error_code ignored;
  std::filesystem::create_directories(resumeFolder_, ignored);
  if (keptPath_.empty()) keptPath_ = NewRecentGamePath(resumeFolder_);
  // A review shows an earlier position; the game itself is what is kept.
  EndReviewIfRunning();
  const FileWriteResult result =
      WriteFileAtomically(keptPath_, GameText(), 0600, PathOwner::Program);
  if (result.ok) PruneRecentGames(resumeFolder_, keptPath_);
  return result;
}

bool GameEngine::KeepBeforeReplacing() {
  EndReviewIfRunning();
  for (;;) {
    const FileWriteResult kept = KeepRunningGame();
    if (kept.ok) return true;
    const std::string text = "The game in play could not be kept for Resume Last Game:\n" +
                             keptPath_ + ": " + kept.error +
                             "\n\nSave it to a file of your choice, discard it, or cancel and "
                             "go on playing?";
    switch (window_.AskUnkeptGame(text)) {
      case UnkeptGameChoice::SaveElsewhere:
        if (std::optional<std::string> path = window_.AskSavePath(kGameFileDialog)) {
          if (SaveGameFile(*path)) return true;
        }
        break;  // not saved: the question again
      case UnkeptGameChoice::Discard:
        return true;
      case UnkeptGameChoice::Cancel:
        return false;
    }
  }
}

void GameEngine::KeepAfterTurn() {
  if (gameOver_) {
    // An ended game is not resumed; its file would only offer an earlier position.
    if (!keptPath_.empty()) ::unlink(keptPath_.c_str());
    keptPath_.clear();
    return;
  }
  const FileWriteResult kept = KeepRunningGame();
  if (!kept.ok) {
    window_.SetStatusText("The game could not be kept for Resume Last Game: " + kept.error);
  }
}

bool GameEngine::ResumeLastGame() {
  const std::vector<RecentGame> games = RecentGames();
  if (games.empty()) return false;
  return ResumeGame(games.front().path);
}

bool GameEngine::ResumeGame(const std::string& path) {
  // Read before the running game is kept, which may prune the oldest files.
  const FileReadResult file = ReadFileLimited(path, kMaxGameFile, PathOwner::Program);
  std::optional<SavedGame> saved;
  if (file.status == FileReadStatus::Ok) saved = ParseGameFile(file.contents);
  if (!saved) {
    window_.ShowMessage(path + " did not load", "Failure", MessageIcon::None);
    return false;
  }
  if (!ReplaceGame(*saved)) return false;
  window_.SetTitle(kWindowTitle);
  // The game goes on in a file of its own; the one it came from goes once that is written.
  if (KeepRunningGame().ok && path != keptPath_) ::unlink(path.c_str());
  return true;
}

bool GameEngine::SaveGameFile(const std::string& path) {
  EndReviewIfRunning();
  window_.SetBusy(true);
  const FileWriteResult result = WriteFileAtomically(path, GameText());
  window_.SetBusy(false);
  if (!result.ok) {
    window_.ShowMessage(path + " could not be saved: " + result.error, "Failure",
                        MessageIcon::Information);
    return false;
  }
  window_.SetTitle(std::string(kWindowTitle) + " - " + path);
  window_.SetStatusText("Game saved");
  return true;
}

void GameEngine::OpenGame() {
  EndReviewIfRunning();
  if (std::optional<std::string> path = window_.AskOpenPath(kOpenGameDialog)) {
    LoadGameFile(*path);
  }
}

void GameEngine::SaveGame() {
  EndReviewIfRunning();
  if (state_ == GameState::NoGame) {
    window_.ShowMessage("Must be in a game", "Failure", MessageIcon::Information);
    return;
  }
  if (std::optional<std::string> path = window_.AskSavePath(kGameFileDialog)) {
    SaveGameFile(*path);
  }
}

std::string GameEngine::GameLayout() const {
  // The board before the first move: what the game was played on, whatever the settings say now.
  const std::vector<Square>& squares =
      history_.empty() ? board_->Squares() : history_.front().board;
  const std::string starting = board_->StartingLayout();
  std::string layout;
  for (std::size_t i = 0; i < squares.size(); ++i) {
    layout += squares[i].HasTile() ? starting[i] : squares[i].character;
  }
  return layout;
}

std::string GameEngine::GcgText() const {
  GcgGame game;
  game.records = history_;
  game.humanName = human_->Name();
  game.computerName = computer_->Name();
  game.over = gameOver_;
  game.humanRack = human_->rack;
  game.computerRack = computer_->rack;
  const std::string layout = GameLayout();
  std::string board = "its own board";
  for (GameType type : {GameType::Lumiquad, GameType::Scrabble, GameType::Literati}) {
    if (layout == BuiltInLayout(type)) board = "the " + std::string(GameTypeName(type)) + " board";
  }
  game.description = "Lumiquad game on " + board + ", full-rack bonus " + std::to_string(Bonus()) +
                     "; moves on its quadruple and penalty squares score as Lumiquad scores them";
  return FormatGcg(game);
}

namespace {

// An export never takes the place of a saved game: the game would be lost for a record of it.
bool HoldsSavedGame(const std::string& path) {
  const FileReadResult file = ReadFileLimited(path, kMaxGameFile);
  return file.status == FileReadStatus::Ok && ParseGameFile(file.contents).has_value();
}

FileWriteResult WriteExport(const std::string& path, std::string_view text) {
  if (HoldsSavedGame(path)) return {false, "it is a saved game, which an export never replaces"};
  return WriteFileAtomically(path, text);
}

}  // namespace

bool GameEngine::WriteGcg(const std::string& path) {
  window_.SetBusy(true);
  const FileWriteResult result = WriteExport(path, GcgText());
  window_.SetBusy(false);
  if (!result.ok) {
    window_.ShowMessage(path + " could not be written: " + result.error, "Failure",
                        MessageIcon::Information);
  }
  return result.ok;
}

void GameEngine::ExportGcg() {
  if (history_.empty()) return;
  if (std::optional<std::string> path = window_.AskSavePath(kGcgDialog)) WriteGcg(*path);
}

std::string GameEngine::ReportText(bool html) {
  std::vector<MoveRecord> records = history_;
  if (state_ == GameState::Playing) {
    FillCurrentPositionRecord();
    records.push_back(currentRecord_);
  }
  return html ? BuildHtmlReport(*this, records) : BuildTextReport(*this, records);
}

void GameEngine::CreateReport(bool html) {
  if (state_ == GameState::NoGame) {
    window_.ShowMessage("Must be in a game", "Failure", MessageIcon::Information);
    return;
  }
  std::optional<std::string> path =
      window_.AskSavePath(html ? kHtmlReportDialog : kTextReportDialog);
  if (!path) return;
  if (!IsValidFilePath(*path, html ? "htm" : "txt")) {
    window_.ShowMessage(*path + " is not a valid text file path", "Failure",
                        MessageIcon::Information);
    return;
  }
  window_.SetBusy(true);
  const FileWriteResult result = WriteExport(*path, ReportText(html));
  window_.SetBusy(false);
  if (!result.ok) {
    window_.ShowMessage(*path + " could not be written: " + result.error, "Failure",
                        MessageIcon::Information);
    return;
  }
  if (window_.AskYesNo("Would you like to view the report " + *path + " \nyou just created?",
                       "View report", MessageIcon::Question)) {
    window_.OpenDocument(*path);
  }
}

}  // namespace lumiquad
