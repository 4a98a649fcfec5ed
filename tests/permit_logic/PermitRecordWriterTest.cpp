// Writing the record on the real file system, in a scratch folder: first
// write, replacement with and without a backup, the refused backup, names that
// must not reach the file system, and the write errors.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <deque>

#include "Errors.h"
#include "PermitRecordWriter.h"
#include "RecordBytes.h"
#include "RecordFile.h"
#include "RecordNames.h"
#include "SampleEntry.h"
#include "TextRecord.h"

namespace permit {
namespace {

const QString kWritten = QStringLiteral("Archivo Generado con Exito !!! en C:\\Permiso");
const QString kAsk = QStringLiteral("El archivo ya existe. ¿Desea reemplazar el archivo?.");
const QString kWrittenWithBackup = QStringLiteral(
    "Archivo Generado con Exito !!!,SE CREO UN ARCHIVO DE RESPALDO CON LOS DATOS ANTERIORES con "
    "extension .BKD");

// Answers confirmations from a script and logs every dialog as "kind: text".
class AnsweringDialogs : public RecordDialogs {
 public:
  std::deque<int> answers;
  QStringList shown;
  void ShowInformation(const QString& text) override { shown << "info: " + text; }
  int ShowConfirmation(const QString& text) override {
    shown << "confirm: " + text;
    if (answers.empty()) return -1;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

constexpr int kNoButton = 4;

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

int OpenDescriptors() {
  return static_cast<int>(QDir("/proc/self/fd")
                              .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)
                              .size());
}

class PermitRecordWriterTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scratch_.isValid());
    // One level below the scratch root, so that a "../" plate would still land
    // inside the scratch folder where the test can see it.
    folder_ = scratch_.path() + "/home/Permiso";
    ASSERT_TRUE(QDir().mkpath(folder_));
    entry_.Folio = QStringLiteral("0007");
    entry_.NoEco = QStringLiteral("0015");
  }

  RecordOutcome Write() { return WritePermitRecord(entry_, texts_, folder_, dialogs_); }
  QByteArray Expected() const { return RecordBytes(TextRecordText(entry_, texts_)); }
  QString Record() const { return folder_ + "/ABC123f0007.txt"; }
  QString Backup() const { return folder_ + "/~ABC123f0007.BKD"; }

  // Every file and folder under the scratch root, relative to it.
  QStringList Tree() const {
    QStringList names;
    QDirIterator it(scratch_.path(),
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) names << QDir(scratch_.path()).relativeFilePath(it.next());
    names.sort();
    return names;
  }

  QTemporaryDir scratch_;
  QString folder_;
  PermitEntry entry_ = test::SampleEntry();
  DateTimeTexts texts_{QLocale(QLocale::Spanish, QLocale::Mexico)};
  AnsweringDialogs dialogs_;
};

TEST_F(PermitRecordWriterTest, FirstWriteThenNoThenYesThenRefusedBackup) {
  // First print: the record, no question.
  EXPECT_EQ(Write(), RecordOutcome::Written);
  const QByteArray first = ReadAll(Record());
  EXPECT_EQ(first, Expected());
  EXPECT_EQ(first.mid(first.indexOf("Comisi") + 6, 1), QByteArray("\xF3"));
  EXPECT_EQ(dialogs_.shown, QStringList{"info: " + kWritten});

  // Second print, answered No: nothing written, nothing more shown.
  entry_.Destino = QStringLiteral("OTRO DESTINO");
  dialogs_.shown.clear();
  dialogs_.answers = {kNoButton};
  EXPECT_EQ(Write(), RecordOutcome::KeptExisting);
  EXPECT_EQ(ReadAll(Record()), first);
  EXPECT_FALSE(QFile::exists(Backup()));
  EXPECT_EQ(dialogs_.shown, QStringList{"confirm: " + kAsk});

  // A dialog that was never shown (-1) is taken as No as well.
  dialogs_.shown.clear();
  EXPECT_EQ(Write(), RecordOutcome::KeptExisting);
  EXPECT_EQ(ReadAll(Record()), first);

  // Answered Yes: the old record becomes the backup.
  dialogs_.shown.clear();
  dialogs_.answers = {kYesButton};
  EXPECT_EQ(Write(), RecordOutcome::WrittenWithBackup);
  const QByteArray second = ReadAll(Record());
  EXPECT_EQ(second, Expected());
  EXPECT_EQ(ReadAll(Backup()), first);
  EXPECT_EQ(dialogs_.shown, (QStringList{"confirm: " + kAsk, "info: " + kWrittenWithBackup}));

  // Third print with Yes: the backup is in the way and is never replaced.
  entry_.Destino = QStringLiteral("TERCER DESTINO");
  dialogs_.shown.clear();
  dialogs_.answers = {kYesButton};
  try {
    Write();
    ADD_FAILURE() << "no error";
  } catch (const EFCreateError&) {
    ADD_FAILURE() << "wrong kind";
  } catch (const EError& e) {
    EXPECT_EQ(e.Message(), "Imposible crear respaldo.");
  }
  EXPECT_EQ(ReadAll(Record()), second);
  EXPECT_EQ(ReadAll(Backup()), first);
  EXPECT_EQ(dialogs_.shown, QStringList{"confirm: " + kAsk});
  EXPECT_EQ(Tree(), (QStringList{"home", "home/Permiso", "home/Permiso/ABC123f0007.txt",
                                 "home/Permiso/~ABC123f0007.BKD"}));
}

TEST_F(PermitRecordWriterTest, EmptyPlateNamesTheFileAfterTheFolioAlone) {
  entry_.Placa.clear();
  EXPECT_EQ(Write(), RecordOutcome::Written);
  EXPECT_EQ(ReadAll(folder_ + "/f0007.txt"), Expected());
}

