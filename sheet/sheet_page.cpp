#include "sheet/sheet_page.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPagedPaintDevice>
#include <QTextDocument>

namespace linecalc::sheet {
namespace {

constexpr double kPointsPerInch = 72;
constexpr double kMillimetresPerInch = 25.4;
const QMarginsF kMarginsMm(20, 15, 15, 12);
constexpr double kBodyPoints = 10;

// A device with the sheet's resolution for the layout to measure fonts against.
QPaintDevice* LayoutDevice() {
  static QImage device = [] {
    QImage image(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = qRound(kSheetDpi / kMillimetresPerInch * 1000);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
  }();
  return &device;
}

}  // namespace

QString SheetFontFamily() {
  return QStringLiteral("DejaVu Sans");
}

QSizeF SheetPageSize(const QPagedPaintDevice& device) {
  const double scale = kSheetDpi / device.logicalDpiY();
  const double footer = kPageNumberRoomPoints * kSheetDpi / kPointsPerInch;
  return {device.width() * scale, device.height() * scale - footer};
}

QSizeF SheetPageSize() {
  const QSizeF a4(210, 297);
  const double perMm = kSheetDpi / kMillimetresPerInch;
  const double footer = kPageNumberRoomPoints * kSheetDpi / kPointsPerInch;
  return {(a4.width() - kMarginsMm.left() - kMarginsMm.right()) * perMm,
          (a4.height() - kMarginsMm.top() - kMarginsMm.bottom()) * perMm - footer};
}

void SetSheetPaper(QPagedPaintDevice& device) {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, kMarginsMm,
                                   QPageLayout::Millimeter));
}

void PrepareSheetDocument(QTextDocument& document, const QSizeF& page) {
  QFont font(SheetFontFamily());
  font.setPointSizeF(kBodyPoints);
  document.setDefaultFont(font);
  document.setDocumentMargin(0);
  // Nothing is undone in a printed document; keeping its edits would only cost time.
  document.setUndoRedoEnabled(false);
  document.documentLayout()->setPaintDevice(LayoutDevice());
  document.setPageSize(page);
}

}  // namespace linecalc::sheet
