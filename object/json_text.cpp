#include "object/json_text.h"

#include <algorithm>

namespace linecalc::object {
namespace {

QString SyntaxProblem(QJsonParseError::ParseError error) {
  switch (error) {
    case QJsonParseError::UnterminatedObject:
      return QStringLiteral("ожидается «,» или «}»");
    case QJsonParseError::MissingNameSeparator:
      return QStringLiteral("после имени ключа нет двоеточия");
    case QJsonParseError::UnterminatedArray:
      return QStringLiteral("ожидается «,» или «]»");
    case QJsonParseError::MissingValueSeparator:
      return QStringLiteral("между значениями нет запятой");
    case QJsonParseError::IllegalValue:
      return QStringLiteral("недопустимое значение");
    case QJsonParseError::TerminationByNumber:
      return QStringLiteral("текст обрывается на числе");
    case QJsonParseError::IllegalNumber:
      return QStringLiteral("недопустимое число");
    case QJsonParseError::IllegalEscapeSequence:
      return QStringLiteral("недопустимая escape-последовательность");
    case QJsonParseError::IllegalUTF8String:
      return QStringLiteral("недопустимая последовательность UTF-8");
    case QJsonParseError::UnterminatedString:
      return QStringLiteral("строка не закрыта");
    case QJsonParseError::MissingObject:
      return QStringLiteral("ожидается объект");
    case QJsonParseError::DeepNesting:
      return QStringLiteral("слишком глубокая вложенность");
    case QJsonParseError::DocumentTooLarge:
      return QStringLiteral("документ слишком велик");
    case QJsonParseError::GarbageAtEnd:
      return QStringLiteral("лишний текст после конца документа");
    case QJsonParseError::NoError:
      break;
  }
  return QStringLiteral("ошибка синтаксиса");
}

bool IsUtf8Continuation(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

void AppendJsonString(QByteArray& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out.append('"');
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out.append('\\').append(c);
    } else if (c == '\n') {
      out.append("\\n");
    } else if (c == '\r') {
      out.append("\\r");
    } else if (c == '\t') {
      out.append("\\t");
    } else if (byte < 0x20) {
      out.append("\\u00").append(kHex[byte >> 4]).append(kHex[byte & 0xF]);
    } else {
      out.append(c);
    }
  }
  out.append('"');
}

QString JsonErrorMessage(const QString& fileName, const QByteArray& text,
                         const QJsonParseError& error) {
  const qsizetype end = std::clamp<qsizetype>(error.offset, 0, text.size());
  qsizetype line = 1;
  qsizetype column = 1;
  for (qsizetype i = 0; i < end; ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else if (!IsUtf8Continuation(text[i])) {
      ++column;
    }
  }
  return QStringLiteral("Файл «%1» не является правильным файлом JSON: %2 (строка %3, столбец %4).")
      .arg(fileName, SyntaxProblem(error.error))
      .arg(line)
      .arg(column);
}

}  // namespace linecalc::object
