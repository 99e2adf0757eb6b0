#include "ui/window_dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "ui/message_box.h"

namespace linecalc::ui {
namespace {

const QString kSheetTitle = QStringLiteral("Лист расчета");

std::optional<QString> AskLineName(QWidget* owner, const QString& suggested) {
  bool ok = false;
  const QString name = QInputDialog::getText(owner, kSheetTitle,
                                             QStringLiteral("Название линии (можно не указывать):"),
                                             QLineEdit::Normal, suggested, &ok);
  return ok ? std::optional<QString>(name) : std::nullopt;
}

QString AskPdfPath(QWidget* owner, const QString& suggested) {
  return QFileDialog::getSaveFileName(owner, QStringLiteral("Сохранить расчет в PDF"), suggested,
                                      QStringLiteral("Документ PDF (*.pdf)"));
}

bool AskPrinter(QWidget* owner, QPrinter& printer) {
  QPrintDialog dialog(&printer, owner);
  dialog.setWindowTitle(QStringLiteral("Печать расчета"));
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

WindowDialogs ModalWindowDialogs(QWidget* owner) {
  return {
      [owner](const QString& suggested) { return AskLineName(owner, suggested); },
      [owner](const QString& suggested) { return AskPdfPath(owner, suggested); },
      [owner](QPrinter& printer) { return AskPrinter(owner, printer); },
      [owner](const QString& text) { ShowMessageBox(owner, text); },
      [owner](const QString& text) {
        QMessageBox::about(owner, QStringLiteral("О программе"), text);
      },
  };
}

}  // namespace linecalc::ui
