// The officer's road on a desktop: Xvfb with the openbox window manager, the
// program started as it starts, real message boxes, and mouse and keyboard
// through the X server. Two things only a window manager shows:
// - every box the record shows while a print runs lies above every other
//   window and answers a click on its buttons, although the
//   printing-progress window stays on top of the others;
// - when the preview closes, the keyboard focus is back on PRELIMINAR, so
//   that Space previews again instead of typing into a box.
//
// A driver thread plays the officer; the program runs on the main thread
// and is asked about its windows between two of its events.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "MessageDialogTypes.h"
#include "PrinterDevice.h"
#include "QRPrinter.h"
#include "QRProgressForm.h"
#include "QRStandardPreview.h"
#include "ScriptedPrinter.h"
#include "Startup.h"
#include "TFormPermiso.h"
#include "TMemo.h"
#include "TPermisoApplication.h"
#include "TQRPermiso.h"
#include "X11Desktop.h"

namespace {

using namespace std::chrono_literals;

TPermisoApplication* g_app = nullptr;

// Runs `f` on the program's thread, between two of its events (also inside
// a box's own loop), and returns its result.
template <class F>
auto OnProgram(F f) {
  decltype(f()) result{};
  QMetaObject::invokeMethod(
      g_app, [&] { result = f(); }, Qt::BlockingQueuedConnection);
  return result;
}

// Asks the program every 20 ms until `ready` holds; at most 60 s, which no
// loaded machine needs.
bool WaitFor(const char* what, const std::function<bool()>& ready) {
  const QDeadlineTimer deadline(60000);
  while (!OnProgram(ready)) {
    if (deadline.hasExpired()) {
      ADD_FAILURE() << "waited in vain for " << what;
      return false;
    }
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

template <class T>
T* Visible() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) return t;
  return nullptr;
}

// The message box titled `title` (or, with no title given, saying `text`),
// when it is the active window.
QMessageBox* ActiveBox(const QString& title, const QString& text = {}) {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  const bool named =
      title.isEmpty() ? box && box->text() == text : box && box->windowTitle() == title;
  return named && box->isVisible() && QApplication::activeWindow() == box ? box : nullptr;
}

// The button of `box` that answers `code`: the message dialogs' buttons
// carry their code, the standard message box has OK.
QAbstractButton* ButtonOf(QMessageBox* box, TMsgDlgBtn code) {
  for (QAbstractButton* b : box->buttons())
    if (b->property("code").toInt() == static_cast<int>(code)) return b;
  return code == TMsgDlgBtn::OK ? box->button(QMessageBox::Ok) : nullptr;
}

QString FocusName() {
  QWidget* focus = QApplication::focusWidget();
  return focus ? focus->objectName() : QStringLiteral("<nothing>");
}

QPoint CentreOf(const QWidget* w) { return w->mapToGlobal(w->rect().center()); }

bool PreviewShowsItsPage() {
  TQRStandardPreview* preview = Visible<TQRStandardPreview>();
  return preview && preview->isActiveWindow() &&
         preview->PanelText(1) == QStringLiteral("Page 1 of 1");
}

bool EntryWindowActive() {
  return FormPermiso && Visible<TQRStandardPreview>() == nullptr &&
         QApplication::activeModalWidget() == nullptr && FormPermiso->isActiveWindow();
}

void Fill() {
  TFormPermiso& f = *FormPermiso;
  f.Dependencia->setEditText(QStringLiteral("SECRETARÍA DE OBRAS PÚBLICAS"));
  f.Folio->setText(QStringLiteral("7"));
  f.Comision->SetText(QStringLiteral("SUPERVISIÓN DE LA OBRA DEL PUENTE EN EL KM 12"));
  f.Destino->setEditText(QStringLiteral("QUELMORA"));
  f.Conductor->setText(QStringLiteral("JUAN PÉREZ"));
  f.Placa->setText(QStringLiteral("ABC123"));
  f.Marca->setEditText(QStringLiteral("NISSAN"));
  f.Tipo->setText(QStringLiteral("PICK UP"));
  f.Modelo->setEditText(QStringLiteral("2004"));
  f.Color->setEditText(QStringLiteral("BLANCO"));
  f.Admon->setText(QStringLiteral("MARÍA LÓPEZ"));
  f.Titular->setText(QStringLiteral("ING. LUIS NÚÑEZ"));
}

class Officer {
 public:
  explicit Officer(QString shots) : shots_(std::move(shots)) {}

