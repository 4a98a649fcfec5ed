#pragma once
// The classes a design may create by name. The report's own (TQRReport,
// TQRBand, TQRChildBand) are always there; each element library adds its
// kinds once at start-up, e.g.
//   TQRDesignClasses::Instance().Register<TQRShape>(QStringLiteral("TQRShape"));

#include <QString>

#include <functional>
#include <map>

class TQRComponent;

class TQRDesignClasses {
 public:
  // Makes a new object owned by `owner`.
  using TFactory = std::function<TQRComponent*(TQRComponent* owner)>;

  static TQRDesignClasses& Instance();

  void Register(const QString& className, TFactory factory);
  template <class T>
  void Register(const QString& className) {
    Register(className, [](TQRComponent* owner) -> TQRComponent* { return new T(owner); });
  }
  bool Contains(const QString& className) const { return factories_.count(className) != 0; }
  // A new object of that class owned by `owner`; none for an unknown class.
  TQRComponent* Create(const QString& className, TQRComponent* owner) const;

 private:
  TQRDesignClasses();
  std::map<QString, TFactory> factories_;
};
