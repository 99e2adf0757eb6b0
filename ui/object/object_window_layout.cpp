#include <QAction>
#include <QStatusBar>
#include <QTableView>

#include "calc/line_layout.h"
#include "ui/make_action.h"
#include "ui/object/layout_editor.h"
#include "ui/object/line_commands.h"
#include "ui/object/line_table_model.h"
#include "ui/object/object_window.h"
#include "ui/qt_text.h"

// The layout lines of the object: their editor, and a uniform line turned into its layout.
namespace linecalc::ui {

void ObjectWindow::createLayoutActions() {
  actions_.editLayout =
      MakeAction(this, "editLayout", "С&хема линии…", {QKeySequence(QStringLiteral("Ctrl+K"))},
                 "Изменить участки, громкоговорители и ответвления линии, заданной схемой");
  actions_.convertToLayout = MakeAction(
      this, "convertToLayout", "Преобразовать в с&хему", {},
      "Заменить равномерную нагрузку линии равноценной схемой участков (точное решение цепи)");
  connect(actions_.editLayout, &QAction::triggered, this, &ObjectWindow::editLayout);
  connect(actions_.convertToLayout, &QAction::triggered, this, &ObjectWindow::convertToLayout);
  // A line's load kind may change under the current row.
  connect(model_, &QAbstractItemModel::dataChanged, this, &ObjectWindow::updateLayoutActions);
  table_->addActions({actions_.editLayout, actions_.convertToLayout});
}

void ObjectWindow::updateLayoutActions() {
  const int row = currentRow();
  const LoadKind load = row >= 0 && row < model_->rowCount()
                            ? model_->lineObject().lines[static_cast<std::size_t>(row)].inputs.load
                            : LoadKind::Single;
  actions_.editLayout->setEnabled(row >= 0 && load == LoadKind::Layout);
  actions_.convertToLayout->setEnabled(row >= 0 && load == LoadKind::Uniform);
}

void ObjectWindow::editLayout() {
  const int row = currentRow();
  if (row < 0 ||
      model_->lineObject().lines[static_cast<std::size_t>(row)].inputs.load != LoadKind::Layout) {
    return;
  }
  auto* editor = new LayoutEditor(*model_, *undo_, row, this);
  editor->setAttribute(Qt::WA_DeleteOnClose);
  editor->setWindowModality(Qt::WindowModal);
  editor->show();
}

void ObjectWindow::convertToLayout() {
  const int row = currentRow();
  if (row < 0) {
    return;
  }
  object::ObjectLine line = model_->lineObject().lines[static_cast<std::size_t>(row)];
  if (line.inputs.load != LoadKind::Uniform) {
    return;
  }
  std::optional<LineLayout> layout =
      UniformAsLayout(line.inputs.length, line.inputs.power, line.inputs.count);
  if (!layout) {
    statusBar()->showMessage(
        QStringLiteral("Линию «%1» нельзя преобразовать в схему: длина должна быть от 0 до "
                       "10000 м, количество громкоговорителей — целым от 1 до 1000.")
            .arg(ToQString(line.name)));
    return;
  }
  line.inputs.load = LoadKind::Layout;
  line.inputs.layout = std::move(*layout);
  model_->editLine(row, line, OnRow(QStringLiteral("преобразование в схему"), row));
}

}  // namespace linecalc::ui
