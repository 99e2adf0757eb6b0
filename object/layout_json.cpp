#include "object/layout_json.h"

#include <QJsonObject>
#include <QJsonValue>

#include "object/json_text.h"

namespace linecalc::object {
namespace {

// A problem of one stretch, with the stretch's place; caught in ReadLayoutStretches.
struct StretchProblem {
  QString message;
};

class StretchReader {
 public:
  StretchList List(const QJsonArray& array) {
    StretchList list;
    list.reserve(static_cast<std::size_t>(array.size()));
    for (qsizetype i = 0; i < array.size(); ++i) {
      path_.push_back(static_cast<std::size_t>(i));
      list.push_back(One(array.at(i)));
      path_.pop_back();
    }
    return list;
  }

 private:
  [[noreturn]] void Fail(const QString& problem) const {
    throw StretchProblem{
        QStringLiteral("%1: %2").arg(QString::fromStdString(StretchPlaceText(path_)), problem)};
  }

  std::string Text(const QJsonObject& json, const QString& key, const QString& shown) const {
    const QJsonValue value = json.value(key);
    if (value.isUndefined()) {
      Fail(QStringLiteral("нет ключа «%1»").arg(shown));
    }
    if (!value.isString()) {
      Fail(QStringLiteral("ключ «%1» должен быть строкой").arg(shown));
    }
    return value.toString().toStdString();
  }

  // Absent or null: empty.
  QJsonArray Array(const QJsonObject& json, const QString& key) const {
    const QJsonValue value = json.value(key);
    if (value.isUndefined() || value.isNull()) {
      return {};
    }
    if (!value.isArray()) {
      Fail(QStringLiteral("ключ «%1» должен быть массивом").arg(key));
    }
    return value.toArray();
  }

  std::vector<SpeakerGroup> Speakers(const QJsonObject& json) const {
    const QJsonArray array = Array(json, QStringLiteral("speakers"));
    std::vector<SpeakerGroup> groups;
    for (qsizetype i = 0; i < array.size(); ++i) {
      const QString key = QStringLiteral("speakers[%1]").arg(i + 1);
      if (!array.at(i).isObject()) {
        Fail(QStringLiteral("ключ «%1» должен быть объектом").arg(key));
      }
      const QJsonObject group = array.at(i).toObject();
      groups.push_back({Text(group, QStringLiteral("count"), key + QStringLiteral(".count")),
                        Text(group, QStringLiteral("power"), key + QStringLiteral(".power"))});
    }
    return groups;
  }

  Stretch One(const QJsonValue& value) {
    if (!value.isObject()) {
      Fail(QStringLiteral("ожидается объект"));
    }
    const QJsonObject json = value.toObject();
    Stretch stretch;
    stretch.length = Text(json, QStringLiteral("length"), QStringLiteral("length"));
    if (json.contains(QStringLiteral("repeat"))) {
      stretch.repeat = Text(json, QStringLiteral("repeat"), QStringLiteral("repeat"));
    }
    stretch.speakers = Speakers(json);
    const QJsonArray branches = Array(json, QStringLiteral("branches"));
    for (qsizetype b = 0; b < branches.size(); ++b) {
      if (!branches.at(b).isArray()) {
        Fail(QStringLiteral("ответвление %1 должно быть массивом участков").arg(b + 1));
      }
      path_.push_back(static_cast<std::size_t>(b));
      stretch.branches.push_back(List(branches.at(b).toArray()));
      path_.pop_back();
    }
    return stretch;
  }

  StretchPath path_;
};

void AppendText(QByteArray& out, const char* key, const std::string& text) {
  out.append('"').append(key).append("\": ");
  AppendJsonString(out, text);
}

void AppendList(QByteArray& out, const StretchList& list);

void AppendStretch(QByteArray& out, const Stretch& stretch) {
  out.append('{');
  AppendText(out, "length", stretch.length);
  if (!stretch.repeat.empty()) {
    out.append(", ");
    AppendText(out, "repeat", stretch.repeat);
  }
  out.append(", \"speakers\": [");
  for (std::size_t i = 0; i < stretch.speakers.size(); ++i) {
    out.append(i == 0 ? "{" : ", {");
    AppendText(out, "count", stretch.speakers[i].count);
    out.append(", ");
    AppendText(out, "power", stretch.speakers[i].power);
    out.append('}');
  }
  out.append(']');
  if (!stretch.branches.empty()) {
    out.append(", \"branches\": [");
    for (std::size_t b = 0; b < stretch.branches.size(); ++b) {
      out.append(b == 0 ? "" : ", ");
      AppendList(out, stretch.branches[b]);
    }
    out.append(']');
  }
  out.append('}');
}

void AppendList(QByteArray& out, const StretchList& list) {
  out.append('[');
  for (std::size_t i = 0; i < list.size(); ++i) {
    out.append(i == 0 ? "" : ", ");
    AppendStretch(out, list[i]);
  }
  out.append(']');
}

}  // namespace

std::variant<LineLayout, QString> ReadLayoutStretches(const QJsonArray& stretches) {
  try {
    return LineLayout{StretchReader().List(stretches)};
  } catch (const StretchProblem& problem) {
    return problem.message;
  }
}

void AppendLayoutStretches(QByteArray& out, const LineLayout& layout, const char* indent,
                           const char* closingIndent) {
  out.append("\"stretches\": [");
  for (std::size_t i = 0; i < layout.stretches.size(); ++i) {
    out.append(i == 0 ? "\n" : ",\n").append(indent);
    AppendStretch(out, layout.stretches[i]);
  }
  if (!layout.stretches.empty()) {
    out.append('\n').append(closingIndent);
  }
  out.append(']');
}

}  // namespace linecalc::object
