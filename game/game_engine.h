#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ai/candidates.h"
#include "game/game_window.h"
#include "game/history_viewer.h"
#include "game/move_record.h"
#include "game/recent_games.h"
#include "model/bag.h"
#include "model/board.h"
#include "model/layouts.h"
#include "model/player.h"
#include "rules/evaluate_placement.h"
#include "rules/placement.h"
#include "settings/file_io.h"
#include "words/word_list.h"

namespace lumiquad {

struct SavedGame;
struct GcgRecord;

// What Submit would make of the tiles laid this turn, worked out without changing anything.
struct TurnPreview {
  enum class Kind { Nothing, Refused, Challenged, Valid };
  Kind kind = Kind::Nothing;
  std::string text;  // the line shown under the board; empty for Nothing
  int total = 0;     // the score of a valid move
};

// Both word lists, loaded once and read only: engines that play side by side share them instead
// of holding a copy each.
struct SharedWordLists {
  std::shared_ptr<const WordList> main;
  std::shared_ptr<const WordList> simple;
  std::string mainPath;
  std::string simplePath;
};
// Also makes the move search's tables, which are otherwise made on first use: no engine then
// makes them while another reads them.
SharedWordLists LoadSharedWordLists(const std::string& mainPath, const std::string& simplePath);

// The owner of a game: the word lists, the board, the bag, the two players (0 the human, 1 the
// computer), the history, and the state the window shows. Every command the window forwards
// runs here to completion, including the computer's reply; the window is told what to show
// through GameWindow.
class GameEngine {
 public:
  // Loads both word lists, then builds the board, the bag and the players from the settings.
  // Everything given must outlive the engine.
  GameEngine(SettingsStore& store, const Clock& clock, CMoveRegConfig& moveConfig,
             GameWindow& window, const std::string& mainWordListPath,
             const std::string& simpleWordListPath);
  // The same on word lists already loaded.
  GameEngine(SettingsStore& store, const Clock& clock, CMoveRegConfig& moveConfig,
             GameWindow& window, const SharedWordLists& words);
  ~GameEngine();
  GameEngine(const GameEngine&) = delete;
  GameEngine& operator=(const GameEngine&) = delete;

  // --- Commands -------------------------------------------------------------------------------

  // Deals a new game (discarding a running one) and lets the computer open when it draws first.
  void NewGame();
  // Ends the game: everything back as after start-up, state NoGame.
  void CloseGame();
  // The human's move from the tiles laid this turn. Refused shapes, challenged words and played
  // moves are handled and logged; a played move is answered by the computer. Only in Playing.
  void Submit(const TurnTiles& tiles);
  void Pass();
  // Exchanges the given rack letters (those marked for change). Only in Playing. Answers
  // whether the tiles were changed: a refused change changes nothing.
  bool Change(std::string markedLetters);
  // The tiles laid this turn go back to the rack.
  void GatherTiles();

  // The review of the history, one record at a time (the buttons of the review mode).
  void StartReview();
  void StepBack();
  void StepForward();
  void GoToStart();
  void GoToEnd();
  void EndReview();

  // Game files: asks for a path and loads or saves; LoadGameFile and SaveGameFile do the work
  // for a known path and report failures to the user.
  void OpenGame();
  void SaveGame();
  bool LoadGameFile(std::string path);
  bool SaveGameFile(const std::string& path);
  // Asks for a path and writes the game report there, as text or as an HTML page. Neither a
  // report nor an export ever replaces a saved game or anything but a regular file.
  void CreateReport(bool html);
  std::string ReportText(bool html);
  // The game as a GCG record; ExportGcg asks for a path and writes it there, WriteGcg writes
  // it to a known path. Failures are reported as a report's are.
  std::string GcgText() const;
  // The layout the game is played on, from its first position.
  std::string GameLayout() const;
  void ExportGcg();
  bool WriteGcg(const std::string& path);

