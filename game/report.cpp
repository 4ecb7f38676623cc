#include "game/report.h"

#include <algorithm>

#include "game/game_engine.h"

namespace lumiquad {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr int kMostChoices = 10;

// What the report shows of one record, worked out once for either form.
struct ReportEntry {
  std::string mover;
  std::string rack;  // sorted
  int score = 0;
  std::vector<std::string> rows;     // 15 texts of 15 characters: letters, '.' for empty squares
  std::vector<std::string> choices;  // the move at level values 1 to N, in report form
  std::string played;                // in report form
};

std::vector<ReportEntry> Entries(const GameEngine& engine, const std::vector<MoveRecord>& records) {
  std::vector<ReportEntry> entries;
  for (const MoveRecord& record : records) {
    ReportEntry entry;
    const bool computer = record.move.moverIndex == 1;
    entry.mover = computer ? engine.Computer().Name() : engine.Human().Name();
    entry.rack = record.move.rackBefore;
    std::sort(entry.rack.begin(), entry.rack.end());
    entry.score = computer ? record.computerScore : record.humanScore;
    for (int r = 0; r < kBoardSize; ++r) {
      std::string row;
      for (int c = 0; c < kBoardSize; ++c) {
        const std::size_t at = static_cast<std::size_t>(r * kBoardSize + c);
        const char character = at < record.board.size() ? record.board[at].character : '.';
        row += IsTileLetter(character) ? character : '.';
      }
      entry.rows.push_back(row);
    }
    const int choices = std::min(record.analysis.KeepCount(), kMostChoices);
    for (int level = 1; level <= choices; ++level) {
      entry.choices.push_back(DescribeMove(record.analysis.ChooseMove(level), 1, true));
    }
    entry.played = DescribeMove(record.move, 1, true);
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\r':
      case '\n':
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

bool IsValidFilePath(std::string_view path, std::string_view extension) {
  if (path.empty() || path.size() < extension.size()) return false;
  if (path.substr(path.size() - extension.size()) != extension) return false;
  const std::size_t slash = path.rfind('/');
  const std::size_t dot = path.rfind('.');
  return slash != std::string_view::npos && dot != std::string_view::npos && dot > slash + 1;
}

std::string BuildTextReport(const GameEngine& engine, const std::vector<MoveRecord>& records) {
  std::string text;
  for (const ReportEntry& entry : Entries(engine, records)) {
    text += kLineEnd;
    text += kLineEnd;
    text += entry.mover + "'s Rack: " + entry.rack + "   Score: " + std::to_string(entry.score) +
            kLineEnd + kLineEnd;
    text += kLineEnd;
    text += "   1  2  3  4  5  6  7  8  9 10 11 12 13 14 15";
    text += kLineEnd;
    const int choices = static_cast<int>(entry.choices.size());
    for (int r = 1; r <= kBoardSize; ++r) {
      text += static_cast<char>('A' + r - 1);
      text += "  ";
      for (char square : entry.rows[static_cast<std::size_t>(r - 1)]) {
        text += square;
        text += "  ";
      }
      if (r <= choices) {
        text += entry.choices[static_cast<std::size_t>(r - 1)];
      } else if (r == choices + 2) {
        text += std::string("Move Played:") + kLineEnd;
      } else if (r == choices + 3) {
        text += entry.played;
      } else {
        text += kLineEnd;
      }
    }
  }
  return text;
}

std::string BuildHtmlReport(const GameEngine& engine, const std::vector<MoveRecord>& records) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>Lumiquad game report</title>\n<style>\n"
      "body { font-family: Arial, Helvetica, sans-serif; margin: 2em; color: #222; }\n"
      "section { margin-bottom: 2.5em; }\n"
      "h2 { font-size: 1.1em; margin-bottom: 0.3em; }\n"
      ".turn { display: flex; gap: 2em; align-items: flex-start; }\n"
      "table.board { border-collapse: collapse; font-family: monospace; }\n"
      "table.board td, table.board th { width: 1.6em; height: 1.6em; text-align: center; }\n"
      "table.board td { border: 1px solid #9c9; background: #2e8b2e; color: #fff; }\n"
      "table.board td.tile { background: #f5e050; color: #222; font-weight: bold; }\n"
      "table.board th { color: #555; font-weight: normal; }\n"
      "ol { margin-top: 0.3em; font-family: monospace; }\n"
      ".played { font-family: monospace; font-weight: bold; }\n"
      "</style>\n</head>\n<body>\n<h1>Lumiquad game report</h1>\n";
  int turn = 0;
  for (const ReportEntry& entry : Entries(engine, records)) {
    html += "<section>\n<h2>" + std::to_string(++turn) + ". " + Escaped(entry.mover) +
            "</h2>\n<p>Rack: " + Escaped(entry.rack) +
            " &nbsp; Score: " + std::to_string(entry.score) +
            "</p>\n<div class=\"turn\">\n<table class=\"board\">\n";
    html += "<tr><th></th>";
    for (int c = 1; c <= kBoardSize; ++c) html += "<th>" + std::to_string(c) + "</th>";
    html += "</tr>\n";
    for (int r = 0; r < kBoardSize; ++r) {
      html += "<tr><th>" + std::string(1, static_cast<char>('A' + r)) + "</th>";
      for (char square : entry.rows[static_cast<std::size_t>(r)]) {
        html += square == '.' ? std::string("<td></td>")
                              : "<td class=\"tile\">" + std::string(1, square) + "</td>";
      }
      html += "</tr>\n";
    }
    html += "</table>\n<div>\n";
    if (!entry.choices.empty()) {
      html += "<p>The computer's choice by level value:</p>\n<ol>\n";
      for (const std::string& choice : entry.choices) html += "<li>" + Escaped(choice) + "</li>\n";
      html += "</ol>\n";
    }
    html += "<p>Move Played:</p>\n<p class=\"played\">" + Escaped(entry.played) + "</p>\n";
    html += "</div>\n</div>\n</section>\n";
  }
  html += "</body>\n</html>\n";
  return html;
}

}  // namespace lumiquad
