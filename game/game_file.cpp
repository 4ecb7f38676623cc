#include "game/game_file.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "model/layouts.h"

namespace lumiquad {

namespace {

constexpr int kStorageSize = kBoardSize + 1;  // the file keeps a 16 by 16 grid
constexpr std::size_t kMoveSectionLines = 24;
constexpr std::size_t kSquareLines = 6;
constexpr std::size_t kMaxCrossWords = kBoardSize;
constexpr std::size_t kMaxBagTiles = 27 * 100 + 2;
// No game comes near these: a move scores at most a few million points (seven tiles on
// quadruple word squares at the highest letter values) and a board holds 225 tiles, and a run
// of idle turns ends with the game. Larger numbers are damage, and would overflow as the game
// goes on.
constexpr long long kMaxScore = 1'000'000'000;
constexpr long long kMaxIdleTurns = 1000;

// ---- Writing -------------------------------------------------------------------------------

class Writer {
 public:
  void Text(std::string_view text) {
    // A line break inside a text would split its line in two.
    for (char c : text) out_ += (c == '\n' || c == '\r') ? ' ' : c;
    out_ += '\n';
  }
  void Number(long long number) {
    char digits[24];
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, number);
    out_.append(digits, end);
    out_ += '\n';
  }
  void Flag(bool flag) { Number(flag ? 1 : 0); }
  void Real(double number) {
    char digits[32];
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, number);
    out_.append(digits, end);
    out_ += '\n';
  }
  void SquareSection(const Square& square) {
    Text(std::string(1, square.character));
    Flag(square.blank != 0);
    Flag(square.anchor != 0);
    Number(square.row);
    Number(square.column);
    Flag(square.placedBy != 0);
  }
  void MoveSection(const Move& move, int bonus) {
    Text(move.rackBefore);
    Text(move.rackAfter);
    Number(move.total);
    Real(move.evaluation);
    Number(bonus);
    Number(static_cast<long long>(move.crossWords.size()));
    for (const std::string& word : move.crossWords) Text(word);
    Number(static_cast<long long>(move.crossScores.size()));
    for (std::int32_t score : move.crossScores) Number(score);
    Flag(move.isExchange);
    Flag(move.invalid);
    Text(move.placedLetters);
    Text(move.exchangedLetters);
    Text(move.mainWord);
    Number(move.mainScore);
    Number(move.row);
    Number(move.column);
    Text(move.directionText);
    Number(move.blank1Square.row);
    Number(move.blank1Square.column);
    Number(move.blank2Square.row);
    Number(move.blank2Square.column);
    Number(move.blank1);
    Number(move.blank2);
    Flag(move.isPass);
    Flag(move.moverIndex != 0);
  }
  void PlayerSection(const SavedPlayer& player) {
    Text(player.name);
    Text(player.rack);
    Number(player.spareNumber);
    Text(player.workingText);
    Text(player.lastDrawn);
    Number(player.score);
    Flag(player.computer);
    Number(player.savedScore);
  }
  void RecordSection(const SavedRecord& record, int bonus) {
    MoveSection(record.move, bonus);
    Number(static_cast<long long>(record.analysis.ranked.size()));
    for (const Move& move : record.analysis.ranked) MoveSection(move, bonus);
    Number(record.analysis.keepCount);
    Real(record.analysis.leaveWeight);
    Number(static_cast<long long>(record.squares.size()));
    for (const Square& square : record.squares) SquareSection(square);
    Number(record.computerScore);
    Number(record.humanScore);
    Text(record.bagLetters);
  }

  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

// ---- Reading -------------------------------------------------------------------------------

bool IsTile(char c) { return (c >= 'A' && c <= 'Z') || c == '?'; }
bool IsLetters(std::string_view text, std::size_t longest) {
  if (text.size() > longest) return false;
  for (char c : text) {
    if (c < 'A' || c > 'Z') return false;
  }
  return true;
}
bool IsTiles(std::string_view text, std::size_t longest) {
  if (text.size() > longest) return false;
  for (char c : text) {
    if (!IsTile(c)) return false;
  }
  return true;
}

// Reads the file line by line. The first failure is kept with its line number; every later
// read then does nothing, so a section can be read straight through and checked once.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {
    for (char c : text) lines_ += c == '\n' ? 1 : 0;
    if (!text.empty() && text.back() != '\n') ++lines_;
  }

  bool Failed() const { return !error_.empty(); }
  const std::string& Error() const { return error_; }
  std::size_t LinesLeft() const { return lines_ - static_cast<std::size_t>(line_); }

  void Fail(const std::string& why) {
    if (!Failed()) error_ = "line " + std::to_string(line_) + ": " + why;
  }

  std::string Text() {
    if (Failed()) return {};
    if (at_ >= text_.size()) {
      ++line_;
      Fail("the file ends too soon");
      return {};
    }
    std::size_t end = text_.find('\n', at_);
    if (end == std::string_view::npos) end = text_.size();
    std::string_view line = text_.substr(at_, end - at_);
    at_ = end + 1;
    ++line_;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return std::string(line);
  }

  std::int32_t Number(long long low = INT32_MIN, long long high = INT32_MAX) {
    const std::string line = Text();
    if (Failed()) return 0;
    std::string_view digits = Trim(line);
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    long long value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
      Fail("\"" + line + "\" is not a number");
      return 0;
    }
    if (value < low || value > high) {
      Fail(std::to_string(value) + " is out of range");
      return 0;
    }
    return static_cast<std::int32_t>(value);
  }

  bool Flag() { return Number() != 0; }

  double Real() {
    const std::string line = Text();
    if (Failed()) return 0;
    std::string_view digits = Trim(line);
    double value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        !std::isfinite(value)) {
      Fail("\"" + line + "\" is not a number");
      return 0;
    }
    return value;
  }

  // A count of items that each take at least `linesEach` lines: more than the file holds is a
  // damaged count, not a reason to read on.
  std::size_t Count(std::size_t linesEach, long long largest = INT32_MAX) {
    const std::int32_t count = Number(0, largest);
    if (Failed()) return 0;
    if (static_cast<std::size_t>(count) > LinesLeft() / linesEach) {
      Fail("a count of " + std::to_string(count) + " is more than the file holds");
      return 0;
    }
    return static_cast<std::size_t>(count);
  }

  void Expect(bool condition, const std::string& why) {
    if (!condition) Fail(why);
  }

 private:
  static std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
  }

  std::string_view text_;
  std::size_t at_ = 0;
  std::size_t lines_ = 0;
  int line_ = 0;
  std::string error_;
};

