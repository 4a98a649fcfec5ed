// The permit from start to finish, in-process: PRELIMINAR's checks, padding
// and captions, the legal notice, the preview of the one-page permit, and
// the text record written after every print, with its confirmation, backup
// and errors.

#include <QComboBox>
#include <QFile>
#include <QFileInfo>

#include "DateTimeTexts.h"
#include "LegalNotice.h"
#include "PermitRunFixture.h"
#include "QRLabel.h"
#include "QRMemo.h"
#include "QRPrinter.h"
#include "QRStandardPreview.h"
#include "TMemo.h"
#include "TQRPermiso.h"
#include "Termination.h"

namespace {

const QString kWritten =
    QStringLiteral("Information: Archivo Generado con Exito !!! en C:\\Permiso");
const QString kAsk =
    QStringLiteral("Confirm: El archivo ya existe. ¿Desea reemplazar el archivo?.");
const QString kWrittenWithBackup = QStringLiteral(
    "Information: Archivo Generado con Exito !!!,SE CREO UN ARCHIVO DE RESPALDO CON LOS DATOS "
    "ANTERIORES con extension .BKD");

QString NoticeLine() {
  QString notice = permit::LegalNoticeText();
  notice.replace(u'\r', u'|');
  return QStringLiteral("Información: ") + notice;
}

// ------------------------------------------------------------ the checks

struct RefusalCase {
  const char* name;
  std::function<void(TFormPermiso&)> spoil;
  const char* message;
};

const RefusalCase kRefusals[] = {
    {"Dependencia", [](TFormPermiso& f) { f.Dependencia->setEditText(""); },
     "Falta anotar la Dependencia o Entidad"},
    {"Folio", [](TFormPermiso& f) { f.Folio->clear(); }, "Falta anotar el Folio o No. de Permiso"},
    {"Commission39", [](TFormPermiso& f) { f.Comision->SetText(QString(39, u'X')); },
     "La comision como minimo se debe describir en 40 caracteres"},
    // 19 + CR LF + 17 = 38.
    {"CommissionTwoShortLines",
     [](TFormPermiso& f) { f.Comision->SetText(QString(19, u'A') + "\r\n" + QString(17, u'B')); },
     "La comision como minimo se debe describir en 40 caracteres"},
    {"Placa", [](TFormPermiso& f) { f.Placa->clear(); }, "Falta anotar la Placa del Vehiculo"},
    {"Marca", [](TFormPermiso& f) { f.Marca->setEditText(""); },
     "Falta anotar la Marca del Vehiculo"},
    {"Tipo", [](TFormPermiso& f) { f.Tipo->clear(); }, "Falta anotar el Tipo del Vehiculo"},
    {"Color", [](TFormPermiso& f) { f.Color->setEditText(""); },
     "Falta anotar el Color del Vehiculo"},
    {"Destino", [](TFormPermiso& f) { f.Destino->setEditText(""); }, "Falta anotar el destino"},
    {"Conductor", [](TFormPermiso& f) { f.Conductor->clear(); },
     "Falta anotar el Responsable o Conductor del Vehiculo"},
    {"Admon", [](TFormPermiso& f) { f.Admon->clear(); },
     "Falta anotar el Titular Administrativo de la Dependencia o Entidad"},
    {"Titular", [](TFormPermiso& f) { f.Titular->clear(); },
     "Falta anotar el Titular de la Dependencia o Entidad"},
    {"Modelo", [](TFormPermiso& f) { f.Modelo->setEditText(""); },
     "Falta anotar el modelo del Vehiculo"},
    // Order: the agency is checked before the permit number.
    {"AgencyBeforeFolio",
     [](TFormPermiso& f) {
       f.Folio->clear();
       f.Dependencia->setEditText("");
     },
     "Falta anotar la Dependencia o Entidad"},
};

class Refusal : public PermitRun, public testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusal, OneMessageAndNothingChanges) {
  Fill();
  GetParam().spoil(*form_);
  const QDateTime start = form_->Fecha1->Date();
  EXPECT_FALSE(Preliminar());
  EXPECT_EQ(dialogs_.Log(), QStringList({QStringLiteral("Permiso: ") + GetParam().message}));
  EXPECT_EQ(dialogs_.LastMessageDialog()->kind, TMsgDlgType::Plain);
  // No padding, no captions, the pickers as the user left them.
  if (!form_->Folio->text().isEmpty()) {
    EXPECT_EQ(form_->Folio->text(), QStringLiteral("7"));
  }
  EXPECT_EQ(form_->NoEco->text(), QStringLiteral("15"));
  EXPECT_EQ(QRPermiso->QRFolio->Caption(), QStringLiteral("0000"));
  EXPECT_EQ(QRPermiso->QRVehiculo->Lines(), QStringList({"DATOS VEHICULOS"}));
  EXPECT_EQ(form_->Fecha1->Date(), start);
}

