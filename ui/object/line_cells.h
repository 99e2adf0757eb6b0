#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "object/line_object.h"
#include "object/line_table.h"

namespace linecalc::ui {

// The words the table shows for a material and a load kind, and the drop-down choices of its
// three choice columns, in the order the calculator window offers them (the load kind "схема",
// which only an object's line has, last).
QString MaterialWord(Material material);
QString LoadWord(LoadKind load);
QStringList MaterialChoices();
QStringList SectionChoices();
QStringList LoadChoices();

// Whether `column` holds one of the inputs of a line (edited in place), and whether it is one of
// the three edited by a drop-down.
bool IsInputColumn(object::LineColumn column);
bool IsChoiceColumn(object::LineColumn column);

// The choices of a choice column; empty for any other.
QStringList ChoicesOf(object::LineColumn column);

// The text an editor of `column` starts from: the input as typed (R20: empty when the table's
// value is used, Кол-во гр: empty for a load at the end of the line).
QString InputText(const object::ObjectLine& line, object::LineColumn column);

// `line` with the input of `column` set from `text`; absent when `column` is not an input column
// or `text` is not one of its choices. An empty R20 text means the table's R20.
std::optional<object::ObjectLine> WithInput(const object::ObjectLine& line,
                                            object::LineColumn column, const QString& text);

// Whether `text` may be stored in `column` as typed: a number column takes a blank text or a
// number with nothing but blanks after it ("12О" with a Cyrillic О is refused); any other column
// takes any text.
bool IsReadableInput(object::LineColumn column, const QString& text);

// What an edit of `column` is called where it can be undone: "изменение сечения".
QString EditText(object::LineColumn column);

// A new line as the calculator window starts: its default choices and a uniform load of its
// default loudspeakers, named `name`.
object::ObjectLine DefaultLine(const QString& name);

}  // namespace linecalc::ui
