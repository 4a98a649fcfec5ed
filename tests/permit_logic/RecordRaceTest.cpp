// Copies of the program print the same plate and permit number at the same
// moment, round after round: three writer processes released together, all
// writing one record name in the same data folder (a third copy makes it
// likelier that one is held up by the system inside another's steps). Whatever the
// interleaving, a record a writer was told is written is on disk whole, and
// a writer whose record is not there was told so (asked or shown an error).
//
// The steps that collide last microseconds, so the writers leave a start
// line of their own within a few microseconds of each other (they spin
// there rather than sleep), and each then waits a random few microseconds
// more, so that over the rounds one writer's steps fall at every point of the
// others'. The figures printed at the end say how often the writers met
// inside the gaps that matter.

#include <gtest/gtest.h>
#include <sched.h>
#include <semaphore.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <iterator>
#include <new>
#include <random>

#include "Errors.h"
#include "FileSystem.h"
#include "PermitRecordWriter.h"
#include "RecordBytes.h"
#include "SampleEntry.h"
#include "TextRecord.h"

namespace permit {
namespace {

constexpr int kRounds = 5000;
constexpr int kWriters = 3;
constexpr int kGenerousSeconds = 60;
constexpr int kMostOffsetMicroseconds = 40;

// What a writer was told, as the user would have seen it.
enum class Told : int { Nothing, Written, WrittenWithBackup, Asked, Error };

// Shared between the test and its writer processes.
struct Shared {
  sem_t go[kWriters];  // posted by the test: start round
  sem_t done;          // posted by each writer at the end of a round
  // Writers that reached the start line, counted over all rounds.
  std::atomic<int> atStartLine;
  Told told[kWriters];
  bool foundNoRecord[kWriters];  // the writer's existence test found none
};
static_assert(std::atomic<int>::is_always_lock_free, "shared between processes");

// The real file system, noting what the existence test found.
class NotingFileSystem : public platform::IFileSystem {
 public:
  explicit NotingFileSystem(bool* foundNoRecord) : foundNoRecord_(foundNoRecord) {}
  bool DirectoryExists(const QString& p) override { return real_.DirectoryExists(p); }
  bool CreateDirectory(const QString& p) override { return real_.CreateDirectory(p); }
  bool FileExists(const QString& p) override {
    const bool exists = real_.FileExists(p);
    *foundNoRecord_ = !exists;
    return exists;
  }
  bool RenameNoReplace(const QString& from, const QString& to) override {
    return real_.RenameNoReplace(from, to);
  }
  platform::TNewFile CreateNewFile(const QString& p, const QByteArray& bytes) override {
    return real_.CreateNewFile(p, bytes);
  }

 private:
  bool* foundNoRecord_;
  platform::IFileSystem& real_ = platform::FileSystem();
  platform::ScopedFileSystem scope_{this};
};

// Busy until `ready` holds (false after the generous limit): a sleeping
// writer would wake tens of microseconds after the other. It yields the
// processor on each turn, so that on a loaded machine the writer it waits
// for gets to run.
template <class Ready>
bool SpinUntil(Ready ready) {
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(kGenerousSeconds);
  while (!ready()) {
    if (std::chrono::steady_clock::now() > limit) return false;
    ::sched_yield();
  }
  return true;
}

void SpinFor(std::chrono::nanoseconds span) {
  const auto until = std::chrono::steady_clock::now() + span;
  while (std::chrono::steady_clock::now() < until) {
  }
}

constexpr int kNoButton = 4;

class AnsweringDialogs : public RecordDialogs {
 public:
  explicit AnsweringDialogs(int answer) : answer_(answer) {}
  void ShowInformation(const QString&) override {}
  int ShowConfirmation(const QString&) override { return answer_; }