INSTANTIATE_TEST_SUITE_P(Table, Refusal, testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PermitRun, AllFieldsEmptyShowsOnlyTheAgencyMessage) {
  EXPECT_FALSE(Preliminar());
  EXPECT_EQ(dialogs_.Log(), QStringList({"Permiso: Falta anotar la Dependencia o Entidad"}));
}

struct PassCase {
  const char* name;
  std::function<void(TFormPermiso&)> change;
};

const PassCase kPasses[] = {
    {"CommissionOf40", [](TFormPermiso& f) { f.Comision->SetText(QString(40, u'X')); }},
    // Two typed lines of 19 characters: 19 + CR LF + 19 = 40.
    {"CommissionTwoLinesOf19",
     [](TFormPermiso& f) {
       f.Comision->clear();
       f.Comision->setFocus(Qt::MouseFocusReason);
       TypeAtFocus(QString(19, u'a') + u'\r' + QString(19, u'b'));
     }},
    {"BlankOnlyFields",
     [](TFormPermiso& f) {
       f.Tipo->setText(" ");
       f.Color->setEditText(" ");
     }},
    {"EconomicNumberEmpty", [](TFormPermiso& f) { f.NoEco->clear(); }},
    {"EndBeforeStart",
     [](TFormPermiso& f) { f.Fecha2->SetDate(QDateTime(QDate(2026, 12, 1), QTime())); }},
};

class Passes : public PermitRun, public testing::WithParamInterface<PassCase> {};

TEST_P(Passes, PreviewOpens) {
  Fill();
  GetParam().change(*form_);
  EXPECT_TRUE(Preliminar());
  EXPECT_EQ(dialogs_.Log(), QStringList({NoticeLine()}));
}