// One square; `row` and `column` are where it lies, or -1 for the storage beyond the board.
Square ReadSquare(Reader& in, int row, int column) {
  Square square;
  const std::string character = in.Text();
  square.character = character.empty() ? '\0' : character[0];
  in.Expect(character.size() <= 1, "a square holds one character");
  in.Expect(square.character == '\0' || IsKindCode(square.character) ||
                (square.character >= 'A' && square.character <= 'Z'),
            "a square holds a kind code or a tile letter");
  square.blank = in.Flag() ? 1 : 0;
  square.anchor = in.Flag() ? 1 : 0;
  square.row = in.Number(-1, kBoardSize - 1);
  square.column = in.Number(-1, kBoardSize - 1);
  square.placedBy = in.Flag() ? 1 : 0;
  if (row >= 0 && !in.Failed()) {
    in.Expect(square.row == row && square.column == column,
              "the square of row " + std::to_string(row) + ", column " + std::to_string(column) +
                  " is out of place");
  }
  return square;
}

Move ReadMove(Reader& in, std::optional<int>& lastBonus) {
  Move move;
  move.rackBefore = in.Text();
  in.Expect(IsTiles(move.rackBefore, 7), "a rack holds at most 7 tiles");
  move.rackAfter = in.Text();
  in.Expect(IsTiles(move.rackAfter, 7), "a rack holds at most 7 tiles");
  move.total = in.Number(-kMaxScore, kMaxScore);
  move.evaluation = in.Real();
  lastBonus = in.Number(0, kMaxBonus);
  const std::size_t words = in.Count(1, kMaxCrossWords);
  for (std::size_t i = 0; i < words && !in.Failed(); ++i) {
    move.crossWords.push_back(in.Text());
    in.Expect(IsLetters(move.crossWords.back(), kBoardSize), "a cross word holds only letters");
  }
  const std::size_t scores = in.Count(1, kMaxCrossWords);
  in.Expect(scores == words, "a move has as many cross-word scores as cross words");
  for (std::size_t i = 0; i < scores && !in.Failed(); ++i) {
    move.crossScores.push_back(in.Number(-kMaxScore, kMaxScore));
  }
  move.isExchange = in.Flag();
  move.invalid = in.Flag();
  move.placedLetters = in.Text();
  in.Expect(IsLetters(move.placedLetters, 7), "a move places at most 7 letters");
  move.exchangedLetters = in.Text();
  in.Expect(IsTiles(move.exchangedLetters, 7), "a change gives back at most 7 tiles");
  move.mainWord = in.Text();
  in.Expect(IsLetters(move.mainWord, kBoardSize), "a main word holds only letters");
  move.mainScore = in.Number(-kMaxScore, kMaxScore);
  move.row = in.Number(-1, kBoardSize - 1);
  move.column = in.Number(-1, kBoardSize - 1);
  move.directionText = in.Text();
  move.blank1Square.row = in.Number(-1, kBoardSize - 1);
  move.blank1Square.column = in.Number(-1, kBoardSize - 1);
  move.blank2Square.row = in.Number(-1, kBoardSize - 1);
  move.blank2Square.column = in.Number(-1, kBoardSize - 1);
  const auto placed = static_cast<long long>(move.placedLetters.size());
  move.blank1 = in.Number(-1, placed - 1);
  move.blank2 = in.Number(-1, placed - 1);
  move.isPass = in.Flag();
  move.moverIndex = in.Flag() ? 1 : 0;
  // One flipped byte must not turn a move around or lay it off the board.
  in.Expect(
      move.directionText.empty() || move.directionText == "across" || move.directionText == "down",
      "a move goes \"across\" or \"down\"");
  if (!move.placedLetters.empty() && !move.isPass && !move.isExchange) {
    in.Expect(!move.directionText.empty(), "a placed move goes \"across\" or \"down\"");
    in.Expect(move.row >= 0 && move.column >= 0, "a placed move starts on the board");
  }
  return move;
}