 private:
  int answer_;
};

bool Wait(sem_t* semaphore) {
  timespec limit{};
  clock_gettime(CLOCK_REALTIME, &limit);
  limit.tv_sec += kGenerousSeconds;
  while (sem_timedwait(semaphore, &limit) != 0)
    if (errno != EINTR) return false;
  return true;
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The record's first line tells the writers apart.
PermitEntry EntryOf(int writer, int round) {
  PermitEntry e = test::SampleEntry();
  e.Folio = QStringLiteral("0007");
  e.Dependencia = QStringLiteral("WRITER %1 ROUND %2").arg(writer).arg(round);
  return e;
}

enum class Path { FirstWrite, Replacement };

struct Figures {
  int rounds = 0;
  int lossesReported = 0;    // a writer whose record is not on disk was told so:
  int asked = 0;             //   by the question about an existing record
  int errors = 0;            //   by an error
  int lossesUnreported = 0;  // told "written", yet its record is not on disk whole
  int otherDamage = 0;       // a record no writer wrote, a backup changed, a file left
  // The gaps that matter: two writers found no record before either wrote
  // one (first write); a writer found none because another had moved the
  // old one to the backup and not yet written its own (replacement).
  int metInTheGap = 0;
};

class RecordRace : public testing::TestWithParam<Path> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scratch_.isValid());
    folder_ = scratch_.path() + QStringLiteral("/Permiso");
    ASSERT_TRUE(QDir().mkpath(folder_));
    void* memory =
        ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(memory, MAP_FAILED);
    shared_ = static_cast<Shared*>(memory);
    for (sem_t& go : shared_->go) ASSERT_EQ(sem_init(&go, 1, 0), 0);
    ASSERT_EQ(sem_init(&shared_->done, 1, 0), 0);
    new (&shared_->atStartLine) std::atomic<int>(0);
  }
  void TearDown() override {
    for (pid_t pid : writers_) {
      if (pid <= 0) continue;
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
    ::munmap(shared_, sizeof(Shared));
  }

  QString Record() const { return folder_ + QStringLiteral("/ABC123f0007.txt"); }
  QString Backup() const { return folder_ + QStringLiteral("/~ABC123f0007.BKD"); }

  // A writer process: one print per round, as soon as it is released. Asked
  // about a record the other wrote first, it keeps that one; asked to
  // replace the previous record, it does.
  [[noreturn]] void RunWriter(int writer, Path path) {
    const DateTimeTexts texts(QLocale(QLocale::Spanish, QLocale::Mexico));
    NotingFileSystem files(&shared_->foundNoRecord[writer]);
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> offset(0, kMostOffsetMicroseconds);
    for (int round = 0; round < kRounds; ++round) {
      if (!Wait(&shared_->go[writer])) ::_exit(2);
      AnsweringDialogs dialogs(path == Path::FirstWrite ? kNoButton : kYesButton);
      const PermitEntry entry = EntryOf(writer, round);
      shared_->foundNoRecord[writer] = false;
      shared_->atStartLine.fetch_add(1);
      if (!SpinUntil([&] { return shared_->atStartLine.load() >= kWriters * (round + 1); }))
        ::_exit(3);
      SpinFor(std::chrono::microseconds(offset(random)));
      Told told = Told::Nothing;
      try {
        const RecordOutcome outcome = WritePermitRecord(entry, texts, folder_, dialogs);
        told = outcome == RecordOutcome::Written             ? Told::Written
               : outcome == RecordOutcome::WrittenWithBackup ? Told::WrittenWithBackup
                                                             : Told::Asked;
      } catch (const EError&) {
        told = Told::Error;
      }
      shared_->told[writer] = told;
      sem_post(&shared_->done);
    }
    ::_exit(0);
  }

  QByteArray BytesOf(int writer, int round) const {
    return RecordBytes(TextRecordText(EntryOf(writer, round), texts_));
  }

  QTemporaryDir scratch_;
  QString folder_;
  Shared* shared_ = nullptr;
  pid_t writers_[kWriters] = {};
  const DateTimeTexts texts_{QLocale(QLocale::Spanish, QLocale::Mexico)};
};

TEST_P(RecordRace, EveryRecordToldWrittenIsOnDiskWhole) {
  const Path path = GetParam();
  const QByteArray old = "the previous record\r\n";
  for (int w = 0; w < kWriters; ++w) {
    writers_[w] = ::fork();
    ASSERT_GE(writers_[w], 0);
    if (writers_[w] == 0) RunWriter(w, path);
  }
  Figures figures;
  for (int round = 0; round < kRounds; ++round) {
    // The folder as the round starts: empty, or the record to replace.
    QFile::remove(Record());
    QFile::remove(Backup());
    if (path == Path::Replacement) {
      QFile f(Record());
      ASSERT_TRUE(f.open(QIODevice::NewOnly));
      f.write(old);
    }
    for (sem_t& go : shared_->go) sem_post(&go);  // all at once
    for (int w = 0; w < kWriters; ++w) ASSERT_TRUE(Wait(&shared_->done)) << "a writer is stuck";

    ++figures.rounds;
    const QByteArray onDisk = ReadAll(Record());
    bool someoneWrote = false;
    for (int w = 0; w < kWriters; ++w) {
      const Told told = shared_->told[w];
      const bool toldWritten = told == Told::Written || told == Told::WrittenWithBackup;
      someoneWrote |= onDisk == BytesOf(w, round);
      if (onDisk == BytesOf(w, round)) continue;
      if (toldWritten) {
        ++figures.lossesUnreported;
      } else if (told == Told::Asked || told == Told::Error) {
        ++figures.lossesReported;
        ++(told == Told::Asked ? figures.asked : figures.errors);
      }
    }
    const int foundNone = static_cast<int>(
        std::count(std::begin(shared_->foundNoRecord), std::end(shared_->foundNoRecord), true));
    if (foundNone >= (path == Path::FirstWrite ? 2 : 1)) ++figures.metInTheGap;
    const QStringList expected = path == Path::FirstWrite
                                     ? QStringList{"ABC123f0007.txt"}
                                     : QStringList{"ABC123f0007.txt", "~ABC123f0007.BKD"};
    if (!someoneWrote || QDir(folder_).entryList(QDir::Files | QDir::Hidden) != expected ||
        (path == Path::Replacement && ReadAll(Backup()) != old))
      ++figures.otherDamage;
  }
  std::printf(
      "%s: %d rounds, %d met in the gap, %d losses reported (%d asked, %d errors), %d losses "
      "unreported, %d other damage\n",
      path == Path::FirstWrite ? "first write" : "replacement", figures.rounds, figures.metInTheGap,
      figures.lossesReported, figures.asked, figures.errors, figures.lossesUnreported,
      figures.otherDamage);
  EXPECT_EQ(figures.lossesUnreported, 0);
  EXPECT_EQ(figures.otherDamage, 0);
  // One writer's record is on disk each round; the others' losses were reported.
  EXPECT_EQ(figures.lossesReported, kRounds * (kWriters - 1));
  for (pid_t& pid : writers_) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    pid = 0;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
}

INSTANTIATE_TEST_SUITE_P(BothPaths, RecordRace,
                         testing::Values(Path::FirstWrite, Path::Replacement),
                         [](const auto& info) {
                           return std::string(info.param == Path::FirstWrite ? "FirstWrite"
                                                                             : "Replacement");
                         });

}  // namespace
}  // namespace permit