INSTANTIATE_TEST_SUITE_P(Table, Passes, testing::ValuesIn(kPasses),
                         [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ padding and captions

struct PadCase {
  const char* name;
  const char* folio;
  const char* noEco;
  const char* paddedFolio;
  const char* paddedNoEco;
};

const PadCase kPads[] = {
    {"Short", "7", "15", "0007", "0015"},
    {"EmptyEconomicNumber", "7", "", "0007", "0000"},
    {"FiveDigitsStay", "12345", "1234", "12345", "1234"},
    {"FourDigitsStay", "0123", "9", "0123", "0009"},
};

class Padding : public PermitRun, public testing::WithParamInterface<PadCase> {};

TEST_P(Padding, WrittenBackAndPrinted) {
  Fill();
  form_->Folio->setText(GetParam().folio);
  form_->NoEco->setText(GetParam().noEco);
  EXPECT_TRUE(Preliminar());
  EXPECT_EQ(form_->Folio->text(), QString(GetParam().paddedFolio));
  EXPECT_EQ(form_->NoEco->text(), QString(GetParam().paddedNoEco));
  EXPECT_EQ(QRPermiso->QRFolio->Caption(), QString(GetParam().paddedFolio));
  EXPECT_TRUE(QRPermiso->QRVehiculo->Lines().front().contains(
      QStringLiteral(" No. ECO.: %1 MARCA: ").arg(GetParam().paddedNoEco)));
}

INSTANTIATE_TEST_SUITE_P(Table, Padding, testing::ValuesIn(kPads),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PermitRun, TheTenCaptions) {
  Fill();
  form_->Comision->SetText(QStringLiteral("PRIMERA LÍNEA DE LA COMISIÓN\r\nSEGUNDA LÍNEA"));
  EXPECT_TRUE(Preliminar());
  const permit::DateTimeTexts t;
  const QDateTime d1(QDate(2026, 12, 10), QTime()), d2(QDate(2026, 12, 11), QTime());
  const QDateTime h1(QDate(2005, 9, 20), QTime(8, 30)), h2(QDate(2005, 9, 20), QTime(18, 0));
  const TQRPermiso& r = *QRPermiso;
  EXPECT_EQ(r.QRFolio->Caption(), QStringLiteral("0007"));
  EXPECT_EQ(r.QRDias->Caption(), t.DateText(d1) + QStringLiteral(" al ") + t.DateText(d2));
  EXPECT_EQ(r.QRDependencia->Caption(), QStringLiteral("SECRETARÍA DE OBRAS PÚBLICAS"));
  EXPECT_EQ(r.QRComision->Caption(),
            QStringLiteral("PRIMERA LÍNEA DE LA COMISIÓN\r\nSEGUNDA LÍNEA"));
  EXPECT_EQ(r.QRConductor->Caption(), QStringLiteral("JUAN PÉREZ"));
  EXPECT_EQ(r.QRConductor2->Caption(), QStringLiteral("JUAN PÉREZ"));
  EXPECT_EQ(r.QRAdmon->Caption(), QStringLiteral("MARÍA LÓPEZ"));
  EXPECT_EQ(r.QRTitular->Caption(), QStringLiteral("ING. LUIS NÚÑEZ"));
  EXPECT_EQ(r.QRHorario->Caption(), QStringLiteral("PERMISO APARTIR DEL: ") + t.DateText(d1) +
                                        u' ' + t.TimeText(h1) + QStringLiteral(" HASTA EL: ") +
                                        t.DateText(d2) + u' ' + t.TimeText(h2));
  EXPECT_EQ(r.QRVehiculo->Lines(),
            QStringList({"PLACA: ABC123 No. ECO.: 0015 MARCA: NISSAN TIPO: PICK UP MODELO: 2004 "
                         "COLOR: BLANCO"}));
}

TEST_F(PermitRun, OneDayOrTwo) {
  const permit::DateTimeTexts t;
  Fill();
  // Same day, different times: one date.
  form_->Fecha2->SetDate(QDateTime(QDate(2026, 12, 10), QTime()));
  EXPECT_TRUE(Preliminar());
  EXPECT_EQ(QRPermiso->QRDias->Caption(), t.DateText(QDateTime(QDate(2026, 12, 10), QTime())));
  EXPECT_TRUE(QRPermiso->QRHorario->Caption().endsWith(
      t.DateText(QDateTime(QDate(2026, 12, 10), QTime())) + u' ' +
      t.TimeText(QDateTime(QDate(), QTime(18, 0)))));
}

// ------------------------------------------------------------ notice and preview

TEST_F(PermitRun, NoticeBlocksTheWindowsThenThePreviewShowsOnePage) {
  Fill();
  bool entryEnabled = true;
  dialogs_.onShow = [&](const TScriptedDialogs::TShown&) { entryEnabled = form_->isEnabled(); };
  int previews = 0;
  QString status;
  EXPECT_TRUE(Preliminar([&](TQRStandardPreview& preview) {
    previews = int(Previews().size());
    status = preview.PanelText(1);
    EXPECT_EQ(preview.QRPrinter()->PageCount(), 1);
  }));
  EXPECT_FALSE(entryEnabled);
  EXPECT_TRUE(form_->isEnabled());
  ASSERT_NE(dialogs_.LastMessageBox(), nullptr);
  EXPECT_EQ(dialogs_.LastMessageBox()->caption, QStringLiteral("Información"));
  EXPECT_EQ(dialogs_.LastMessageBox()->text, permit::LegalNoticeText());
  EXPECT_EQ(dialogs_.LastMessageBox()->icon, platform::MessageBoxIcon::Information);
  EXPECT_EQ(previews, 1);
  EXPECT_EQ(status, QStringLiteral("Page 1 of 1"));
  // Showing the preview alone writes nothing.
  EXPECT_TRUE(DataFiles().isEmpty());
  EXPECT_EQ(dialogs_.Shown().size(), 1u);
  EXPECT_TRUE(script_->journal.filter("BeginDoc").isEmpty());
}

TEST_F(PermitRun, SecondPressWhileOpenRefillsWithoutASecondWindow) {
  Fill();
  int previewsAfter = 0;
  QString printedFolio;
  EXPECT_TRUE(Preliminar([&](TQRStandardPreview& preview) {
    form_->Folio->setText(QStringLiteral("8"));
    form_->BtnPreliminar->click();  // returns at once: the preview is open
    previewsAfter = int(Previews().size());
    printedFolio = QRPermiso->QRFolio->Caption();
    Print(preview);
  }));
  EXPECT_EQ(previewsAfter, 1);
  EXPECT_EQ(form_->Folio->text(), QStringLiteral("0008"));
  EXPECT_EQ(printedFolio, QStringLiteral("0008"));
  EXPECT_EQ(dialogs_.Log().mid(0, 2), QStringList({NoticeLine(), NoticeLine()}));
  // The print used the new captions.
  ASSERT_FALSE(script_->pages.empty());
  EXPECT_FALSE(script_->pages.back().filter(QStringLiteral("\"0008\"")).isEmpty());
}

TEST_F(PermitRun, PickersResetWhenTheEntryWindowIsActivatedAgain) {
  Fill();
  EXPECT_TRUE(Preliminar([&](TQRStandardPreview& preview) {
    preview.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&preview));
    clock_.now = QDateTime(QDate(2027, 1, 2), QTime(9, 15, 0));
  }));
  form_->activateWindow();  // the focus comes back as the preview closes
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  EXPECT_EQ(form_->Fecha1->Date(), QDateTime(QDate(2027, 1, 2), QTime(0, 0)));
  EXPECT_EQ(form_->Fecha2->Date(), QDateTime(QDate(2027, 1, 2), QTime(0, 0)));
  EXPECT_EQ(form_->Hora1->Time().time(), QTime(9, 15));
  EXPECT_EQ(form_->Hora2->Time().time(), QTime(9, 15));
  EXPECT_EQ(form_->Fecha->Date().date(), QDate(2027, 1, 2));
}

