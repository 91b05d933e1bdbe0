#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextCursor>

#include "ghs_converter.h"
#include "kalvex_locator.h"

QStringList GHSConverter::kalvexArguments() const {
  QStringList arguments{GHSProjectEdit->text(), ZinProjectEdit->text(), QStringLiteral("-cp"),
                        CmpPersonEdit->text(),  QStringLiteral("-pn"),  ZinNameEdit->text()};
  if (!MsgPersonEdit->text().isEmpty())
    arguments << QStringLiteral("-mp") << MsgPersonEdit->text();
  if (!AnalPersonEdit->text().isEmpty())
    arguments << QStringLiteral("-ap") << AnalPersonEdit->text();
  if (!extList.isEmpty())
    arguments << QStringLiteral("-ext") << extList;
  return arguments;
}

void GHSConverter::accept() {
  if (conversionRunning())
    return;
  process = new QProcess(this);
  process->setProgram(locateKalvex(QCoreApplication::applicationDirPath()));
  process->setArguments(kalvexArguments());
  process->setStandardErrorFile(QProcess::nullDevice());
  DetailsText->clear();
  DetailsText->setPlainText(QStringLiteral("Initialising Project Conversion ...\n"));
  connect(process, &QProcess::readyReadStandardOutput, this, &GHSConverter::readFromStdout);
  connect(process, &QProcess::finished, this, &GHSConverter::processExit);
  connect(process, &QProcess::errorOccurred, this, &GHSConverter::processError);
  finishReady = false;
  process->start();
  updateFinish();
}

void GHSConverter::readFromStdout() {
  if (process)
    appendToLog(QString::fromLocal8Bit(process->readAllStandardOutput()));
}

void GHSConverter::processError(QProcess::ProcessError error) {
  if (error != QProcess::FailedToStart)
    return;
  appendToLog(tr("Project Conversion could not be executed: Please ensure Kalvex.exe is set on "
                 "the path.\n"));
  updateFinish();
}

void GHSConverter::processExit() {
  if (process->exitStatus() == QProcess::NormalExit) {
    if (process->exitCode() == 0) {
      appendToLog(tr("Project Converted Successfully!"));
      finishReady = false;
      setButtonText(QWizard::CancelButton, tr("Close"));
    } else {
      showMessage(tr("Quorlin"),
                  tr("Project Conversion Failed!\nPlease check the details log and try again."));
    }
  }
  updateFinish();
  saveSettings();
}

void GHSConverter::reject() {
  if (process && process->state() != QProcess::NotRunning) {
    process->kill();
    // Reaps the killed converter at once, so that its end is judged and the settings kept.
    process->waitForFinished(3000);
  }
  GHSConverterBase::reject();
}

void GHSConverter::showMessage(const QString& caption, const QString& text) {
  QMessageBox::about(nullptr, caption, text);
}

void GHSConverter::appendToLog(const QString& text) {
  // Output is shown as plain text: a converter line is never taken for markup.
  QScrollBar* bar = DetailsText->verticalScrollBar();
  const bool atBottom = bar->value() == bar->maximum();
  QTextCursor cursor(DetailsText->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertBlock();
  cursor.insertText(text);
  if (atBottom)
    bar->setValue(bar->maximum());
}
