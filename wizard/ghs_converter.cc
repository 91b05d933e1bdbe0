#include "ghs_converter.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPalette>
#include <utility>

#include "kalvex_run.h"

namespace {

bool pathExists(const QString& path) { return !path.isEmpty() && QFileInfo::exists(path); }

void colourPath(QLineEdit* field, bool exists) {
  QPalette palette = field->palette();
  palette.setColor(QPalette::Text, exists ? QColor(0, 0, 0) : QColor(255, 0, 0));
  field->setPalette(palette);
}

}  // namespace

GHSConverter::GHSConverter(QWidget* parent, const char* name, bool modal, Qt::WindowFlags flags)
    : GHSConverterBase(parent, name, modal, flags) {
  Page0->setComplete(false);
  Page1->setComplete(false);
  Page3->setComplete(false);
  button(QWizard::HelpButton)->setEnabled(false);
  connectSignals();
  whitenWizardButtons();
  lastPath = QDir::toNativeSeparators(QStringLiteral("/"));
  loadSettings();
}

GHSConverter::~GHSConverter() {
  // A run still going when the wizard goes must not report into a half-destroyed object.
  if (process) process->disconnect(this);
}

void GHSConverter::connectSignals() {
  connect(GHSProjectBrowseBtn, &QPushButton::clicked, this, &GHSConverter::GHSProjectBrowseBtn_clicked);
  connect(GHSProjectEdit, &QLineEdit::textChanged, this, &GHSConverter::Page0LineEdit_textchanged);
  connect(GHSProjectEdit, &QLineEdit::textChanged, this, &GHSConverter::GHSProjectEdit_textchanged);
  connect(GHSConfigCombo, &QComboBox::activated, this, &GHSConverter::GHSConfigCombo_activated);
  connect(ZinProjectBrowseBtn, &QPushButton::clicked, this, &GHSConverter::ZinProjectBrowseBtn_clicked);
  connect(ZinProjectEdit, &QLineEdit::textChanged, this, &GHSConverter::Page0LineEdit_textchanged);
  connect(ZinNameEdit, &QLineEdit::textChanged, this, &GHSConverter::Page0LineEdit_textchanged);
  connect(MsgBrowseBtn, &QPushButton::clicked, this, &GHSConverter::MsgBrowseBtn_clicked);
  connect(AnalBrowseBtn, &QPushButton::clicked, this, &GHSConverter::AnalBrowseBtn_clicked);
  connect(CmpBrowseBtn, &QPushButton::clicked, this, &GHSConverter::CmpBrowseBtn_clicked);
  connect(MsgPersonEdit, &QLineEdit::textChanged, this, &GHSConverter::Page1LineEdit_textchanged);
  connect(CmpPersonEdit, &QLineEdit::textChanged, this, &GHSConverter::Page1LineEdit_textchanged);
  connect(AnalPersonEdit, &QLineEdit::textChanged, this, &GHSConverter::Page1LineEdit_textchanged);
}

void GHSConverter::whitenWizardButtons() {
  const QColor white("white");
  for (QWizard::WizardButton which :
       {QWizard::NextButton, QWizard::BackButton, QWizard::CancelButton, QWizard::FinishButton}) {
    QAbstractButton* wizardButton = button(which);
    QPalette palette(white, white);
    palette.setColor(QPalette::Window, white);
    wizardButton->setPalette(palette);
  }
}

void GHSConverter::Page0LineEdit_textchanged(const QString&) { checkPage0(); }

void GHSConverter::Page1LineEdit_textchanged(const QString&) { checkPage1(); }

void GHSConverter::checkPage0() {
  const bool project = pathExists(GHSProjectEdit->text());
  colourPath(GHSProjectEdit, project);
  const bool folder = pathExists(ZinProjectEdit->text());
  colourPath(ZinProjectEdit, folder);
  Page0->setComplete(project && folder && !ZinNameEdit->text().isEmpty());
}

void GHSConverter::checkPage1() {
  bool usable = true;
  for (QLineEdit* optional : {MsgPersonEdit, AnalPersonEdit}) {
    if (optional->text().isEmpty()) continue;
    const bool exists = pathExists(optional->text());
    colourPath(optional, exists);
    usable = usable && exists;
  }
  const bool compiler = pathExists(CmpPersonEdit->text());
  colourPath(CmpPersonEdit, compiler);
  Page1->setComplete(usable && compiler);
}

bool GHSConverter::validateCurrentPage() {
  if (currentPage() == Page2) {
    buildExtList();
    DetailsText->setPlainText(summary());
    finishReady = true;
    updateFinish();
  }
  return GHSConverterBase::validateCurrentPage();
}

void GHSConverter::buildExtList() {
  const std::pair<QCheckBox*, const char*> items[] = {{cppCheck, "cpp,"}, {ccCheck, "cc,"},  {cxxCheck, "cxx,"},
                                                      {cCheck, "c,"},     {hCheck, "h,"},    {hhCheck, "hh,"},
                                                      {hppCheck, "hpp,"}, {hxxCheck, "hxx,"}};
  extList = QString();
  for (const auto& [box, item] : items) {
    if (box->isChecked()) extList += QLatin1String(item);
  }
  extList += CustExtEdit->text();
  if (extList.endsWith(QLatin1Char(','))) extList.chop(1);
}

QString GHSConverter::summary() const {
  QString text = tr("GreenHills Project:\n%1\n\n").arg(GHSProjectEdit->text());
  if (!chosenConfig().isEmpty()) text += tr("Build Configuration:\n%1\n\n").arg(GHSConfigCombo->currentText());
  return text + tr("Zintra / Zintra++ Project Directory:\n%1\n\n"
                   "Zintra / Zintra++ Project Name:\n%2\n\n"
                   "Message Personality:\n%3\n\n"
                   "Template Analyser Personality:\n%4\n\n"
                   "Compiler Personality:\n%5\n\n"
                   "File Extensions:\n%6\n")
                    .arg(ZinProjectEdit->text(), ZinNameEdit->text(), MsgPersonEdit->text(), AnalPersonEdit->text(),
                         CmpPersonEdit->text(), extList);
}

bool GHSConverter::conversionRunning() const { return process != nullptr && process->isRunning(); }

void GHSConverter::updateFinish() { Page3->setComplete(finishReady && !conversionRunning()); }