  // A game recorded elsewhere, as GCG: replayed into a game of the type its description names
  // (Scrabble when it names none), with the computer's analysis of every position, to review.
  // Words the main list lacks are kept as played (the log marks them). A record that
  // contradicts itself (tiles not in the bag, a play off the board or touching nothing, a score
  // or total that does not add up) is refused with "line N: reason", and the running game
  // stays. ImportGcg asks for a file; ImportGcgFile reports failures as Open Game does.
  void ImportGcg();
  bool ImportGcgFile(const std::string& path);
  bool ImportGcgText(const std::string& text, std::string* error = nullptr);

  // Configuration while the game allows it; each refuses with its message otherwise and answers
  // whether it went ahead.
  bool ChooseGameType(GameType type);
  bool AllowLetterFrequencyChange();
  bool ClearBoardConfiguration();
  bool UndoClearBoardConfiguration();
  bool DefaultBoardConfiguration();
  bool AllowSaveBoardConfiguration();
  bool AllowChooseBoardConfiguration();
  // Steps a square's kind with the mouse outside a game; ignored during one.
  void EditSquare(int row, int column, bool forward);

  // Loads a new main word list; the old one stays when the file cannot be read, holds no word,
  // or the user stops the build of its structure. Answers whether the list was replaced.
  bool SetDictionary(const std::string& path);

  // --- Help for the player ----------------------------------------------------------------
  // None of these changes the game, its history or what a saved game holds.

  // The words and score Submit would give the tiles, or why it would refuse them. A blank not
  // yet named is tried as every letter, the first that makes every word naming itself.
  TurnPreview PreviewTurn(const TurnTiles& tiles);
  // The human's best move as the computer at "Genius" rates it; nothing when there is none.
  std::optional<Move> BestMoveForHuman();
  // The computer's judgement of the human's position, as the human's next move will record it.
  // Made once a position: the move, the hint and this share it.
  const MoveChooser& HumanAnalysis();
  // The tiles of the computer's last move while it is the last turn of the history.
  std::vector<TurnTile> LastComputerMove() const;
  // Tells the user in a message box whether the word is in the main word list.
  void CheckWord(const std::string& word);

  // Takes back the human's last command (a move, a pass, a change or a challenged word) with
  // the computer's reply; again and again back to the deal. Only in Playing. Answers whether
  // there was anything to take back.
  bool TakeBack();
  bool CanTakeBack() const;

  // The games kept for resuming, in a folder (an empty one keeps nothing). A game in play has a
  // file of its own there, written after every turn and before New Game, Open Game, Close Game,
  // Resume or the window's closing replaces it; an ended game's file goes.
  void SetResumeFolder(std::string folder) { resumeFolder_ = std::move(folder); }
  const std::string& ResumeFolder() const { return resumeFolder_; }
  // The kept games but the running one's own, newest first.
  std::vector<RecentGame> RecentGames() const;
  bool HasResumableGame() const { return !RecentGames().empty(); }
  // Writes the game in play to its own file; a game not in play needs nothing written.
  FileWriteResult KeepRunningGame();
  // Keeps the game in play before something replaces it. When it cannot be kept, the user is
  // told why and may save it elsewhere, discard it or cancel: false for cancel, and the caller
  // then leaves the game as it is.
  bool KeepBeforeReplacing();
  // Opens the newest kept game, or a given one (keeping the running one first); a file that
  // does not load is reported as Open Game reports it. The game opened goes on in a file of its
  // own, so that no two copies of the program play on from one file.
  bool ResumeLastGame();
  bool ResumeGame(const std::string& path);

  // --- State ----------------------------------------------------------------------------------

