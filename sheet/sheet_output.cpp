#include "sheet/sheet_output.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include "sheet/calculation_sheet.h"
#include "sheet/sheet_page.h"

namespace linecalc::sheet {
namespace {

constexpr int kPdfDpi = 300;
constexpr double kFooterPoints = 9;

void PaintPage(QPainter& painter, QTextDocument& document, int index, const QSizeF& page,
               double scale) {
  const QRectF view(0, index * page.height(), page.width(), page.height());
  painter.save();
  painter.scale(scale, scale);
  painter.translate(0, -view.top());
  painter.setClipRect(view);
  QAbstractTextDocumentLayout::PaintContext context;
  context.clip = view;
  document.documentLayout()->draw(&painter, context);
  painter.restore();
}

void PaintPageNumber(QPainter& painter, int index, int total, const QRectF& foot) {
  QFont font(SheetFontFamily());
  font.setPointSizeF(kFooterPoints);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(foot, Qt::AlignRight | Qt::AlignBottom,
                   QStringLiteral("стр. %1 из %2").arg(index + 1).arg(total));
}

QString Failure(const QString& path, const QString& reason) {
  return QStringLiteral("Не удалось сохранить файл «%1»: %2.")
      .arg(QDir::toNativeSeparators(path), reason);
}

// Why `path` cannot be written, in words a user can act on.
QString OpenFailureReason(const QString& path, const QString& systemText) {
  const QFileInfo file(path);
  const QFileInfo folder(file.absolutePath());
  if (file.isDir()) {
    return QStringLiteral("это папка, а не файл");
  }
  if (!folder.exists()) {
    return QStringLiteral("папка «%1» не существует")
        .arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
  }
  if (!folder.isDir()) {
    return QStringLiteral("«%1» не является папкой")
        .arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
  }
  if (!folder.isWritable() || (file.exists() && !file.isWritable())) {
    return QStringLiteral("нет прав на запись");
  }
  return QStringLiteral("файл не открывается для записи (%1)").arg(systemText);
}

}  // namespace

PaintOutcome PaintSheet(const SheetParts& parts, QPagedPaintDevice& device,
                        const PageProgress& progress) {
  QPainter painter;
  if (!painter.begin(&device)) {
    return PaintOutcome::Failed;
  }
  const double footer = kPageNumberRoomPoints * device.logicalDpiY() / 72.0;
  const double scale = device.logicalDpiY() / kSheetDpi;
  int total = 0;
  for (QTextDocument* part : parts) {
    total += part->pageCount();
  }
  int done = 0;
  for (QTextDocument* part : parts) {
    const QSizeF page = part->pageSize();
    const int count = part->pageCount();
    for (int index = 0; index < count; ++index, ++done) {
      if (progress && !progress(done, total)) {
        painter.end();
        return PaintOutcome::Cancelled;
      }
      if (done > 0 && !device.newPage()) {
        painter.end();
        return PaintOutcome::Failed;
      }
      PaintPage(painter, *part, index, page, scale);
      PaintPageNumber(painter, done, total,
                      QRectF(0, device.height() - footer, device.width(), footer));
    }
  }
  if (progress && !progress(total, total)) {
    painter.end();
    return PaintOutcome::Cancelled;
  }
  return painter.end() ? PaintOutcome::Done : PaintOutcome::Failed;
}

QString SaveCancelledMessage(const QString& path) {
  return QStringLiteral("Сохранение файла «%1» отменено.").arg(QDir::toNativeSeparators(path));
}

QString SaveSheetPdf(const SheetParts& parts, const QString& path, const PageProgress& progress,
                     const QString& title) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return Failure(path, OpenFailureReason(path, file.errorString()));
  }
  PaintOutcome outcome = PaintOutcome::Failed;
  {
    QPdfWriter writer(&file);
    writer.setResolution(kPdfDpi);
    SetSheetPaper(writer);
    writer.setTitle(title.trimmed().isEmpty() ? QStringLiteral("Расчет потерь в линии")
                                              : title.trimmed());
    writer.setCreator(ProgramTitle());
    outcome = PaintSheet(parts, writer, progress);
  }
  if (outcome != PaintOutcome::Done) {
    file.cancelWriting();
    return outcome == PaintOutcome::Cancelled
               ? SaveCancelledMessage(path)
               : Failure(path, QStringLiteral("не удалось построить страницы"));
  }
  if (!file.commit()) {
    return Failure(path, QStringLiteral("ошибка записи (%1)").arg(file.errorString()));
  }
  return {};
}

}  // namespace linecalc::sheet
