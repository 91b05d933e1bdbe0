// The build configuration choice beside the project file: filled from the file named, the
// user's pick across files, the summary, and the choice in the settings file.
#include <QComboBox>
#include <QTextBrowser>
#include <memory>

#include "sample_tree.h"
#include "test_wizard.h"

namespace {

// The entries of the configuration choice, the current one marked with "*".
QStringList offered(const QComboBox* combo) {
  QStringList entries;
  for (int index = 0; index < combo->count(); ++index)
    entries << (index == combo->currentIndex() ? QStringLiteral("*") : QString()) + combo->itemText(index);
  return entries;
}

// Picks an entry the way a user does, with the arrow keys on the focused choice.
void pick(QComboBox* combo, int index) {
  combo->setFocus();
  while (combo->currentIndex() < index) QTest::keyClick(combo, Qt::Key_Down);
  while (combo->currentIndex() > index) QTest::keyClick(combo, Qt::Key_Up);
}

const QByteArray kTopFile =
    "#!gbuild\r\nprimaryTarget=ppc_standalone.tgt\r\n"
    "  defineConfig (\"Debug\" \"DBG\" \"tgt\\debug.gpc\")\r\n"
    "[Program]\r\n"
    "\tdefineConfig(Release rel release.gpc)\r\n"
    "main.c\r\n";

}  // namespace

class ConfigChoiceTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void configurationsOfTheProjectFile();
  void configurationInTheSummary();
  void olderSettingsFileGivesNone();
  void configurationKeptInTheSettings();

 private:
  std::unique_ptr<SampleTree> tree_;
};

void ConfigChoiceTest::init() {
  tree_ = std::make_unique<SampleTree>();
  QVERIFY(tree_->isValid());
}

void ConfigChoiceTest::cleanup() { tree_.reset(); }

// The choice follows the project file named: filled from its defineConfig lines, "none" for a
// file without any, a missing file or a folder; the user's pick survives the files between.
void ConfigChoiceTest::configurationsOfTheProjectFile() {
  tree_->write(QStringLiteral("top.gpj"), kTopFile);
  tree_->write(QStringLiteral("other.gpj"), "defineConfig(Profile prof p.gpc)\ndefineConfig(RELEASE R r.gpc)\n");
  TestWizard wizard;
  wizard.show();
  QCOMPARE(offered(wizard.GHSConfigCombo), QStringList{"*none"});
  TestWizard::type(wizard.GHSProjectEdit, tree_->path("top.gpj"));
  QCOMPARE(offered(wizard.GHSConfigCombo), (QStringList{"*none", "Debug (DBG)", "Release (rel)"}));
  QVERIFY(wizard.chosenConfig().isEmpty());
  QCOMPARE(wizard.GHSConfigCombo->itemData(1, Qt::ToolTipRole).toString(), QStringLiteral("tgt\\debug.gpc"));
  pick(wizard.GHSConfigCombo, 2);
  QCOMPARE(wizard.chosenConfig(), QStringLiteral("Release"));

  // Kalvex's rule finds the choice in another file: the name, ASCII case ignored.
  TestWizard::type(wizard.GHSProjectEdit, tree_->path("other.gpj"));
  QCOMPARE(offered(wizard.GHSConfigCombo), (QStringList{"none", "Profile (prof)", "*RELEASE (R)"}));
  QCOMPARE(wizard.chosenConfig(), QStringLiteral("RELEASE"));
  for (const char* none : {"board.gpj", "missing.gpj", "out"}) {
    TestWizard::type(wizard.GHSProjectEdit, tree_->path(QLatin1String(none)));
    QCOMPARE(offered(wizard.GHSConfigCombo), QStringList{"*none"});
    QVERIFY(wizard.chosenConfig().isEmpty());
  }
  wizard.answers << tree_->path("top.gpj");
  QTest::mouseClick(wizard.GHSProjectBrowseBtn, Qt::LeftButton);
  QCOMPARE(offered(wizard.GHSConfigCombo), (QStringList{"none", "Debug (DBG)", "*Release (rel)"}));

  // The file rewritten and named again: read afresh.
  tree_->write(QStringLiteral("top.gpj"), "defineConfig(Debug DBG d.gpc)\n");
  TestWizard::type(wizard.GHSProjectEdit, tree_->path("top.gpj"));
  QCOMPARE(offered(wizard.GHSConfigCombo), (QStringList{"*none", "Debug (DBG)"}));
  pick(wizard.GHSConfigCombo, 1);
  pick(wizard.GHSConfigCombo, 0);
  tree_->write(QStringLiteral("top.gpj"), kTopFile);
  TestWizard::type(wizard.GHSProjectEdit, tree_->path("top.gpj"));
  QCOMPARE(offered(wizard.GHSConfigCombo).first(), QStringLiteral("*none"));  // "none" is a choice too
}

