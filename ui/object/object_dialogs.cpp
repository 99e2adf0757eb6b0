#include "ui/object/object_dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <memory>

#include "ui/message_box.h"

namespace linecalc::ui {
namespace {

const QString kFilter = QStringLiteral("Объект (*.linecalc)");

SaveAnswer AskSave(QWidget* owner, const QString& name) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Объект"),
                  QStringLiteral("Сохранить изменения в объекте «%1»?").arg(name),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
  box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("Отмена"));
  box.setDefaultButton(QMessageBox::Yes);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return SaveAnswer::Save;
    case QMessageBox::No:
      return SaveAnswer::Discard;
    default:
      return SaveAnswer::Cancel;
  }
}

std::optional<QString> AskLineName(QWidget* owner, const QString& suggested) {
  bool ok = false;
  const QString name =
      QInputDialog::getText(owner, QStringLiteral("Добавить расчет в объект"),
                            QStringLiteral("Название линии:"), QLineEdit::Normal, suggested, &ok);
  return ok ? std::optional<QString>(name) : std::nullopt;
}

// The dialog adds ".xlsx" to a bare name before it checks for a file to overwrite.
QString AskXlsxPath(QWidget* owner, const QString& suggested) {
  QFileDialog dialog(owner, QStringLiteral("Экспорт в Excel"), suggested,
                     QStringLiteral("Книга Excel (*.xlsx)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("xlsx"));
  dialog.setAccessibleName(QStringLiteral("Экспорт в Excel"));
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

bool AskPrinter(QWidget* owner, QPrinter& printer) {
  QPrintDialog dialog(&printer, owner);
  dialog.setWindowTitle(QStringLiteral("Печать объекта"));
  return dialog.exec() == QDialog::Accepted;
}

// A progress dialog that lives as long as the callback made for it, or its owner if that goes
// first.
class ProgressHolder {
 public:
  ProgressHolder(QWidget* owner, const QString& text)
      : dialog_(new QProgressDialog(text, QStringLiteral("Отмена"), 0, 0, owner)) {
    dialog_->setWindowTitle(QStringLiteral("Объект"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(500);
    dialog_->setAutoClose(false);
    dialog_->setAccessibleName(text);
  }
  ~ProgressHolder() { delete dialog_; }
  ProgressHolder(const ProgressHolder&) = delete;
  ProgressHolder& operator=(const ProgressHolder&) = delete;

  bool report(int done, int total) {
    if (dialog_ == nullptr) {
      return false;
    }
    dialog_->setMaximum(total);
    dialog_->setValue(done);
    return !dialog_->wasCanceled();
  }

 private:
  QPointer<QProgressDialog> dialog_;
};

sheet::PageProgress ProgressDialog(QWidget* owner, const QString& text) {
  auto holder = std::make_shared<ProgressHolder>(owner, text);
  return [holder](int done, int total) { return holder->report(done, total); };
}

}  // namespace

ObjectDialogs ModalObjectDialogs(QWidget* owner) {
  ObjectDialogs dialogs;
  dialogs.askSave = [owner](const QString& name) { return AskSave(owner, name); };
  dialogs.openPath = [owner](const QString& directory) {
    return QFileDialog::getOpenFileName(owner, QStringLiteral("Открыть объект"), directory,
                                        kFilter);
  };
  dialogs.savePath = [owner](const QString& suggested) {
    return QFileDialog::getSaveFileName(owner, QStringLiteral("Сохранить объект"), suggested,
                                        kFilter);
  };
  dialogs.pdfPath = [owner](const QString& suggested) {
    return QFileDialog::getSaveFileName(owner, QStringLiteral("Сохранить объект в PDF"), suggested,
                                        QStringLiteral("Документ PDF (*.pdf)"));
  };
  dialogs.xlsxPath = [owner](const QString& suggested) { return AskXlsxPath(owner, suggested); };
  dialogs.printer = [owner](QPrinter& printer) { return AskPrinter(owner, printer); };
  dialogs.lineName = [owner](const QString& suggested) { return AskLineName(owner, suggested); };
  dialogs.message = [owner](const QString& text) { ShowMessageBox(owner, text); };
  dialogs.progress = [owner](const QString& text) { return ProgressDialog(owner, text); };
  return dialogs;
}

}  // namespace linecalc::ui