  // The whole road; false at the first step that could not be taken.
  bool Walk() {
    if (!WaitFor("the entry window", [] { return QRPermiso && EntryWindowActive(); })) return false;
    OnProgram([] {
      Fill();
      return true;
    });
    desktop::ClickAt(OnProgram([] { return CentreOf(FormPermiso->BtnPreliminar); }));
    if (!AnswerNoticeAndAwaitPreview()) return false;

    // First print: the record is new.
    if (!Print() || !CheckAndClick({"the first record's message", "Information"}, TMsgDlgBtn::OK) ||
        !AwaitRunEnd())
      return false;
    // Second print: the record exists; Yes keeps the old one as the backup.
    if (!Print() || !CheckAndClick({"the confirmation", "Confirm"}, TMsgDlgBtn::Yes) ||
        !CheckAndClick({"the backup message", "Information"}, TMsgDlgBtn::OK) || !AwaitRunEnd())
      return false;
    const QString folder = qEnvironmentVariable("HOME") + QStringLiteral("/Permiso/");
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("ABC123f0007.txt")).isFile());
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("~ABC123f0007.BKD")).isFile());
    // Third print: the backup is in the way; the error box comes after the
    // run, while the preview has the focus and the other windows are off.
    if (!Print() || !CheckAndClick({"the confirmation", "Confirm"}, TMsgDlgBtn::Yes) ||
        !CheckAndClick({"the error box", "", "Imposible crear respaldo.", false}, TMsgDlgBtn::OK) ||
        !AwaitRunEnd())
      return false;

    // The preview closes with Escape; the focus is back where it was.
    if (!WaitFor("the preview, active", PreviewShowsItsPage)) return false;
    desktop::PressKey("Escape");
    if (!WaitFor("the entry window, active again", EntryWindowActive)) return false;
    EXPECT_EQ(OnProgram(FocusName), QStringLiteral("BtnPreliminar"));
    // Space presses PRELIMINAR again and types nothing into the permit number.
    desktop::PressKey("space");
    if (!AnswerNoticeAndAwaitPreview()) return false;
    EXPECT_EQ(OnProgram([] { return FormPermiso->Folio->text(); }), QStringLiteral("0007"));
    desktop::PressKey("Escape");
    if (!WaitFor("the entry window, active again", EntryWindowActive)) return false;
    EXPECT_EQ(OnProgram(FocusName), QStringLiteral("BtnPreliminar"));
    return true;
  }

 private:
  bool AnswerNoticeAndAwaitPreview() {
    if (!WaitFor("the legal notice", [] { return ActiveBox(QStringLiteral("Información")); }))
      return false;
    desktop::PressKey("Return");
    return WaitFor("the preview with its page", PreviewShowsItsPage);
  }

  bool Print() {
    desktop::ClickAt(OnProgram([] { return CentreOf(Visible<TQRStandardPreview>()->Print); }));
    return true;
  }

  struct Box {
    const char* name;
    const char* title;      // or empty, and then
    const char* text = "";  // the text it shows
    bool duringRun = true;
    QMessageBox* Active() const {
      return ActiveBox(QString::fromUtf8(title), QString::fromUtf8(text));
    }
  };

  // The box shows (while the printing-progress window is up, for the
  // record's boxes): nothing lies over any part of it, and a click on
  // `button` answers it.
  bool CheckAndClick(const Box& box, TMsgDlgBtn button) {
    if (!WaitFor(box.name, [&] { return box.Active() != nullptr; })) return false;
    if (box.duringRun) {
      EXPECT_TRUE(OnProgram([] { return Visible<TQRProgressForm>() != nullptr; }))
          << box.name << ": the print run is over already";
    }
    const WId window = OnProgram([&] { return box.Active()->winId(); });
    QString failure;
    const std::vector<desktop::TopWindow> covering = desktop::WindowsCovering(window, &failure);
    EXPECT_TRUE(failure.isEmpty()) << box.name << ": " << failure.toStdString();
    for (const desktop::TopWindow& w : covering)
      ADD_FAILURE() << box.name << " lies under " << w.line.toStdString();
    if (!shots_.isEmpty())
      desktop::SaveScreen(shots_ + u'/' +
                          QString::fromUtf8(box.name).remove(u'\'').replace(u' ', u'-') +
                          QStringLiteral(".png"));
    const QPoint target = OnProgram([&] {
      QAbstractButton* b = ButtonOf(box.Active(), button);
      return b ? CentreOf(b) : QPoint(-1, -1);
    });
    if (target.x() < 0) {
      ADD_FAILURE() << box.name << " has no such button";
      return false;
    }
    desktop::ClickAt(target);
    return WaitFor("the box to close after the click", [&] { return box.Active() == nullptr; });
  }

  bool AwaitRunEnd() {
    return WaitFor("the end of the print run", [] {
      return Visible<TQRProgressForm>() == nullptr && QApplication::activeModalWidget() == nullptr;
    });
  }

  QString shots_;
};

// Closes whatever is open, as a person giving up would, until the program
// has ended.
void Abandon(const std::atomic<bool>& programEnded) {
  const QDeadlineTimer deadline(60000);
  while (!programEnded && !deadline.hasExpired()) {
    QMetaObject::invokeMethod(g_app, [] {
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
      for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<TQRStandardPreview*>(w)) w->close();
      if (FormPermiso) FormPermiso->close();
    });
    std::this_thread::sleep_for(50ms);
  }
}

TEST(OfficerAtTheDesktop, BoxesInViewAndFocusBackOnPreliminar) {
  auto script = std::make_shared<TScriptedPrinterScript>();
  ScopedPrinterDeviceFactory printers(ScriptedPrinterFactory(script));
  std::atomic<bool> programEnded = false;
  std::thread officer([&] {
    try {
      Officer(qEnvironmentVariable("PERMISO_DESKTOP_SHOTS")).Walk();
    } catch (const std::exception& e) {
      ADD_FAILURE() << e.what();
    }
    Abandon(programEnded);
  });
  RunPermiso(*g_app, TShowCommand::Normal);
  programEnded = true;
  officer.join();
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir home;
  if (!home.isValid()) return 1;
  qputenv("HOME", home.path().toLocal8Bit());
  TPermisoApplication app(argc, argv);
  g_app = &app;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
