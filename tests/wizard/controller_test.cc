// The controller driven like a user: page checks and colours, browsing through the dialog
// seam, the extension list and summary, and the settings file.
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBrowser>
#include <memory>

#include "sample_tree.h"
#include "test_wizard.h"

namespace {

QColor textColour(const QLineEdit* field) { return field->palette().color(QPalette::Text); }

bool nextEnabled(const TestWizard& wizard) { return wizard.button(QWizard::NextButton)->isEnabled(); }

}  // namespace

class ControllerTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void page0ColoursAndNext();
  void page1ColoursAndNext();
  void browseRechecksThePage_data();
  void browseRechecksThePage();
  void loadedSettingsAreChecked();
  void enterGoesNextOrFinish_data();
  void enterGoesNextOrFinish();
  void helpStaysDisabled();
  void extensionList_data();
  void extensionList();
  void summaryAfterPage2();
  void browseThroughTheSeam();
  void settingsLoad_data();
  void settingsLoad();
  void settingsSaveRoundTrip();

 private:
  // Fills Page0 and Page1 with the sample and moves on to Page2.
  void reachPage2();

  std::unique_ptr<SampleTree> tree_;
  std::unique_ptr<TestWizard> wizard_;
};

void ControllerTest::init() {
  tree_ = std::make_unique<SampleTree>();
  QVERIFY(tree_->isValid());
}

void ControllerTest::cleanup() {
  wizard_.reset();
  tree_.reset();
}

void ControllerTest::reachPage2() {
  wizard_ = std::make_unique<TestWizard>();
  wizard_->show();
  TestWizard::type(wizard_->GHSProjectEdit, tree_->path("board.gpj"));
  TestWizard::type(wizard_->ZinProjectEdit, tree_->path("out"));
  TestWizard::type(wizard_->ZinNameEdit, QStringLiteral("demo"));
  wizard_->clickNext();
  TestWizard::type(wizard_->CmpPersonEdit, tree_->path("cmp.p_c"));
  wizard_->clickNext();
  QCOMPARE(wizard_->currentPage(), wizard_->Page2);
}

void ControllerTest::page0ColoursAndNext() {
  TestWizard wizard;
  wizard.show();
  QVERIFY(!nextEnabled(wizard));
  const QString project = tree_->path("board.gpj");
  TestWizard::type(wizard.GHSProjectEdit, project);
  QCOMPARE(textColour(wizard.GHSProjectEdit), QColor(0, 0, 0));
  QCOMPARE(textColour(wizard.ZinProjectEdit), QColor(255, 0, 0));
  TestWizard::type(wizard.ZinProjectEdit, tree_->path("out"));
  QCOMPARE(textColour(wizard.ZinProjectEdit), QColor(0, 0, 0));
  QVERIFY(!nextEnabled(wizard));  // no name yet
  TestWizard::type(wizard.ZinNameEdit, QStringLiteral("  "));
  QVERIFY(nextEnabled(wizard));
  QTest::keyClick(wizard.GHSProjectEdit, Qt::Key_Backspace);
  QCOMPARE(textColour(wizard.GHSProjectEdit), QColor(255, 0, 0));
  QVERIFY(!nextEnabled(wizard));
  TestWizard::type(wizard.GHSProjectEdit, QStringLiteral("out"));  // a folder, relative
  QCOMPARE(textColour(wizard.GHSProjectEdit), QColor(0, 0, 0));
  QVERIFY(nextEnabled(wizard));
}

void ControllerTest::page1ColoursAndNext() {
  TestWizard wizard;
  QCOMPARE(textColour(wizard.MsgPersonEdit), textColour(wizard.GHSProjectEdit));
  wizard.setStartId(1);
  wizard.show();
  QVERIFY(!nextEnabled(wizard));
  TestWizard::type(wizard.CmpPersonEdit, tree_->path("cmp.p_c"));
  QVERIFY(nextEnabled(wizard));
  TestWizard::type(wizard.MsgPersonEdit, tree_->path("missing.p_s"));
  QCOMPARE(textColour(wizard.MsgPersonEdit), QColor(255, 0, 0));
  QVERIFY(!nextEnabled(wizard));
  TestWizard::type(wizard.MsgPersonEdit, tree_->path("msg.p_s"));
  QCOMPARE(textColour(wizard.MsgPersonEdit), QColor(0, 0, 0));
  QVERIFY(nextEnabled(wizard));
  wizard.MsgPersonEdit->clear();  // an empty optional field keeps its colour
  QCOMPARE(textColour(wizard.MsgPersonEdit), QColor(0, 0, 0));
  QVERIFY(nextEnabled(wizard));
  wizard.CmpPersonEdit->clear();
  QCOMPARE(textColour(wizard.CmpPersonEdit), QColor(255, 0, 0));
  QVERIFY(!nextEnabled(wizard));
}

