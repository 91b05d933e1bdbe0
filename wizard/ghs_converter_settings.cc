#include <QFile>
#include <QLineEdit>
#include <QStringConverter>
#include <QTextStream>

#include "ghs_converter.h"

namespace {

const QString kSettingsFile = QStringLiteral("settings.txt");

// Records of three lines: key, value, empty line. Only these keys are kept.
struct SettingsKey {
  QLatin1String key;
  QLineEdit* field;
};

}  // namespace

void GHSConverter::loadSettings() {
  QFile file(kSettingsFile);
  if (!file.open(QIODevice::ReadOnly))
    return;
  QTextStream in(&file);
  in.setEncoding(QStringConverter::System);
  const SettingsKey keys[] = {{QLatin1String("Message Personality:"), MsgPersonEdit},
                              {QLatin1String("Analyser Personality:"), AnalPersonEdit},
                              {QLatin1String("Compiler Personality:"), CmpPersonEdit}};
  while (!in.atEnd()) {
    const QString line = in.readLine();
    for (const SettingsKey& key : keys) {
      if (line == key.key) {
        key.field->setText(in.readLine());
        break;
      }
    }
  }
}

void GHSConverter::saveSettings() {
  QFile file(kSettingsFile);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    return;
  QTextStream out(&file);
  out.setEncoding(QStringConverter::System);
  const SettingsKey keys[] = {{QLatin1String("Message Personality:"), MsgPersonEdit},
                              {QLatin1String("Analyser Personality:"), AnalPersonEdit},
                              {QLatin1String("Compiler Personality:"), CmpPersonEdit}};
  for (const SettingsKey& key : keys) {
    if (!key.field->text().isEmpty())
      out << key.key << "\n" << key.field->text() << "\n\n";
  }
}
