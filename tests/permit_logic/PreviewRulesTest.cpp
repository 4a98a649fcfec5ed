// The preview command's rules: the twelve checks in order, padding, the ten
// captions and the legal notice.

#include <gtest/gtest.h>

#include <QStringList>
#include <functional>

#include "CommissionText.h"
#include "EntryChecks.h"
#include "LegalNotice.h"
#include "PreviewPlan.h"
#include "SampleEntry.h"
#include "ZeroPad.h"

namespace permit {
namespace {

using test::Day;
using test::SampleEntry;
using test::TimeOfDay;

std::string Std(const std::optional<QString>& s) { return s ? s->toStdString() : "<passes>"; }

QString Chars(int n) { return QString(n, u'X'); }

// ---- checks ---------------------------------------------------------------

struct CheckCase {
  const char* name;
  std::function<void(PermitEntry&)> spoil;
  const char* message;  // nullptr: the entry passes
};

const CheckCase kCheckCases[] = {
    {"AllEmptyShowsOnlyTheFirst", [](PermitEntry& e) { e = PermitEntry(); },
     "Falta anotar la Dependencia o Entidad"},
    {"Folio", [](PermitEntry& e) { e.Folio.clear(); }, "Falta anotar el Folio o No. de Permiso"},
    {"Commission39", [](PermitEntry& e) { e.Comision = Chars(39); },
     "La comision como minimo se debe describir en 40 caracteres"},
    {"Commission40", [](PermitEntry& e) { e.Comision = Chars(40); }, nullptr},
    // Two typed lines of 19: the break counts as CR LF, making 40.
    {"TwoLinesOf19WithLf", [](PermitEntry& e) { e.Comision = Chars(19) + '\n' + Chars(19); },
     nullptr},
    {"TwoLinesOf19WithCrLf", [](PermitEntry& e) { e.Comision = Chars(19) + "\r\n" + Chars(19); },
     nullptr},
    {"LinesOf19And18", [](PermitEntry& e) { e.Comision = Chars(19) + '\n' + Chars(18); },
     "La comision como minimo se debe describir en 40 caracteres"},
    {"Placa", [](PermitEntry& e) { e.Placa.clear(); }, "Falta anotar la Placa del Vehiculo"},
    {"Marca", [](PermitEntry& e) { e.Marca.clear(); }, "Falta anotar la Marca del Vehiculo"},
    {"Tipo", [](PermitEntry& e) { e.Tipo.clear(); }, "Falta anotar el Tipo del Vehiculo"},
    {"Color", [](PermitEntry& e) { e.Color.clear(); }, "Falta anotar el Color del Vehiculo"},
    {"Destino", [](PermitEntry& e) { e.Destino.clear(); }, "Falta anotar el destino"},
    {"Conductor", [](PermitEntry& e) { e.Conductor.clear(); },
     "Falta anotar el Responsable o Conductor del Vehiculo"},
    {"Admon", [](PermitEntry& e) { e.Admon.clear(); },
     "Falta anotar el Titular Administrativo de la Dependencia o Entidad"},
    {"Titular", [](PermitEntry& e) { e.Titular.clear(); },
     "Falta anotar el Titular de la Dependencia o Entidad"},
    {"Modelo", [](PermitEntry& e) { e.Modelo.clear(); }, "Falta anotar el modelo del Vehiculo"},
    // Order: with Placa and Modelo both empty, the earlier check speaks.
    {"PlacaBeforeModelo",
     [](PermitEntry& e) {
       e.Placa.clear();
       e.Modelo.clear();
     },
     "Falta anotar la Placa del Vehiculo"},
    {"CommissionBeforePlaca",
     [](PermitEntry& e) {
       e.Comision = Chars(5);
       e.Placa.clear();
     },
     "La comision como minimo se debe describir en 40 caracteres"},
    // Nothing is trimmed: a lone blank is text.
    {"BlankOnlyFieldsPass",
     [](PermitEntry& e) { e.Dependencia = e.Folio = e.Placa = e.Modelo = e.Titular = " "; },
     nullptr},
    {"EmptyNoEcoPasses", [](PermitEntry& e) { e.NoEco.clear(); }, nullptr},
    {"EndBeforeStartPasses",
     [](PermitEntry& e) {
       e.Fecha2 = Day(2026, 1, 1);
       e.Hora2 = TimeOfDay(0, 0, 1);
     },
     nullptr},
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class EntryChecksTest : public testing::TestWithParam<CheckCase> {};

TEST_P(EntryChecksTest, FirstFailingMessage) {
  PermitEntry entry = SampleEntry();
  GetParam().spoil(entry);
  const std::string expected = GetParam().message ? GetParam().message : "<passes>";
  EXPECT_EQ(Std(FirstEntryRefusal(entry)), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, EntryChecksTest, testing::ValuesIn(kCheckCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommissionText, EveryBreakBecomesCrLf) {
  EXPECT_EQ(CommissionAsStored(QStringLiteral("A\nB\r\nC\rD\u2029E\n")),
            QStringLiteral("A\r\nB\r\nC\r\nD\r\nE\r\n"));
  EXPECT_EQ(CommissionAsStored(QStringLiteral("\r\r\n\n")), QStringLiteral("\r\n\r\n\r\n"));
}

// ---- padding --------------------------------------------------------------

TEST(ZeroPad, ToFourCharactersOnlyWhenShorter) {
  const std::pair<const char*, const char*> cases[] = {
      {"7", "0007"},      {"15", "0015"}, {"", "0000"}, {"0007", "0007"},
      {"12345", "12345"}, {" 7", "00 7"},  // a blank is a character like any other
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(ZeroPadded(in), QString(out)) << in;
}

// ---- plan and captions ----------------------------------------------------

class PreviewPlanTest : public testing::Test {
 protected:
  DateTimeTexts texts_{QLocale(QLocale::Spanish, QLocale::Mexico)};
};

TEST_F(PreviewPlanTest, RefusalChangesNothing) {
  PermitEntry entry = SampleEntry();
  entry.Titular.clear();
  const PreviewPlan plan = PlanPreview(entry, texts_);
  EXPECT_EQ(Std(plan.refusal), "Falta anotar el Titular de la Dependencia o Entidad");
  EXPECT_TRUE(plan.Folio.isEmpty());
  EXPECT_TRUE(plan.captions.QRFolio.isEmpty());
}

TEST_F(PreviewPlanTest, CaptionsOfAPassingEntry) {
  PermitEntry entry = SampleEntry();
  entry.Comision = QStringLiteral("PRIMERA LÍNEA DE LA COMISIÓN\nSEGUNDA LÍNEA");
  const PreviewPlan plan = PlanPreview(entry, texts_);
  ASSERT_FALSE(plan.refusal);
  EXPECT_EQ(plan.Folio, "0007");
  EXPECT_EQ(plan.NoEco, "0015");
  const PermitCaptions& c = plan.captions;
  EXPECT_EQ(c.QRFolio, "0007");
  EXPECT_EQ(c.QRDias, "10/12/2026 al 11/12/2026");
  EXPECT_EQ(c.QRDependencia, entry.Dependencia);
  EXPECT_EQ(c.QRComision, QStringLiteral("PRIMERA LÍNEA DE LA COMISIÓN\r\nSEGUNDA LÍNEA"));
  EXPECT_EQ(c.QRConductor, entry.Conductor);
  EXPECT_EQ(c.QRConductor2, entry.Conductor);
  EXPECT_EQ(c.QRAdmon, entry.Admon);
  EXPECT_EQ(c.QRTitular, entry.Titular);
  EXPECT_EQ(c.QRHorario, "PERMISO APARTIR DEL: 10/12/2026 08:30:00 HASTA EL: 11/12/2026 13:05:07");
  EXPECT_EQ(c.QRVehiculo,
            "PLACA: ABC123 No. ECO.: 0015 MARCA: NISSAN TIPO: PICK UP MODELO: 2004 COLOR: BLANCO");
}

TEST_F(PreviewPlanTest, ValidityDays) {
  struct {
    QDateTime from, to;
    const char* days;
  } const cases[] = {
      {Day(2026, 12, 10), Day(2026, 12, 10), "10/12/2026"},
      {Day(2026, 12, 10), Day(2027, 1, 2), "10/12/2026 al 02/01/2027"},
      {Day(2026, 12, 10), Day(2026, 12, 9), "10/12/2026 al 09/12/2026"},  // end before start
  };
  for (const auto& c : cases) EXPECT_EQ(ValidityDays(c.from, c.to, texts_), c.days);
}

TEST_F(PreviewPlanTest, SameDayDifferentTimesShowsOneDateAndBothTimes) {
  PermitEntry entry = SampleEntry();
  entry.Fecha2 = entry.Fecha1;
  const PermitCaptions c = PlanPreview(entry, texts_).captions;
  EXPECT_EQ(c.QRDias, "10/12/2026");
  EXPECT_EQ(c.QRHorario, "PERMISO APARTIR DEL: 10/12/2026 08:30:00 HASTA EL: 10/12/2026 13:05:07");
}

TEST_F(PreviewPlanTest, EmptyNoEcoAndFiveDigitFolio) {
  PermitEntry entry = SampleEntry();
  entry.NoEco.clear();
  entry.Folio = QStringLiteral("12345");
  const PreviewPlan plan = PlanPreview(entry, texts_);
  EXPECT_EQ(plan.NoEco, "0000");
  EXPECT_EQ(plan.Folio, "12345");
  EXPECT_TRUE(plan.captions.QRVehiculo.contains(QStringLiteral(" No. ECO.: 0000 MARCA: ")));
}

// ---- legal notice ---------------------------------------------------------

TEST(LegalNotice, TwelveLinesJoinedBySingleCarriageReturns) {
  const QString text = LegalNoticeText();
  EXPECT_FALSE(text.contains(u'\n'));
  EXPECT_FALSE(text.endsWith(u'\r'));
  const QStringList lines = text.split(u'\r');
  ASSERT_EQ(lines.size(), 12);
  const char* const expected[] = {
      "DE CONFORMIDAD A LO ESTABLECIDO EN EL ART. 15 FRACCIÓN II INCISO A) DE LOS LINEAMIENTOS "
      "PARA EL  CONTROL Y",
      "USO DE VEHICULOS OFICIALES DEL GOBIERNO DEL ESTADO DE QUELMORA, EL PRESENTE PERMISO DE "
      "CIRCULACIÓN",
      "SURTE EFECTO CON UNA HORA DE DESFASAMIENTO A PARTIR DE LA NOTIFICACIÓN DE LA EXPEDICIÓN "
      "DEL  MISMO A  LA",
      "DORVANTIL.",
      "",
      "",
      "ES NECESARIO QUE EL PRESENTE PERMISO SE ENTREGUE AL SERVIDOR PÚBLICO COMISIONADO, UNA VEZ "
      "QUE ÉSTE CUENTE ",
      "CON LA TOTALIDAD DE LAS FIRMAS REQUERIDAS Y SE CONSERVE COPIA DEL MISMO EN LOS REGISTROS "
      "DE LA DEPENDENCIA",
      "O ENTIDAD PARA CUALQUIER FUTURA ACLARACIÓN",
      "",
      "",
      "EL ORIGINAL DE ESTE PERMISO DEBERA DE SER PORTADO A LA VISTA EN EL VEHICULO",
  };
  for (int i = 0; i < 12; ++i) EXPECT_EQ(lines[i], QString::fromUtf8(expected[i])) << i + 1;
  EXPECT_EQ(LegalNoticeCaption(), QStringLiteral("Información"));
}

}  // namespace
}  // namespace permit
