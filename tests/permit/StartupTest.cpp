// Start-up and the message loop: the two global objects, the first
// activation before any input, the show request, errors that escape a
// handler shown in the error box while the program goes on, and the end of
// the run when the entry window closes, also from inside a nested wait.

#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <functional>

#include "EntryWindowFixture.h"
#include "Errors.h"
#include "HandlerGuard.h"
#include "ProgramIdentity.h"
#include "Startup.h"
#include "TPermisoApplication.h"
#include "TQRPermiso.h"
#include "Termination.h"

namespace {

TPermisoApplication& App() { return *static_cast<TPermisoApplication*>(qApp); }

// Runs `f` from the message loop once start-up has shown the entry window
// (start-up itself may handle messages while it creates the document).
void WhenRunning(std::function<void()> f) {
  QTimer::singleShot(5, [f = std::move(f)] {
    if (FormPermiso && QRPermiso && FormPermiso->isVisible())
      f();
    else
      WhenRunning(f);
  });
}

class Startup : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    oldHome_ = qgetenv("HOME");
    qputenv("HOME", home_.path().toLocal8Bit());
  }
  void TearDown() override {
    platform::ClearTermination();
    qputenv("HOME", oldHome_);
  }
  QTemporaryDir home_;
  QByteArray oldHome_;
  TSteppingClock clock_;
  platform::ScopedClock scopedClock_{&clock_};
  TScriptedDialogs dialogs_;
};

TEST_F(Startup, RunCreatesBothObjectsActivatesAndEndsWithTheEntryWindow) {
  struct Seen {
    bool formIsWindow = false, documentLoaded = false, folioFocused = false;
    int clockReads = 0;
    bool dataFolder = false;
  } seen;
  WhenRunning([&] {
    EXPECT_TRUE(QTest::qWaitForWindowActive(FormPermiso));
    seen.formIsWindow = FormPermiso->isWindow() && FormPermiso->isVisible();
    seen.documentLoaded = QRPermiso->SummaryBand1 != nullptr && QRPermiso->Owner() == nullptr;
    seen.folioFocused = QApplication::focusWidget() == FormPermiso->Folio;
    seen.clockReads = clock_.reads;
    seen.dataFolder = QFileInfo(home_.path() + "/Permiso").isDir();
    FormPermiso->close();
  });
  EXPECT_EQ(RunPermiso(App(), TShowCommand::Normal), 0);
  EXPECT_TRUE(seen.formIsWindow);
  EXPECT_TRUE(seen.documentLoaded);
  EXPECT_TRUE(seen.folioFocused);
  EXPECT_EQ(seen.clockReads, 5);
  EXPECT_TRUE(seen.dataFolder);
  EXPECT_EQ(FormPermiso, nullptr);
  EXPECT_EQ(QRPermiso, nullptr);
  EXPECT_TRUE(dialogs_.Shown().empty());
}

TEST_F(Startup, ClosingTheEntryWindowEndsANestedWait) {
  bool waitEnded = false;
  QPointer<QWidget> watch;
  WhenRunning([&] {
    // A window still open at the end is destroyed with the rest.
    auto* stray = new QWidget;
    stray->show();
    watch = stray;
    QTimer::singleShot(10, [] { FormPermiso->close(); });
    // The wait of a preview: until the program terminates.
    while (!platform::TerminationRequested())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    waitEnded = true;
  });
  EXPECT_EQ(RunPermiso(App(), TShowCommand::Normal), 0);
  EXPECT_TRUE(waitEnded);
  EXPECT_TRUE(watch.isNull());
}

struct ShowCase {
  const char* name;
  TShowCommand command;
  Qt::WindowStates state;
};

const ShowCase kShowCases[] = {
    {"Normal", TShowCommand::Normal, Qt::WindowNoState},
    {"Minimised", TShowCommand::Minimised, Qt::WindowMinimized},
    {"Maximised", TShowCommand::Maximised, Qt::WindowMaximized},
};

class ShowRequest : public EntryWindowTest, public testing::WithParamInterface<ShowCase> {};

TEST_P(ShowRequest, ShowsAsAsked) {
  ShowMainWindow(*form_, GetParam().command);
  EXPECT_TRUE(form_->isVisible());
  EXPECT_EQ(form_->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized), GetParam().state);
  if (GetParam().command == TShowCommand::Normal) {
    const QRect area = form_->screen()->availableGeometry();
    EXPECT_LE(std::abs(form_->frameGeometry().center().x() - area.center().x()), 8);
    EXPECT_LE(std::abs(form_->frameGeometry().center().y() - area.center().y()), 40);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ShowRequest, testing::ValuesIn(kShowCases),
                         [](const auto& info) { return std::string(info.param.name); });

// An object whose event handler fails, reached by Qt's dispatch only.
class TFailingObject : public QObject {
 public:
  int handled = 0;
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User)
      throw EFCreateError(QStringLiteral("Cannot create file \"x\". Sin espacio"));
    if (e->type() == QEvent::User + 1) ++handled;
    return QObject::event(e);
  }
};

TEST_F(Startup, ErrorEscapingAnEventHandlerIsShownAndTheLoopGoesOn) {
  platform::SetProgramFile(QStringLiteral("/usr/bin/PERMISO.V2"));
  TFailingObject object;
  QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
  QCoreApplication::postEvent(&object, new QEvent(QEvent::Type(QEvent::User + 1)));
  QCoreApplication::processEvents();
  // The error box's caption is the application title.
  EXPECT_EQ(dialogs_.Log(), QStringList({"Permiso: Cannot create file \"x\". Sin espacio."}));
  platform::SetProgramFile(QStringLiteral("Permiso"));
  EXPECT_EQ(object.handled, 1);
}

TEST_F(Startup, ErrorInTheActivationHandlerLeavesTheWindowUsable) {
  class TFailingClock final : public platform::IClock {
    QDateTime Now() override { throw EError(QStringLiteral("Reloj no disponible")); }
  } failing;
  platform::ScopedClock scoped(&failing);
  TFormPermiso form;
  FormPermiso = &form;
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  EXPECT_EQ(dialogs_.Texts(), QStringList({"Reloj no disponible."}));
  form.Placa->setFocus(Qt::MouseFocusReason);
  TypeAtFocus(QStringLiteral("abc"));
  EXPECT_EQ(form.Placa->text(), QStringLiteral("ABC"));
  FormPermiso = nullptr;
}

TEST_F(Startup, HandlerBindingCatchesAtTheEdge) {
  QPushButton button;
  int after = 0;
  platform::BindHandler(&button, &QPushButton::clicked, &button,
                        [](bool) { throw EError(QStringLiteral("Sin respaldo")); });
  QObject::connect(&button, &QPushButton::clicked, [&] { ++after; });
  button.click();
  EXPECT_EQ(dialogs_.Texts(), QStringList({"Sin respaldo."}));
  EXPECT_EQ(after, 1);  // the signal's other receivers still ran
  button.click();
  EXPECT_EQ(dialogs_.Texts().size(), 2);
}

}  // namespace
