#include "Termination.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <stdexcept>

namespace platform {
namespace {
bool g_terminated = false;

// The signal handler may only write to a pipe; the message loop reads the
// other end and does the rest.
int g_pipe[2] = {-1, -1};
volatile sig_atomic_t g_signalled = 0;
struct sigaction g_previousTerm {};
struct sigaction g_previousInt {};

constexpr int kSignals[] = {SIGTERM, SIGINT};

extern "C" void OnTerminationSignal(int signal) {
  if (g_signalled) {
    // Asked again while ending: the program may be stuck; end it now.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
    return;
  }
  g_signalled = 1;
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

bool TerminationRequested() { return g_terminated; }

void RequestTermination() {
  g_terminated = true;
  // exit() leaves every running event loop, nested ones included.
  if (QCoreApplication::instance()) QCoreApplication::exit(0);
}

void ClearTermination() { g_terminated = false; }

TTerminationSignals::TTerminationSignals() {
  if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
    throw std::runtime_error("termination signals: no pipe");
  g_signalled = 0;
  notifier_ = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [] {
    char bytes[16];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    RequestTermination();
  });
  struct sigaction action {};
  action.sa_handler = &OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  for (const int s : kSignals) sigaddset(&action.sa_mask, s);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, &g_previousTerm);
  ::sigaction(SIGINT, &action, &g_previousInt);
}

TTerminationSignals::~TTerminationSignals() {
  ::sigaction(SIGTERM, &g_previousTerm, nullptr);
  ::sigaction(SIGINT, &g_previousInt, nullptr);
  notifier_.reset();
  ::close(g_pipe[0]);
  ::close(g_pipe[1]);
  g_pipe[0] = g_pipe[1] = -1;
  g_signalled = 0;
}

}  // namespace platform
