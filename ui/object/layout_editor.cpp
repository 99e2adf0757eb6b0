#include "ui/object/layout_editor.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeView>
#include <QUndoStack>
#include <QVBoxLayout>
#include <cmath>
#include <functional>

#include "sheet/layout_page.h"
#include "ui/make_action.h"
#include "ui/object/layout_plot.h"
#include "ui/object/line_commands.h"
#include "ui/object/line_table_model.h"
#include "ui/qt_text.h"

namespace linecalc::ui {
namespace {

// A cell editor that tells each keystroke, so that the figures follow the typing.
class TypingDelegate : public QStyledItemDelegate {
 public:
  using Typed = std::function<void(const QModelIndex&, const QString&)>;
  TypingDelegate(QObject* parent, Typed typed)
      : QStyledItemDelegate(parent), typed_(std::move(typed)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex& index) const override {
    auto* editor = new QLineEdit(parent);
    editor->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
    const QPersistentModelIndex at(index);
    connect(editor, &QLineEdit::textEdited, editor,
            [typed = typed_, at](const QString& text) { typed(at, text); });
    return editor;
  }

 private:
  Typed typed_;
};

QString DecimalSeparator() {
  return QLocale().decimalPoint();
}

// The line's figures in two lines: the powers, then the losses, the worst loudspeaker and the
// input impedance.
QString SummaryText(const LineCalculation& calc) {
  const QString sep = DecimalSeparator();
  const LayoutSolution& s = *calc.layout;
  const auto n = [&sep](const std::optional<double>& value) {
    return sheet::SheetNumber(value, sep);
  };
  return QStringLiteral("Pном = %1 Вт (N = %2 шт.); Ррез = %3 Вт; U · I = %4 Вт; в проводах %5 Вт")
             .arg(n(s.ratedW))
             .arg(static_cast<qulonglong>(s.speakers.size()))
             .arg(n(s.deliveredW), n(s.drawnW), n(s.lostW)) +
         QStringLiteral(
             "\nПотери %1 % (%2 дБ); Uмин = %3 В (падение %4 %, уровень %5 дБ); "
             "Zвх = %6 Ом")
             .arg(n(s.lossPct), n(calc.lossDb), n(s.lowestVoltage), n(calc.voltageDropPct),
                  std::isfinite(s.lowestLevelDb) ? n(s.lowestLevelDb) : QStringLiteral("−∞"),
                  n(s.inputImpedance));
}

QToolButton* Button(QWidget* parent, QAction* action) {
  auto* button = new QToolButton(parent);
  button->setDefaultAction(action);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setAccessibleName(QString(action->text()).remove(u'&'));
  return button;
}

}  // namespace

LayoutEditor::LayoutEditor(LineTableModel& lines, QUndoStack& undo, int row, QWidget* parent)
    : QDialog(parent),
      lines_(lines),
      row_(row),
      tree_(new LayoutTreeModel(this)),
      view_(new QTreeView(this)),
      refusal_(new QLabel(this)),
      summary_(new QLabel(this)),
      level_(new QCheckBox(QStringLiteral("&Уровень, дБ вместо напряжения"), this)),
      plot_(new LayoutPlot(this)),
      speakers_(new QTableWidget(this)) {
  setObjectName(QStringLiteral("layoutEditor"));
  setAccessibleName(QStringLiteral("Схема линии"));
  createActions(undo);
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->setObjectName(QStringLiteral("layoutSplit"));
  split->addWidget(createTreePanel());
  split->addWidget(createResultPanel());
  split->setSizes({440, 600});
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("&Закрыть"));
  buttons->button(QDialogButtonBox::Close)->setAccessibleName(QStringLiteral("Закрыть"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(split);
  layout->addWidget(buttons);
  connectLines();
  refresh();
  view_->expandAll();
  view_->setCurrentIndex(tree_->index(0, 0));
  resize(1040, 620);
}

void LayoutEditor::createActions(QUndoStack& undo) {
  const auto make = [this](const char* name, const char* text, const QKeySequence& key,
                           const char* tip, void (LayoutEditor::*slot)()) {
    QAction* action = MakeAction(this, QString::fromLatin1(name), QString::fromUtf8(text), {key},
                                 QString::fromUtf8(tip));
    connect(action, &QAction::triggered, this, slot);
    itemActions_.push_back(action);
    return action;
  };
  make("addStretch", "Добавить &участок", QKeySequence(Qt::Key_Insert),
       "Добавить участок после выбранного (копию его длины и громкоговорителей)",
       &LayoutEditor::addStretch);
  make("addBranch", "Добавить &ответвление", QKeySequence(QStringLiteral("Ctrl+B")),
       "Добавить ответвление в конце выбранного участка", &LayoutEditor::addBranch);
  make("addSpeakers", "Добавить &громкоговорители", QKeySequence(QStringLiteral("Ctrl+G")),
       "Добавить группу громкоговорителей в конце выбранного участка", &LayoutEditor::addSpeakers);
  QAction* remove = make("removeLayoutItem", "У&далить", QKeySequence(QKeySequence::Delete),
                         "Удалить выбранный участок, группу громкоговорителей или ответвление",
                         &LayoutEditor::removeItem);
  // The cell editor keeps Delete for itself.
  remove->setShortcutContext(Qt::WidgetShortcut);
  view_->addAction(remove);
  // Short texts of their own: the buttons keep their width whatever the step is called.
  QAction* undoAction = MakeAction(this, QStringLiteral("layoutUndo"), QStringLiteral("&Отменить"),
                                   StandardKeys(QKeySequence::Undo), QString());
  QAction* redoAction = MakeAction(this, QStringLiteral("layoutRedo"), QStringLiteral("&Повторить"),
                                   StandardKeys(QKeySequence::Redo), QString());
  connect(undoAction, &QAction::triggered, &undo, &QUndoStack::undo);
  connect(redoAction, &QAction::triggered, &undo, &QUndoStack::redo);
  const auto follow = [&undo, undoAction, redoAction] {
    undoAction->setEnabled(undo.canUndo());
    undoAction->setToolTip(QStringLiteral("Отменить: %1").arg(undo.undoText()));
    redoAction->setEnabled(undo.canRedo());
    redoAction->setToolTip(QStringLiteral("Повторить: %1").arg(undo.redoText()));
  };
  connect(&undo, &QUndoStack::indexChanged, this, follow);
  follow();
  itemActions_.push_back(undoAction);
  itemActions_.push_back(redoAction);
  for (QAction* action : itemActions_) {
    if (action != remove) {
      addAction(action);
    }
  }
}

QWidget* LayoutEditor::createTreePanel() {
  auto* panel = new QWidget(this);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* label =
      new QLabel(QStringLiteral("&Участки от усилителя, громкоговорители и ответвления:"), panel);
  label->setBuddy(view_);
  view_->setObjectName(QStringLiteral("layoutTree"));
  view_->setAccessibleName(QStringLiteral("Схема линии: участки, громкоговорители, ответвления"));
  view_->setModel(tree_);
  view_->setItemDelegate(new TypingDelegate(
      view_, [this](const QModelIndex& index, const QString& text) { preview(index, text); }));
  view_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  view_->setContextMenuPolicy(Qt::ActionsContextMenu);
  for (QAction* action : itemActions_) {
    view_->addAction(action);
  }
  view_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  // Two rows of three: the item commands, then removal and the undo stack's two.
  auto* buttons = new QGridLayout;
  for (std::size_t i = 0; i < itemActions_.size(); ++i) {
    QToolButton* button = Button(panel, itemActions_[i]);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    buttons->addWidget(button, static_cast<int>(i / 3), static_cast<int>(i % 3));
  }
  layout->addWidget(label);
  layout->addWidget(view_);
  layout->addLayout(buttons);
  // A cell left without its text committed leaves the figures of the line as it is.
  connect(view_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] {
    if (row_ < lines_.rowCount()) {
      showFigures(lines_.lineObject().lines[static_cast<std::size_t>(row_)].inputs);
    }
  });
  connect(tree_, &LayoutTreeModel::editRequested, this,
          [this](const LayoutEdit& edit) { apply(edit); });
  connect(tree_, &QAbstractItemModel::modelReset, view_, &QTreeView::expandAll);
  connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &LayoutEditor::updateActions);
  return panel;
}

