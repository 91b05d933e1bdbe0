#ifndef QUORLIN_GHS_CONVERTER_BASE_H
#define QUORLIN_GHS_CONVERTER_BASE_H

#include <QPixmap>
#include <QWizard>

#include "ui_ghs_converter_base.h"

// The look of Quorlin: four pages of widgets at fixed positions, built from the Designer form.
// Every widget is a public member named after its object name; no behaviour beyond the texts.
class GHSConverterBase : public QWizard, public Ui::GHSConverterBase {
  Q_OBJECT

 public:
  // A null name names the form "GHSConverterBase"; modal and flags go to the dialog.
  explicit GHSConverterBase(QWidget* parent = nullptr, const char* name = nullptr, bool modal = false,
                            Qt::WindowFlags flags = {});
  ~GHSConverterBase() override;

  // The font every widget of the form uses unless it has its own (the welcome line).
  static QFont formFont();
  // Wide enough for the pages' fixed-position widgets inside the style's window margins.
  QSize minimumSizeHint() const override;

 public slots:
  // Sets every visible text: caption, page titles, group titles, labels, buttons, tool tips.
  virtual void languageChange();

 protected:
  QPixmap topBanner;
  QPixmap bottomBanner;

 private:
  void showBanners();
  void paintWhite();
  // Tab goes through each page's fields in reading order: by rows, left to right.
  void orderTabs();
};

#endif  // QUORLIN_GHS_CONVERTER_BASE_H