  GameState State() const { return state_; }
  Board& GetBoard() { return *board_; }
  const Board& GetBoard() const { return *board_; }
  Bag& GetBag() { return *bag_; }
  const Bag& GetBag() const { return *bag_; }
  Player& Human() { return *human_; }
  Player& Computer() { return *computer_; }
  const Player& Human() const { return *human_; }
  const Player& Computer() const { return *computer_; }
  Player& PlayerAt(bool computer) { return computer ? *computer_ : *human_; }
  const WordList& MainWords() const { return *mainDictionary_; }
  const WordList& SimpleWords() const { return *simpleWords_; }
  const std::vector<MoveRecord>& History() const { return history_; }
  const MoveRecord& CurrentRecord() const { return currentRecord_; }
  bool IsGameOver() const { return gameOver_; }
  int HumanIdleTurns() const { return humanIdleTurns_; }
  int ComputerIdleTurns() const { return computerIdleTurns_; }
  const std::string& WordListPath() const { return wordListPath_; }
  const HistoryViewer* Viewer() const { return viewer_.get(); }
  // True while a game runs that is not over: in Playing, or reviewed while still in play.
  bool InPlay() const {
    return state_ == GameState::Playing || (state_ == GameState::Reviewing && !gameOver_);
  }

  // The computer's level value: 1 to 10, or 50 for the hidden level.
  int Level() const { return levelValue_; }
  void SetLevel(int levelValue) { levelValue_ = levelValue; }
  // How long the champion thinks over a turn, in milliseconds.
  void SetChampionBudget(int milliseconds) { championBudgetMs_ = milliseconds; }
  int ChampionBudget() const { return championBudgetMs_; }
  // Above 0: the champion plays out exactly so many racks a turn, whatever the time, so that the
  // same position always gets the same choice.
  void SetChampionPlayouts(int playouts) { championPlayouts_ = playouts; }
  int ChampionPlayouts() const { return championPlayouts_; }
  // The champion's learnt leave values for the game as it is set up; null for a board or set of
  // the user's own, or when none were learnt.
  const LeaveTable* ChampionLeaves();
  void SetFilter(bool on) { filter_ = on; }
  bool Filter() const { return filter_; }
  // The full-rack bonus in force: the setting, or the one a loaded game was played with.
  int Bonus() const;
  // Sets the bonus setting (and saves it); a loaded game's own bonus gives way to it.
  void SetBonus(int bonus);
  // True when either rack is empty, as before a deal: the tile set may then be changed.
  bool AnyRackEmpty() const;

  // The lines shown beside the board: names, scores, the tiles the human cannot see (W a line),
  // blank lines to fill the block, and the bonus. largeScreen picks 5 or 6 letters a line.
  std::vector<std::string> InformationLines(bool largeScreen) const;
  // The letters the human cannot see, sorted: the bag, and in Playing the computer's rack.
  std::string UnseenLetters() const;

  // The move log the history makes: each move as the log showed it when it was played.
  std::string HistoryLog() const;
  // The current record made from the position as it stands now, with an empty analysis (the
  // report and the review use it in Playing).
  void FillCurrentPositionRecord();
  // The game as a game file's text, and the same read back into a fresh game; LoadGameText
  // leaves the running game untouched and answers false when the text is no consistent game.
  std::string GameText() const;
  bool LoadGameText(const std::string& text, std::string* error = nullptr);

