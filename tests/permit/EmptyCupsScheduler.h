#pragma once
// A CUPS scheduler of the test's own without a single queue: cupsd on a
// socket in a temporary folder, with CUPS_SERVER pointing there while it
// lives, so that every CUPS call of this process asks it and finds no
// printer. The system's own scheduler and its queues stay as they are.
//
//   TEmptyCupsScheduler cups;
//   ASSERT_TRUE(cups.Running()) << cups.Error().toStdString();

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class TEmptyCupsScheduler {
 public:
  TEmptyCupsScheduler();
  ~TEmptyCupsScheduler();
  TEmptyCupsScheduler(const TEmptyCupsScheduler&) = delete;
  TEmptyCupsScheduler& operator=(const TEmptyCupsScheduler&) = delete;

  // Whether the scheduler answers on its socket.
  bool Running() const { return running_; }
  // Why it does not, with the scheduler's own words.
  const QString& Error() const { return error_; }

 private:
  bool WriteConfiguration();
  bool WaitUntilAnswering();

  QTemporaryDir dir_;
  QProcess cupsd_;
  QByteArray previousServer_;
  bool hadServer_ = false;
  bool running_ = false;
  QString error_;
};
