#include "reader/references.h"

#include <algorithm>
#include <vector>

#include "reader/line_values.h"

namespace kalvex {
namespace {

const std::string kExpandPath = "%expand_path(";

enum class Form { kBrace, kParenthesised, kBare, kExpandPath, kAsWritten };

// One reference: the form its "$" takes, its name (for "%expand_path", its argument) and
// the position just after it.
struct Reference {
  Form form;
  std::string name;
  std::size_t end;
};

Reference braceReferenceAt(const std::string& text, std::size_t dollar) {
  if (text.compare(dollar + 2, kExpandPath.size(), kExpandPath) == 0) {
    const std::size_t open = dollar + 1 + kExpandPath.size();
    const std::size_t close = matchingBracket(text, open);
    if (close != std::string::npos && close + 1 < text.size() && text[close + 1] == '}') {
      return {Form::kExpandPath, text.substr(open + 1, close - open - 1), close + 2};
    }
  }
  const std::size_t close = text.find('}', dollar + 2);
  if (close == std::string::npos) return {Form::kAsWritten, std::string(), dollar + 1};
  std::string name = text.substr(dollar + 2, close - dollar - 2);
  const Form form = name.compare(0, 1, "%") == 0 ? Form::kAsWritten : Form::kBrace;
  return {form, std::move(name), close + 1};
}

Reference referenceAt(const std::string& text, std::size_t dollar) {
  const char next = dollar + 1 < text.size() ? text[dollar + 1] : '\0';
  if (next == '{') return braceReferenceAt(text, dollar);
  if (next == '(') {
    const std::size_t close = text.find(')', dollar + 2);
    const std::size_t nameEnd = close == std::string::npos ? text.size() : close;
    const std::size_t end = close == std::string::npos ? text.size() : close + 1;
    return {Form::kParenthesised, stripChar(text.substr(dollar + 2, nameEnd - dollar - 2), ' '), end};
  }
  const std::size_t separator = text.find_first_of("\\/", dollar + 1);
  const std::size_t end = separator == std::string::npos ? text.size() : separator;
  return {Form::kBare, stripChar(text.substr(dollar + 1, end - dollar - 1), ' '), end};
}

std::string joinedWhenRelative(const std::string& path, const std::string& directory) {
  if (isAbsolutePath(path)) return withBackslashes(path);
  return withoutTrailingDot(withBackslashes(joinRelative(directory, path)));
}

class Expander {
 public:
  Expander(const ReferenceSources& sources, std::vector<LeftReference>* leftAsWritten)
      : sources_(sources), leftAsWritten_(leftAsWritten) {}

  // The text with its references replaced; depth counts the references of the chain that
  // put the text in.
  std::string expand(const std::string& text, int depth, bool* heldMacroReference) {
    std::string result;
    std::size_t from = 0;
    for (std::size_t dollar = text.find('$'); dollar != std::string::npos; dollar = text.find('$', from)) {
      const Reference reference = referenceAt(text, dollar);
      const bool macroForm = reference.form == Form::kParenthesised || reference.form == Form::kBare;
      if (heldMacroReference != nullptr && macroForm) *heldMacroReference = true;
      result.append(text, from, dollar - from);
      result += replacement(text, dollar, reference, depth);
      from = reference.end;
    }
    return result.append(text, from, std::string::npos);
  }

  std::string expandPath(const std::string& argument, int depth) {
    return joinedWhenRelative(expand(argument, depth, nullptr), sources_.directory);
  }

 private:
  std::string replacement(const std::string& text, std::size_t dollar, const Reference& reference, int depth) {
    if (reference.form == Form::kAsWritten) return asWritten(text, dollar, reference);
    if (depth >= kReferenceChainLimit) return asWritten(text, dollar, reference, LeftReference::Reason::kChainLimit);
    if (budget_ == 0) return asWritten(text, dollar, reference, LeftReference::Reason::kTextLimit);
    if (reference.form == Form::kExpandPath) {
      --budget_;
      return expandPath(reference.name, depth + 1);
    }
    if (std::find(chain_.begin(), chain_.end(), reference.name) != chain_.end()) {
      return asWritten(text, dollar, reference);
    }
    const std::optional<std::string> value = valueOf(reference, dollar == 0);
    if (!value) return asWritten(text, dollar, reference);
    --budget_;
    chain_.push_back(reference.name);
    std::string put = expand(*value, depth + 1, nullptr);
    chain_.pop_back();
    return put;
  }

  // The reference as written, noted unless it is a "${" without "}".
  std::string asWritten(const std::string& text, std::size_t dollar, const Reference& reference,
                        LeftReference::Reason reason = LeftReference::Reason::kNotDefined) {
    std::string written = text.substr(dollar, reference.end - dollar);
    if (leftAsWritten_ != nullptr && !reference.name.empty()) leftAsWritten_->push_back(LeftReference{written, reason});
    return written;
  }

  std::optional<std::string> valueOf(const Reference& reference, bool beginsText) const {
    if (reference.form == Form::kBrace) return sources_.names.valueOf(reference.name);
    const MacroTable& table = beginsText ? sources_.absoluteMacros : sources_.names.writtenMacros;
    const auto found = table.find(reference.name);
    if (found == table.end()) return std::nullopt;
    return found->second;
  }

  const ReferenceSources& sources_;
  std::vector<LeftReference>* leftAsWritten_;
  std::vector<std::string> chain_;
  int budget_ = kReferencesPerText;
};

}  // namespace

Expansion expandReferences(const std::string& text, const ReferenceSources& sources) {
  Expansion expansion;
  if (text.find('$') == std::string::npos) {
    expansion.text = text;
    return expansion;
  }
  expansion.text = Expander(sources, &expansion.leftAsWritten).expand(text, 0, &expansion.heldMacroReference);
  return expansion;
}

std::optional<std::string> wholeExpandPath(const std::string& value) {
  const bool braced = startsWith(value, "${");
  const std::size_t open = (braced ? 2 : 0) + kExpandPath.size() - 1;
  if (value.compare(braced ? 2 : 0, kExpandPath.size(), kExpandPath) != 0) return std::nullopt;
  const std::size_t close = matchingBracket(value, open);
  if (close == std::string::npos || close + (braced ? 2 : 1) != value.size()) return std::nullopt;
  if (braced && value.back() != '}') return std::nullopt;
  return value.substr(open + 1, close - open - 1);
}

std::string expandPath(const std::string& argument, const ReferenceSources& sources) {
  return Expander(sources, nullptr).expandPath(argument, 0);
}

}  // namespace kalvex
