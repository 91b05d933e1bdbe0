#ifndef QUORLIN_SETTINGS_RECORDS_H
#define QUORLIN_SETTINGS_RECORDS_H

#include <QByteArray>
#include <QHash>
#include <QLatin1String>
#include <QString>
#include <array>

class QIODevice;

// The wizard's settings file: records of three lines each, a key line, a value line and an
// empty line. Texts are in the system's 8-bit encoding; a CR before a line feed is dropped.
// The build configuration's record comes after the personalities', so that a file without it
// reads as before and the personalities' records stay where they were.
namespace settings_records {

enum Key { kMessage, kAnalyser, kCompiler, kConfiguration, kKeyCount };
// The personality keys come first.
constexpr int kPersonalityCount = kConfiguration;
using Values = std::array<QString, kKeyCount>;

// The key lines, in the order in which records are written.
const std::array<QLatin1String, kKeyCount>& keyLines();

// Reads records: a line equal to a key line (exactly) makes the next line its value, which is
// never itself taken as a key; a key on the last line reads as empty; later records win; every
// other line is skipped. Only keys that were read appear in the result.
QHash<Key, QString> read(QIODevice& device);

// Writes one record for each value that is not empty, in key order.
void write(QIODevice& device, const Values& values);

// True when the bytes hold nothing but records of the keys and blank lines, so that
// rewriting them loses nothing of anyone else's.
bool holdsOnlyRecords(const QByteArray& bytes);

}  // namespace settings_records

#endif  // QUORLIN_SETTINGS_RECORDS_H
