#pragma once
// What a component reading its design properties may ask of the loader:
// event handlers the design's root publishes, and references to other
// components of the design, resolved once every component exists.

#include <QString>

#include <any>
#include <functional>
#include <vector>

#include "DesignValue.h"
#include "QRComponent.h"

class TDesignReader {
 public:
  explicit TDesignReader(TQRComponent& root) : root_(root) {}

  TQRComponent& Root() const { return root_; }

  // The handler the root publishes under the value's name, of type F.
  template <class F>
  F Method(const TDesignValue& value) const {
    const QString name = AsIdentifier(value);
    const std::any* found = root_.FindMethod(name);
    if (found == nullptr)
      throw EDesignError(value.Line(), QStringLiteral("no handler named %1").arg(name));
    const F* handler = std::any_cast<F>(found);
    if (handler == nullptr)
      throw EDesignError(value.Line(),
                         QStringLiteral("handler %1 does not fit this event").arg(name));
    return *handler;
  }

  // Calls `apply` with the root's component of that name after all
  // components of the design are created.
  void Reference(const TDesignValue& value, std::function<void(TQRComponent*)> apply) {
    fixups_.push_back({AsIdentifier(value), value.Line(), std::move(apply)});
  }

  // Resolves the references in design order; an unknown name is an error.
  void ResolveReferences() {
    for (const TFixup& f : fixups_) {
      TQRComponent* target = root_.FindComponent(f.name);
      if (target == nullptr)
        throw EDesignError(f.line, QStringLiteral("no component named %1").arg(f.name));
      f.apply(target);
    }
    fixups_.clear();
  }

 private:
  struct TFixup {
    QString name;
    int line;
    std::function<void(TQRComponent*)> apply;
  };
  TQRComponent& root_;
  std::vector<TFixup> fixups_;
};
