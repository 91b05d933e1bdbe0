#ifndef QUORLIN_BUILD_CONFIGS_H
#define QUORLIN_BUILD_CONFIGS_H

#include <QByteArray>
#include <QList>
#include <QString>

// The build configurations that a top project file defines, read as Kalvex reads them:
// 1. a line is the text up to a line feed, without a CR just before it, trimmed of blanks
//    and tabs at both ends;
// 2. a line that begins with "defineConfig" followed by a blank, a tab or "(" defines one;
// 3. the rest of the line, trimmed, loses a leading "(" and a trailing ")" when it has both;
// 4. its arguments are split at blanks and tabs, where a double quote runs to the next one,
//    blanks included, and each loses one pair of enclosing double or single quotes: exactly
//    three make NAME, TAG and FILE; a line with fewer or more defines nothing.
namespace build_configs {

struct Config {
  QString name;
  QString tag;
  QString file;
};

QList<Config> read(const QByteArray& topFile);

// The configuration that `-config word` chooses: the first whose NAME or TAG equals word,
// ASCII case ignored; -1 for none.
qsizetype chosenBy(const QList<Config>& configs, const QString& word);

// A configuration as the wizard offers it: its label "NAME (TAG)", the word that makes Kalvex
// choose exactly it (its NAME, else its TAG where an earlier configuration answers to the
// NAME), and its index in the file's list.
struct Offer {
  QString label;
  QString word;
  qsizetype config;
};

// One offer per configuration that some word chooses, in file order; a configuration that
// an earlier one hides under both its NAME and its TAG is not offered.
QList<Offer> offers(const QList<Config>& configs);

}  // namespace build_configs

#endif  // QUORLIN_BUILD_CONFIGS_H
