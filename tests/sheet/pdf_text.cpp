#include "tests/sheet/pdf_text.h"

#include <QProcess>
#include <QRegularExpression>
#include <algorithm>

namespace linecalc::test {

QStringList PdfPages(const QString& path) {
  QProcess tool;
  tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                           QStringLiteral("UTF-8"), path, QStringLiteral("-")});
  if (!tool.waitForFinished(30000) || tool.exitCode() != 0) {
    return {};
  }
  QStringList pages = QString::fromUtf8(tool.readAllStandardOutput()).split(QLatin1Char('\f'));
  // pdftotext ends the last page with a form feed as well.
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) {
    pages.removeLast();
  }
  return pages;
}

namespace {

QString Run(const QString& program, const QStringList& arguments) {
  QProcess tool;
  tool.start(program, arguments);
  if (!tool.waitForFinished(60000) || tool.exitCode() != 0) {
    return {};
  }
  return QString::fromUtf8(tool.readAllStandardOutput());
}

}  // namespace

QString PdfTitle(const QString& path) {
  const QRegularExpression title(QStringLiteral("^Title:\\s*(.*)$"),
                                 QRegularExpression::MultilineOption);
  return title
      .match(
          Run(QStringLiteral("pdfinfo"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path}))
      .captured(1)
      .trimmed();
}

QList<double> WordHeights(const QString& path) {
  const QString boxes =
      Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
  const QRegularExpression word(
      QStringLiteral(R"re(<word xMin="[^"]*" yMin="([^"]*)" xMax="[^"]*" yMax="([^"]*)")re"));
  QList<double> heights;
  for (auto it = word.globalMatch(boxes); it.hasNext();) {
    const auto match = it.next();
    heights.append(match.captured(2).toDouble() - match.captured(1).toDouble());
  }
  return heights;
}

bool HasRow(const QString& page, const QString& label, const QString& value) {
  const QRegularExpression row(QRegularExpression::escape(label) + QStringLiteral(".*(^|\\s)") +
                               QRegularExpression::escape(value) + QStringLiteral("(\\s|$)"));
  for (const QString& line : page.split(QLatin1Char('\n'))) {
    if (row.match(line.simplified()).hasMatch()) {
      return true;
    }
  }
  return false;
}

bool HasLine(const QString& page, const QString& wanted) {
  const QStringList lines = page.split(QLatin1Char('\n'));
  return std::any_of(lines.begin(), lines.end(),
                     [&wanted](const QString& line) { return line.simplified() == wanted; });
}

}  // namespace linecalc::test
