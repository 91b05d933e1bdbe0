#include <array>

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

// The keys in the order they are written, each with the field it fills.
std::array<SettingsKey, 3> settingsKeys(const GHSConverter& wizard) {
  return {{{QLatin1String("Message Personality:"), wizard.MsgPersonEdit},
           {QLatin1String("Analyser Personality:"), wizard.AnalPersonEdit},
           {QLatin1String("Compiler Personality:"), wizard.CmpPersonEdit}}};
}

}  // namespace

void GHSConverter::loadSettings() {
  QFile file(kSettingsFile);
  if (!file.open(QIODevice::ReadOnly))
    return;
  QTextStream in(&file);
  in.setEncoding(QStringConverter::System);
  while (!in.atEnd()) {
    const QString line = in.readLine();
    for (const SettingsKey& key : settingsKeys(*this)) {
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
  for (const SettingsKey& key : settingsKeys(*this)) {
    if (!key.field->text().isEmpty())
      out << key.key << "\n" << key.field->text() << "\n\n";
  }
}
