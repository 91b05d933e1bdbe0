#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

#include "build_configs.h"
#include "ghs_converter.h"

namespace {

// The configurations of the file at path, none for a path that names no readable file.
QList<build_configs::Config> configsOf(const QString& path) {
  QFile file(path);
  if (path.isEmpty() || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return {};
  return build_configs::read(file.readAll());
}

}  // namespace

void GHSConverter::GHSProjectEdit_textchanged(const QString&) { fillConfigCombo(); }

void GHSConverter::GHSConfigCombo_activated(int index) { configChoice = GHSConfigCombo->itemData(index).toString(); }

QString GHSConverter::chosenConfig() const { return GHSConfigCombo->currentData().toString(); }

void GHSConverter::fillConfigCombo() {
  const QList<build_configs::Config> configs = configsOf(GHSProjectEdit->text());
  const qsizetype kept = configChoice.isEmpty() ? -1 : build_configs::chosenBy(configs, configChoice);
  // Entry 0 is the form's own "none".
  while (GHSConfigCombo->count() > 1) GHSConfigCombo->removeItem(GHSConfigCombo->count() - 1);
  int current = 0;
  for (const build_configs::Offer& offer : build_configs::offers(configs)) {
    if (offer.config == kept) current = GHSConfigCombo->count();
    GHSConfigCombo->addItem(offer.label, offer.word);
    GHSConfigCombo->setItemData(GHSConfigCombo->count() - 1, configs[offer.config].file, Qt::ToolTipRole);
  }
  GHSConfigCombo->setCurrentIndex(current);
}
