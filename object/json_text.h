#pragma once

#include <string>
#include <string_view>

#include <QByteArray>
#include <QJsonParseError>
#include <QString>

namespace linecalc::object {

// Appends `text` (UTF-8) to `out` as a JSON string in quotes: quotes, backslashes and control
// characters escaped, every other character as it is.
void AppendJsonString(QByteArray& out, std::string_view text);

// The Russian message for a JSON syntax error in `fileName`, with the line and column (from 1,
// counting characters) where the reader stopped in `text`.
QString JsonErrorMessage(const QString& fileName, const QByteArray& text,
                         const QJsonParseError& error);

}  // namespace linecalc::object
