#include "DesignClasses.h"

#include "QRBand.h"
#include "QRChildBand.h"
#include "QRImage.h"
#include "QRLabel.h"
#include "QRMemo.h"
#include "QRReport.h"
#include "QRShape.h"

TQRDesignClasses::TQRDesignClasses() {
  Register<TQRReport>(QStringLiteral("TQRReport"));
  Register<TQRBand>(QStringLiteral("TQRBand"));
  Register<TQRChildBand>(QStringLiteral("TQRChildBand"));
  Register<TQRLabel>(QStringLiteral("TQRLabel"));
  Register<TQRMemo>(QStringLiteral("TQRMemo"));
  Register<TQRShape>(QStringLiteral("TQRShape"));
  Register<TQRImage>(QStringLiteral("TQRImage"));
}

TQRDesignClasses& TQRDesignClasses::Instance() {
  static TQRDesignClasses instance;
  return instance;
}

void TQRDesignClasses::Register(const QString& className, TFactory factory) {
  factories_[className] = std::move(factory);
}

TQRComponent* TQRDesignClasses::Create(const QString& className, TQRComponent* owner) const {
  auto it = factories_.find(className);
  return it == factories_.end() ? nullptr : it->second(owner);
}
