#ifndef QUORLIN_TESTS_TEST_WIZARD_H
#define QUORLIN_TESTS_TEST_WIZARD_H

#include <QAbstractButton>
#include <QLineEdit>
#include <QStringList>
#include <QTest>

#include "ghs_converter.h"

// The real wizard with its two seams replaced: messages are recorded instead of shown, and the
// file dialogs answer from a queue and record how they were opened.
class TestWizard : public GHSConverter {
 public:
  using GHSConverter::extList;
  using GHSConverter::lastPath;
  using GHSConverter::process;

  struct DialogCall {
    QString caption;
    QString start;
    QString filter;
  };

  QStringList messages;
  QStringList answers;
  QList<DialogCall> dialogCalls;

  void saveSettingsForTest() { saveSettings(); }

  void clickNext() { QTest::mouseClick(button(QWizard::NextButton), Qt::LeftButton); }
  void clickBack() { QTest::mouseClick(button(QWizard::BackButton), Qt::LeftButton); }
  void clickFinish() { QTest::mouseClick(button(QWizard::FinishButton), Qt::LeftButton); }
  void clickCancel() { QTest::mouseClick(button(QWizard::CancelButton), Qt::LeftButton); }

  // Replaces a field's text by typing, the way a user does (key presses and releases).
  static void type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
  }

 protected:
  void showMessage(const QString& caption, const QString& text) override {
    messages << caption + QLatin1Char('|') + text;
  }
  QString chooseOpenFile(const QString& caption, const QString& start, const QString& filter) override {
    dialogCalls.append({caption, start, filter});
    return answers.isEmpty() ? QString() : answers.takeFirst();
  }
  QString chooseDirectory(const QString& caption, const QString& start) override {
    dialogCalls.append({caption, start, QString()});
    return answers.isEmpty() ? QString() : answers.takeFirst();
  }
};

#endif  // QUORLIN_TESTS_TEST_WIZARD_H