void ControllerTest::browseRechecksThePage_data() {
  QTest::addColumn<int>("page");
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("missing");
  QTest::addColumn<QString>("valid");
  QTest::newRow("project") << 0 << "GHSProjectBrowseBtn"
                           << "GHSProjectEdit"
                           << "missing.gpj"
                           << "board.gpj";
  QTest::newRow("folder") << 0 << "ZinProjectBrowseBtn"
                          << "ZinProjectEdit"
                          << "missing"
                          << "out";
  QTest::newRow("message") << 1 << "MsgBrowseBtn"
                           << "MsgPersonEdit"
                           << "missing.p_s"
                           << "msg.p_s";
  QTest::newRow("analyser") << 1 << "AnalBrowseBtn"
                            << "AnalPersonEdit"
                            << "missing.p_a"
                            << "anal.p_a";
  QTest::newRow("compiler") << 1 << "CmpBrowseBtn"
                            << "CmpPersonEdit"
                            << "missing.p_c"
                            << "cmp.p_c";
}

void ControllerTest::browseRechecksThePage() {
  QFETCH(int, page);
  QFETCH(QString, button);
  QFETCH(QString, field);
  QFETCH(QString, missing);
  QFETCH(QString, valid);
  TestWizard wizard;
  wizard.setStartId(page);
  wizard.show();
  if (page == 0) {
    TestWizard::type(wizard.GHSProjectEdit, tree_->path("board.gpj"));
    TestWizard::type(wizard.ZinProjectEdit, tree_->path("out"));
    TestWizard::type(wizard.ZinNameEdit, QStringLiteral("demo"));
  } else {
    TestWizard::type(wizard.CmpPersonEdit, tree_->path("cmp.p_c"));
  }
  auto* edit = wizard.findChild<QLineEdit*>(field);
  auto* browse = wizard.findChild<QPushButton*>(button);
  wizard.answers << tree_->path(missing) << tree_->path(valid);
  QTest::mouseClick(browse, Qt::LeftButton);
  QCOMPARE(textColour(edit), QColor(255, 0, 0));
  QVERIFY(!nextEnabled(wizard));
  QTest::mouseClick(browse, Qt::LeftButton);
  QCOMPARE(edit->text(), QDir::toNativeSeparators(tree_->path(valid)));
  QCOMPARE(textColour(edit), QColor(0, 0, 0));
  QVERIFY(nextEnabled(wizard));
}

void ControllerTest::loadedSettingsAreChecked() {
  tree_->write(QStringLiteral("settings.txt"),
               "Analyser Personality:\nmissing.p_a\n\nCompiler Personality:\ncmp.p_c\n\n");
  TestWizard wizard;
  wizard.setStartId(1);
  wizard.show();
  QCOMPARE(textColour(wizard.AnalPersonEdit), QColor(255, 0, 0));
  QCOMPARE(textColour(wizard.CmpPersonEdit), QColor(0, 0, 0));
  QVERIFY(!nextEnabled(wizard));
}

void ControllerTest::enterGoesNextOrFinish_data() {
  QTest::addColumn<int>("page");
  QTest::addColumn<QString>("focus");  // empty: where the focus lands on arrival
  QTest::newRow("Page0 on arrival") << 0 << "";
  QTest::newRow("Page0 project Browse") << 0 << "GHSProjectBrowseBtn";
  QTest::newRow("Page0 folder Browse") << 0 << "ZinProjectBrowseBtn";
  QTest::newRow("Page0 name") << 0 << "ZinNameEdit";
  QTest::newRow("Page1 on arrival") << 1 << "";
  QTest::newRow("Page1 message Browse") << 1 << "MsgBrowseBtn";
  QTest::newRow("Page1 analyser Browse") << 1 << "AnalBrowseBtn";
  QTest::newRow("Page1 compiler Browse") << 1 << "CmpBrowseBtn";
  QTest::newRow("Page1 compiler") << 1 << "CmpPersonEdit";
  QTest::newRow("Page2 on arrival") << 2 << "";
  QTest::newRow("Page2 custom") << 2 << "CustExtEdit";
  QTest::newRow("Page3 on arrival") << 3 << "";
}

