#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

#include "ghs_converter.h"

QString GHSConverter::nativePath(const QString& path) { return QDir::toNativeSeparators(path); }

QString GHSConverter::chooseOpenFile(const QString& caption, const QString& start, const QString& filter) {
  QFileDialog dialog(this, caption, start, filter);
  dialog.setObjectName(QStringLiteral("open file dialog"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

QString GHSConverter::chooseDirectory(const QString& caption, const QString& start) {
  QFileDialog dialog(this, caption, start);
  dialog.setObjectName(QStringLiteral("get existing directory"));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

QString GHSConverter::dialogStart() const {
  const QFileInfo last(lastPath);
  return nativePath(last.isDir() ? last.filePath() : last.absolutePath());
}

void GHSConverter::takeChoice(QLineEdit* field, const QString& choice) {
  const QString chosen = nativePath(choice);
  if (chosen.isEmpty()) return;
  lastPath = chosen;
  field->setText(chosen);
}

void GHSConverter::browseInto(QLineEdit* field, const QString& caption, const QString& filter) {
  takeChoice(field, chooseOpenFile(caption, dialogStart(), filter));
}

void GHSConverter::GHSProjectBrowseBtn_clicked() {
  browseInto(GHSProjectEdit, tr("Select a GreenHills Project"), tr("GreenHills Projects (*.gpj)"));
}

void GHSConverter::ZinProjectBrowseBtn_clicked() {
  takeChoice(ZinProjectEdit,
             chooseDirectory(tr("Select the Zintra/Zintra++ Project Destination Directory"), dialogStart()));
}

void GHSConverter::MsgBrowseBtn_clicked() {
  browseInto(MsgPersonEdit, tr("Select a Message Personality"), tr("Msg Personalities(*.p_s)"));
}

void GHSConverter::AnalBrowseBtn_clicked() {
  browseInto(AnalPersonEdit, tr("Select a Template Analyser Personality"), tr("Analiser Personalities(*.p_a)"));
}

void GHSConverter::CmpBrowseBtn_clicked() {
  browseInto(CmpPersonEdit, tr("Select your Compiler Personality"), tr("Compiler Personalities(*.p_c)"));
}