// What a move adds to a running total at most: its score, or what the words of a refused one
// would have scored.
long long LargestScore(const Move& move) {
  long long words = std::llabs(move.mainScore);
  for (std::int32_t score : move.crossScores) words += std::llabs(score);
  return std::max<long long>(std::llabs(move.total), words);
}

SavedPlayer ReadPlayer(Reader& in) {
  SavedPlayer player;
  player.name = in.Text();
  player.rack = in.Text();
  in.Expect(IsTiles(player.rack, 7), "a rack holds at most 7 tiles");
  player.spareNumber = in.Number();
  player.workingText = in.Text();
  player.lastDrawn = in.Text();
  in.Expect(IsTiles(player.lastDrawn, kMaxBagTiles), "drawn letters are tiles");
  player.score = in.Number(-kMaxScore, kMaxScore);
  player.computer = in.Flag();
  player.savedScore = in.Number(-kMaxScore, kMaxScore);
  return player;
}

SavedRecord ReadRecord(Reader& in, std::optional<int>& lastBonus) {
  SavedRecord record;
  record.move = ReadMove(in, lastBonus);
  const std::size_t ranked = in.Count(kMoveSectionLines);
  for (std::size_t i = 0; i < ranked && !in.Failed(); ++i) {
    record.analysis.ranked.push_back(ReadMove(in, lastBonus));
  }
  record.analysis.keepCount = in.Number(0);
  record.analysis.leaveWeight = in.Real();
  const std::int32_t squares = in.Number();
  in.Expect(squares == kLayoutLength, "a record holds 225 squares");
  for (int i = 0; i < kLayoutLength && !in.Failed(); ++i) {
    record.squares.push_back(ReadSquare(in, i / kBoardSize, i % kBoardSize));
  }
  record.computerScore = in.Number(-kMaxScore, kMaxScore);
  record.humanScore = in.Number(-kMaxScore, kMaxScore);
  record.bagLetters = in.Text();
  in.Expect(IsTiles(record.bagLetters, kMaxBagTiles), "a bag holds only tiles");
  return record;
}

}  // namespace

