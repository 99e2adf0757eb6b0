#include "app/command_line.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <string_view>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include "app/platform.h"
#include "object/amplifier_table.h"
#include "object/object_csv.h"
#include "object/object_file.h"
#include "object/object_xlsx.h"
#include "object/save_file.h"
#include "object/speaker_table.h"
#include "sheet/object_document.h"
#include "ui/main_window.h"
#include "ui/object/object_menu.h"
#include "ui/object/object_window.h"

namespace linecalc::app {
namespace {

constexpr int kFailure = 2;

// What an export needs of the application: a bare core, or a GUI (fonts, painting).
enum class Needs { Core, Gui };

// A file made from an object, written to the option's value ("-" for standard output).
struct Export {
  std::string_view option;
  std::string_view valueName;
  std::string_view description;
  Needs needs;
  QByteArray (*render)(const object::LineObject&);  // empty when it could not be made
  bool toStandardOutput = true;                     // "-" may be given
};

void PrintError(const QString& message);

QByteArray RenderCsv(const object::LineObject& object) {
  return QByteArray::fromStdString(object::ObjectCsv(object));
}

QByteArray RenderAmplifiersCsv(const object::LineObject& object) {
  return QByteArray::fromStdString(object::AmplifierCsv(object));
}

QByteArray RenderSpeakersCsv(const object::LineObject& object) {
  return QByteArray::fromStdString(object::SpeakersCsv(object));
}

QByteArray RenderXlsx(const object::LineObject& object) {
  const object::XlsxWorkbook workbook = object::ObjectXlsx(object);
  if (!workbook.error.isEmpty()) {
    PrintError(workbook.error);
  }
  return workbook.bytes;
}

constexpr Export kExports[] = {
    {"csv", "вывод", "Записать таблицу объекта в файл CSV («-» — стандартный вывод) и выйти.",
     Needs::Core, RenderCsv},
    {"speakers-csv", "вывод",
     "Записать громкоговорители линий со схемой (расстояние, напряжение, мощность, уровень) в "
     "файл CSV («-» — стандартный вывод) и выйти.",
     Needs::Core, RenderSpeakersCsv},
    {"amplifiers-csv", "вывод",
     "Записать таблицу усилителей объекта (нагрузка, запас, итог) в файл CSV («-» — стандартный "
     "вывод) и выйти.",
     Needs::Core, RenderAmplifiersCsv},
    {"pdf", "вывод",
     "Записать сводку и листы расчета всех линий объекта в файл PDF («-» — стандартный вывод) и "
     "выйти.",
     Needs::Gui, sheet::ObjectPdf},
    {"xlsx", "вывод", "Записать таблицу объекта в книгу Excel (XLSX) и выйти.", Needs::Core,
     RenderXlsx, false},
};

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

void PrintError(const QString& message) {
  std::fputs(qUtf8Printable(QStringLiteral("linecalc: %1\n").arg(message)), stderr);
}

// Qt's own options for a window, which QGuiApplication and QApplication take off the command line.
constexpr std::string_view kWindowOptions[] = {"platform",        "platformpluginpath",
                                               "platformtheme",   "plugin",
                                               "qwindowgeometry", "qwindowicon",
                                               "qwindowtitle",    "reverse",
                                               "session",         "style",
                                               "stylesheet",      "widgetcount",
                                               "display",         "geometry",
                                               "title",           "name",
                                               "visual",          "nograb",
                                               "dograb",          "sync"};

// The name of the option `argument` ("--csv=a.csv" and "-csv" give "csv").
std::string_view OptionName(std::string_view argument) {
  argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
  return argument.substr(0, argument.find('='));
}

bool Contains(std::span<const std::string_view> names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The least application that can do what `arguments` ask.
enum class AppKind { Core, Gui, Widgets };

// An export needs no window, nor do the help, the version, and an unknown option, which ends in
// a message: all of them run where there is no display.
AppKind Demand(std::span<char*> arguments) {
  constexpr std::string_view kNoWindow[] = {"h", "?", "v", "help", "help-all", "version"};
  std::optional<AppKind> exportNeeds;
  for (const std::string_view argument : arguments) {
    if (argument == "--") {
      break;
    }
    if (!argument.starts_with('-') || argument == "-") {
      continue;
    }
    const std::string_view name = OptionName(argument);
    const auto entry = std::find_if(std::begin(kExports), std::end(kExports),
                                    [name](const Export& e) { return e.option == name; });
    if (entry != std::end(kExports)) {
      const AppKind needs = entry->needs == Needs::Gui ? AppKind::Gui : AppKind::Core;
      exportNeeds = std::max(exportNeeds.value_or(AppKind::Core), needs);
    } else if (Contains(kNoWindow, name) || !Contains(kWindowOptions, name)) {
      return AppKind::Core;
    }
  }
  return exportNeeds.value_or(AppKind::Widgets);
}

void DeclareOptions(QCommandLineParser& parser) {
  parser.setApplicationDescription(
      QStringLiteral("Расчет потерь в линиях систем звуковой трансляции.\n"
                     "Без параметров открывает окно калькулятора, с файлом объекта — и окно его "
                     "линий."));
  parser.addHelpOption();
  parser.addVersionOption();
  for (const Export& entry : kExports) {
    parser.addOption(
        QCommandLineOption(Text(entry.option), Text(entry.description), Text(entry.valueName)));
  }
  parser.addPositionalArgument(
      QStringLiteral("файл"),
      QStringLiteral("Файл объекта (.%1).").arg(QLatin1StringView(object::kObjectFileSuffix)),
      QStringLiteral("[файл]"));
}

QString WriteOutput(const QString& out, const QByteArray& bytes) {
  if (out == QLatin1StringView("-")) {
    const bool written = std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()),
                                     stdout) == static_cast<std::size_t>(bytes.size());
    if (!written || std::fflush(stdout) != 0) {
      return QStringLiteral("Не удается записать в стандартный вывод.");
    }
    return QString();
  }
  return object::SaveFileAtomically(out, bytes);
}

bool SameFile(const QString& a, const QString& b) {
  const QString canonical = QFileInfo(a).canonicalFilePath();
  return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

// A binary export given "-": a terminal or a text pipe is no place for it.
bool RefusesStandardOutput(const QCommandLineParser& parser) {
  for (const Export& entry : kExports) {
    if (!entry.toStandardOutput && parser.isSet(Text(entry.option)) &&
        parser.value(Text(entry.option)) == QLatin1StringView("-")) {
      PrintError(QStringLiteral("--%1 не пишет в стандартный вывод («-»): укажите имя файла.")
                     .arg(Text(entry.option)));
      return true;
    }
  }
  return false;
}

// Runs the exports asked for on the one object file named.
int RunExports(const QCommandLineParser& parser) {
  if (RefusesStandardOutput(parser)) {
    return kFailure;
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() != 1) {
    PrintError(QStringLiteral("укажите один файл объекта (linecalc --help — справка)."));
    return kFailure;
  }
  const object::ObjectLoad load = object::ReadObjectFile(files.front());
  if (!load.object) {
    PrintError(load.error);
    return kFailure;
  }
  for (const Export& entry : kExports) {
    if (!parser.isSet(Text(entry.option))) {
      continue;
    }
    const QString out = parser.value(Text(entry.option));
    if (SameFile(out, files.front())) {
      PrintError(
          QStringLiteral("файл «%1» — это файл объекта; результат в него не записан.").arg(out));
      return kFailure;
    }
    // Every export holds at least a heading, so nothing at all means it could not be made.
    const QByteArray bytes = entry.render(*load.object);
    if (bytes.isEmpty()) {
      PrintError(QStringLiteral("не удалось построить «%1»; файл не записан.").arg(out));
      return kFailure;
    }
    const QString error = WriteOutput(out, bytes);
    if (!error.isEmpty()) {
      PrintError(error);
      return kFailure;
    }
  }
  return 0;
}

int RunWindow(const QCommandLineParser& parser) {
  if (parser.positionalArguments().size() > 1) {
    PrintError(QStringLiteral("укажите не более одного файла объекта."));
    return kFailure;
  }
  ui::MainWindow window;
  auto* objects = new ui::ObjectMenu(window);
  window.show();
  const QStringList files = parser.positionalArguments();
  if (!files.isEmpty() && objects->window().openFile(files.front())) {
    objects->showWindow();
  }
  return QApplication::exec();
}

bool AnyExport(const QCommandLineParser& parser) {
  for (const Export& entry : kExports) {
    if (parser.isSet(Text(entry.option))) {
      return true;
    }
  }
  return false;
}

// Which of two outputs was meant is anyone's guess: neither is written.
bool RepeatsAnOption(const QCommandLineParser& parser) {
  for (const Export& entry : kExports) {
    if (parser.values(Text(entry.option)).size() > 1) {
      PrintError(QStringLiteral("параметр --%1 указан более одного раза; укажите его один раз "
                                "(linecalc --help — справка).")
                     .arg(Text(entry.option)));
      return true;
    }
  }
  return false;
}

// Qt warns on standard error when XDG_RUNTIME_DIR is not set (under sudo, cron, a container),
// which is no concern of a user who asked for an export: a private folder of our own, made only
// for this run, stands in for it.
void UsePrivateRuntimeFolder() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    return;
  }
  static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/linecalc-runtime-XXXXXX"));
  if (folder.isValid()) {
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder.path()));
  }
