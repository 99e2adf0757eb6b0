#include "ui/object/line_cells.h"

#include "calc/line_layout.h"
#include "calc/number_format.h"
#include "calc/tables.h"
#include "ui/qt_text.h"

namespace linecalc::ui {
namespace {

using object::LineColumn;

const QString kCopper = QStringLiteral("медь");
const QString kAluminium = QStringLiteral("алюминий");
const QString kSingle = QStringLiteral("в конце линии");
const QString kUniform = QStringLiteral("равномерная");
const QString kLayout = QStringLiteral("схема");

std::string* TextInput(LineInputs& in, LineColumn column) {
  switch (column) {
    case LineColumn::Length:
      return &in.length;
    case LineColumn::Temperature:
      return &in.temperature;
    case LineColumn::Voltage:
      return &in.voltage;
    case LineColumn::Power:
      return &in.power;
    case LineColumn::Count:
      return &in.count;
    default:
      return nullptr;
  }
}

// A line that becomes a layout gets the one its load stands for: the equivalent of its uniform
// load, else one stretch of its length with one loudspeaker of its power. A layout that becomes
// another load leaves its total length behind where the line had none.
void SetLoad(LineInputs& in, LoadKind load) {
  if (load == in.load) {
    return;
  }
  if (load == LoadKind::Layout) {
    std::optional<LineLayout> layout;
    if (in.load == LoadKind::Uniform) {
      layout = UniformAsLayout(in.length, in.power, in.count);
    }
    if (!layout) {
      const std::string power = in.power.empty() ? std::string(DefaultSpeakerPowerText) : in.power;
      layout = LineLayout{{Stretch{in.length, "", {{"1", power}}, {}}}};
    }
    in.layout = std::move(*layout);
  } else if (in.load == LoadKind::Layout && QString::fromStdString(in.length).trimmed().isEmpty()) {
    const auto read = ReadLayout(in.layout);
    if (const auto* network = std::get_if<LayoutNetwork>(&read)) {
      in.length = ShortestDecimal(network->totalLengthM, Notation::Plain);
    }
  }
  in.load = load;
}

// Sets a drop-down input from its word; false when the word is none of the column's choices.
bool SetChoice(LineInputs& in, LineColumn column, const QString& text) {
  const qsizetype index = ChoicesOf(column).indexOf(text);
  if (index < 0) {
    return false;
  }
  if (column == LineColumn::Material) {
    in.material = index == 0 ? Material::Copper : Material::Aluminium;
  } else if (column == LineColumn::Section) {
    in.sectionIndex = static_cast<int>(index);
  } else {
    SetLoad(in, index == 0 ? LoadKind::Single : index == 1 ? LoadKind::Uniform : LoadKind::Layout);
  }
  return true;
}

}  // namespace

QString MaterialWord(Material material) {
  return material == Material::Copper ? kCopper : kAluminium;
}

QString LoadWord(LoadKind load) {
  return load == LoadKind::Single ? kSingle : load == LoadKind::Uniform ? kUniform : kLayout;
}

QStringList MaterialChoices() {
  return {kCopper, kAluminium};
}

QStringList SectionChoices() {
  QStringList texts;
  for (const std::string_view section : SectionList) {
    texts.append(ToQString(section));
  }
  return texts;
}

QStringList LoadChoices() {
  return {kSingle, kUniform, kLayout};
}

bool IsInputColumn(LineColumn column) {
  switch (column) {
    case LineColumn::Name:
    case LineColumn::Material:
    case LineColumn::Section:
    case LineColumn::Length:
    case LineColumn::Temperature:
    case LineColumn::Voltage:
    case LineColumn::R20:
    case LineColumn::Load:
    case LineColumn::Power:
    case LineColumn::Count:
    case LineColumn::Amplifier:
      return true;
    default:
      return false;
  }
}

bool IsChoiceColumn(LineColumn column) {
  return column == LineColumn::Material || column == LineColumn::Section ||
         column == LineColumn::Load;
}

QStringList ChoicesOf(LineColumn column) {
  switch (column) {
    case LineColumn::Material:
      return MaterialChoices();
    case LineColumn::Section:
      return SectionChoices();
    case LineColumn::Load:
      return LoadChoices();
    default:
      return {};
  }
}

QString InputText(const object::ObjectLine& line, LineColumn column) {
  const LineInputs& in = line.inputs;
  switch (column) {
    case LineColumn::Name:
      return ToQString(line.name);
    case LineColumn::Material:
      return MaterialWord(in.material);
    case LineColumn::Section:
      return ToQString(SectionList[static_cast<std::size_t>(in.sectionIndex)]);
    case LineColumn::R20:
      return in.r20 ? ToQString(*in.r20) : QString();
    case LineColumn::Load:
      return LoadWord(in.load);
    case LineColumn::Length:
      return ToQString(in.length);
    case LineColumn::Temperature:
      return ToQString(in.temperature);
    case LineColumn::Voltage:
      return ToQString(in.voltage);
    case LineColumn::Power:
      return ToQString(in.power);
    case LineColumn::Count:
      return in.load == LoadKind::Uniform ? ToQString(in.count) : QString();
    case LineColumn::Amplifier:
      return ToQString(line.amplifier);
    default:
      return {};
  }
}

std::optional<object::ObjectLine> WithInput(const object::ObjectLine& line, LineColumn column,
                                            const QString& text) {
  object::ObjectLine edited = line;
  if (column == LineColumn::Name) {
    edited.name = text.toStdString();
  } else if (column == LineColumn::R20) {
    edited.inputs.r20 =
        text.isEmpty() ? std::nullopt : std::optional<std::string>(text.toStdString());
  } else if (IsChoiceColumn(column)) {
    if (!SetChoice(edited.inputs, column, text)) {
      return std::nullopt;
    }
  } else if (std::string* input = TextInput(edited.inputs, column)) {
    *input = text.toStdString();
  } else {
    return std::nullopt;
  }
  return edited;
}

bool IsReadableInput(LineColumn column, const QString& text) {
  if (!IsInputColumn(column) || IsChoiceColumn(column) || column == LineColumn::Name ||
      column == LineColumn::Amplifier || text.trimmed().isEmpty()) {
    return true;
  }
  return HasNumber(text.toStdString(), true);
}

QString EditText(LineColumn column) {
  switch (column) {
    case LineColumn::Name:
      return QStringLiteral("изменение названия линии");
    case LineColumn::Material:
      return QStringLiteral("изменение материала");
    case LineColumn::Section:
      return QStringLiteral("изменение сечения");
    case LineColumn::Length:
      return QStringLiteral("изменение длины");
    case LineColumn::Temperature:
      return QStringLiteral("изменение температуры");
    case LineColumn::Voltage:
      return QStringLiteral("изменение напряжения");
    case LineColumn::R20:
      return QStringLiteral("изменение R20");
    case LineColumn::Load:
      return QStringLiteral("изменение вида нагрузки");
    case LineColumn::Power:
      return QStringLiteral("изменение мощности");
    case LineColumn::Count:
      return QStringLiteral("изменение количества громкоговорителей");
    case LineColumn::Amplifier:
      return QStringLiteral("изменение усилителя");
    default:
      return QStringLiteral("изменение линии");
  }
}

object::ObjectLine DefaultLine(const QString& name) {
  object::ObjectLine line;
  line.name = name.toStdString();
  line.inputs.load = LoadKind::Uniform;
  line.inputs.power = DefaultSpeakerPowerText;
  line.inputs.count = DefaultSpeakerCountText;
  return line;
}

}  // namespace linecalc::ui
