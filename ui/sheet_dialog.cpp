#include "ui/sheet_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>
#include <cmath>

#include "calc/number_format.h"

namespace linecalc::ui {
namespace {

const QString kPerformerKey = QStringLiteral("sheet/performer");

QLineEdit* Field(QWidget* owner, const QString& name, const QString& text) {
  auto* field = new QLineEdit(text, owner);
  field->setAccessibleName(name);
  return field;
}

// The label of `field` in the form, its buddy, so that Alt and the letter reach it.
QLabel* Caption(QWidget* owner, const QString& text, QLineEdit* field) {
  auto* label = new QLabel(text, owner);
  label->setBuddy(field);
  return label;
}

}  // namespace

std::optional<SheetRequest> AskSheetRequest(QWidget* owner, const SheetRequest& suggested,
                                            const QString& note) {
  QDialog dialog(owner);
  dialog.setWindowTitle(QStringLiteral("Лист расчета"));
  dialog.setAccessibleName(QStringLiteral("Лист расчета"));
  QLineEdit* name = Field(&dialog, QStringLiteral("Название линии"), suggested.lineName);
  QLineEdit* limit = Field(&dialog, QStringLiteral("Предел потерь, %"), suggested.lossLimit);
  limit->setPlaceholderText(QStringLiteral("не задан"));
  limit->setMaximumWidth(90);
  QLineEdit* object = Field(&dialog, QStringLiteral("Объект"), suggested.signatures.object);
  QLineEdit* performer = Field(&dialog, QStringLiteral("Выполнил"), suggested.signatures.performer);
  QLineEdit* checker = Field(&dialog, QStringLiteral("Проверил"), suggested.signatures.checker);

  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(name, 1);
  nameRow->addWidget(Caption(&dialog, QStringLiteral("&Предел потерь, %:"), limit));
  nameRow->addWidget(limit);
  auto* form = new QFormLayout;
  form->addRow(Caption(&dialog, QStringLiteral("&Название линии (можно не указывать):"), name),
               nameRow);
  form->addRow(Caption(&dialog, QStringLiteral("&Объект:"), object), object);
  form->addRow(Caption(&dialog, QStringLiteral("&Выполнил:"), performer), performer);
  form->addRow(Caption(&dialog, QStringLiteral("П&роверил:"), checker), checker);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("ОК"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(form);
  if (!note.isEmpty()) {
    auto* shown = new QLabel(note, &dialog);
    shown->setWordWrap(true);
    shown->setAccessibleName(QStringLiteral("Примечание"));
    layout->addWidget(shown);
  }
  layout->addWidget(buttons);
  dialog.resize(560, dialog.sizeHint().height());
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return SheetRequest{
      name->text(), limit->text(), {object->text(), performer->text(), checker->text()}};
}

QString RememberedPerformer() {
  return QSettings().value(kPerformerKey).toString();
}

void RememberPerformer(const QString& performer) {
  QSettings().setValue(kPerformerKey, performer);
}

LossLimit ReadSheetLossLimit(const QString& text, const QString& decimalSeparator) {
  if (text.trimmed().isEmpty()) {
    return {};
  }
  QString dotted = text;
  dotted.replace(decimalSeparator, QStringLiteral("."));
  const std::string utf8 = dotted.toStdString();
  if (!HasNumber(utf8, true)) {
    return {false, std::nullopt};
  }
  const Checked<double> value = ReadNumber(utf8);
  if (!value || !std::isfinite(value.value()) || value.value() < 0 || value.value() > 100) {
    return {false, std::nullopt};
  }
  return {true, value.value()};
}

}  // namespace linecalc::ui
