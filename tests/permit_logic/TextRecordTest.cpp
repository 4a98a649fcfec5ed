// The record's text and bytes, without touching the file system.

#include <gtest/gtest.h>

#include <QStringList>

#include "RecordBytes.h"
#include "SampleEntry.h"
#include "TextRecord.h"

namespace permit {
namespace {

class TextRecordTest : public testing::Test {
 protected:
  TextRecordTest() {
    entry_.Folio = QStringLiteral("0007");
    entry_.NoEco = QStringLiteral("0015");
  }
  QByteArray Bytes() const { return RecordBytes(TextRecordText(entry_, texts_)); }

  PermitEntry entry_ = test::SampleEntry();
  DateTimeTexts texts_{QLocale(QLocale::Spanish, QLocale::Mexico)};
};

TEST_F(TextRecordTest, SeventeenLinesInWindows1252) {
  const QByteArray expected =
      "Dependencia: SECRETAR\xCD"
      "A DE OBRAS\r\n"
      "Folio: 0007\r\n"
      "Placa: ABC123\r\n"
      "No. Eco.: 0015\r\n"
      "Marca: NISSAN\r\n"
      "Tipo: PICK UP\r\n"
      "Modelo: 2004\r\n"
      "Color: BLANCO\r\n"
      "Comisi\xF3n: SUPERVISI\xD3N DE LA OBRA DEL PUENTE EN EL KM 12\r\n"
      "Destino: DORVANTIL\r\n"
      "Responsable/Conductor: JUAN P\xC9REZ\r\n"
      "A partir de: 10/12/2026 08:30:00\r\n"
      "hasta: 11/12/2026 13:05:07\r\n"
      "Hoy es: 10/12/2026\r\n"
      "Reservado: NO\r\n"
      "Administrativo: MAR\xCD"
      "A L\xD3PEZ\r\n"
      "Titular: ING. LUIS N\xDA\xD1"
      "EZ\r\n";
  EXPECT_EQ(Bytes(), expected);
}

TEST_F(TextRecordTest, ReservedLine) {
  entry_.reservada = true;
  EXPECT_TRUE(Bytes().contains("\r\nReservado: SI\r\nAdministrativo: "));
}

TEST_F(TextRecordTest, MultiLineCommissionKeepsItsBreaksInsideLineNine) {
  struct {
    const char* name;
    QString comision;
    int physicalLines;
    const char* expected;
  } const cases[] = {
      {"two lines", "PRIMERA\nSEGUNDA", 18, "Comisi\xF3n: PRIMERA\r\nSEGUNDA\r\nDestino: "},
      {"as CR LF", "PRIMERA\r\nSEGUNDA", 18, "Comisi\xF3n: PRIMERA\r\nSEGUNDA\r\nDestino: "},
      // A trailing break leaves an empty physical line before "Destino: ".
      {"trailing break", "UNA\n", 18, "Comisi\xF3n: UNA\r\n\r\nDestino: "},
  };
  for (const auto& c : cases) {
    entry_.Comision = c.comision;
    const QByteArray bytes = Bytes();
    EXPECT_EQ(bytes.count("\r\n"), c.physicalLines) << c.name;
    EXPECT_EQ(bytes.count("Comisi\xF3n: "), 1) << c.name;
    EXPECT_TRUE(bytes.contains(c.expected)) << c.name;
    EXPECT_FALSE(bytes.contains("\n\n")) << c.name;  // no bare line feed survives
  }
}

TEST(RecordBytes, CodePageAndReplacement) {
  EXPECT_EQ(RecordBytes(QStringLiteral("ó€ŒÿA")), QByteArray("\xF3\x80\x8C\xFF"
                                                             "A"));
  // Not in the code page: one "?" per character, a surrogate pair included.
  EXPECT_EQ(RecordBytes(QStringLiteral("a\u0100b\U0001F600c\u0081")), QByteArray("a?b?c?"));
}

}  // namespace
}  // namespace permit
