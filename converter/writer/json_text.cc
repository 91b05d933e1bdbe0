#include "writer/json_text.h"

#include <cstdio>

namespace kalvex {
namespace {

// The length of the valid UTF-8 sequence that starts at bytes[at], or 0 when none does.
std::size_t utf8SequenceAt(const std::string& bytes, std::size_t at) {
  const auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (at + length > bytes.size() || byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  }
  return length;
}

std::string unicodeEscape(unsigned char byte) {
  char text[8];
  std::snprintf(text, sizeof text, "\\u%04X", byte);
  return text;
}

std::string escapedAscii(char c) {
  switch (c) {
    case '"':
      return "\\\"";
    case '\\':
      return "\\\\";
    case '\b':
      return "\\b";
    case '\f':
      return "\\f";
    case '\n':
      return "\\n";
    case '\r':
      return "\\r";
    case '\t':
      return "\\t";
    default:
      if (static_cast<unsigned char>(c) < 0x20) return unicodeEscape(static_cast<unsigned char>(c));
      return std::string(1, c);
  }
}

std::string jsonArray(const std::vector<std::string>& texts) {
  std::string array = "[";
  for (std::size_t i = 0; i < texts.size(); ++i) array += (i == 0 ? "" : ", ") + jsonString(texts[i]);
  return array + "]";
}

}  // namespace

std::string jsonString(const std::string& bytes) {
  std::string text = "\"";
  for (std::size_t at = 0; at < bytes.size();) {
    const unsigned char byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0x80) {
      text += escapedAscii(bytes[at]);
      ++at;
    } else if (const std::size_t length = utf8SequenceAt(bytes, at)) {
      text.append(bytes, at, length);
      at += length;
    } else {
      text += unicodeEscape(byte);
      ++at;
    }
  }
  return text + "\"";
}

std::string compileDatabaseText(const std::vector<CompileCommand>& commands) {
  if (commands.empty()) return "[]\n";
  std::string text = "[\n";
  for (std::size_t i = 0; i < commands.size(); ++i) {
    const CompileCommand& command = commands[i];
    text += "  {\n";
    text += "    \"directory\": " + jsonString(command.directory) + ",\n";
    text += "    \"file\": " + jsonString(command.file) + ",\n";
    text += "    \"arguments\": " + jsonArray(command.arguments) + "\n";
    text += i + 1 < commands.size() ? "  },\n" : "  }\n";
  }
  return text + "]\n";
}

}  // namespace kalvex
