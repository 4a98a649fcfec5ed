// qrptool: prepared report files (*.QRP) from the command line.
//
//   qrptool info FILE                  header fields and page records
//   qrptool png FILE OUTDIR [--dpi N]  each page as OUTDIR/page-NNNN.png
//   qrptool pdf FILE OUT.pdf           all pages as one vector PDF
//   qrptool emf FILE OUTDIR            each page's metafile as page-NNNN.emf
//   qrptool compress                   stdin packed by the page coder
//   qrptool expand COUNT               COUNT bytes unpacked from stdin
//
// Errors go to stderr with the engine's message; the exit status is then 1
// and no output file is left behind.

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <memory>

#include "CoderCommands.h"
#include "InfoCommand.h"
#include "PageExport.h"
#include "ToolError.h"

namespace {

const char kUsage[] =
    "Usage: qrptool COMMAND ...\n"
    "Reads prepared report files (*.QRP) and runs their page coder.\n"
    "\n"
    "  info FILE                  header fields, the number of page records the\n"
    "                             file holds, then one line per page record:\n"
    "                             number, offset, links, payload size, metafile\n"
    "                             size and pixel size\n"
    "  png FILE OUTDIR [--dpi N]  each page as OUTDIR/page-NNNN.png (default 96 dpi)\n"
    "  pdf FILE OUT.pdf           all pages as one vector PDF, each on paper of\n"
    "                             the page's own size\n"
    "  emf FILE OUTDIR            each page's metafile as OUTDIR/page-NNNN.emf\n"
    "  compress                   stdin packed by the page coder, to stdout\n"
    "  expand COUNT               COUNT bytes unpacked from stdin, to stdout\n"
    "  --help                     this text\n"
    "\n"
    "On an error the message goes to stderr, the exit status is 1 and no\n"
    "output is written.\n";

constexpr int kMaxDotsPerInch = 2400;

EToolError UsageError(const QString& what) {
  return EToolError(what + QStringLiteral(" (qrptool --help lists the commands)"));
}

void ExpectArgs(const QStringList& args, int count) {
  if (args.size() != count)
    throw UsageError(QStringLiteral("Wrong number of arguments for %1").arg(args[0]));
}

qint64 NonNegative(const QString& text, const QString& what, qint64 max) {
  bool ok = false;
  const qint64 value = text.toLongLong(&ok);
  if (!ok || value < 0 || value > max)
    throw UsageError(QStringLiteral("Invalid %1: %2").arg(what, text));
  return value;
}

QByteArray ReadStdin() {
  QFile in;
  if (!in.open(stdin, QIODevice::ReadOnly)) throw EReadError();
  return in.readAll();
}

void WriteStdout(const QByteArray& bytes) {
  QFile out;
  if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush())
    throw EWriteError();
}

void Run(const QStringList& args) {
  const QString command = args.value(0);
  if (command == QLatin1String("info")) {
    ExpectArgs(args, 2);
    WriteStdout(PreparedFileInfo(args[1]).toUtf8());
  } else if (command == QLatin1String("png")) {
    int dpi = 96;
    if (args.size() == 5 && args[3] == QLatin1String("--dpi")) {
      dpi = static_cast<int>(NonNegative(args[4], QStringLiteral("resolution"), kMaxDotsPerInch));
      if (dpi == 0) throw UsageError(QStringLiteral("Invalid resolution: 0"));
    } else {
      ExpectArgs(args, 3);
    }
    ExportPng(args[1], args[2], dpi);
  } else if (command == QLatin1String("pdf")) {
    ExpectArgs(args, 3);
    ExportPdf(args[1], args[2]);
  } else if (command == QLatin1String("emf")) {
    ExpectArgs(args, 3);
    ExportEmf(args[1], args[2]);
  } else if (command == QLatin1String("compress")) {
    ExpectArgs(args, 1);
    WriteStdout(CompressInput(ReadStdin()));
  } else if (command == QLatin1String("expand")) {
    ExpectArgs(args, 2);
    const qint64 count = NonNegative(args[1], QStringLiteral("count"), INT32_MAX);
    WriteStdout(ExpandInput(ReadStdin(), count));
  } else if (command.isEmpty()) {
    throw UsageError(QStringLiteral("No command given"));
  } else {
    throw UsageError(QStringLiteral("Unknown command: %1").arg(command));
  }
}

// Only drawing pages needs fonts and so a GUI application; it draws off
// screen, so no display is needed or used.
bool NeedsFonts(int argc, char** argv) {
  if (argc < 2) return false;
  const QByteArray command(argv[1]);
  return command == "png" || command == "pdf";
}

}  // namespace

int main(int argc, char** argv) {
  std::unique_ptr<QCoreApplication> app;
  if (NeedsFonts(argc, argv)) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  QStringList args = QCoreApplication::arguments();
  args.removeFirst();
  if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  try {
    Run(args);
    return 0;
  } catch (const EError& e) {
    std::fprintf(stderr, "qrptool: %s\n", e.Message().toLocal8Bit().constData());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "qrptool: %s\n", e.what());
  }
  return 1;
}
