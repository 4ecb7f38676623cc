#include "game/game_engine.h"

#include "game/champion_leaves.h"
#include "words/anagram_keys.h"

#include <algorithm>

#include "ai/move_chooser.h"
#include "ai/move_generator.h"
#include "model/presets.h"
#include "rules/evaluate_placement.h"

namespace lumiquad {

namespace {

constexpr int kRejected = -30000;
constexpr const char* kSixteenSpaces = "                ";
constexpr const char* kConfigurationRefused =
    "Changing the board configuration is not allowed during a game";

std::string Sorted(std::string letters) {
  std::sort(letters.begin(), letters.end());
  return letters;
}

}  // namespace

SharedWordLists LoadSharedWordLists(const std::string& mainPath, const std::string& simplePath) {
  SharedWordLists words{std::make_shared<const WordList>(LoadMainWordList(mainPath)),
                        std::make_shared<const WordList>(LoadWordList(simplePath)), mainPath,
                        simplePath};
  words.main->MakeSearchTables();
  return words;
}

GameEngine::GameEngine(SettingsStore& store, const Clock& clock, CMoveRegConfig& moveConfig,
                       GameWindow& window, const std::string& mainWordListPath,
                       const std::string& simpleWordListPath)
    : GameEngine(
          store, clock, moveConfig, window,
          SharedWordLists{std::make_shared<const WordList>(LoadMainWordList(
                              mainWordListPath,
                              [&window](int percent) { return window.WordListProgress(percent); })),
                          std::make_shared<const WordList>(LoadWordList(simpleWordListPath)),
                          mainWordListPath, simpleWordListPath}) {}

GameEngine::GameEngine(SettingsStore& store, const Clock& clock, CMoveRegConfig& moveConfig,
                       GameWindow& window, const SharedWordLists& words)
    : clock_(clock),
      moveConfig_(moveConfig),
      window_(window),
      mainDictionary_(words.main),
      simpleWords_(words.simple),
      board_(std::make_unique<Board>(store, mainDictionary_.get())),
      bag_(std::make_unique<Bag>(store, clock)),
      human_(std::make_unique<Player>(store, false, *bag_)),
      computer_(std::make_unique<Player>(store, true, *bag_)),
      wordListPath_(words.mainPath),
      simpleWordListPath_(words.simplePath) {}

GameEngine::~GameEngine() = default;

int GameEngine::Bonus() const { return loadedBonus_.value_or(moveConfig_.GetBonus()); }

void GameEngine::SetBonus(int bonus) {
  moveConfig_.SetBonus(bonus);
  loadedBonus_.reset();
}

bool GameEngine::AnyRackEmpty() const { return human_->rack.empty() || computer_->rack.empty(); }

void GameEngine::ResetGame() {
  humanAnalysis_.reset();
  board_->ResetBoard();
  board_->SaveSnapshot();
  bag_->FillBag();
  history_.clear();
  currentRecord_ = MoveRecord{};
  humanIdleTurns_ = 0;
  computerIdleTurns_ = 0;
  for (Player* player : {human_.get(), computer_.get()}) {
    player->rack.clear();
    player->score = 0;
    player->workingText.clear();
  }
  candidates_ = Candidates();
  spareText_.clear();
  gameOver_ = false;
  loadedBonus_.reset();
  takeBack_.clear();
  keptPath_.clear();
}

void GameEngine::Deal() {
  for (Player* player : {computer_.get(), human_.get()}) {
    if (player->rack.empty()) player->NewRack();
  }
}

void GameEngine::NewGame() {
  if (!KeepBeforeReplacing()) return;
  ResetGame();
  Deal();
  // The position before the first move is the current record, so that a game saved before
  // anyone moves opens again.
  FillCurrentPositionRecord();
  window_.ClearTiles();
  window_.TilesChanged();
  window_.SetTitle(kWindowTitle);
  window_.ClearLog();
  window_.SetButtonMode(ButtonMode::Play);
  state_ = GameState::Playing;
  const bool humanFirst = RandomInts(10, 3, clock_)[1] < 5;
  if (!humanFirst) ComputerTurn();
  KeepAfterTurn();
  window_.Repaint(false);
}

void GameEngine::CloseGame() {
  if (!KeepBeforeReplacing()) return;
  ResetGame();
  for (Player* player : {computer_.get(), human_.get()}) {
    player->rack.clear();
    player->score = 0;
  }
  bag_->FillBag();
  window_.ClearTiles();
  window_.TilesChanged();
  window_.SetTitle(kWindowTitle);
  window_.ClearLog();
  window_.Repaint(false);
  state_ = GameState::NoGame;
  window_.SetButtonMode(ButtonMode::Play);
}

MoveChooser GameEngine::Analyse(Player& mover, Player& opponent, int keepCount) {
  // The same search as the computer's turn, for whoever moves; an empty board anchors on the
  // centre as a first move does.
  board_->SetMover(mover.IsComputer() ? 1 : 0);
  MarkCentreAnchor(*board_);
  FindTopCandidates(*board_, mover.rack, Bonus(), keepCount + 1, candidates_);
  return MoveChooser(candidates_, keepCount, *board_, *bag_, mover, opponent, simpleWords_.get(),
                     filter_, Bonus());
}

GameEngine::AnalysisKey GameEngine::HumanAnalysisKey() const {
  return {board_->Squares(),
          board_->StartingLayout(),
          board_->GetLetterValues(),
          board_->DictionaryRef(),
          simpleWords_.get(),
          human_->rack,
          bag_->GetContents(),
          bag_->Frequencies(),
          Bonus(),
          filter_};
}

const MoveChooser& GameEngine::HumanAnalysis() {
  if (!humanAnalysis_ || !(humanAnalysis_->key == HumanAnalysisKey())) {
    MoveChooser analysis = Analyse(*human_, *computer_, kKeepCount);
    humanAnalysis_ = KeptAnalysis{HumanAnalysisKey(), std::move(analysis), board_->searchAnchor};
  }
  return humanAnalysis_->analysis;
}

MoveChooser GameEngine::TakeHumanAnalysis() {
  HumanAnalysis();
  // The board as the search leaves it, as if it had run now.
  board_->searchAnchor = humanAnalysis_->searchAnchor;
  MoveChooser analysis = std::move(humanAnalysis_->analysis);
  humanAnalysis_.reset();
  return analysis;
}

void GameEngine::BeginRecord(MoveChooser analysis) {
  currentRecord_.analysis = std::move(analysis);
  currentRecord_.board = board_->Squares();
  currentRecord_.computerScore = computer_->score;
  currentRecord_.humanScore = human_->score;
  currentRecord_.bagLetters = bag_->GetContents();
}

void GameEngine::CompleteRecord(const Move& move) {
  currentRecord_.move = move;
  history_.push_back(currentRecord_);
}

void GameEngine::FillCurrentPositionRecord() {
  MoveChooser empty(std::vector<Move>{}, currentKeepCount_, *board_, *bag_, *computer_, *human_,
                    simpleWords_.get(), filter_, Bonus());
  BeginRecord(std::move(empty));
}

int GameEngine::RecordMove(Player& player, const Placement& placement, Move* played) {
  const int mover = player.IsComputer() ? 1 : 0;
  (mover == 1 ? computerIdleTurns_ : humanIdleTurns_) = 0;
  board_->SetMover(mover);
  Move move = EvaluatePlacement(*board_, placement, player.rack,
                                {.checkWords = true, .trial = false, .bonus = Bonus()});
  move.player = &player;
  *played = move;
  if (move.invalid) return kRejected;
  player.PlayTiles(PlacedTiles(move), move.total);
  CompleteRecord(move);
  return move.total;
}

void GameEngine::RecordPass(Player& player) {
  Move pass;
  pass.isPass = true;
  pass.player = &player;
  pass.moverIndex = player.IsComputer() ? 1 : 0;
  pass.rackBefore = player.rack;
  pass.rackAfter = player.rack;
  CompleteRecord(pass);
  ++(player.IsComputer() ? computerIdleTurns_ : humanIdleTurns_);
}

void GameEngine::RecordChange(std::string letters, Player& player) {
  Move change;
  change.isExchange = true;
  change.exchangedLetters = letters;
  change.player = &player;
  change.moverIndex = player.IsComputer() ? 1 : 0;
  change.rackBefore = player.rack;
  player.ExchangeTiles(std::move(letters));
  change.rackAfter = player.rack;
  CompleteRecord(change);
  ++(player.IsComputer() ? computerIdleTurns_ : humanIdleTurns_);
}

bool GameEngine::EndOfGameTest() {
  gameOver_ =
      (bag_->IsEmpty() && AnyRackEmpty()) || (humanIdleTurns_ >= 3 && computerIdleTurns_ >= 3);
  return gameOver_;
}

namespace {

std::string LogLine(const Player& player, const Move& move) {
  return "\n\n" + player.Name() + ":\n" + DescribeMove(move, 0, false) + "\n";
}

}  // namespace

void GameEngine::LogMove(const Player& player, const Move& move) {
  window_.AppendLog(LogLine(player, move));
}

std::string GameEngine::HistoryLog() const {
  std::string log;
  for (const MoveRecord& record : history_) {
    const Move& move = record.move;
    // Passes and changes are not logged as they happen, so neither are they here.
    if (move.isPass || move.isExchange) continue;
    std::string line = LogLine(move.moverIndex == 1 ? *computer_ : *human_, move);
    // A game recorded elsewhere may hold words this list lacks: kept as played, and said.
    std::string missing;
    if (!move.invalid) {
      std::vector<std::string> words = move.crossWords;
      words.insert(words.begin(), move.mainWord);
      for (const std::string& word : words) {
        if (!word.empty() && !mainDictionary_->ContainsWord(word)) {
          missing += (missing.empty() ? "" : ", ") + word;
        }
      }
    }
    if (!missing.empty()) line.insert(line.size() - 1, " (not in the word list: " + missing + ")");
    log += line;
  }
  return log;
}

void GameEngine::Submit(const TurnTiles& tiles) {
  if (state_ != GameState::Playing) return;
  window_.SetBusy(true);
  std::optional<Move> gathered = GatherPlacement(*board_, tiles, 0);
  // The tiles laid must be the human's own, each once.
  if (gathered && !RackHolds(human_->rack, gathered->placedLetters)) gathered.reset();
  if (!gathered) {
    window_.AppendLog("\n\nThe move was invalid\n");
    window_.SetStatusText("The Move was invalid");
    window_.SetBusy(false);
    window_.ShowMessage(kInvalidPlacementText, "Invalid move", MessageIcon::None);
    return;
  }
  Placement placement{gathered->placedLetters, gathered->row,    gathered->column,
                      gathered->Direction(),   gathered->blank1, gathered->blank2};
  for (int blank : {placement.blank1, placement.blank2}) {
    if (blank < 0) continue;
    // A blank named as it was laid is not asked for again; the dialog asks until a letter is
    // chosen.
    char letter = NamedBlankLetter(
        tiles, blank == gathered->blank1 ? gathered->blank1Square : gathered->blank2Square);
    for (int tries = 0; tries < 100 && !(letter >= 'A' && letter <= 'Z'); ++tries) {
      letter = window_.AskBlankLetter();
    }
    if (!(letter >= 'A' && letter <= 'Z')) {
      window_.SetBusy(false);
      return;
    }
    placement.letters[static_cast<std::size_t>(blank)] = letter;
  }

  RememberTurn();
  BeginRecord(TakeHumanAnalysis());
  Move played;
  if (RecordMove(*human_, placement, &played) == kRejected) {
    // Challenged: recorded and logged, the tiles go back and the turn stays with the human.
    CompleteRecord(played);
    LogMove(*human_, played);
    window_.ReturnTurnTiles();
    KeepAfterTurn();
    window_.Repaint(false);
    window_.SetBusy(false);
    return;
  }
  LogMove(*human_, played);
  window_.TilesChanged();
  window_.Repaint(false);
  if (EndOfGameTest()) {
    window_.SetBusy(false);
    GameOverAnnouncement();
  } else {
    ComputerTurn();
  }
  KeepAfterTurn();
  window_.Repaint(false);
  window_.SetBusy(false);
}

void GameEngine::Pass() {
  if (state_ != GameState::Playing) return;
  window_.SetBusy(true);
  // Tiles left on the board would lie where the computer may play.
  window_.ReturnTurnTiles();
  RememberTurn();
  BeginRecord(TakeHumanAnalysis());
  RecordPass(*human_);
  ComputerTurn();
  KeepAfterTurn();
  window_.Repaint(false);
  window_.SetBusy(false);
}

// The letters are taken by value: a caller may hand in the rack itself, which the exchange
// changes while it reads them.
bool GameEngine::Change(std::string markedLetters) {
  if (state_ != GameState::Playing) return false;
  if (markedLetters.empty()) {
    window_.ShowMessage(
        "Select the tiles you wish to change by right-clicking\n"
        "the tile(s) on your rack to select or unselect",
        "Change", MessageIcon::None);
    return false;
  }
  if (bag_->Size() < static_cast<int>(markedLetters.size())) {
    window_.ShowMessage("You cannot change as there not enough letters left", kApplicationTitle,
                        MessageIcon::None);
    return false;
  }
  if (!RackHolds(human_->rack, markedLetters)) return false;
  window_.SetBusy(true);
  window_.ReturnTurnTiles();
  RememberTurn();
  BeginRecord(TakeHumanAnalysis());
  RecordChange(std::move(markedLetters), *human_);
  window_.TilesChanged();
  ComputerTurn();
  KeepAfterTurn();
  window_.Repaint(false);
  window_.SetBusy(false);
  return true;
}

void GameEngine::GatherTiles() {
  if (AnyRackEmpty()) return;
  window_.ReturnTurnTiles();
  window_.Repaint(false);
}

void GameEngine::ComputerTurn() {
  window_.SetBusy(true);
  window_.SetStatusText(computer_->Name() + " is thinking...");
  MarkCentreAnchor(*board_);
  board_->SetMover(1);
  FindTopCandidates(*board_, computer_->rack, Bonus(), kKeepCount + 1, candidates_);
  MoveChooser chooser(candidates_, kKeepCount, *board_, *bag_, *computer_, *human_,
                      simpleWords_.get(), filter_, Bonus());
  Move chosen;
  if (levelValue_ == kChampionLevel) {
    const ChampionChoice choice = ChampionChoiceNow();
    if (choice.kind == ChampionChoice::Kind::Exchange &&
        bag_->Size() >= static_cast<int>(choice.exchange.size()) &&
        RackHolds(computer_->rack, choice.exchange)) {
      BeginRecord(std::move(chooser));
      RecordChange(choice.exchange, *computer_);
      window_.SetBusy(false);
      window_.ShowMessage("CHANGE",
                          computer_->Name() + " changed " + std::to_string(choice.exchange.size()) +
                              (choice.exchange.size() == 1 ? " tile" : " tiles"),
                          MessageIcon::None);
      window_.SetStatusText("");
      window_.TilesChanged();
      if (EndOfGameTest()) GameOverAnnouncement();
      return;
    }
    chosen = choice.kind == ChampionChoice::Kind::Place ? choice.move : Move{};
    if (choice.kind != ChampionChoice::Kind::Place) chosen.mainWord = kNoMoveWord;
  } else {
    chosen = chooser.ChooseMove(levelValue_);
  }
  bool played = false;
  if (chosen.mainWord != kNoMoveWord && !candidates_.Empty() && chosen.total > 0) {
    LogMove(*computer_, chosen);
    BeginRecord(std::move(chooser));
    Move move;
    const Placement placement{chosen.placedLetters, chosen.row,    chosen.column,
                              chosen.Direction(),   chosen.blank1, chosen.blank2};
    played = RecordMove(*computer_, placement, &move) != kRejected;
  } else {
    BeginRecord(std::move(chooser));
  }
  if (!played) {
    RecordPass(*computer_);
    window_.SetBusy(false);
    window_.ShowMessage("PASS", computer_->Name() + " passed", MessageIcon::None);
  }
  window_.SetStatusText("");
  window_.TilesChanged();
  window_.SetBusy(false);
  if (EndOfGameTest()) GameOverAnnouncement();
}

const LeaveTable* GameEngine::ChampionLeaves() {
  const std::optional<GameType> type = BuiltInTypeOf(*board_, *bag_, Bonus());
  if (!type) return nullptr;
  const auto index = static_cast<std::size_t>(*type);
  if (!learntLeavesRead_[index]) {
    learntLeavesRead_[index] = true;
    learntLeaves_[index] = ReadLearntLeaves(*type);
  }
  return learntLeaves_[index] ? &*learntLeaves_[index] : nullptr;
}

ChampionChoice GameEngine::ChampionChoiceNow() {
  // What a player in the computer's seat knows; its lazily made search tables are made here
  // first, so that the thinking only reads what the window reads too.
  ChampionView view;
  view.board = board_.get();
  view.rack = computer_->rack;
  view.unseen = bag_->GetContents() + human_->rack;
  view.bagSize = bag_->Size();
  view.score = computer_->score;
  view.opponentScore = human_->score;
  view.bonus = Bonus();
  view.seed = static_cast<std::uint64_t>(clock_.Seconds());
  if (const WordList* words = board_->DictionaryRef()) words->MakeSearchTables();
  ChampionOptions options;
  options.budget = std::chrono::milliseconds(championBudgetMs_);
  options.playouts = championPlayouts_;
  options.leaves = ChampionLeaves();
  return window_.Think([view, options] { return ChooseChampion(view, options); });
}

void GameEngine::GameOverAnnouncement() {
  state_ = GameState::GameOver;
  KeepAfterTurn();  // the ended game's kept file goes before any question is asked
  window_.Repaint(false);
  const std::vector<std::string> lines = InformationLines(true);
  std::string text = std::string(kSixteenSpaces) + "GAME OVER\n\n";
  for (std::size_t i = 0; i < 4 && i < lines.size(); ++i) {
    text += kSixteenSpaces + lines[i] + "\n";
  }
  window_.ShowMessage(text, kApplicationTitle, MessageIcon::None);
  window_.SetButtonMode(ButtonMode::Review);
  window_.EnableGameButton(false);
  window_.Repaint(false);
  for (;;) {
    switch (window_.AskGameOverChoice()) {
      case GameOverChoice::PlayAgain:
        NewGame();
        return;
      case GameOverChoice::SaveGame:
        SaveGame();
        break;
      case GameOverChoice::Review:
        state_ = GameState::GameOver;
        StartReview();
        return;
      case GameOverChoice::ExitProgram:
        window_.RequestClose();
        return;
    }
  }
}

std::string GameEngine::UnseenLetters() const {
  if (state_ == GameState::NoGame) return {};
  std::string letters = bag_->GetContents();
  if (state_ == GameState::Playing) letters += computer_->rack;
  return Sorted(letters);
}

std::vector<std::string> GameEngine::InformationLines(bool largeScreen) const {
  std::vector<std::string> lines = {human_->Name(), std::to_string(human_->score),
                                    computer_->Name(), std::to_string(computer_->score), ""};
  const std::size_t block = largeScreen ? 24 : 17;
  const std::size_t width = largeScreen ? 5 : 6;
  std::size_t letterLines = 0;
  if (state_ != GameState::NoGame) {
    const std::string letters = UnseenLetters();
    if (letters.empty()) {
      lines.emplace_back();
      letterLines = 1;
    }
    for (std::size_t at = 0; at < letters.size(); at += width, ++letterLines) {
      lines.push_back(letters.substr(at, width));
    }
  }
  for (std::size_t i = letterLines; i < block; ++i) lines.emplace_back();
  lines.push_back("Bonus = " + std::to_string(Bonus()));
  return lines;
}

bool GameEngine::ChooseGameType(GameType type) {
  if (!AnyRackEmpty()) {
    window_.ShowMessage("Choosing the game type is not allowed during a game.", "Failure",
                        MessageIcon::Information);
    return false;
  }
  ApplyGameType(type, *board_, *bag_, moveConfig_);
  board_->SaveSnapshot();
  loadedBonus_.reset();
  window_.Repaint(false);
  return true;
}

bool GameEngine::AllowLetterFrequencyChange() {
  if (AnyRackEmpty()) return true;
  window_.ShowMessage("Setting the letter frequencies during a game is not allowed.", "Failure",
                      MessageIcon::Information);
  return false;
}

// Board configuration is for outside a game; during one each command is refused with its own
// message.
bool GameEngine::OutsideGame(const char* refusal, const char* caption) {
  if (state_ == GameState::NoGame) return true;
  window_.ShowMessage(refusal, caption, MessageIcon::None);
  return false;
}

bool GameEngine::ClearBoardConfiguration() {
  if (!OutsideGame("Clearing the board is not allowed during a game", "Default Board")) {
    return false;
  }
  board_->ClearBoardLayout();
  window_.Repaint(true);
  return true;
}

bool GameEngine::UndoClearBoardConfiguration() {
  if (!OutsideGame(kConfigurationRefused, "Undo Board")) return false;
  board_->UndoClearBoardLayout();
  window_.Repaint(true);
  return true;
}

bool GameEngine::DefaultBoardConfiguration() {
  if (!OutsideGame(kConfigurationRefused, "Default Board")) return false;
  board_->LayLumiquad();
  board_->SetDefaultBoard("");
  window_.Repaint(true);
  return true;
}

bool GameEngine::AllowSaveBoardConfiguration() {
  return OutsideGame("Board configurations must be saved prior to a game", "Save Error");
}

bool GameEngine::AllowChooseBoardConfiguration() {
  return OutsideGame(kConfigurationRefused, "Choose Board");
}

void GameEngine::EditSquare(int row, int column, bool forward) {
  if (state_ != GameState::NoGame) return;
  board_->StepSquareKind(row, column, forward);
  window_.Repaint(true);
}

bool GameEngine::SetDictionary(const std::string& path) {
  if (!CanReadFile(path)) return false;
  bool stopped = false;
  auto list = std::make_unique<WordList>(LoadMainWordList(
      path, [this](int percent) { return window_.WordListProgress(percent); }, &stopped));
  // A build the user stopped keeps the list the game has.
  if (stopped || list->IsEmpty()) return false;
  // A new list may take the old one's place in memory: no analysis of the old one is kept, and
  // the analyses of the moves made are made whole while it is still there.
  humanAnalysis_.reset();
  for (const MoveRecord& record : history_) record.analysis.Ranked();
  currentRecord_.analysis.Ranked();
  mainDictionary_ = std::move(list);
  board_->SetDictionaryRef(mainDictionary_.get());
  wordListPath_ = path;
  return true;
}

}  // namespace lumiquad