QWidget* LayoutEditor::createResultPanel() {
  auto* panel = new QWidget(this);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  refusal_->setObjectName(QStringLiteral("layoutRefusal"));
  refusal_->setAccessibleName(QStringLiteral("Почему линия не рассчитана"));
  refusal_->setWordWrap(true);
  refusal_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
  summary_->setObjectName(QStringLiteral("layoutSummary"));
  summary_->setAccessibleName(QStringLiteral("Результаты расчета линии"));
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  level_->setObjectName(QStringLiteral("plotLevel"));
  level_->setAccessibleName(QStringLiteral("Показать на графике уровень, дБ"));
  connect(level_, &QCheckBox::toggled, plot_, [this](bool level) {
    plot_->setQuantity(level ? sheet::PlotQuantity::Level : sheet::PlotQuantity::Voltage);
  });
  speakers_->setObjectName(QStringLiteral("speakerTable"));
  speakers_->setAccessibleName(QStringLiteral("Громкоговорители линии"));
  speakers_->setColumnCount(static_cast<int>(sheet::SpeakerHeadings().size()));
  speakers_->setHorizontalHeaderLabels(sheet::SpeakerHeadings());
  speakers_->verticalHeader()->hide();
  speakers_->verticalHeader()->setDefaultSectionSize(speakers_->fontMetrics().height() + 6);
  speakers_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  speakers_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  layout->addWidget(refusal_);
  layout->addWidget(summary_);
  layout->addWidget(level_);
  layout->addWidget(plot_, 1);
  layout->addWidget(speakers_, 1);
  return panel;
}

