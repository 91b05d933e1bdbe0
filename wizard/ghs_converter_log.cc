#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextCursor>

#include "ghs_converter.h"

namespace {

// The wizard reads Kalvex's report by the form that converter/writer/report_file.h states as
// its contract, sharing no code with Kalvex: these two patterns are the wizard's whole copy.
// The count line, the report's last: "<e> errors, <w> warnings, <n> notes".
const QRegularExpression& countLine() {
  static const QRegularExpression pattern(QStringLiteral("^(\\d+) errors, (\\d+) warnings, (\\d+) notes$"));
  return pattern;
}

// A finding the log shows: "<file>:<line>:<column>: <severity>: ...", a warning or an error.
const QRegularExpression& shownFinding() {
  static const QRegularExpression pattern(QStringLiteral("^.+?:\\d+:\\d+: (warning|error): "));
  return pattern;
}

}  // namespace

void GHSConverter::appendToLog(const QString& text) {
  // Output is shown as plain text: a converter line is never taken for markup.
  QScrollBar* bar = DetailsText->verticalScrollBar();
  const bool atBottom = bar->value() == bar->maximum();
  QTextCursor cursor(DetailsText->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertBlock();
  cursor.insertText(text);
  if (atBottom) bar->setValue(bar->maximum());
}

void GHSConverter::appendReport() {
  const QFileInfo info(runReport);
  QFile file(runReport);
  // A report that this run did not write is an earlier run's: it is not shown.
  if (!info.isFile() || info.lastModified() == runReportStamp || !file.open(QIODevice::ReadOnly)) return;
  QList<QByteArray> lines = file.readAll().split('\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  if (lines.isEmpty()) return;
  const QRegularExpressionMatch count = countLine().match(QString::fromLocal8Bit(lines.takeLast()));
  if (!count.hasMatch()) return;
  appendToLog(tr("Report: %1 errors, %2 warnings, %3 notes (%4)")
                  .arg(count.captured(1), count.captured(2), count.captured(3), runReport));
  for (const QByteArray& line : lines) {
    const QString text = QString::fromLocal8Bit(line);
    if (shownFinding().match(text).hasMatch()) appendToLog(text);
  }
}
