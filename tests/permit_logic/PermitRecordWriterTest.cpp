// Writing the record on the real file system, in a scratch folder: first
// write, replacement with and without a backup, the refused backup, names that
// must not reach the file system, the write errors, and another copy of the
// program writing the same record at a chosen moment.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <deque>
#include <functional>
#include <optional>
#include <utility>

#include "Errors.h"
#include "FileSystem.h"
#include "PermitRecordWriter.h"
#include "RecordBytes.h"
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

  // One print in a child process, as the unprivileged "nobody" when the
  // test runs as root; what the user was shown, a line per box, the error
  // last ("error: <message>").
  QString WriteInChildWithoutPrivileges() {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return QStringLiteral("<no pipe>");
    const pid_t child = ::fork();
    if (child == 0) {
      ::close(pipeEnds[0]);
      constexpr uid_t kNobody = 65534;
      if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(2);
      QStringList told;
      try {
        Write();
      } catch (const EError& e) {
        told << "error: " + e.Message();
      }
      const QByteArray bytes = (dialogs_.shown + told).join(u'\n').toUtf8();
      const bool sent = ::write(pipeEnds[1], bytes.constData(), bytes.size()) == bytes.size();
      ::_exit(sent ? 0 : 3);
    }
    ::close(pipeEnds[1]);
    QByteArray received;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) != 0;) {
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) break;
      received.append(buffer, n);
    }
    ::close(pipeEnds[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
      return QStringLiteral("<child failed>");
    return QString::fromUtf8(received);
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

// A link at the record's name is a file of that name: the user is asked, and
// on Yes the link itself becomes the backup. Nothing follows it.
TEST_F(PermitRecordWriterTest, LinkAtTheNameIsAnExistingRecordNeverFollowed) {
  const QString target = scratch_.path() + "/elsewhere.txt";
  ASSERT_EQ(
      ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(Record()).constData()), 0);
  dialogs_.answers = {kNoButton, kYesButton};
  EXPECT_EQ(Write(), RecordOutcome::KeptExisting);
  EXPECT_EQ(Write(), RecordOutcome::WrittenWithBackup);
  EXPECT_FALSE(QFile::exists(target));
  EXPECT_EQ(QFileInfo(Backup()).symLinkTarget(), target);
  EXPECT_FALSE(QFileInfo(Record()).isSymLink());
  EXPECT_EQ(ReadAll(Record()), Expected());
}

// A file-size limit makes the kernel accept only part of the bytes, as a full
// disk does. Nothing is left: no empty or partial record that a later print
// would take for the old one and turn into the backup, and no hidden file.
TEST_F(PermitRecordWriterTest, ShortWriteIsStreamWriteErrorAndLeavesNothing) {
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 10;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::optional<QString> message;
  const int openBefore = OpenDescriptors();
  try {
    Write();
  } catch (const EWriteError& e) {
    message = e.Message();
  }
  const int openAfter = OpenDescriptors();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(message.value_or("<none>"), "Stream write error");
  EXPECT_EQ(openAfter, openBefore);  // closed on the error path
  EXPECT_EQ(Tree(), (QStringList{"home", "home/Permiso"}));
  EXPECT_TRUE(dialogs_.shown.isEmpty());

  // With room again, the next print is a first print.
  EXPECT_EQ(Write(), RecordOutcome::Written);
  EXPECT_EQ(ReadAll(Record()), Expected());
  EXPECT_EQ(dialogs_.shown, QStringList{"info: " + kWritten});

  // Full again while replacing it: the old record is kept as the backup and
  // no partial record takes its name.
  const QByteArray first = ReadAll(Record());
  dialogs_.shown.clear();
  dialogs_.answers = {kYesButton};
  ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  message.reset();
  try {
    Write();
  } catch (const EWriteError& e) {
    message = e.Message();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(message.value_or("<none>"), "Stream write error");
  EXPECT_EQ(dialogs_.shown, QStringList{"confirm: " + kAsk});
  EXPECT_EQ(ReadAll(Backup()), first);
  EXPECT_EQ(Tree(), (QStringList{"home", "home/Permiso", "home/Permiso/~ABC123f0007.BKD"}));
}

// A data folder the program may not write: the print is refused as the
// system says, nothing is left (no record, no hidden file), and a record
// already there stays as it was. Root passes over a folder's permissions, so
// a root test runs the print in a child process as the unprivileged "nobody".
TEST_F(PermitRecordWriterTest, ReadOnlyDataFolderLeavesEverythingAsItWas) {
  const QString kNoBackup = QStringLiteral("Imposible crear respaldo.");
  const struct {
    const char* name;
    bool recordThere;
    QString told;  // the boxes, then the error
  } cases[] = {
      {"first write", false, "error: Cannot create file \"" + Record() + "\". Permission denied"},
      {"replacement", true, "confirm: " + kAsk + "\nerror: " + kNoBackup},
  };
  const QByteArray old = "old record\r\n";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(Record());
    if (c.recordThere) {
      QFile f(Record());
      ASSERT_TRUE(f.open(QIODevice::NewOnly));
      f.write(old);
    }
    const QStringList before = Tree();
    ASSERT_TRUE(QFile::setPermissions(scratch_.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                           QFile::ExeOwner | QFile::ReadOther |
                                                           QFile::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(
        folder_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    dialogs_.answers = {kYesButton};
    const QString told = WriteInChildWithoutPrivileges();
    ASSERT_TRUE(
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    EXPECT_EQ(told, c.told);
    EXPECT_EQ(Tree(), before);
    if (c.recordThere) EXPECT_EQ(ReadAll(Record()), old);
  }
}

// The real file system, with another copy's write made to happen at the
// moment the test picks: right after the existence test, or right after the
// rename to the backup, in the gap before this copy's next step.
class OtherCopyAt : public platform::IFileSystem {
 public:
  std::function<void()> afterFileExists, afterRename;
  bool DirectoryExists(const QString& p) override { return real_.DirectoryExists(p); }
  bool CreateDirectory(const QString& p) override { return real_.CreateDirectory(p); }
  bool FileExists(const QString& p) override {
    const bool exists = real_.FileExists(p);
    if (afterFileExists) std::exchange(afterFileExists, nullptr)();
    return exists;
  }
  bool RenameNoReplace(const QString& from, const QString& to) override {
    const bool renamed = real_.RenameNoReplace(from, to);
    if (afterRename) std::exchange(afterRename, nullptr)();
    return renamed;
  }
  platform::TNewFile CreateNewFile(const QString& p, const QByteArray& bytes) override {
    return real_.CreateNewFile(p, bytes);
  }

 private:
  platform::IFileSystem& real_ = platform::FileSystem();
  platform::ScopedFileSystem scope_{this};
};

const QByteArray kOtherCopys = "written by the other copy\r\n";

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::NewOnly));
  f.write(bytes);
}

TEST_F(PermitRecordWriterTest, RecordWrittenByAnotherCopyAfterTheTestIsAskedAbout) {
  OtherCopyAt other;
  // Found missing, then written by the other copy before this write.
  other.afterFileExists = [&] { WriteFile(Record(), kOtherCopys); };
  dialogs_.answers = {kNoButton};
  EXPECT_EQ(Write(), RecordOutcome::KeptExisting);
  EXPECT_EQ(dialogs_.shown, QStringList{"confirm: " + kAsk});  // never "Archivo Generado"
  EXPECT_EQ(ReadAll(Record()), kOtherCopys);
  EXPECT_EQ(Tree(), (QStringList{"home", "home/Permiso", "home/Permiso/ABC123f0007.txt"}));
}

TEST_F(PermitRecordWriterTest, RecordWrittenByAnotherCopyAfterTheBackupStays) {
  WriteFile(Record(), "old record\r\n");
  OtherCopyAt other;
  other.afterRename = [&] { WriteFile(Record(), kOtherCopys); };
  dialogs_.answers = {kYesButton};
  try {
    Write();
    ADD_FAILURE() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file \"" + Record() + "\". File exists");
  }
  EXPECT_EQ(dialogs_.shown, QStringList{"confirm: " + kAsk});
  EXPECT_EQ(ReadAll(Record()), kOtherCopys);
  EXPECT_EQ(ReadAll(Backup()), QByteArray("old record\r\n"));
  EXPECT_EQ(Tree(), (QStringList{"home", "home/Permiso", "home/Permiso/ABC123f0007.txt",
                                 "home/Permiso/~ABC123f0007.BKD"}));
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