void ControllerTest::enterGoesNextOrFinish() {
  QFETCH(int, page);
  QFETCH(QString, focus);
  reachPage2();
  wizard_->clickNext();
  // Arrives as a user does: on Page0 coming back, on the others going forward.
  while (wizard_->currentId() > qMax(page - 1, 0)) wizard_->clickBack();
  if (page > 0) wizard_->clickNext();
  QCOMPARE(wizard_->currentId(), page);
  QVERIFY(QTest::qWaitForWindowActive(wizard_.get()));
  if (!focus.isEmpty()) wizard_->findChild<QWidget*>(focus)->setFocus();
  QWidget* focused = QApplication::focusWidget();
  QVERIFY(focused && wizard_->currentPage()->isAncestorOf(focused));
  QVERIFY2(!qobject_cast<QPushButton*>(focused) || !focus.isEmpty(), qPrintable(focused->objectName()));
  QTest::keyClick(focused, Qt::Key_Return);
  QVERIFY(wizard_->dialogCalls.isEmpty());
  if (page < 3)
    QCOMPARE(wizard_->currentId(), page + 1);
  else
    QVERIFY(wizard_->process);  // Finish was pressed
}

void ControllerTest::helpStaysDisabled() {
  reachPage2();
  QVERIFY(nextEnabled(*wizard_));
  for (int step = 0; step < 2; ++step) {
    QVERIFY(!wizard_->button(QWizard::HelpButton)->isEnabled());
    wizard_->clickBack();
  }
  QVERIFY(!wizard_->button(QWizard::HelpButton)->isEnabled());
}

void ControllerTest::extensionList_data() {
  QTest::addColumn<QStringList>("checked");
  QTest::addColumn<QString>("custom");
  QTest::addColumn<QString>("expected");
  QTest::newRow("cpp and h") << QStringList{"hCheck", "cppCheck"} << ""
                             << "cpp,h";
  QTest::newRow("c and custom") << QStringList{"cCheck"} << "res,xml"
                                << "c,res,xml";
  QTest::newRow("trailing comma") << QStringList{} << "asm,"
                                  << "asm";
  QTest::newRow("three commas") << QStringList{} << ",,,"
                                << ",,";
  QTest::newRow("all in order") << QStringList{"hxxCheck", "hppCheck", "hhCheck", "hCheck",
                                               "cCheck",   "cxxCheck", "ccCheck", "cppCheck"}
                                << " s "
                                << "cpp,cc,cxx,c,h,hh,hpp,hxx, s ";
  QTest::newRow("nothing") << QStringList{} << ""
                           << "";
}

void ControllerTest::extensionList() {
  QFETCH(QStringList, checked);
  QFETCH(QString, custom);
  QFETCH(QString, expected);
  reachPage2();
  wizard_->cCheck->setChecked(true);  // an earlier visit's choice is forgotten
  wizard_->clickNext();
  wizard_->clickBack();
  wizard_->cCheck->setChecked(false);
  for (const QString& name : checked)
    QTest::mouseClick(wizard_->findChild<QCheckBox*>(name), Qt::LeftButton, {}, QPoint(5, 10));
  TestWizard::type(wizard_->CustExtEdit, custom);
  wizard_->clickNext();
  QCOMPARE(wizard_->extList, expected);
  QCOMPARE(wizard_->kalvexArguments().contains(QStringLiteral("-ext")), !expected.isEmpty());
}

void ControllerTest::summaryAfterPage2() {
  reachPage2();
  wizard_->clickBack();
  TestWizard::type(wizard_->AnalPersonEdit, tree_->path("anal.p_a"));
  wizard_->clickNext();
  QTest::mouseClick(wizard_->cppCheck, Qt::LeftButton, {}, QPoint(5, 10));
  wizard_->clickNext();
  QVERIFY(wizard_->button(QWizard::FinishButton)->isEnabled());
  QCOMPARE(wizard_->DetailsText->toPlainText(),
           "GreenHills Project:\n" + tree_->path("board.gpj") + "\n\nZintra / Zintra++ Project Directory:\n" +
               tree_->path("out") +
               "\n\nZintra / Zintra++ Project Name:\ndemo\n\nMessage Personality:\n\n\n"
               "Template Analyser Personality:\n" +
               tree_->path("anal.p_a") + "\n\nCompiler Personality:\n" + tree_->path("cmp.p_c") +
               "\n\nFile Extensions:\ncpp\n");
}

