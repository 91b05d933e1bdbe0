#include "writer/json_text.h"

#include <sstream>

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

void appendUnicodeEscape(std::string& text, unsigned char byte) {
  static const char kDigits[] = "0123456789ABCDEF";
  text += "\\u00";
  text += kDigits[byte >> 4];
  text += kDigits[byte & 0xF];
}

void appendEscapedAscii(std::string& text, char c) {
  switch (c) {
    case '"':
      text += "\\\"";
      break;
    case '\\':
      text += "\\\\";
      break;
    case '\b':
      text += "\\b";
      break;
    case '\f':
      text += "\\f";
      break;
    case '\n':
      text += "\\n";
      break;
    case '\r':
      text += "\\r";
      break;
    case '\t':
      text += "\\t";
      break;
    default:
      if (static_cast<unsigned char>(c) < 0x20) {
        appendUnicodeEscape(text, static_cast<unsigned char>(c));
      } else {
        text += c;
      }
  }
}

bool needsNoEscape(char c) {
  const unsigned char byte = static_cast<unsigned char>(c);
  return byte >= 0x20 && byte < 0x80 && c != '"' && c != '\\';
}

void appendJsonString(std::string& text, const std::string& bytes) {
  text += '"';
  for (std::size_t at = 0; at < bytes.size();) {
    // A run of printable ASCII without '"' or '\\' is copied whole.
    std::size_t plain = at;
    while (plain < bytes.size() && needsNoEscape(bytes[plain])) ++plain;
    if (plain != at) {
      text.append(bytes, at, plain - at);
      at = plain;
      continue;
    }
    const unsigned char byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0x80) {
      appendEscapedAscii(text, bytes[at]);
      ++at;
    } else if (const std::size_t length = utf8SequenceAt(bytes, at)) {
      text.append(bytes, at, length);
      at += length;
    } else {
      appendUnicodeEscape(text, byte);
      ++at;
    }
  }
  text += '"';
}

}  // namespace

std::string jsonString(const std::string& bytes) {
  std::string text;
  appendJsonString(text, bytes);
  return text;
}

std::string compileDatabaseText(const std::vector<CompileCommand>& commands) {
  std::ostringstream text;
  CompileDatabaseWriter writer(text);
  for (const CompileCommand& command : commands) writer.add(command);
  writer.finish();
  return text.str();
}

// Inline: it runs for every argument of every command.
inline void CompileDatabaseWriter::appendEscaped(Escaped& last, const std::string& bytes) {
  if (last.json.empty() || last.bytes != bytes) {
    last.bytes = bytes;
    last.json.clear();
    appendJsonString(last.json, bytes);
  }
  text_ += last.json;
}

void CompileDatabaseWriter::add(const CompileCommand& command) {
  text_.assign(started_ ? ",\n  {\n" : "[\n  {\n");
  text_ += "    \"directory\": ";
  appendEscaped(directory_, command.directory);
  text_ += ",\n    \"file\": ";
  appendEscaped(file_, command.file);
  text_ += ",\n    \"arguments\": [";
  if (arguments_.size() < command.arguments.size()) arguments_.resize(command.arguments.size());
  for (std::size_t i = 0; i < command.arguments.size(); ++i) {
    if (i != 0) text_ += ", ";
    // The last argument is mostly the file itself, escaped already.
    if (i + 1 == command.arguments.size() && command.arguments[i] == command.file) {
      text_ += file_.json;
    } else {
      appendEscaped(arguments_[i], command.arguments[i]);
    }
  }
  text_ += "]\n  }";
  out_ << text_;
  started_ = true;
}

void CompileDatabaseWriter::finish() { out_ << (started_ ? "\n]\n" : "[]\n"); }

}  // namespace kalvex
