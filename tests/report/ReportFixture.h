#pragma once
// What every report test stands on: a scripted printer for the printer a
// new report reads its paper from, a metric default locale unless a test
// picks another, and a form-like owner for the report and its bands.

#include <gtest/gtest.h>

#include <QLocale>
#include <memory>

#include "QRComponent.h"
#include "QRReport.h"
#include "ScriptedPrinter.h"

// Sets the default locale for a scope.
class TLocaleScope {
 public:
  explicit TLocaleScope(const QLocale& locale) : previous_(QLocale()) {
    QLocale::setDefault(locale);
  }
  ~TLocaleScope() { QLocale::setDefault(previous_); }
  TLocaleScope(const TLocaleScope&) = delete;
  TLocaleScope& operator=(const TLocaleScope&) = delete;

 private:
  QLocale previous_;
};

inline QLocale MetricLocale() { return QLocale(QLocale::Spanish, QLocale::Mexico); }
inline QLocale UsLocale() { return QLocale(QLocale::English, QLocale::UnitedStates); }

class ReportTest : public ::testing::Test {
 protected:
  // The report of the test, owned by `form`.
  TQRReport& NewReport();

  std::shared_ptr<TScriptedPrinterScript> script = std::make_shared<TScriptedPrinterScript>();
  ScopedPrinterDeviceFactory factory{ScriptedPrinterFactory(script)};
  TLocaleScope locale{MetricLocale()};
  TQRComponent form{nullptr};
};

// The permit's page: landscape Letter with 10 mm margins, no column gap.
void SetPermitPage(TQRCustomReport& report);
