// Runs the program as an officer would and saves what the screen shows, for
// a person to look at: the entry window, the legal notice, the preview at
// page width and at 100 %, the printing-progress window and the record's
// message.
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" sh -c
//       "openbox & sleep 1; build/tests/permit/permit_screenshots /tmp/shots"
//
// With --no-printers the scripted printer object lists no printer: the
// preview still shows the permit's paper, and Print does nothing.
//
// Not a test: it checks nothing. Printing goes to a scripted printer and the
// record to a temporary home folder.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

#include "PrinterDevice.h"
#include "QRPrinter.h"
#include "QRProgressForm.h"
#include "QRStandardPreview.h"
#include "ScriptedPrinter.h"
#include "TFormPermiso.h"
#include "TMemo.h"
#include "TPermisoApplication.h"
#include "TQRPermiso.h"

namespace {

QDir g_out;

void Save(QWidget* window, const char* name) {
  QApplication::processEvents();
  const QString path = g_out.filePath(QString::fromLatin1(name));
  if (!window || !window->grab().save(path))
    std::fprintf(stderr, "permit_screenshots: nothing saved for %s\n", name);
  else
    std::printf("%s\n", qPrintable(path));
}

template <class T>
T* Visible() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) return t;
  return nullptr;
}

// Calls `f` once `ready` holds, looking every few milliseconds.
void When(std::function<bool()> ready, std::function<void()> f) {
  QTimer::singleShot(20, [ready = std::move(ready), f = std::move(f)]() mutable {
    if (ready())
      f();
    else
      When(std::move(ready), std::move(f));
  });
}

// Saves the next message box and presses its first button.
void AnswerNextBox(const char* name, std::function<void()> then = {}) {
  When([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; },
       [name, then] {
         auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
         Save(box, name);
         box->buttons().first()->click();
         if (then) then();
       });
}

void Fill(TFormPermiso& f) {
  f.Dependencia->setEditText(QStringLiteral("SECRETARÍA DE OBRAS PÚBLICAS"));
  f.Folio->setText(QStringLiteral("7"));
  f.Comision->SetText(
      QStringLiteral("SUPERVISIÓN DE LA OBRA DEL PUENTE EN EL KM 12\n"
                     "Y REVISIÓN DEL CAMINO DE ACCESO"));
  f.Destino->setEditText(QStringLiteral("QUELMORA"));
  f.Conductor->setText(QStringLiteral("JUAN PÉREZ"));
  f.Placa->setText(QStringLiteral("ABC123"));
  f.NoEco->setText(QStringLiteral("15"));
  f.Marca->setEditText(QStringLiteral("NISSAN"));
  f.Tipo->setText(QStringLiteral("PICK UP"));
  f.Modelo->setEditText(QStringLiteral("2004"));
  f.Color->setEditText(QStringLiteral("BLANCO"));
  f.Admon->setText(QStringLiteral("MARÍA LÓPEZ"));
  f.Titular->setText(QStringLiteral("ING. LUIS NÚÑEZ"));
  f.Fecha2->SetDate(f.Fecha1->Date().addDays(1));  // two days, on two lines
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir home;
  qputenv("HOME", home.path().toLocal8Bit());
  TPermisoApplication app(argc, argv);
  const bool noPrinters = argc == 3 && qstrcmp(argv[2], "--no-printers") == 0;
  if (argc != 2 && !noPrinters) {
    std::fprintf(stderr, "usage: permit_screenshots <folder> [--no-printers]\n");
    return 2;
  }
  g_out = QDir(QString::fromLocal8Bit(argv[1]));
  g_out.mkpath(QStringLiteral("."));
  auto script = std::make_shared<TScriptedPrinterScript>();
  if (noPrinters) script->printers.clear();
  ScopedPrinterDeviceFactory printers(ScriptedPrinterFactory(script));

  TFormPermiso form;
  FormPermiso = &form;
  TQRPermiso document;
  QRPermiso = &document;
  form.show();
  form.activateWindow();

  QTimer::singleShot(300, [&] {
    Fill(form);
    Save(&form, "entry.png");
    AnswerNextBox("notice.png");
    When(
        [] {
          return Visible<TQRStandardPreview>() != nullptr &&
                 Visible<TQRStandardPreview>()->PanelText(1) == QStringLiteral("Page 1 of 1");
        },
        [&] {
          TQRStandardPreview* preview = Visible<TQRStandardPreview>();
          preview->ZoomToWidthClick();
          Save(preview, "preview-width.png");
          preview->ZoomTo100Click();
          Save(preview, "preview-100.png");
          if (noPrinters) {
            preview->close();
            QTimer::singleShot(200, [] { FormPermiso->close(); });
            return;
          }
          // The progress window shows while the print runs; the record's
          // message follows it.
          When([] { return Visible<TQRProgressForm>() != nullptr; },
               [] { Save(Visible<TQRProgressForm>(), "progress.png"); });
          AnswerNextBox("record-message.png", [preview] {
            QTimer::singleShot(200, [preview] {
              preview->close();
              QTimer::singleShot(200, [] { FormPermiso->close(); });
            });
          });
          preview->PrintClick();
        });
    form.BtnPreliminar->click();
  });
  app.exec();
  FormPermiso = nullptr;
  QRPermiso = nullptr;
  return 0;
}