// When the entry window is activated again, the focus is where the person
// left it, also after an error box disabled the windows while the preview
// had the focus; only the first activation puts it in Folio.
TEST_F(PermitRun, FocusComesBackWhereTheUserLeftIt) {
  Fill();
  for (QWidget* left :
       {static_cast<QWidget*>(form_->BtnPreliminar), static_cast<QWidget*>(form_->Placa)}) {
    SCOPED_TRACE(left->objectName().toStdString());
    QFile::remove(Record());
    QFile::remove(Backup());
    left->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(Preliminar([&](TQRStandardPreview& preview) {
      preview.activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&preview));
      // Written, replaced with a backup, then refused with the error box.
      for (int print = 0; print < 3; ++print) {
        dialogs_.Answer(TMsgDlgBtn::Yes);
        Print(preview);
      }
      EXPECT_EQ(dialogs_.Log().last(), QStringLiteral("Permiso: Imposible crear respaldo."));
    }));
    form_->activateWindow();  // the focus comes back as the preview closes
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), left->objectName());
  }
}

// ------------------------------------------------------------ the text record

QByteArray ExpectedRecord(const QString& tipo, const char* reservado) {
  const permit::DateTimeTexts t;
  const QByteArray d1 = t.DateText(QDateTime(QDate(2026, 12, 10), QTime())).toLatin1();
  const QByteArray d2 = t.DateText(QDateTime(QDate(2026, 12, 11), QTime())).toLatin1();
  const QByteArray h1 = t.TimeText(QDateTime(QDate(), QTime(8, 30))).toLatin1();
  const QByteArray h2 = t.TimeText(QDateTime(QDate(), QTime(18, 0))).toLatin1();
  return QByteArray(
             "Dependencia: SECRETAR\xCD"
             "A DE OBRAS P\xDA"
             "BLICAS\r\n"
             "Folio: 0007\r\n"
             "Placa: ABC123\r\n"
             "No. Eco.: 0015\r\n"
             "Marca: NISSAN\r\n"
             "Tipo: ") +
         tipo.toLatin1() +
         QByteArray(
             "\r\n"
             "Modelo: 2004\r\n"
             "Color: BLANCO\r\n"
             "Comisi\xF3n: SUPERVISI\xD3N DE LA OBRA DEL PUENTE EN EL KM 12\r\n"
             "Destino: QUELMORA\r\n"
             "Responsable/Conductor: JUAN P\xC9REZ\r\n"
             "A partir de: ") +
         d1 + ' ' + h1 + "\r\nhasta: " + d2 + ' ' + h2 + "\r\nHoy es: " + d1 +
         "\r\nReservado: " + reservado +
         QByteArray(
             "\r\nAdministrativo: MAR\xCD"
             "A L\xD3PEZ\r\n"
             "Titular: ING. LUIS N\xDA\xD1"
             "EZ\r\n");
}

