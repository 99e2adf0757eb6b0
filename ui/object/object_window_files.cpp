#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QUndoStack>

#include "calc/smallest_section.h"
#include "object/object_file.h"
#include "ui/object/file_folder.h"
#include "ui/object/line_table_model.h"
#include "ui/object/object_window.h"
#include "ui/object/recent_files.h"
#include "ui/qt_text.h"

// The document cycle of the object window: new, open, save, save as and the recent files.
namespace linecalc::ui {

QString ObjectWindow::documentName() const {
  if (!model_->lineObject().title.empty()) {
    return ToQString(model_->lineObject().title);
  }
  return path_.isEmpty() ? QStringLiteral("Без названия") : QFileInfo(path_).fileName();
}

void ObjectWindow::setCurrentFile(const QString& path) {
  path_ = path;
  const QString file =
      path.isEmpty() ? QStringLiteral("Без названия.linecalc") : QFileInfo(path).fileName();
  setWindowTitle(QStringLiteral("%1[*] — Линии объекта").arg(file));
  setWindowFilePath(path);
}

void ObjectWindow::setObject(object::LineObject object, const QString& path) {
  undo_->clear();
  model_->setLineObject(std::move(object));
  setCurrentFile(path);
  undo_->setClean();
  setWindowModified(false);
  // Measures the heading and the rows in sight only (precision 0), so a long object opens as
  // fast as a short one.
  table_->resizeColumnsToContents();
  if (model_->rowCount() > 0) {
    selectRow(0);
  }
}

bool ObjectWindow::maybeSave() {
  // A title, limit or reserve being typed counts as an edit once it is committed.
  commitFields();
  if (undo_->isClean()) {
    return true;
  }
  switch (dialogs_.askSave(documentName())) {
    case SaveAnswer::Save:
      return save();
    case SaveAnswer::Discard:
      return true;
    case SaveAnswer::Cancel:
      return false;
  }
  return false;
}

void ObjectWindow::closeEvent(QCloseEvent* event) {
  if (!maybeSave()) {
    event->ignore();
    return;
  }
  // Changes the user chose not to keep go with the window: it opens again as last saved.
  if (!undo_->isClean() && undo_->cleanIndex() >= 0) {
    undo_->setIndex(undo_->cleanIndex());
  }
  event->accept();
}

void ObjectWindow::newObject() {
  if (maybeSave()) {
    setObject({}, {});
  }
}

void ObjectWindow::open() {
  if (!maybeSave()) {
    return;
  }
  const QString path = dialogs_.openPath(LastFileFolder());
  if (!path.isEmpty()) {
    RememberFileFolder(path);
    openFile(path);
  }
}

void ObjectWindow::openRecent() {
  if (const auto* action = qobject_cast<const QAction*>(sender())) {
    if (maybeSave()) {
      openFile(action->data().toString());
    }
  }
}

bool ObjectWindow::openFile(const QString& path) {
  // Taken before reading: a change made while it is read is one to ask about.
  const FileStamp stamp = StampOf(path);
  object::ObjectLoad load = object::ReadObjectFile(path);
  if (!load.object) {
    dialogs_.message(load.error);
    return false;
  }
  setObject(std::move(*load.object), path);
  onDisk_ = stamp;
  RememberRecentFile(path);
  updateRecentActions();
  return true;
}

bool ObjectWindow::save() {
  if (path_.isEmpty()) {
    return saveAs();
  }
  return mayOverwrite() && writeTo(path_);
}

bool ObjectWindow::saveAs() {
  QString suggested = path_;
  if (suggested.isEmpty()) {
    suggested = SuggestedPath(title_->text(), {}, QStringLiteral("linecalc"));
  }
  const QString path = dialogs_.savePath(suggested);
  if (!path.isEmpty()) {
    RememberFileFolder(path);
  }
  return !path.isEmpty() && writeTo(path);
}

// The object and the file on disk stay as they were when writing fails.
bool ObjectWindow::writeTo(const QString& path) {
  commitFields();
  const QString error = object::WriteObjectFile(path, model_->lineObject());
  if (!error.isEmpty()) {
    dialogs_.message(error);
    return false;
  }
  setCurrentFile(path);
  onDisk_ = StampOf(path);
  undo_->setClean();
  RememberRecentFile(path);
  updateRecentActions();
  return true;
}

void ObjectWindow::updateRecentActions() {
  const QStringList files = RecentFiles();
  for (int i = 0; i < actions_.recent.size(); ++i) {
    QAction* action = actions_.recent[i];
    const bool used = i < files.size();
    action->setVisible(used);
    if (used) {
      action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
      action->setData(files[i]);
      action->setStatusTip(QDir::toNativeSeparators(files[i]));
    }
  }
  recentMenu_->setEnabled(!files.isEmpty());
}

// What another program wrote to the file since it was opened or saved here is lost on
// overwriting it, so the user decides.
bool ObjectWindow::mayOverwrite() {
  if (!ChangedSince(path_, onDisk_)) {
    return true;
  }
  const QString question =
      QStringLiteral(
          "Файл «%1» изменен другой программой после того, как он был открыт или "
          "сохранен в этом окне. Заменить его объектом из этого окна? То, что записала "
          "в файл другая программа, будет потеряно.")
          .arg(QDir::toNativeSeparators(path_));
  return dialogs_.confirm && dialogs_.confirm(question);
}

// The title and the limit as typed become edits of the object, the limit only when it is one.
// The fields hold any text whole, so a field that the user has not changed holds nothing new.
void ObjectWindow::commitFields() {
  commitReserve();
  model_->editTitle(title_->text());
  const QString typed = limit_->text();
  if (typed.toStdString() == model_->lineObject().lossLimitPct) {
    return;
  }
  if (IsLossLimit(typed.toStdString(), true)) {
    model_->editLossLimit(typed);
    return;
  }
  const QString old = ToQString(model_->lineObject().lossLimitPct);
  limit_->setText(old);
  dialogs_.message(
      QStringLiteral("Поле «Предел потерь, %»: «%1» — не число от 0 до 100 (после числа допустимы "
                     "только пробелы). %2")
          .arg(typed, old.trimmed().isEmpty()
                          ? QStringLiteral("Поле оставлено пустым: предела нет.")
                          : QStringLiteral("Оставлено прежнее значение «%1».").arg(old)));
}

}  // namespace linecalc::ui
