// Dates on the permit and in the record carry the whole year in the user's
// regional settings. CTest runs this program once under es_MX, whose short
// date writes a two-digit year, and once under C.

#include <QLocale>

#include "PermitRunFixture.h"
#include "QRLabel.h"
#include "QRStandardPreview.h"

namespace {

struct LocaleDates {
  const char* locale;  // QLocale::system().name()
  const char* from;    // 10 December 2026
  const char* to;      // 11 December 2026
};

const LocaleDates kLocales[] = {
    {"es_MX", "10/12/2026", "11/12/2026"},
    {"C", "10 Dec 2026", "11 Dec 2026"},
};

const LocaleDates* DatesOfSystemLocale() {
  for (const LocaleDates& l : kLocales)
    if (QLocale::system().name() == QLatin1String(l.locale)) return &l;
  return nullptr;
}

// The drawn texts of the printed page, in drawing order.
QStringList DrawnTexts(const QStringList& pageLog) {
  QStringList texts;
  for (const QString& line : pageLog)
    if (line.startsWith(QStringLiteral("TextOut "))) texts << line.section(u'"', 1, -2);
  return texts;
}

TEST_F(PermitRun, DatesCarryTheWholeYear) {
  const LocaleDates* dates = DatesOfSystemLocale();
  ASSERT_NE(dates, nullptr) << "run under LC_ALL=es_MX.UTF-8 or LC_ALL=C, not "
                            << QLocale::system().name().toStdString();
  const QString from = QString::fromUtf8(dates->from), to = QString::fromUtf8(dates->to);
  Fill();  // 10 December 08:30 to 11 December 18:00; today is 10 December
  EXPECT_TRUE(Preliminar([&](TQRStandardPreview& preview) { Print(preview); }));

  EXPECT_EQ(QRPermiso->QRDias->Caption(), from + QStringLiteral(" al ") + to);
  EXPECT_EQ(QRPermiso->QRHorario->Caption(),
            QStringLiteral("PERMISO APARTIR DEL: %1 08:30:00 HASTA EL: %2 18:00:00").arg(from, to));
  // On the printed page, where the large validity days break onto two lines.
  ASSERT_FALSE(script_->pages.empty());
  const QString drawn = DrawnTexts(script_->pages.back()).join(u' ').simplified();
  EXPECT_TRUE(drawn.contains(from + QStringLiteral(" al ") + to)) << drawn.toStdString();
  EXPECT_TRUE(drawn.contains(QStringLiteral("DEL: %1 08:30:00").arg(from))) << drawn.toStdString();

  // Lines 12 to 14 of the record on disk.
  const QList<QByteArray> lines = ReadFile(Record()).split('\n');
  ASSERT_GE(lines.size(), 14);
  EXPECT_EQ(lines[11], "A partir de: " + from.toLatin1() + " 08:30:00\r");
  EXPECT_EQ(lines[12], "hasta: " + to.toLatin1() + " 18:00:00\r");
  EXPECT_EQ(lines[13], "Hoy es: " + from.toLatin1() + "\r");
}

}  // namespace
