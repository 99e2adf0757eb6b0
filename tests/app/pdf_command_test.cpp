#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Finished {
  int status = -1;
  QString error;
};

// The program run as from a terminal with no display at all.
Finished Linecalc(const QStringList& arguments) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(name);
  }
  process.setProcessEnvironment(environment);
  process.start(LINECALC_PROGRAM, arguments);
  process.waitForFinished(120000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardError())};
}

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

}  // namespace

// `linecalc --pdf OUT FILE`: a PDF without a display, or status 2 and OUT as it was.
class PdfCommandTest : public QObject {
  Q_OBJECT

 private slots:
  void writesPdfOrLeavesOutAsItWas() {
    QTemporaryDir dir;
    Write(dir.filePath("школа.linecalc"),
          R"({"format": "linecalc-object", "version": 1, "title": "Школа", "lines": [
      {"name": "Холл", "material": "copper", "section": "1.5", "length": "100", "temperature": "20",
       "voltage": "100", "r20": null, "load": {"kind": "single", "power": "100"}}]})");
    Write(dir.filePath("пустой.linecalc"),
          R"({"format": "linecalc-object", "version": 1, "title": "", "lines": []})");
    Write(dir.filePath("out.pdf"), "old");
    QCOMPARE(Linecalc({"--pdf", dir.filePath("школа.pdf"), dir.filePath("школа.linecalc")}).status,
             0);
    QVERIFY(Read(dir.filePath("школа.pdf")).startsWith("%PDF-"));
    const char* const failures[][3] = {{"нет.linecalc", "out.pdf", "не найден"},
                                       {"пустой.linecalc", "нет/out.pdf", "не существует"}};
    for (const auto& [object, out, message] : failures) {
      const Finished done = Linecalc({"--pdf", dir.filePath(out), dir.filePath(object)});
      QCOMPARE(done.status, 2);
      QVERIFY2(done.error.contains(message), qPrintable(done.error));
      QCOMPARE(Read(dir.filePath("out.pdf")), QByteArray("old"));
    }
  }
};

QTEST_GUILESS_MAIN(PdfCommandTest)
#include "pdf_command_test.moc"
