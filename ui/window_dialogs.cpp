#include "ui/window_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "ui/message_box.h"

namespace linecalc::ui {
namespace {

QString AskPdfPath(QWidget* owner, const QString& suggested) {
  const std::unique_ptr<QFileDialog> dialog =
      PdfSaveDialog(owner, QStringLiteral("Сохранить расчет в PDF"), suggested);
  return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
}

bool AskPrinter(QWidget* owner, QPrinter& printer) {
  QPrintDialog dialog(&printer, owner);
  dialog.setWindowTitle(QStringLiteral("Печать расчета"));
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

std::unique_ptr<QFileDialog> PdfSaveDialog(QWidget* owner, const QString& title,
                                           const QString& suggested) {
  auto dialog = std::make_unique<QFileDialog>(owner, title, suggested,
                                              QStringLiteral("Документ PDF (*.pdf)"));
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setDefaultSuffix(QStringLiteral("pdf"));
  dialog->setAccessibleName(title);
  return dialog;
}

WindowDialogs ModalWindowDialogs(QWidget* owner) {
  return {
      [owner](const SheetRequest& suggested, const QString& note) {
        return AskSheetRequest(owner, suggested, note);
      },
      [owner](const QString& suggested) { return AskPdfPath(owner, suggested); },
      [owner](QPrinter& printer) { return AskPrinter(owner, printer); },
      [owner](const QString& text) { ShowMessageBox(owner, text); },
      [owner](const QString& text) {
        QMessageBox::about(owner, QStringLiteral("О программе"), text);
      },
  };
}

}  // namespace linecalc::ui