TEST_F(PermitRun, ClosingWithoutPrintingWritesNothing) {
  Fill();
  EXPECT_TRUE(Preliminar());
  EXPECT_TRUE(DataFiles().isEmpty());
  EXPECT_EQ(dialogs_.Log(), QStringList({NoticeLine()}));
}

TEST_F(PermitRun, EveryPrintWritesTheRecordAskingBeforeItReplaces) {
  Fill();
  form_->reservada->setChecked(true);
  bool previewOpenAfterError = false;
  EXPECT_TRUE(Preliminar([&](TQRStandardPreview& preview) {
    // First print: the record, and the message.
    Print(preview);
    EXPECT_EQ(ReadFile(Record()), ExpectedRecord("PICK UP", "SI"));
    EXPECT_EQ(dialogs_.Log().last(), kWritten);
    EXPECT_EQ(DataFiles(), QStringList({"ABC123f0007.txt"}));

    // A field changed after PRELIMINAR reaches the record, not the paper.
    form_->Tipo->setText(QStringLiteral("SEDAN"));
    // Second print, answered No: the record stays as it was.
    dialogs_.Answer(TMsgDlgBtn::No);
    Print(preview);
    EXPECT_EQ(dialogs_.Log().last(), kAsk);
    EXPECT_EQ(ReadFile(Record()), ExpectedRecord("PICK UP", "SI"));

    // Third print, answered Yes: the old record becomes the backup.
    dialogs_.Answer(TMsgDlgBtn::Yes);
    Print(preview);
    EXPECT_EQ(dialogs_.Log().mid(dialogs_.Log().size() - 2),
              QStringList({kAsk, kWrittenWithBackup}));
    EXPECT_EQ(ReadFile(Backup()), ExpectedRecord("PICK UP", "SI"));
    EXPECT_EQ(ReadFile(Record()), ExpectedRecord("SEDAN", "SI"));

    // Fourth print, Yes: the backup exists, so nothing is replaced.
    form_->Tipo->setText(QStringLiteral("VAN"));
    dialogs_.Answer(TMsgDlgBtn::Yes);
    Print(preview);
    EXPECT_EQ(dialogs_.Log().last(), QStringLiteral("Permiso: Imposible crear respaldo."));
    EXPECT_EQ(dialogs_.LastMessageBox()->icon, platform::MessageBoxIcon::Error);
    EXPECT_EQ(ReadFile(Backup()), ExpectedRecord("PICK UP", "SI"));
    EXPECT_EQ(ReadFile(Record()), ExpectedRecord("SEDAN", "SI"));
    previewOpenAfterError = preview.isVisible() && preview.QRPrinter() != nullptr;
  }));
  EXPECT_TRUE(previewOpenAfterError);
  EXPECT_EQ(DataFiles(), QStringList({"ABC123f0007.txt", "~ABC123f0007.BKD"}));
  // Four print jobs, each complete.
  EXPECT_EQ(script_->journal.filter("EndDoc").size(), 4);
  // The hidden buffer holds the last record assembled.
  EXPECT_TRUE(form_->RichEdit->toPlainText().startsWith(QStringLiteral("Dependencia: ")));
}

TEST_F(PermitRun, ClosingTheEntryWindowDuringThePreviewEndsTheWait) {
  Fill();
  bool terminated = false;
  EXPECT_TRUE(Preliminar([&](TQRStandardPreview&) {
    form_->close();
    terminated = platform::TerminationRequested();
  }));
  EXPECT_TRUE(terminated);
  // PRELIMINAR has returned; nothing was written by the closing.
  EXPECT_TRUE(DataFiles().isEmpty());
  EXPECT_EQ(dialogs_.Shown().size(), 1u);
}

TEST_F(PermitRun, PlateThatIsNoFileNameWritesNothing) {
  Fill();
  form_->Placa->setText(QStringLiteral("../ABC"));
  EXPECT_TRUE(Preliminar([&](TQRStandardPreview& preview) { Print(preview); }));
  ASSERT_NE(dialogs_.LastMessageBox(), nullptr);
  EXPECT_TRUE(dialogs_.LastMessageBox()->text.startsWith(
      QStringLiteral("Cannot create file \"%1/../ABCf0007.txt\". ").arg(DataFolder())));
  EXPECT_TRUE(DataFiles().isEmpty());
  EXPECT_FALSE(QFileInfo::exists(home_.path() + QStringLiteral("/ABCf0007.txt")));
}

}  // namespace
