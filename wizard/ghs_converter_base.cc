#include "ghs_converter_base.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

#include "images/bottom_banner.xpm"
#include "images/quorlin_icon.xpm"
#include "images/top_banner.xpm"

GHSConverterBase::GHSConverterBase(QWidget* parent, const char* name, bool modal, Qt::WindowFlags flags)
    : QWizard(parent, flags), topBanner(top_banner_xpm), bottomBanner(bottom_banner_xpm) {
  setModal(modal);
  setFont(formFont());
  setupUi(this);
  setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("GHSConverterBase"));
  setWindowIcon(QIcon(QPixmap(quorlin_icon_xpm)));
  paintWhite();
  showBanners();
  orderTabs();
  languageChange();
  const QSize hint = minimumSizeHint();
  // The pages place their widgets at fixed positions: a smaller window would hide some, a
  // larger one would only add blank space.
  setFixedSize(qMax(543, hint.width()), qMax(458, hint.height()));
}

GHSConverterBase::~GHSConverterBase() = default;

QFont GHSConverterBase::formFont() {
  // The geometry is in pixels and was drawn for a small 8-point desktop font: a 10-pixel sans
  // of Arial's widths keeps every text inside its box whatever the screen's dots per inch.
  QFont font;
  font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial"),
                    QStringLiteral("DejaVu Sans Condensed")});
  font.setPixelSize(10);
  return font;
}

void GHSConverterBase::languageChange() {
  retranslateUi(this);
  setWindowTitle(tr("Quorlin %1").arg(QStringLiteral(KALVEX_VERSION)));
  for (QWizardPage* page : {Page0, Page1, Page2, Page3}) page->setTitle(QString());
  for (QGroupBox* box : {groupBox1_3, groupBox1_3_2, groupBox1_3_2_2}) box->setTitle(QString());
}

QSize GHSConverterBase::minimumSizeHint() const {
  // The wizard's own hint leaves out its pages' minimum size.
  const int margins = style()->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, this) +
                      style()->pixelMetric(QStyle::PM_LayoutRightMargin, nullptr, this);
  return QWizard::minimumSizeHint().expandedTo(QSize(Page0->minimumWidth() + margins, 0));
}

void GHSConverterBase::showBanners() {
  for (QLabel* label : {pixmapLabel3, pixmapLabel3_2, pixmapLabel3_2_2, pixmapLabel3_2_2_2})
    label->setPixmap(topBanner);
  for (QLabel* label : {pixmapLabel3_3, pixmapLabel3_3_2, pixmapLabel3_3_2_2, pixmapLabel3_3_2_2_2})
    label->setPixmap(bottomBanner);
}

void GHSConverterBase::orderTabs() {
  // Each page heads its own chain, so that arriving on it focuses its first field.
  const QList<QList<QWidget*>> chains{
      {Page0, GHSProjectEdit, GHSConfigCombo, GHSProjectBrowseBtn, ZinProjectEdit, ZinProjectBrowseBtn, ZinNameEdit},
      {Page1, MsgPersonEdit, MsgBrowseBtn, AnalPersonEdit, AnalBrowseBtn, CmpPersonEdit, CmpBrowseBtn},
      {Page2, cppCheck, ccCheck, cxxCheck, cCheck, hCheck, hhCheck, hppCheck, hxxCheck, CustExtEdit},
      {Page3, DetailsText}};
  for (const QList<QWidget*>& chain : chains) {
    for (qsizetype index = 1; index < chain.size(); ++index) setTabOrder(chain[index - 1], chain[index]);
  }
}

void GHSConverterBase::paintWhite() {
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  // On a white window the style's light scroll-bar handle vanishes: the log's bars keep the
  // application's own colours.
  for (QScrollBar* bar : {DetailsText->verticalScrollBar(), DetailsText->horizontalScrollBar()}) {
    QPalette standard = QApplication::palette(bar);
    standard.setResolveMask(~QPalette::ResolveMask(0));
    bar->setPalette(standard);
  }
  for (QPushButton* button : {GHSProjectBrowseBtn, ZinProjectBrowseBtn, MsgBrowseBtn, AnalBrowseBtn, CmpBrowseBtn}) {
    QPalette buttonPalette = button->palette();
    buttonPalette.setColor(QPalette::Window, Qt::white);
    button->setPalette(buttonPalette);
  }
}
