// The form as built: object names, geometry, texts, banners, first state, and that no text is
// cut off by its widget in the form's font.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "ghs_converter.h"

class FormTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void widgetsSitWhereTheFormSays_data();
  void widgetsSitWhereTheFormSays();
  void captionAndEmptyTitlesOnEveryPage();
  void bannersAreGreyAndScaled();
  void freshFormIsEmptyAndUnchecked();
  void noTextIsCutOff();
  void pagesFitTheWindow();
  void windowKeepsItsSize();
  void tabOrderFollowsReading_data();
  void tabOrderFollowsReading();
  void logScrollBarLooksAsTheStyleDrawsIt();

 private:
  QTemporaryDir folder_;
};

void FormTest::init() {
  QVERIFY(folder_.isValid());
  QVERIFY(QDir::setCurrent(folder_.path()));
}

void FormTest::widgetsSitWhereTheFormSays_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("parent");
  QTest::addColumn<QRect>("geometry");
  QTest::addColumn<QString>("text");
  QTest::newRow("welcome") << "textLabel1_3_3"
                           << "groupBox1_3" << QRect(10, 10, 461, 21) << "Welcome to the Orvane :: Quorlin";
  QTest::newRow("project label") << "textLabel1_3"
                                 << "groupBox1" << QRect(10, 20, 80, 20) << "Project File (.gpj)";
  QTest::newRow("project edit") << "GHSProjectEdit"
                                << "groupBox1" << QRect(95, 20, 205, 25) << "";
  QTest::newRow("configuration choice") << "GHSConfigCombo"
                                        << "groupBox1" << QRect(305, 20, 95, 25) << "none";
  QTest::newRow("project browse") << "GHSProjectBrowseBtn"
                                  << "groupBox1" << QRect(410, 20, 75, 25) << "Browse";
  QTest::newRow("name label") << "textLabel1_2"
                              << "groupBox2" << QRect(10, 56, 40, 20) << "Name";
  QTest::newRow("zin group") << "groupBox2"
                             << "Page0" << QRect(20, 260, 500, 87) << "Zintra / Zintra++ Project";
  QTest::newRow("msg browse") << "MsgBrowseBtn"
                              << "groupBox1_2" << QRect(420, 20, 75, 25) << "Browse";
  QTest::newRow("cmp edit") << "CmpPersonEdit"
                            << "groupBox2_2" << QRect(10, 20, 390, 25) << "";
  QTest::newRow("anal group") << "groupBox2_2_2"
                              << "Page1" << QRect(20, 220, 500, 60) << "Template Analyser Personality";
  QTest::newRow("cpp") << "cppCheck"
                       << "groupBox7" << QRect(40, 35, 50, 20) << "*.cpp";
  QTest::newRow("hxx") << "hxxCheck"
                       << "groupBox7" << QRect(260, 75, 50, 20) << "*.hxx";
  QTest::newRow("custom label") << "textLabel2"
                                << "groupBox7" << QRect(50, 116, 100, 20) << "Custom Extensions";
  QTest::newRow("custom edit") << "CustExtEdit"
                               << "groupBox7" << QRect(160, 115, 144, 25) << "";
  QTest::newRow("details") << "DetailsText"
                           << "Page3" << QRect(15, 40, 505, 310) << "";
  QTest::newRow("left line") << "line1_3_2"
                             << "Page2" << QRect(-8, 36, 20, 335) << "";
  QTest::newRow("bottom banner") << "pixmapLabel3_3_2_2_2"
                                 << "Page3" << QRect(0, 360, 532, 20) << "";
}

void FormTest::widgetsSitWhereTheFormSays() {
  QFETCH(QString, name);
  QFETCH(QString, parent);
  QFETCH(QRect, geometry);
  QFETCH(QString, text);
  GHSConverter wizard;
  auto* widget = wizard.findChild<QWidget*>(name);
  QVERIFY(widget);
  QCOMPARE(widget->parentWidget()->objectName(), parent);
  QCOMPARE(widget->geometry(), geometry);
  if (auto* label = qobject_cast<QLabel*>(widget)) QCOMPARE(label->text(), text);
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) QCOMPARE(button->text(), text);
  if (auto* box = qobject_cast<QGroupBox*>(widget)) QCOMPARE(box->title(), text);
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    QCOMPARE(combo->count(), 1);
    QCOMPARE(combo->currentText(), text);
  }
}

void FormTest::captionAndEmptyTitlesOnEveryPage() {
  GHSConverter wizard;
  QCOMPARE(wizard.objectName(), QStringLiteral("GHSConverterBase"));
  QCOMPARE(wizard.windowTitle(), QStringLiteral("Quorlin 1.1"));
  QCOMPARE(wizard.pageIds(), QList<int>({0, 1, 2, 3}));
  for (int id : wizard.pageIds()) QVERIFY(wizard.page(id)->title().isNull());
  QVERIFY(wizard.groupBox1_3->title().isNull());
  QVERIFY(!wizard.windowIcon().isNull());
  QCOMPARE(wizard.GHSProjectEdit->toolTip(), QStringLiteral("Path to the .gpj project file"));
  QVERIFY(wizard.AnalPersonEdit->toolTip().isEmpty());
  QVERIFY(wizard.textLabel2_2->text().contains(QStringLiteral("will be created.  \nThe Zintra/Zintra++ project")));
  QVERIFY(wizard.DetailsText->toPlainText().startsWith(QStringLiteral("GHS Project:\n\n\n")));
}

