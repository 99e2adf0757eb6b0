#include "ui/object/object_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <memory>

#include "ui/message_box.h"
#include "ui/window_dialogs.h"

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

// A file saved under a bare name would be one that the Open dialog's filter hides, so the name
// gets ".linecalc", and the dialog asks before a file so named is overwritten. The dialog adds
// its default suffix itself, except when the bare name completes to a file that exists: it is
// then shown again with the whole name, so that it asks about that file.
QString AskObjectPath(QWidget* owner, const QString& suggested) {
  QFileDialog dialog(owner, QStringLiteral("Сохранить объект"), suggested, kFilter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("linecalc"));
  dialog.setAccessibleName(QStringLiteral("Сохранить объект"));
  while (dialog.exec() == QDialog::Accepted) {
    QString path = dialog.selectedFiles().value(0);
    if (path.endsWith(QStringLiteral(".linecalc"), Qt::CaseInsensitive)) {
      return path;
    }
    path += QStringLiteral(".linecalc");
    if (!QFileInfo::exists(path)) {
      return path;
    }
    dialog.selectFile(path);
  }
  return QString();
}

bool AskConfirm(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Объект"), text,
                  QMessageBox::Yes | QMessageBox::No, owner);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("Заменить"));
  box.button(QMessageBox::No)->setText(QStringLiteral("Не сохранять"));
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
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
  dialogs.savePath = [owner](const QString& suggested) { return AskObjectPath(owner, suggested); };
  dialogs.pdfPath = [owner](const QString& suggested) {
    const std::unique_ptr<QFileDialog> dialog =
        PdfSaveDialog(owner, QStringLiteral("Сохранить объект в PDF"), suggested);
    return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
  };
  dialogs.xlsxPath = [owner](const QString& suggested) { return AskXlsxPath(owner, suggested); };
  dialogs.printer = [owner](QPrinter& printer) { return AskPrinter(owner, printer); };
  dialogs.lineName = [owner](const QString& suggested) { return AskLineName(owner, suggested); };
  dialogs.message = [owner](const QString& text) { ShowMessageBox(owner, text); };
  dialogs.confirm = [owner](const QString& text) { return AskConfirm(owner, text); };
  dialogs.progress = [owner](const QString& text) { return ProgressDialog(owner, text); };
  return dialogs;
}

}  // namespace linecalc::ui
