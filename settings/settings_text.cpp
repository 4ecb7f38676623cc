#include "settings/settings_text.h"

#include <charconv>
#include <cstdint>
#include <optional>

namespace lumiquad {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The line end a new line takes: the one the file's lines already use.
std::string UsualLineEnd(const SettingsDocument& document) {
  for (const SettingsLine& line : document) {
    if (!line.end.empty()) return line.end;
  }
  return "\n";
}

// Puts a new line at `at`. Every line but the last keeps an end; the last keeps the file's
// final-newline state, so a line added after it passes that state on.
void InsertLine(SettingsDocument& document, std::size_t at, SettingsLine line) {
  const std::string usual = UsualLineEnd(document);
  line.end = usual;
  if (at == document.size() && !document.empty() && document.back().end.empty()) {
    document.back().end = usual;
    line.end.clear();
  }
  document.insert(document.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses a quoted text; nothing when the quoting is broken or text follows the closing quote.
std::optional<std::string> ParseQuoted(std::string_view text) {
  std::string result;
  std::size_t i = 1;
  for (; i < text.size() && text[i] != '"'; ++i) {
    char c = text[i];
    if (c != '\\') {
      result += c;
    } else if (++i == text.size()) {
      return std::nullopt;
    } else {
      switch (text[i]) {
        case '\\':
          result += '\\';
          break;
        case '"':
          result += '"';
          break;
        case 'n':
          result += '\n';
          break;
        case 'r':
          result += '\r';
          break;
        case 't':
          result += '\t';
          break;
        case 'x': {
          int high = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
          int low = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
          if (high < 0 || low < 0) return std::nullopt;
          result += static_cast<char>(high * 16 + low);
          i += 2;
          break;
        }
        default:
          return std::nullopt;
      }
    }
    if (result.size() > kMaxSettingsText) return std::nullopt;
  }
  if (i >= text.size() || !Trim(text.substr(i + 1)).empty()) return std::nullopt;
  return result;
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::optional<SettingsValue> ParseValue(std::string_view text) {
  if (!text.empty() && text.front() == '"') {
    if (auto quoted = ParseQuoted(text)) return SettingsValue(std::move(*quoted));
    return std::nullopt;
  }
  if (auto number = ParseInteger(text)) return SettingsValue(*number);
  return std::nullopt;
}

void AppendQuoted(std::string& out, const std::string& text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (byte < 0x20 || byte == 0x7f) {
          out += "\\x";
          out += kHex[byte >> 4];
          out += kHex[byte & 15];
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

std::string FormatValue(const SettingsValue& value) {
  std::string out;
  if (const auto* number = std::get_if<std::int32_t>(&value)) {
    char digits[16];
    auto [stop, error] = std::to_chars(digits, digits + sizeof digits, *number);
    out.append(digits, stop);
  } else {
    AppendQuoted(out, std::get<std::string>(value));
  }
  return out;
}

bool IsKeyLine(const SettingsLine& line, std::string_view key) {
  return line.kind == SettingsLine::Kind::Key && SameSettingsName(line.key, key);
}

bool IsValueLine(const SettingsLine& line, std::string_view key, std::string_view name) {
  return line.kind == SettingsLine::Kind::Value && SameSettingsName(line.key, key) &&
         SameSettingsName(line.name, name);
}

// Where a new value of the key goes: after the last value line of the key's last section, or
// straight after its header when it has none.
std::size_t InsertionPoint(const SettingsDocument& document, std::string_view key) {
  std::size_t at = document.size();
  for (std::size_t i = document.size(); i-- > 0;) {
    if (IsKeyLine(document[i], key)) {
      at = i + 1;
      break;
    }
  }
  for (std::size_t i = at; i < document.size(); ++i) {
    if (document[i].kind == SettingsLine::Kind::Key) break;
    if (document[i].kind == SettingsLine::Kind::Value) at = i + 1;
  }
  return at;
}

}  // namespace

SettingsDocument ParseSettingsText(std::string_view text) {
  SettingsDocument document;
  std::optional<std::string> current;
  bool first = true;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    SettingsLine line;
    if (end != std::string_view::npos) line.end = "\n";
    if (!raw.empty() && raw.back() == '\r') {
      raw.remove_suffix(1);
      line.end = "\r" + line.end;
    }
    line.text = std::string(raw);
    std::string_view content = raw;
    if (first && content.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
      content.remove_prefix(kByteOrderMark.size());
    }
    first = false;
    const std::string_view trimmed = Trim(content);
    if (!trimmed.empty() && trimmed.front() == '[') {
      current.reset();
      if (trimmed.back() == ']' && trimmed.size() > 2) {
        current = std::string(trimmed.substr(1, trimmed.size() - 2));
        line.kind = SettingsLine::Kind::Key;
        line.key = *current;
      }
    } else if (current && !trimmed.empty() && trimmed.front() != '#' && trimmed.front() != ';') {
      const std::size_t equals = trimmed.find('=');
      const std::string_view name =
          equals == std::string_view::npos ? std::string_view() : Trim(trimmed.substr(0, equals));
      if (!name.empty()) {
        if (auto value = ParseValue(Trim(trimmed.substr(equals + 1)))) {
          line.kind = SettingsLine::Kind::Value;
          line.key = *current;
          line.name = std::string(name);
          line.value = std::move(*value);
        }
      }
    }
    document.push_back(std::move(line));
  }
  return document;
}

std::string FormatSettingsText(const SettingsDocument& document) {
  std::string out;
  for (const SettingsLine& line : document) out += line.text + line.end;
  return out;
}

SettingsDocument NewSettingsDocument() {
  return ParseSettingsText(
      "# Lumiquad settings, rewritten by the program whenever a setting changes.\n"
      "# Numbers are plain integers; texts are in double quotes.\n");
}

std::optional<SettingsValues> ValuesOf(const SettingsDocument& document, std::string_view key) {
  std::optional<SettingsValues> values;
  for (const SettingsLine& line : document) {
    if (IsKeyLine(line, key) && !values) values.emplace();
    if (line.kind == SettingsLine::Kind::Value && SameSettingsName(line.key, key)) {
      PutSettingsValue(*values, line.name, line.value);
    }
  }
  return values;
}

void AddKey(SettingsDocument& document, const std::string& key) {
  for (const SettingsLine& line : document) {
    if (IsKeyLine(line, key)) return;
  }
  if (!document.empty() && !Trim(document.back().text).empty()) {
    InsertLine(document, document.size(), SettingsLine{});
  }
  SettingsLine header;
  header.kind = SettingsLine::Kind::Key;
  header.key = key;
  header.text = "[" + key + "]";
  InsertLine(document, document.size(), std::move(header));
}

void PutValues(SettingsDocument& document, const std::string& key, const SettingsValues& values) {
  AddKey(document, key);
  for (const SettingsEntry& entry : values) {
    SettingsLine* stored = nullptr;
    for (SettingsLine& line : document) {
      if (IsValueLine(line, key, entry.name)) stored = &line;
    }
    if (stored != nullptr) {
      // An unchanged value keeps its line exactly as the user may have written it.
      if (stored->value == entry.value) continue;
      stored->value = entry.value;
      stored->text = stored->name + " = " + FormatValue(entry.value);
      continue;
    }
    SettingsLine line;
    line.kind = SettingsLine::Kind::Value;
    line.key = key;
    line.name = entry.name;
    line.value = entry.value;
    line.text = entry.name + " = " + FormatValue(entry.value);
    InsertLine(document, InsertionPoint(document, key), std::move(line));
  }
}

}  // namespace lumiquad
