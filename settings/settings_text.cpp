#include "settings/settings_text.h"

#include <charconv>
#include <cstdint>
#include <optional>

namespace lumiquad {

namespace {

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

}  // namespace

SettingsValues& KeyOf(SettingsDocument& document, const std::string& path) {
  for (SettingsKey& key : document) {
    if (SameSettingsName(key.path, path)) return key.values;
  }
  document.push_back({path, {}});
  return document.back().values;
}

const SettingsValues* FindKey(const SettingsDocument& document, std::string_view path) {
  for (const SettingsKey& key : document) {
    if (SameSettingsName(key.path, path)) return &key.values;
  }
  return nullptr;
}

SettingsDocument ParseSettingsText(std::string_view text) {
  SettingsDocument document;
  SettingsValues* current = nullptr;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

    if (line.empty() || line.front() == '#' || line.front() == ';') continue;
    if (line.front() == '[') {
      current = nullptr;
      if (line.back() == ']' && line.size() > 2) {
        current = &KeyOf(document, std::string(line.substr(1, line.size() - 2)));
      }
      continue;
    }
    std::size_t equals = line.find('=');
    if (current == nullptr || equals == std::string_view::npos) continue;
    std::string_view name = Trim(line.substr(0, equals));
    if (name.empty()) continue;
    if (auto value = ParseValue(Trim(line.substr(equals + 1)))) {
      PutSettingsValue(*current, name, std::move(*value));
    }
  }
  return document;
}

std::string FormatSettingsText(const SettingsDocument& document) {
  std::string out =
      "# Lumiquad settings, rewritten by the program whenever a setting changes.\n"
      "# Numbers are plain integers; texts are in double quotes.\n";
  for (const SettingsKey& key : document) {
    out += '\n';
    out += '[' + key.path + "]\n";
    for (const SettingsEntry& entry : key.values) {
      out += entry.name + " = ";
      if (const auto* number = std::get_if<std::int32_t>(&entry.value)) {
        char digits[16];
        auto [stop, error] = std::to_chars(digits, digits + sizeof digits, *number);
        out.append(digits, stop);
      } else {
        AppendQuoted(out, std::get<std::string>(entry.value));
      }
      out += '\n';
    }
  }
  return out;
}

}  // namespace lumiquad
