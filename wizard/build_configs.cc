#include "build_configs.h"

#include <QStringList>

namespace build_configs {

namespace {

const QByteArray kKeyword("defineConfig");

bool isBlank(char c) { return c == ' ' || c == '\t'; }

QByteArray trimmed(const QByteArray& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  return text.mid(begin, end - begin);
}

bool definesConfig(const QByteArray& text) {
  return text.size() > kKeyword.size() && text.startsWith(kKeyword) &&
         (isBlank(text[kKeyword.size()]) || text[kKeyword.size()] == '(');
}

// One pair of enclosing double or single quotes goes.
QString unquoted(const QByteArray& argument) {
  const bool quoted = argument.size() >= 2 && argument.front() == argument.back() &&
                      (argument.front() == '"' || argument.front() == '\'');
  return QString::fromLocal8Bit(quoted ? argument.mid(1, argument.size() - 2) : argument);
}

// The arguments inside the parentheses (taken off only as a pair), split at blanks and tabs;
// a double quote runs to the next one, blanks included.
QStringList arguments(const QByteArray& text) {
  QByteArray rest = trimmed(text.mid(kKeyword.size()));
  if (rest.size() >= 2 && rest.startsWith('(') && rest.endsWith(')')) rest = rest.mid(1, rest.size() - 2);
  QStringList parts;
  qsizetype index = 0;
  while (index < rest.size()) {
    while (index < rest.size() && isBlank(rest[index])) ++index;
    const qsizetype begin = index;
    while (index < rest.size() && !isBlank(rest[index])) {
      const qsizetype close = rest[index] == '"' ? rest.indexOf('"', index + 1) : index;
      index = close < 0 ? rest.size() : close + 1;
    }
    if (index > begin) parts << unquoted(rest.mid(begin, index - begin));
  }
  return parts;
}

QChar asciiLower(QChar c) { return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c; }

bool equalIgnoringAsciiCase(const QString& a, const QString& b) {
  if (a.size() != b.size()) return false;
  for (qsizetype index = 0; index < a.size(); ++index) {
    if (asciiLower(a[index]) != asciiLower(b[index])) return false;
  }
  return true;
}

}  // namespace

QList<Config> read(const QByteArray& topFile) {
  QList<Config> configs;
  for (QByteArray line : topFile.split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    const QByteArray text = trimmed(line);
    if (!definesConfig(text)) continue;
    const QStringList parts = arguments(text);
    if (parts.size() == 3) configs.append({parts[0], parts[1], parts[2]});
  }
  return configs;
}

qsizetype chosenBy(const QList<Config>& configs, const QString& word) {
  for (qsizetype index = 0; index < configs.size(); ++index) {
    if (equalIgnoringAsciiCase(configs[index].name, word) || equalIgnoringAsciiCase(configs[index].tag, word))
      return index;
  }
  return -1;
}

QList<Offer> offers(const QList<Config>& configs) {
  QList<Offer> offered;
  for (qsizetype index = 0; index < configs.size(); ++index) {
    const Config& config = configs[index];
    const QString label = config.name.isEmpty()  ? config.tag
                          : config.tag.isEmpty() ? config.name
                                                 : config.name + QStringLiteral(" (") + config.tag + u')';
    for (const QString& word : {config.name, config.tag}) {
      if (!word.isEmpty() && chosenBy(configs, word) == index) {
        offered.append({label, word, index});
        break;
      }
    }
  }
  return offered;
}

}  // namespace build_configs
