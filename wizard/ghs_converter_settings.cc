#include <QFile>
#include <QLineEdit>

#include "ghs_converter.h"
#include "settings_records.h"

namespace {

const QString kSettingsFile = QStringLiteral("settings.txt");

// A file of that name that is not the wizard's own, or cannot be read, is not overwritten.
bool mayOverwrite(QFile& file) {
  if (!file.exists()) return true;
  if (!file.open(QIODevice::ReadOnly)) return false;
  const bool ours = settings_records::holdsOnlyRecords(file.readAll());
  file.close();
  return ours;
}

}  // namespace

std::array<QLineEdit*, settings_records::kPersonalityCount> GHSConverter::settingsFields() const {
  return {MsgPersonEdit, AnalPersonEdit, CmpPersonEdit};
}

void GHSConverter::loadSettings() {
  QFile file(kSettingsFile);
  if (!file.open(QIODevice::ReadOnly)) return;
  const QHash<settings_records::Key, QString> values = settings_records::read(file);
  const auto fields = settingsFields();
  for (auto value = values.cbegin(); value != values.cend(); ++value) {
    if (value.key() == settings_records::kConfiguration)
      configChoice = value.value();
    else
      fields[value.key()]->setText(value.value());
  }
}

void GHSConverter::saveSettings() {
  QFile file(kSettingsFile);
  if (!mayOverwrite(file)) {
    appendToLog(
        tr("The personality paths were not saved: settings.txt holds other text and "
           "was left unchanged."));
    return;
  }
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
  settings_records::Values values;
  const auto fields = settingsFields();
  for (int key = 0; key < settings_records::kPersonalityCount; ++key) values[key] = fields[key]->text();
  values[settings_records::kConfiguration] = configChoice;
  settings_records::write(file, values);
}