TEST_F(PermitRecordWriterTest, FolderOfTheRecordsNameIsNotARecord) {
  ASSERT_TRUE(QDir().mkdir(Record()));
  try {
    Write();
    ADD_FAILURE() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file \"" + Record() + "\". Is a directory");
  }
  EXPECT_TRUE(dialogs_.shown.isEmpty());  // no question about replacing
  EXPECT_TRUE(QDir(Record()).isEmpty());
}

TEST_F(PermitRecordWriterTest, MissingDataFolder) {
  ASSERT_TRUE(QDir(folder_).removeRecursively());
  try {
    Write();
    ADD_FAILURE() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file \"" + Record() + "\". No such file or directory");
  }
  EXPECT_EQ(Tree(), QStringList{"home"});
}

// A plate or permit number with a character names cannot hold is refused
// before anything is touched, so no typed text can reach another folder.
struct HostileName {
  const char* name;
  QString placa;
  QString folio;
};

const HostileName kHostileNames[] = {
    {"ParentFolder", "../ESCAPE", "0007"},
    {"Slash", "AB/C", "0007"},
    {"Backslash", "AB\\C", "0007"},
    {"Colon", "AB:C", "0007"},
    {"Star", "AB*", "0007"},
    {"Question", "AB?", "0007"},
    {"Quote", "AB\"", "0007"},
    {"Less", "<AB", "0007"},
    {"Greater", "AB>", "0007"},
    {"Bar", "A|B", "0007"},
    {"LineFeed", "AB\n", "0007"},
    {"Tab", "A\tB", "0007"},
    {"Del", "AB\x7F", "0007"},
    // A NUL would cut the name short in the system call and write "AB".
    {"Nul", QStringLiteral("AB") + QChar(u'\0') + QStringLiteral("/../x"), "0007"},
    {"FolioSlash", "ABC123", "00/7"},
    {"FolioParent", "ABC123", "/../../x"},
};

void PrintTo(const HostileName& c, std::ostream* os) { *os << c.name; }

class HostileNameTest : public PermitRecordWriterTest,
                        public testing::WithParamInterface<HostileName> {};

TEST_P(HostileNameTest, CannotCreateFileAndNothingWritten) {
  entry_.Placa = GetParam().placa;
  entry_.Folio = GetParam().folio;
  const QString path = RecordFileName(folder_, entry_.Placa, entry_.Folio);
  const QStringList before = Tree();
  try {
    Write();
    ADD_FAILURE() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file \"" + path +
                               "\". The filename, directory name, or volume label syntax is "
                               "incorrect");
  }
  EXPECT_EQ(Tree(), before);
  EXPECT_TRUE(dialogs_.shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Table, HostileNameTest, testing::ValuesIn(kHostileNames),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PermitRecordWriterTest, AcceptedNameCharacters) {
  // Letters of the code page, blanks, dots and a leading tilde are fine.
  entry_.Placa = QStringLiteral("ÑU-12 .~");
  EXPECT_EQ(Write(), RecordOutcome::Written);
  EXPECT_EQ(ReadAll(folder_ + "/ÑU-12 .~f0007.txt"), Expected());
}

TEST_F(PermitRecordWriterTest, DanglingLinkIsNotFollowed) {
  const QString target = scratch_.path() + "/elsewhere.txt";
  ASSERT_EQ(
      ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(Record()).constData()), 0);
  EXPECT_THROW(Write(), EFCreateError);
  EXPECT_FALSE(QFile::exists(target));
}

TEST_F(PermitRecordWriterTest, FileInUseIsNeitherEmptiedNorWritten) {
  {
    QFile f(Record());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("held");
  }
  const int holder = ::open(QFile::encodeName(Record()).constData(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(::flock(holder, LOCK_EX), 0);
  const int openBefore = OpenDescriptors();
  try {
    WriteWholeFile(Record(), Expected());
    ADD_FAILURE() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(),
              "Cannot create file \"" + Record() + "\". The file is in use by another process");
  }
  EXPECT_EQ(OpenDescriptors(), openBefore);  // closed on the error path
  ::close(holder);
  EXPECT_EQ(ReadAll(Record()), QByteArray("held"));
}

TEST_F(PermitRecordWriterTest, ReplacesLongerContentCompletely) {
  const QByteArray longer(4096, 'x');
  WriteWholeFile(Record(), longer);
  WriteWholeFile(Record(), "short");
  EXPECT_EQ(ReadAll(Record()), QByteArray("short"));
}

// A file-size limit makes the kernel accept only part of the bytes, as a full
// disk does.
TEST_F(PermitRecordWriterTest, ShortWriteIsStreamWriteErrorAndKeepsWhatWasWritten) {
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 10;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::optional<QString> message;
  const int openBefore = OpenDescriptors();
  try {
    WriteWholeFile(Record(), Expected());
  } catch (const EWriteError& e) {
    message = e.Message();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(message.value_or("<none>"), "Stream write error");
  EXPECT_EQ(OpenDescriptors(), openBefore);  // closed on the error path
  EXPECT_EQ(ReadAll(Record()), Expected().left(10));
}

TEST(RecordNames, DataFolderAndNames) {
  const QByteArray savedHome = qgetenv("HOME");
  qputenv("HOME", "/tmp/someone");
  EXPECT_EQ(DefaultDataFolder(), "/tmp/someone/Permiso");
  qputenv("HOME", savedHome);
  EXPECT_EQ(RecordFileName("/d", "ABC123", "0007"), "/d/ABC123f0007.txt");
  EXPECT_EQ(BackupFileName("/d", "ABC123", "0007"), "/d/~ABC123f0007.BKD");
}

}  // namespace
}  // namespace permit
