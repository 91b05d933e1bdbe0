#include "settings_records.h"

#include <QIODevice>
#include <QList>
#include <QStringConverter>
#include <QTextStream>

namespace settings_records {

namespace {

int keyIndex(const QString& line) {
  for (int key = 0; key < kKeyCount; ++key) {
    if (line == keyLines()[key]) return key;
  }
  return -1;
}

}  // namespace

const std::array<QLatin1String, kKeyCount>& keyLines() {
  static const std::array<QLatin1String, kKeyCount> lines{
      QLatin1String("Message Personality:"), QLatin1String("Analyser Personality:"),
      QLatin1String("Compiler Personality:"), QLatin1String("Build Configuration:")};
  return lines;
}

QHash<Key, QString> read(QIODevice& device) {
  QTextStream in(&device);
  in.setEncoding(QStringConverter::System);
  QHash<Key, QString> values;
  while (!in.atEnd()) {
    const int key = keyIndex(in.readLine());
    if (key >= 0) values.insert(Key(key), in.readLine());
  }
  return values;
}

void write(QIODevice& device, const Values& values) {
  QTextStream out(&device);
  out.setEncoding(QStringConverter::System);
  for (int key = 0; key < kKeyCount; ++key) {
    if (!values[key].isEmpty()) out << keyLines()[key] << "\n" << values[key] << "\n\n";
  }
}

bool holdsOnlyRecords(const QByteArray& bytes) {
  const QList<QByteArray> lines = bytes.split('\n');
  for (qsizetype index = 0; index < lines.size(); ++index) {
    QByteArray line = lines[index];
    if (line.endsWith('\r')) line.chop(1);
    if (keyIndex(QString::fromLatin1(line)) >= 0)
      ++index;  // its value line, whatever it holds
    else if (!line.trimmed().isEmpty())
      return false;
  }
  return true;
}

}  // namespace settings_records
