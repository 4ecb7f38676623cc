#include "game/gcg_reader.h"

#include <charconv>
#include <sstream>

namespace lumiquad {

namespace {

constexpr std::size_t kMaxLine = 4096;
constexpr long long kMaxTotal = 1'000'000'000;

bool IsRack(std::string_view text) {
  if (text.empty() || text.size() > 7) return false;
  for (char c : text) {
    if (!((c >= 'A' && c <= 'Z') || c == '?')) return false;
  }
  return true;
}

bool IsWord(std::string_view text) {
  if (text.empty() || text.size() > 15) return false;
  for (char c : text) {
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.')) return false;
  }
  return true;
}

// A signed score, "+18" or "-3": nothing past a million a move.
bool ParseScore(std::string_view text, int& score) {
  if (text.size() < 2 || (text[0] != '+' && text[0] != '-')) return false;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data() + 1, end, score);
  if (error != std::errc() || stop != end || score > 1'000'000) return false;
  if (text[0] == '-') score = -score;
  return true;
}

bool ParseTotal(std::string_view text, long long& total) {
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, total);
  return error == std::errc() && stop == end && total >= -kMaxTotal && total <= kMaxTotal;
}

// The text after a pragma's name, without the space that follows it.
std::string Rest(const std::string& line, std::size_t nameLength) {
  return line.size() > nameLength + 1 ? line.substr(nameLength + 1) : std::string();
}

}  // namespace

std::optional<GcgRecord> ParseGcg(std::string_view text, std::string* error) {
  GcgRecord record;
  int number = 0;
  auto fail = [&](const std::string& why) {
    if (error != nullptr) *error = "line " + std::to_string(number) + ": " + why;
    return std::nullopt;
  };
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(at, end - at));
    at = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // a byte-order mark
    if (line.size() > kMaxLine) return fail("the line is too long");
    if (line.empty()) continue;
    if (line[0] == '#') {
      for (int player : {0, 1}) {
        const std::string pragma = player == 0 ? "#player1" : "#player2";
        if (line.compare(0, pragma.size() + 1, pragma + " ") != 0) continue;
        std::istringstream words(Rest(line, pragma.size()));
        words >> record.nick[player];
        std::getline(words >> std::ws, record.name[player]);
        if (record.nick[player].empty()) return fail(pragma + " names no player");
        if (record.name[player].empty()) record.name[player] = record.nick[player];
      }
      if (line.rfind("#lexicon ", 0) == 0) record.lexicon = Rest(line, 8);
      if (line.rfind("#description ", 0) == 0) record.description = Rest(line, 12);
      if (line.rfind("#note ", 0) == 0) record.notes.push_back(Rest(line, 5));
      continue;
    }
    if (line[0] != '>') return fail("neither a pragma nor an event");
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) return fail("an event names its player before a ':'");
    GcgEvent event;
    event.line = number;
    const std::string nick = line.substr(1, colon - 1);
    if (nick.empty() || (nick != record.nick[0] && nick != record.nick[1])) {
      return fail("no #player line names \"" + nick + "\"");
    }
    event.player = nick == record.nick[0] ? 0 : 1;
    std::vector<std::string> words;
    std::istringstream split(line.substr(colon + 1));
    for (std::string word; split >> word;) words.push_back(word);
    // The rack is the first word unless that is already the move.
    std::size_t next = 0;
    if (!words.empty() && IsRack(words[0])) event.rack = words[next++];
    const std::size_t left = words.size() - next;
    if (left < 3 || left > 4) return fail("an event has a move, a score and a total");
    if (!ParseScore(words[words.size() - 2], event.score)) return fail("no score");
    if (!ParseTotal(words.back(), event.total)) return fail("no running total");
    const std::string& move = words[next];
    if (left == 4) {
      // A play: position and word.
      if (!ParseGcgPosition(move, event.position)) return fail("\"" + move + "\" is no square");
      event.word = words[next + 1];
      if (!IsWord(event.word)) return fail("\"" + event.word + "\" is no word of tiles");
      event.kind = GcgEvent::Kind::Play;
    } else if (move == "-") {
      event.kind = GcgEvent::Kind::Pass;
    } else if (move == "--") {
      event.kind = GcgEvent::Kind::Withdrawn;
    } else if (move[0] == '-') {
      event.kind = GcgEvent::Kind::Exchange;
      event.word = move.substr(1);
      if (!IsRack(event.word) && event.word.find_first_not_of("0123456789") != std::string::npos)
        return fail("an exchange gives letters or a count");
    } else if (move == "(challenge)") {
      event.kind = GcgEvent::Kind::ChallengeBonus;
    } else if (move == "(time)") {
      event.kind = GcgEvent::Kind::TimePenalty;
    } else if (move.size() >= 2 && move.front() == '(' && move.back() == ')' &&
               (move.size() == 2 || IsRack(move.substr(1, move.size() - 2)))) {
      event.word = move.substr(1, move.size() - 2);
      event.kind = event.rack.empty() ? GcgEvent::Kind::EndPoints : GcgEvent::Kind::RackPenalty;
    } else {
      return fail("\"" + move + "\" is no move GCG knows");
    }
    record.events.push_back(std::move(event));
  }
  if (record.nick[0].empty() || record.nick[1].empty() || record.nick[0] == record.nick[1]) {
    number = 0;
    return fail("a record names two players with #player1 and #player2");
  }
  return record;
}

}  // namespace lumiquad