void LayoutEditor::connectLines() {
  connect(&lines_, &QAbstractItemModel::dataChanged, this,
          [this](const QModelIndex& from, const QModelIndex& to) {
            if (from.row() <= row_ && row_ <= to.row()) {
              refresh();
            }
          });
  // The line may be elsewhere now: the editor does not guess where.
  for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
    connect(&lines_, signal, this, &QDialog::reject);
  }
  connect(&lines_, &QAbstractItemModel::rowsMoved, this, &QDialog::reject);
  connect(&lines_, &QAbstractItemModel::modelReset, this, &QDialog::reject);
}

void LayoutEditor::refresh() {
  if (row_ < 0 || row_ >= lines_.rowCount()) {
    reject();
    return;
  }
  const object::ObjectLine& line = lines_.lineObject().lines[static_cast<std::size_t>(row_)];
  if (line.inputs.load != LoadKind::Layout) {
    reject();
    return;
  }
  setWindowTitle(QStringLiteral("Схема линии «%1»").arg(ToQString(line.name)));
  const std::vector<int> current = tree_->pathOf(view_->currentIndex());
  const int column = std::max(0, view_->currentIndex().column());
  tree_->setLayout(line.inputs.layout);
  QModelIndex at = tree_->indexOf(current);
  if (at.isValid() && !(view_->currentIndex() == at.siblingAtColumn(column))) {
    view_->setCurrentIndex(at.siblingAtColumn(column));
  }
  showFigures(line.inputs);
  updateActions();
}

void LayoutEditor::apply(const std::optional<LayoutEdit>& edit) {
  if (!edit) {
    return;
  }
  object::ObjectLine line = lines_.lineObject().lines[static_cast<std::size_t>(row_)];
  if (line.inputs.layout == edit->layout) {
    return;
  }
  line.inputs.layout = edit->layout;
  lines_.editLine(row_, line, OnRow(QStringLiteral("схема линии: ") + edit->what, row_));
  const QModelIndex at = tree_->indexOf(edit->select);
  if (at.isValid()) {
    view_->setCurrentIndex(at.siblingAtColumn(std::max(0, view_->currentIndex().column())));
  }
}

void LayoutEditor::addStretch() {
  apply(tree_->addStretch(view_->currentIndex()));
}

void LayoutEditor::addBranch() {
  apply(tree_->addBranch(view_->currentIndex()));
}

void LayoutEditor::addSpeakers() {
  apply(tree_->addSpeakers(view_->currentIndex()));
}

void LayoutEditor::removeItem() {
  if (view_->currentIndex().isValid()) {
    apply(tree_->remove(view_->currentIndex()));
  }
}

void LayoutEditor::preview(const QModelIndex& index, const QString& text) {
  const std::optional<LayoutEdit> edit = tree_->withText(index, text);
  if (!edit) {
    return;
  }
  LineInputs inputs = lines_.lineObject().lines[static_cast<std::size_t>(row_)].inputs;
  inputs.layout = edit->layout;
  showFigures(inputs);
}

void LayoutEditor::showFigures(const LineInputs& inputs) {
  const QString separator = DecimalSeparator();
  shown_ = CalculateLine(inputs, separator.toStdString());
  const bool computed = shown_.status == LineStatus::Computed && shown_.layout;
  refusal_->setText(computed ? QString() : ToQString(shown_.message));
  refusal_->setVisible(!computed);
  summary_->setText(computed ? SummaryText(shown_) : QString());
  const std::vector<QStringList> rows =
      computed ? sheet::SpeakerRows(*shown_.layout, separator) : std::vector<QStringList>{};
  speakers_->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (int c = 0; c < rows[r].size(); ++c) {
      auto* item = new QTableWidgetItem(rows[r][c]);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      speakers_->setItem(static_cast<int>(r), c, item);
    }
  }
  plot_->setSolution(computed ? shown_.layout : std::nullopt,
                     shown_.reference ? shown_.reference->LineVoltage : 0);
}

void LayoutEditor::updateActions() {
  const bool any = view_->currentIndex().isValid();
  for (QAction* action : itemActions_) {
    if (action->objectName() == u"removeLayoutItem" || action->objectName() == u"addBranch" ||
        action->objectName() == u"addSpeakers") {
      action->setEnabled(any);
    }
  }
}

}  // namespace linecalc::ui