 private:
  void ResetGame();
  void Deal();
  MoveChooser Analyse(Player& mover, Player& opponent, int keepCount);
  // The human's analysis for a record: the one kept for this position, else made now.
  MoveChooser TakeHumanAnalysis();
  void BeginRecord(MoveChooser analysis);
  // The champion's choice for the computer's seat, as the window runs its thinking.
  ChampionChoice ChampionChoiceNow();
  void CompleteRecord(const Move& move);
  // Plays a placement for a player: -30000 when the evaluation rejects it, else its score.
  int RecordMove(Player& player, const Placement& placement, Move* played);
  void RecordPass(Player& player);
  void RecordChange(std::string letters, Player& player);
  bool EndOfGameTest();
  void ComputerTurn();
  void GameOverAnnouncement();
  void LogMove(const Player& player, const Move& move);
  void EndReviewIfRunning();
  void ShowRecord(int index);
  void WriteAnalysis(int index);
  void ApplySavedGame(const SavedGame& saved);
  bool OutsideGame(const char* refusal, const char* caption);
  void BindPlayers(Move& move);
  // Keeps what the human's next command changes, for TakeBack.
  void RememberTurn();
  // Applies a parsed game after keeping the running one for resuming; false when the user
  // chose to go on with the running one.
  bool ReplaceGame(const SavedGame& saved);
  // After a turn: the game in play is kept, an ended one's file removed.
  void KeepAfterTurn();
  // Replays a record into this (fresh) game; false with the line and reason when it does not
  // add up.
  bool ReplayGcg(const GcgRecord& record, std::string* error);

  const Clock& clock_;
  CMoveRegConfig& moveConfig_;
  GameWindow& window_;

  std::shared_ptr<const WordList> mainDictionary_;
  std::shared_ptr<const WordList> simpleWords_;
  std::unique_ptr<Board> board_;
  std::unique_ptr<Bag> bag_;
  std::unique_ptr<Player> human_;
  std::unique_ptr<Player> computer_;

  Candidates candidates_;
  // Everything the human's analysis is made from, to tell whether a kept one still holds.
  struct AnalysisKey {
    std::vector<Square> squares;
    std::string startingLayout;
    LetterTable letterValues{};
    const WordList* words = nullptr;
    const WordList* simpleWords = nullptr;
    std::string rack;
    std::string bag;
    LetterTable frequencies{};
    int bonus = 0;
    bool filter = false;
    friend bool operator==(const AnalysisKey&, const AnalysisKey&) = default;
  };
  AnalysisKey HumanAnalysisKey() const;
  struct KeptAnalysis {
    AnalysisKey key;
    MoveChooser analysis;
    Square searchAnchor;  // where the search that made it left the board's anchor
  };
  std::optional<KeptAnalysis> humanAnalysis_;
  bool gameOver_ = false;
  int levelValue_ = 8;
  int championBudgetMs_ = 1000;
  int championPlayouts_ = 0;
  std::array<std::optional<LeaveTable>, 3> learntLeaves_;  // by game type, read on first use
  std::array<bool, 3> learntLeavesRead_{};
  std::string wordListPath_;
  std::string simpleWordListPath_;
  std::string spareText_;
  std::vector<MoveRecord> history_;
  MoveRecord currentRecord_;
  int humanIdleTurns_ = 0;
  int computerIdleTurns_ = 0;
  int currentKeepCount_ = 200;
  bool filter_ = false;
  std::optional<int> loadedBonus_;  // the bonus of a loaded game, in force until the next deal
  GameState state_ = GameState::NoGame;

  // What a take back restores: everything a human command and the computer's reply change.
  // The history only grows during a command, so its length is enough.
  struct TurnState {
    std::vector<Square> board;
    Square searchAnchor;
    std::string bagContents;
    std::string bagLastDrawn;
    struct PlayerState {
      std::string rack;
      std::int32_t score = 0;
      std::string lastDrawn;
    } human, computer;
    int humanIdleTurns = 0;
    int computerIdleTurns = 0;
    bool gameOver = false;
    std::size_t historyLength = 0;
    MoveRecord currentRecord;
    std::size_t logLength = 0;
  };
  std::vector<TurnState> takeBack_;
  std::string resumeFolder_;
  std::string keptPath_;  // the game in play's own file among the kept games, once written

  // The review, and the game put aside while it runs.
  std::unique_ptr<HistoryViewer> viewer_;
  std::vector<Square> asideBoard_;
  std::int32_t asideHumanScore_ = 0;
  std::int32_t asideComputerScore_ = 0;
  std::string asideBag_;
};

}  // namespace lumiquad