void FormTest::bannersAreGreyAndScaled() {
  GHSConverter wizard;
  const QImage top = wizard.pixmapLabel3->pixmap().toImage();
  const QImage bottom = wizard.pixmapLabel3_3_2->pixmap().toImage();
  QCOMPARE(top.size(), QSize(532, 36));
  QCOMPARE(bottom.size(), QSize(532, 19));
  QVERIFY(wizard.pixmapLabel3_3_2->hasScaledContents());
  for (const QImage& image : {top, bottom}) {
    QSet<QRgb> levels;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor colour = image.pixelColor(x, y);
        QVERIFY(colour.red() == colour.green() && colour.green() == colour.blue());
        QCOMPARE(colour.alpha(), 255);
        levels.insert(colour.rgb());
      }
    }
    QVERIFY(levels.contains(qRgb(255, 255, 255)));
    QVERIFY(levels.size() > 40);
  }
}

void FormTest::freshFormIsEmptyAndUnchecked() {
  GHSConverter wizard;
  for (QCheckBox* box : wizard.groupBox7->findChildren<QCheckBox*>())
    QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
  QCOMPARE(wizard.groupBox7->findChildren<QCheckBox*>().size(), 8);
  for (QLineEdit* edit : wizard.findChildren<QLineEdit*>())
    QVERIFY2(edit->text().isEmpty(), qPrintable(edit->objectName()));
}

void FormTest::noTextIsCutOff() {
  GHSConverter wizard;
  wizard.show();
  QVERIFY(QTest::qWaitForWindowExposed(&wizard));
  for (QLabel* label : wizard.findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;
    const QSize need = label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->sizeHint();
    QVERIFY2(need.width() <= label->width() && need.height() <= label->height(), qPrintable(label->objectName()));
  }
  for (QAbstractButton* button : wizard.findChildren<QAbstractButton*>()) {
    if (button->parentWidget() == &wizard || button->text().isEmpty()) continue;
    const int textWidth = button->fontMetrics().horizontalAdvance(button->text());
    const int need = qobject_cast<QCheckBox*>(button) ? button->sizeHint().width() : textWidth + 8;
    QVERIFY2(need <= button->width(), qPrintable(button->objectName()));
  }
  for (QGroupBox* box : wizard.findChildren<QGroupBox*>()) {
    const int need = box->fontMetrics().horizontalAdvance(box->title()) + 16;
    QVERIFY2(need <= box->width(), qPrintable(box->objectName()));
  }
}

void FormTest::pagesFitTheWindow() {
  GHSConverter wizard;
  QVERIFY(wizard.width() >= 543);
  QCOMPARE(wizard.height(), 458);
  wizard.show();
  QVERIFY(QTest::qWaitForWindowExposed(&wizard));
  for (int id : wizard.pageIds()) {
    wizard.setStartId(id);
    wizard.restart();
    const QWidget* area = wizard.currentPage()->parentWidget();
    QVERIFY(area->width() >= 532);
    QVERIFY(area->height() >= 380);
  }
}

void FormTest::windowKeepsItsSize() {
  GHSConverter wizard;
  wizard.show();
  QVERIFY(QTest::qWaitForWindowExposed(&wizard));
  const QSize size = wizard.size();
  for (const QSize& asked : {QSize(274, 66), QSize(1200, 900)}) {
    wizard.resize(asked);
    QCOMPARE(wizard.size(), size);
  }
  wizard.next();
  wizard.next();
  QCOMPARE(wizard.minimumSize(), size);
  QCOMPARE(wizard.maximumSize(), size);
}

void FormTest::tabOrderFollowsReading_data() {
  QTest::addColumn<QString>("page");
  QTest::addColumn<QStringList>("order");
  QTest::newRow("Page0") << "Page0" << QStringList{"GHSProjectEdit", "GHSConfigCombo",      "GHSProjectBrowseBtn",
                                                   "ZinProjectEdit", "ZinProjectBrowseBtn", "ZinNameEdit"};
  QTest::newRow("Page1") << "Page1" << QStringList{"MsgPersonEdit", "MsgBrowseBtn",  "AnalPersonEdit",
                                                   "AnalBrowseBtn", "CmpPersonEdit", "CmpBrowseBtn"};
  QTest::newRow("Page2") << "Page2" << QStringList{"cppCheck", "ccCheck",  "cxxCheck", "cCheck",     "hCheck",
                                                   "hhCheck",  "hppCheck", "hxxCheck", "CustExtEdit"};
}

void FormTest::tabOrderFollowsReading() {
  QFETCH(QString, page);
  QFETCH(QStringList, order);
  GHSConverter wizard;
  auto* pageWidget = wizard.findChild<QWidget*>(page);
  auto* first = wizard.findChild<QWidget*>(order.first());
  QStringList seen;
  QWidget* widget = first;
  do {
    if (pageWidget->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus)) seen << widget->objectName();
    widget = widget->nextInFocusChain();
  } while (widget != first);
  QCOMPARE(seen, order);
}

void FormTest::logScrollBarLooksAsTheStyleDrawsIt() {
  const QString lines = QStringLiteral("line\n").repeated(200);
  GHSConverter wizard;
  wizard.setStartId(3);
  wizard.show();
  QVERIFY(QTest::qWaitForWindowExposed(&wizard));
  wizard.DetailsText->setPlainText(lines);
  QTextBrowser plain;
  plain.resize(wizard.DetailsText->size());
  plain.setFont(wizard.DetailsText->font());
  plain.setPlainText(lines);
  plain.show();
  QVERIFY(QTest::qWaitForWindowExposed(&plain));
  QScrollBar* bar = wizard.DetailsText->verticalScrollBar();
  QVERIFY(bar->isVisible());
  QCOMPARE(bar->size(), plain.verticalScrollBar()->size());
  QCOMPARE(bar->grab().toImage(), plain.verticalScrollBar()->grab().toImage());
}

QTEST_MAIN(FormTest)
#include "form_test.moc"