void ControllerTest::browseThroughTheSeam() {
  TestWizard wizard;
  wizard.show();
  wizard.answers << tree_->path("p/a.gpj");
  QTest::mouseClick(wizard.GHSProjectBrowseBtn, Qt::LeftButton);
  QTest::mouseClick(wizard.ZinProjectBrowseBtn, Qt::LeftButton);  // cancelled
  wizard.answers << tree_->path("out");
  QTest::mouseClick(wizard.ZinProjectBrowseBtn, Qt::LeftButton);
  wizard.answers << tree_->path("msg.p_s") << tree_->path("cmp.p_c");
  QTest::mouseClick(wizard.MsgBrowseBtn, Qt::LeftButton);
  QTest::mouseClick(wizard.CmpBrowseBtn, Qt::LeftButton);

  QCOMPARE(wizard.dialogCalls.size(), 5);
  const QString root = QDir::toNativeSeparators(QStringLiteral("/"));
  QCOMPARE(wizard.dialogCalls[0].caption, QStringLiteral("Select a GreenHills Project"));
  QCOMPARE(wizard.dialogCalls[0].filter, QStringLiteral("GreenHills Projects (*.gpj)"));
  QCOMPARE(wizard.dialogCalls[0].start, root);
  const QString chosen = QDir::toNativeSeparators(tree_->path("p/a.gpj"));
  QCOMPARE(wizard.GHSProjectEdit->text(), chosen);
  QCOMPARE(wizard.dialogCalls[1].caption, QStringLiteral("Select the Zintra/Zintra++ Project Destination Directory"));
  const QString chosenFolder = QDir::toNativeSeparators(tree_->path("p"));
  QCOMPARE(wizard.dialogCalls[1].start, chosenFolder);  // the folder, no file selected in it
  QCOMPARE(wizard.dialogCalls[2].start, chosenFolder);  // the cancelled dialog changed nothing
  QCOMPARE(wizard.ZinProjectEdit->text(), QDir::toNativeSeparators(tree_->path("out")));
  QCOMPARE(wizard.dialogCalls[3].caption, QStringLiteral("Select a Message Personality"));
  QCOMPARE(wizard.dialogCalls[3].start, QDir::toNativeSeparators(tree_->path("out")));
  QCOMPARE(wizard.dialogCalls[3].filter, QStringLiteral("Msg Personalities(*.p_s)"));
  QCOMPARE(wizard.dialogCalls[4].filter, QStringLiteral("Compiler Personalities(*.p_c)"));
  QCOMPARE(wizard.dialogCalls[4].start, QDir::toNativeSeparators(tree_->path(QString())));
  QCOMPARE(wizard.lastPath, QDir::toNativeSeparators(tree_->path("cmp.p_c")));
  QCOMPARE(textColour(wizard.CmpPersonEdit), QColor(0, 0, 0));  // a browse fires the check
}

void ControllerTest::settingsLoad_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QStringList>("fields");  // message, analyser, compiler
  QTest::newRow("compiler only") << QByteArray("Compiler Personality:\nC:\\p\\c.p_c\n\n")
                                 << QStringList{"", "", "C:\\p\\c.p_c"};
  QTest::newRow("later record wins") << QByteArray("Message Personality:\nfirst\n\nMessage Personality:\nsecond\n\n")
                                     << QStringList{"second", "", ""};
  QTest::newRow("key on the last line") << QByteArray(
                                               "Analyser Personality:\nkept\n\nCompiler Personality:\nc\n\n"
                                               "Analyser Personality:")
                                        << QStringList{"", "", "c"};
  QTest::newRow("value never a key") << QByteArray("Message Personality:\nCompiler Personality:\nx\n")
                                     << QStringList{"Compiler Personality:", "", ""};
  QTest::newRow("keys are exact") << QByteArray("message personality:\na\n Compiler Personality:\nb\n")
                                  << QStringList{"", "", ""};
}

void ControllerTest::settingsLoad() {
  QFETCH(QByteArray, file);
  QFETCH(QStringList, fields);
  tree_->write(QStringLiteral("settings.txt"), file);
  TestWizard wizard;
  QCOMPARE(wizard.MsgPersonEdit->text(), fields[0]);
  QCOMPARE(wizard.AnalPersonEdit->text(), fields[1]);
  QCOMPARE(wizard.CmpPersonEdit->text(), fields[2]);
}

void ControllerTest::settingsSaveRoundTrip() {
  tree_->write(QStringLiteral("settings.txt"),
               "Compiler Personality:\n" + tree_->path("cmp.p_c").toLocal8Bit() + "\n\n");
  {
    TestWizard wizard;
    wizard.setStartId(1);
    wizard.show();
    QVERIFY(nextEnabled(wizard));  // the loaded compiler path is checked at once
    TestWizard::type(wizard.MsgPersonEdit, QStringLiteral("m s.p_s"));
    wizard.saveSettingsForTest();
  }
  QCOMPARE(tree_->read(QStringLiteral("settings.txt")),
           "Message Personality:\nm s.p_s\n\nCompiler Personality:\n" + tree_->path("cmp.p_c").toLocal8Bit() + "\n\n");
  TestWizard again;
  QCOMPARE(again.MsgPersonEdit->text(), QStringLiteral("m s.p_s"));
  QVERIFY(again.AnalPersonEdit->text().isEmpty());
  QCOMPARE(again.CmpPersonEdit->text(), tree_->path("cmp.p_c"));
}

QTEST_MAIN(ControllerTest)
#include "controller_test.moc"