#endif
}

QtMessageHandler qtHandler = nullptr;

// Stands in for Qt's handler while the window's application starts: Qt's complaints about the
// display are replaced by one Russian message and the exit status of every failure.
void NoWindowHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    PrintError(
        QStringLiteral("не удается открыть окно: нет графического дисплея (не заданы "
                       "DISPLAY и WAYLAND_DISPLAY или к дисплею нельзя подключиться). "
                       "Без окна работают --csv, --amplifiers-csv, --speakers-csv, --pdf и "
                       "--xlsx (linecalc --help — справка)."));
    std::fflush(stderr);
    std::_Exit(kFailure);
  }
  if (std::string_view(context.category != nullptr ? context.category : "").starts_with("qt.qpa")) {
    return;  // how Qt looked for a platform: said in our words if it fails
  }
  if (qtHandler != nullptr) {
    qtHandler(type, context, message);
  }
}

}  // namespace

std::unique_ptr<QCoreApplication> CreateApplication(int& argc, char** argv) {
  QCoreApplication::setApplicationName(QStringLiteral("linecalc"));
  QCoreApplication::setOrganizationName(QString::fromLatin1(SettingsOrganization()));
  QCoreApplication::setApplicationVersion(QStringLiteral(LINECALC_VERSION));
  switch (Demand(std::span<char*>(argv + 1, argv + argc))) {
    case AppKind::Core:
      UsePrivateRuntimeFolder();
      return std::make_unique<QCoreApplication>(argc, argv);
    case AppKind::Gui:
      UsePrivateRuntimeFolder();
      // Painting a PDF needs fonts, not a screen.
      if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", HeadlessPlatform());
      }
      return std::make_unique<QGuiApplication>(argc, argv);
    case AppKind::Widgets:
      break;
  }
  // Without a display Qt ends the program with its own English words; say it in ours instead.
  qtHandler = qInstallMessageHandler(NoWindowHandler);
  auto app = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(qtHandler);
  return app;
}

int Run(QCoreApplication& app) {
  QCommandLineParser parser;
  DeclareOptions(parser);
  if (!parser.parse(app.arguments())) {
    QString problem = parser.errorText();
    if (problem.endsWith(QLatin1Char('.'))) {
      problem.chop(1);
    }
    PrintError(QStringLiteral("%1 (linecalc --help — справка).").arg(problem));
    return kFailure;
  }
  if (RepeatsAnOption(parser)) {
    return kFailure;
  }
  if (parser.isSet(QStringLiteral("help"))) {
    std::fputs(qUtf8Printable(parser.helpText()), stdout);
    return 0;
  }
  if (parser.isSet(QStringLiteral("version"))) {
    std::fputs(qUtf8Printable(QStringLiteral("linecalc %1\n").arg(app.applicationVersion())),
               stdout);
    return 0;
  }
  return AnyExport(parser) ? RunExports(parser) : RunWindow(parser);
}

}  // namespace linecalc::app