void ConfigChoiceTest::configurationInTheSummary() {
  tree_->write(QStringLiteral("board.gpj"), kTopFile);
  TestWizard wizard;
  wizard.show();
  TestWizard::type(wizard.GHSProjectEdit, tree_->path("board.gpj"));
  TestWizard::type(wizard.ZinProjectEdit, tree_->path("out"));
  TestWizard::type(wizard.ZinNameEdit, QStringLiteral("demo"));
  pick(wizard.GHSConfigCombo, 1);
  wizard.clickNext();
  TestWizard::type(wizard.CmpPersonEdit, tree_->path("cmp.p_c"));
  wizard.clickNext();
  wizard.clickNext();
  QCOMPARE(wizard.currentPage(), wizard.Page3);
  QVERIFY(wizard.DetailsText->toPlainText().startsWith("GreenHills Project:\n" + tree_->path("board.gpj") +
                                                       "\n\nBuild Configuration:\nDebug (DBG)\n\n"
                                                       "Zintra / Zintra++ Project Directory:\n"));
}

void ConfigChoiceTest::olderSettingsFileGivesNone() {
  tree_->write(QStringLiteral("settings.txt"),
               "Message Personality:\r\nm.p_s\r\n\r\nCompiler Personality:\r\nc.p_c\r\n\r\n");
  tree_->write(QStringLiteral("top.gpj"), kTopFile);
  TestWizard wizard;
  QCOMPARE(wizard.MsgPersonEdit->text(), QStringLiteral("m.p_s"));
  QCOMPARE(wizard.CmpPersonEdit->text(), QStringLiteral("c.p_c"));
  TestWizard::type(wizard.GHSProjectEdit, tree_->path("top.gpj"));
  QCOMPARE(offered(wizard.GHSConfigCombo).first(), QStringLiteral("*none"));
  wizard.saveSettingsForTest();
  QCOMPARE(tree_->read(QStringLiteral("settings.txt")),
           QByteArray("Message Personality:\nm.p_s\n\nCompiler Personality:\nc.p_c\n\n"));
}

// The choice is written after the personalities, kept while a file without it is named, and
// chosen again by the next wizard once a file that defines it is named.
void ConfigChoiceTest::configurationKeptInTheSettings() {
  tree_->write(QStringLiteral("top.gpj"), kTopFile);
  const QByteArray personalities = "Analyser Personality:\na.p_a\n\nCompiler Personality:\nc.p_c\n\n";
  tree_->write(QStringLiteral("settings.txt"), personalities);
  {
    TestWizard wizard;
    TestWizard::type(wizard.GHSProjectEdit, tree_->path("top.gpj"));
    pick(wizard.GHSConfigCombo, 1);
    TestWizard::type(wizard.GHSProjectEdit, tree_->path("board.gpj"));
    wizard.saveSettingsForTest();
  }
  QCOMPARE(tree_->read(QStringLiteral("settings.txt")), personalities + "Build Configuration:\nDebug\n\n");
  TestWizard again;
  QCOMPARE(again.AnalPersonEdit->text(), QStringLiteral("a.p_a"));
  QCOMPARE(again.CmpPersonEdit->text(), QStringLiteral("c.p_c"));
  QCOMPARE(offered(again.GHSConfigCombo), QStringList{"*none"});
  TestWizard::type(again.GHSProjectEdit, tree_->path("top.gpj"));
  QCOMPARE(offered(again.GHSConfigCombo), (QStringList{"none", "*Debug (DBG)", "Release (rel)"}));
  const QStringList arguments = again.kalvexArguments();
  QCOMPARE(arguments.mid(arguments.indexOf(QStringLiteral("-config")), 2), (QStringList{"-config", "Debug"}));
}

QTEST_MAIN(ConfigChoiceTest)
#include "config_choice_test.moc"
