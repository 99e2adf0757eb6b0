#include "object/object_json.h"

#include <algorithm>
#include <cmath>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QStringList>

#include "calc/amplifier_load.h"
#include "calc/smallest_section.h"
#include "calc/tables.h"
#include "object/json_text.h"
#include "object/layout_json.h"

namespace linecalc::object {
namespace {

constexpr QLatin1StringView kFormat("linecalc-object");

// A problem of the file; caught in ParseObject and turned into its message.
struct FileProblem {
  QString message;
};

// Where a problem lies: the file, and the line when it is in one.
class Place {
 public:
  explicit Place(const QString& fileName) : prefix_(QStringLiteral("Файл «%1»").arg(fileName)) {}
  Place(const Place& file, qsizetype number, const QString& name)
      : prefix_(name.isNull()
                    ? QStringLiteral("%1, линия %2").arg(file.prefix_).arg(number)
                    : QStringLiteral("%1, линия %2 «%3»").arg(file.prefix_).arg(number).arg(name)) {
  }
  // A part of the file other than a line: "усилитель 2 «У2»".
  Place(const Place& file, const QString& part)
      : prefix_(file.prefix_ + QStringLiteral(", ") + part) {}

  // The same place, with keys named inside the object `key` ("load.power").
  Place Within(const QString& key) const {
    Place inner = *this;
    inner.keyPrefix_ = keyPrefix_ + key + QLatin1Char('.');
    return inner;
  }

  [[noreturn]] void Fail(const QString& problem) const {
    throw FileProblem{QStringLiteral("%1: %2.").arg(prefix_, problem)};
  }

  QJsonValue Required(const QJsonObject& object, const QString& key) const {
    const QJsonValue value = object.value(key);
    if (value.isUndefined()) {
      Fail(QStringLiteral("нет ключа «%1»").arg(keyPrefix_ + key));
    }
    return value;
  }

  QString String(const QJsonObject& object, const QString& key) const {
    const QJsonValue value = Required(object, key);
    if (!value.isString()) {
      Fail(QStringLiteral("ключ «%1» должен быть строкой").arg(keyPrefix_ + key));
    }
    return value.toString();
  }

  QJsonObject Object(const QJsonObject& object, const QString& key) const {
    const QJsonValue value = Required(object, key);
    if (!value.isObject()) {
      Fail(QStringLiteral("ключ «%1» должен быть объектом").arg(keyPrefix_ + key));
    }
    return value.toObject();
  }