std::string FormatGameFile(const SavedGame& game) {
  Writer out;
  out.Flag(game.gameOver);
  out.Text(game.wordListPath);
  out.Number(game.level);
  out.Text(game.spareText);
  out.Text(game.bagLastDrawn);
  out.Text(game.bagContents);
  out.Text(game.unseenText);
  out.PlayerSection(game.computer);
  out.PlayerSection(game.human);
  out.Number(kBoardSize);
  out.Number(kBoardSize);
  for (int r = 0; r < kStorageSize; ++r) {
    for (int c = 0; c < kStorageSize; ++c) {
      const bool inPlay = r < kBoardSize && c < kBoardSize;
      out.SquareSection(inPlay ? game.squares[static_cast<std::size_t>(r * kBoardSize + c)]
                               : Square{});
    }
  }
  out.Number(0);
  out.Number(0);
  out.SquareSection(game.searchAnchor);
  out.Number(kLetterCount);
  for (std::int32_t value : game.letterValues) out.Number(value);
  out.Number(game.humanIdleTurns);
  out.Number(game.computerIdleTurns);
  out.Number(game.keepCount);
  out.Number(static_cast<long long>(game.records.size()));
  for (const SavedRecord& record : game.records) out.RecordSection(record, game.bonus);
  out.RecordSection(game.current, game.bonus);
  return out.Take();
}

namespace {

// The file's first lines, up to and with the two players.
void ReadHead(Reader& in, SavedGame& game) {
  game.gameOver = in.Flag();
  game.wordListPath = in.Text();
  game.level = in.Number(1, 50);
  in.Expect(game.level <= 10 || game.level == 50, "the level is 1 to 10 or 50");
  game.spareText = in.Text();
  game.bagLastDrawn = in.Text();
  in.Expect(IsTiles(game.bagLastDrawn, kMaxBagTiles), "drawn letters are tiles");
  game.bagContents = in.Text();
  in.Expect(IsTiles(game.bagContents, kMaxBagTiles), "a bag holds only tiles");
  game.unseenText = in.Text();
  game.computer = ReadPlayer(in);
  in.Expect(game.computer.computer, "the first player is the computer");
  game.human = ReadPlayer(in);
  in.Expect(!game.human.computer, "the second player is the human");
}

}  // namespace

std::optional<std::pair<SavedPlayer, SavedPlayer>> ParseGamePlayers(std::string_view text) {
  Reader in(text);
  SavedGame game;
  ReadHead(in, game);
  if (in.Failed()) return std::nullopt;
  return std::pair{game.computer, game.human};
}

std::optional<SavedGame> ParseGameFile(std::string_view text, std::string* error) {
  Reader in(text);
  SavedGame game;
  ReadHead(in, game);
  const std::int32_t rows = in.Number();
  const std::int32_t columns = in.Number();
  in.Expect(rows == kBoardSize && columns == kBoardSize, "the board is 15 by 15");
  for (int r = 0; r < kStorageSize && !in.Failed(); ++r) {
    for (int c = 0; c < kStorageSize && !in.Failed(); ++c) {
      const bool inPlay = r < kBoardSize && c < kBoardSize;
      Square square = ReadSquare(in, inPlay ? r : -1, inPlay ? c : -1);
      if (inPlay) game.squares.push_back(square);
    }
  }
  in.Number();  // two working counters of the board that nothing reads
  in.Number();
  game.searchAnchor = ReadSquare(in, -1, -1);
  const std::int32_t values = in.Number();
  in.Expect(values == kLetterCount, "a board has 26 letter values");
  for (int i = 0; i < kLetterCount && !in.Failed(); ++i) {
    game.letterValues[static_cast<std::size_t>(i)] = in.Number();
  }
  game.humanIdleTurns = in.Number(0, kMaxIdleTurns);
  game.computerIdleTurns = in.Number(0, kMaxIdleTurns);
  game.keepCount = in.Number(0);
  const std::size_t records = in.Count(kMoveSectionLines + 3 + kLayoutLength * kSquareLines);
  for (std::size_t i = 0; i < records && !in.Failed(); ++i) {
    game.records.push_back(ReadRecord(in, game.lastBonus));
  }
  game.current = ReadRecord(in, game.lastBonus);
  // Totals summed over the history (a record's, a report's) stay far inside 32 bits.
  long long sum = 0;
  for (const SavedRecord& record : game.records) sum += LargestScore(record.move);
  in.Expect(sum <= kMaxScore, "the moves' scores add up to more than any game holds");
  if (in.Failed()) {
    if (error != nullptr) *error = in.Error();
    return std::nullopt;
  }
  if (game.lastBonus) game.bonus = *game.lastBonus;
  return game;
}

}  // namespace lumiquad