 private:
  QString prefix_;
  QString keyPrefix_;
};

std::string Utf8(const QString& text) {
  return text.toStdString();
}

bool IsBlank(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

Material ReadMaterial(const Place& place, const QJsonObject& json) {
  const QString text = place.String(json, QStringLiteral("material"));
  if (text == QLatin1StringView("copper")) {
    return Material::Copper;
  }
  if (text == QLatin1StringView("aluminium")) {
    return Material::Aluminium;
  }
  place.Fail(
      QStringLiteral("неизвестный материал «%1» (ожидается copper или aluminium)").arg(text));
}

// The row of SectionList whose text is `text`; any other text fails, naming it as `what`.
int SectionRow(const Place& place, const QString& text, const QString& what) {
  QStringList known;
  for (std::size_t row = 0; row < SectionList.size(); ++row) {
    const QString section = QString::fromUtf8(SectionList[row]);
    if (text == section) {
      return static_cast<int>(row);
    }
    known << section;
  }
  place.Fail(QStringLiteral("неизвестное %1 «%2» (ожидается одно из: %3)")
                 .arg(what, text, known.join(QStringLiteral(", "))));
}

int ReadSection(const Place& place, const QJsonObject& json) {
  return SectionRow(place, place.String(json, QStringLiteral("section")),
                    QStringLiteral("сечение"));
}

// Absent, null or empty: no minimum.
std::optional<int> ReadMinSection(const Place& place, const QJsonObject& json) {
  const QJsonValue value = json.value(QStringLiteral("minSection"));
  if (value.isUndefined() || value.isNull()) {
    return std::nullopt;
  }
  if (!value.isString()) {
    place.Fail(QStringLiteral("ключ «minSection» должен быть строкой"));
  }
  if (value.toString().isEmpty()) {
    return std::nullopt;
  }
  return SectionRow(place, value.toString(), QStringLiteral("мин. допустимое сечение"));
}

std::optional<std::string> ReadR20(const Place& place, const QJsonObject& json) {
  const QJsonValue value = place.Required(json, QStringLiteral("r20"));
  if (value.isNull()) {
    return std::nullopt;
  }
  if (!value.isString()) {
    place.Fail(QStringLiteral("ключ «r20» должен быть строкой или null"));
  }
  const QString text = value.toString();
  return IsBlank(text) ? std::nullopt : std::optional<std::string>(Utf8(text));
}

void ReadLoad(const Place& place, const QJsonObject& json, LineInputs& in) {
  const QJsonObject load = place.Object(json, QStringLiteral("load"));
  const Place inLoad = place.Within(QStringLiteral("load"));
  const QString kind = inLoad.String(load, QStringLiteral("kind"));
  if (kind == QLatin1StringView("single")) {
    in.load = LoadKind::Single;
    in.power = Utf8(inLoad.String(load, QStringLiteral("power")));
    return;
  }
  if (kind == QLatin1StringView("uniform")) {
    in.load = LoadKind::Uniform;
    in.power = Utf8(inLoad.String(load, QStringLiteral("speakerPower")));
    in.count = Utf8(inLoad.String(load, QStringLiteral("count")));
    return;
  }
  if (kind == QLatin1StringView("layout")) {
    in.load = LoadKind::Layout;
    const QJsonValue stretches = inLoad.Required(load, QStringLiteral("stretches"));
    if (!stretches.isArray()) {
      inLoad.Fail(QStringLiteral("ключ «load.stretches» должен быть массивом"));
    }
    auto layout = ReadLayoutStretches(stretches.toArray());
    if (const auto* problem = std::get_if<QString>(&layout)) {
      place.Fail(*problem);
    }
    in.layout = std::get<LineLayout>(std::move(layout));
    return;
  }
  place.Fail(QStringLiteral("неизвестный вид нагрузки «%1» (ожидается single, uniform или layout)")
                 .arg(kind));
}

// The line's name, when it has one that is a string; the line is named by it in messages.
QString NameForMessages(const QJsonObject& json) {
  const QJsonValue name = json.value(QStringLiteral("name"));
  return name.isString() ? name.toString() : QString();
}

// Absent: no amplifier named. A name must be one of `amplifiers`.
std::string ReadLineAmplifier(const Place& place, const QJsonObject& json,
                              const std::vector<Amplifier>& amplifiers) {
  if (!json.contains(QStringLiteral("amplifier"))) {
    return {};
  }
  const std::string name = Utf8(place.String(json, QStringLiteral("amplifier")));
  const bool known = std::any_of(amplifiers.begin(), amplifiers.end(),
                                 [&name](const Amplifier& a) { return a.name == name; });
  if (!name.empty() && !known) {
    place.Fail(
        QStringLiteral("нет усилителя «%1» (ключ «amplifier»)").arg(QString::fromStdString(name)));
  }
  return name;
}

ObjectLine ReadLine(const Place& file, qsizetype number, const QJsonValue& value,
                    const std::vector<Amplifier>* amplifiers) {
  if (!value.isObject()) {
    Place(file, number, QString()).Fail(QStringLiteral("ожидается объект"));
  }
  const QJsonObject json = value.toObject();
  const Place place(file, number, NameForMessages(json));
  ObjectLine line;
  line.name = Utf8(place.String(json, QStringLiteral("name")));
  LineInputs& in = line.inputs;
  in.material = ReadMaterial(place, json);
  in.sectionIndex = ReadSection(place, json);
  in.length = Utf8(place.String(json, QStringLiteral("length")));
  in.temperature = Utf8(place.String(json, QStringLiteral("temperature")));
  in.voltage = Utf8(place.String(json, QStringLiteral("voltage")));
  in.r20 = ReadR20(place, json);
  in.power.clear();
  in.count.clear();
  ReadLoad(place, json, in);
  if (amplifiers != nullptr) {
    line.amplifier = ReadLineAmplifier(place, json, *amplifiers);
  }
  return line;
}

// The file's version, once it is one this program reads.
int CheckFormat(const Place& place, const QJsonObject& json) {
  const QString format = place.String(json, QStringLiteral("format"));
  if (format != kFormat) {
    place.Fail(QStringLiteral("это не файл объекта: ключ «format» равен «%1», ожидается «%2»")
                   .arg(format, kFormat));
  }
  const QJsonValue version = place.Required(json, QStringLiteral("version"));
  const double number = version.toDouble(0);
  if (!version.isDouble() || number != std::floor(number) || number < 1) {
    place.Fail(QStringLiteral("ключ «version» должен быть целым числом от 1"));
  }
  if (number > kObjectFormatVersion) {
    place.Fail(QStringLiteral("файл создан более новой версией программы (версия формата %1, эта "
                              "программа читает версию %2)")
                   .arg(number, 0, 'g', 15)
                   .arg(kObjectFormatVersion));
  }
  return static_cast<int>(number);
}

QString LossLimit(const Place& place, const QJsonObject& json) {
  const QJsonValue limit = json.value(QStringLiteral("lossLimitPct"));
  if (limit.isUndefined() || limit.isNull()) {
    return QString();
  }
  if (!limit.isString()) {
    place.Fail(QStringLiteral("ключ «lossLimitPct» должен быть строкой"));
  }
  const QString text = limit.toString();
  if (!IsLossLimit(Utf8(text), false)) {
    place.Fail(QStringLiteral("предел потерь «%1» (ключ «lossLimitPct») должен быть числом от 0 "
                              "до 100 %")
                   .arg(text));
  }
  return text;
}

Amplifier ReadAmplifier(const Place& file, qsizetype number, const QJsonValue& value,
                        const std::vector<Amplifier>& before) {
  const QString part = QStringLiteral("усилитель %1").arg(number);
  if (!value.isObject()) {
    Place(file, part).Fail(QStringLiteral("ожидается объект"));
  }
  const QJsonObject json = value.toObject();
  const QString shown = NameForMessages(json);
  const bool named = !shown.isNull() && !IsBlank(shown);
  const Place place(file, named ? QStringLiteral("%1 «%2»").arg(part, shown) : part);
  Amplifier amplifier{Utf8(place.String(json, QStringLiteral("name"))),
                      Utf8(place.String(json, QStringLiteral("power"))),
                      Utf8(place.String(json, QStringLiteral("voltage")))};
  if (!named) {
    place.Fail(QStringLiteral("у усилителя нет названия (ключ «name»)"));
  }
  if (std::any_of(before.begin(), before.end(),
                  [&amplifier](const Amplifier& a) { return a.name == amplifier.name; })) {
    place.Fail(QStringLiteral("усилитель с таким названием уже есть"));
  }
  if (!ReadAmplifierPower(amplifier.power)) {
    place.Fail(QStringLiteral("мощность «%1» (ключ «power») должна быть числом больше 0 и не более "
                              "10000 Вт")
                   .arg(QString::fromStdString(amplifier.power)));
  }
  if (!ReadAmplifierVoltage(amplifier.voltage)) {
    place.Fail(QStringLiteral("напряжение «%1» (ключ «voltage») должно быть целым числом от 1 до "
                              "1000 В")
                   .arg(QString::fromStdString(amplifier.voltage)));
  }
  return amplifier;
}

// Absent: an object without amplifiers.
std::vector<Amplifier> ReadAmplifiers(const Place& place, const QJsonObject& json) {
  const QJsonValue value = json.value(QStringLiteral("amplifiers"));
  if (value.isUndefined() || value.isNull()) {
    return {};
  }
  if (!value.isArray()) {
    place.Fail(QStringLiteral("ключ «amplifiers» должен быть массивом"));
  }
  const QJsonArray array = value.toArray();
  std::vector<Amplifier> amplifiers;
  for (qsizetype i = 0; i < array.size(); ++i) {
    amplifiers.push_back(ReadAmplifier(place, i + 1, array.at(i), amplifiers));
  }
  return amplifiers;
}

std::string ReadReserve(const Place& place, const QJsonObject& json) {
  const QJsonValue value = json.value(QStringLiteral("amplifierReservePct"));
  if (value.isUndefined() || value.isNull()) {
    return {};
  }
  if (!value.isString()) {
    place.Fail(QStringLiteral("ключ «amplifierReservePct» должен быть строкой"));
  }
  if (!ReadAmplifierReserve(Utf8(value.toString()))) {
    place.Fail(QStringLiteral("запас мощности усилителей «%1» (ключ «amplifierReservePct») должен "
                              "быть числом от 0 до 100 %")
                   .arg(value.toString()));
  }
  return Utf8(value.toString());
}

LineObject ReadObject(const Place& place, const QJsonObject& json) {
  const int version = CheckFormat(place, json);
  LineObject object;
  object.title = Utf8(place.String(json, QStringLiteral("title")));
  object.lossLimitPct = Utf8(LossLimit(place, json));
  if (version >= 2) {
    object.minSection = ReadMinSection(place, json);
    object.amplifierReservePct = ReadReserve(place, json);
    object.amplifiers = ReadAmplifiers(place, json);
  }
  const QJsonValue lines = place.Required(json, QStringLiteral("lines"));
  if (!lines.isArray()) {
    place.Fail(QStringLiteral("ключ «lines» должен быть массивом"));
  }
  const QJsonArray array = lines.toArray();
  object.lines.reserve(static_cast<std::size_t>(array.size()));
  for (qsizetype i = 0; i < array.size(); ++i) {
    object.lines.push_back(
        ReadLine(place, i + 1, array.at(i), version >= 2 ? &object.amplifiers : nullptr));
  }
  return object;
}

// Writes `"key": "text"` after `indent`, with a comma unless it is the last member.
void Member(QByteArray& out, const char* indent, const char* key, std::string_view text,
            bool last = false) {
  out.append(indent).append('"').append(key).append("\": ");
  AppendJsonString(out, text);
  out.append(last ? "\n" : ",\n");
}

void AppendLoad(QByteArray& out, const LineInputs& in) {
  out.append("      \"load\": {\"kind\": ");
  if (in.load == LoadKind::Single) {
    out.append("\"single\", \"power\": ");
    AppendJsonString(out, in.power);
  } else if (in.load == LoadKind::Uniform) {
    out.append("\"uniform\", \"speakerPower\": ");
    AppendJsonString(out, in.power);
    out.append(", \"count\": ");
    AppendJsonString(out, in.count);
  }
  if (in.load == LoadKind::Layout) {
    out.append("\"layout\", ");
    AppendLayoutStretches(out, in.layout, "        ", "      ");
  }
  out.append("}\n");
}

void AppendLine(QByteArray& out, const ObjectLine& line) {
  const LineInputs& in = line.inputs;
  constexpr const char* kIndent = "      ";
  out.append("    {\n");
  Member(out, kIndent, "name", line.name);
  Member(out, kIndent, "material", in.material == Material::Copper ? "copper" : "aluminium");
  const bool known = in.sectionIndex >= 0 && in.sectionIndex < kSectionCount;
  Member(out, kIndent, "section",
         known ? SectionList[static_cast<std::size_t>(in.sectionIndex)] : std::string_view());
  Member(out, kIndent, "length", in.length);
  Member(out, kIndent, "temperature", in.temperature);
  Member(out, kIndent, "voltage", in.voltage);
  if (in.r20) {
    Member(out, kIndent, "r20", *in.r20);
  } else {
    out.append(kIndent).append("\"r20\": null,\n");
  }
  if (!line.amplifier.empty()) {
    Member(out, kIndent, "amplifier", line.amplifier);
  }
  AppendLoad(out, in);
  out.append("    }");
}

// One amplifier a line: `{"name": "У1", "power": "240", "voltage": "100"}`.
void AppendAmplifiers(QByteArray& out, const std::vector<Amplifier>& amplifiers) {
  if (amplifiers.empty()) {
    return;
  }
  out.append("  \"amplifiers\": [");
  for (std::size_t i = 0; i < amplifiers.size(); ++i) {
    out.append(i == 0 ? "\n    {\"name\": " : ",\n    {\"name\": ");
    AppendJsonString(out, amplifiers[i].name);
    out.append(", \"power\": ");
    AppendJsonString(out, amplifiers[i].power);
    out.append(", \"voltage\": ");
    AppendJsonString(out, amplifiers[i].voltage);
    out.append("}");
  }
  out.append("\n  ],\n");
}

// A layout line: older programs know only the single and the uniform load.
bool HasLayout(const LineObject& object) {
  return std::any_of(object.lines.begin(), object.lines.end(),
                     [](const ObjectLine& line) { return line.inputs.load == LoadKind::Layout; });
}

}  // namespace

int ObjectFormatVersion(const LineObject& object) {
  const bool fed = std::any_of(object.lines.begin(), object.lines.end(),
                               [](const ObjectLine& line) { return !line.amplifier.empty(); });
  const bool amplifiers = fed || !object.amplifiers.empty() || !object.amplifierReservePct.empty();
  return object.minSection || amplifiers || HasLayout(object) ? 2 : 1;
}

ObjectLoad ParseObject(const QByteArray& bytes, const QString& fileName) {
  const Place place(fileName);
  QByteArray text = bytes;
  if (text.startsWith("\xEF\xBB\xBF")) {
    text.remove(0, 3);  // a byte-order mark that some editors write
  }
  if (text.trimmed().isEmpty()) {
    return {std::nullopt, QStringLiteral("Файл «%1» пуст.").arg(fileName)};
  }
  // A JSON text in UTF-8 holds no zero byte; one in UTF-16 holds one in every Latin character.
  if (text.contains('\0') || text.startsWith("\xFF\xFE") || text.startsWith("\xFE\xFF")) {
    return {std::nullopt, QStringLiteral("Файл «%1» записан не в кодировке UTF-8 (возможно, в "
                                         "UTF-16); сохраните его в UTF-8.")
                              .arg(fileName)};
  }
  QJsonParseError parsed;
  const QJsonDocument document = QJsonDocument::fromJson(text, &parsed);
  if (parsed.error != QJsonParseError::NoError) {
    return {std::nullopt, JsonErrorMessage(fileName, text, parsed)};
  }
  try {
    if (!document.isObject()) {
      place.Fail(QStringLiteral("это не файл объекта: ожидается объект JSON"));
    }
    return {ReadObject(place, document.object()), QString()};
  } catch (const FileProblem& problem) {
    return {std::nullopt, problem.message};
  }
}

QByteArray SerializeObject(const LineObject& object) {
  QByteArray out;
  out.reserve(static_cast<qsizetype>(300 * object.lines.size() + 200));
  out.append("{\n  \"format\": \"linecalc-object\",\n");
  out.append("  \"version\": ").append(QByteArray::number(ObjectFormatVersion(object)));
  out.append(",\n");
  Member(out, "  ", "title", object.title);
  Member(out, "  ", "lossLimitPct", object.lossLimitPct);
  if (object.minSection) {
    Member(out, "  ", "minSection", SectionList[static_cast<std::size_t>(*object.minSection)]);
  }
  if (!object.amplifierReservePct.empty()) {
    Member(out, "  ", "amplifierReservePct", object.amplifierReservePct);
  }
  AppendAmplifiers(out, object.amplifiers);
  out.append("  \"lines\": [");
  for (std::size_t i = 0; i < object.lines.size(); ++i) {
    out.append(i == 0 ? "\n" : ",\n");
    AppendLine(out, object.lines[i]);
  }
  out.append(object.lines.empty() ? "]\n}\n" : "\n  ]\n}\n");
  return out;
}

}  // namespace linecalc::object
