#include "QRComponent.h"

#include <QRegularExpression>

#include <algorithm>

#include "DesignValue.h"
#include "Errors.h"

namespace {
TDesignNoticeSink g_noticeSink = nullptr;

bool IsIdentifier(const QString& name) {
  static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
  return pattern.match(name).hasMatch();
}
}  // namespace

void SetDesignNoticeSink(TDesignNoticeSink sink) { g_noticeSink = sink; }

void ShowDesignNotice(const QString& message) {
  if (g_noticeSink != nullptr) g_noticeSink(message);
}

TQRComponent::TQRComponent(TQRComponent* owner) {
  if (owner != nullptr) owner->InsertComponent(this);
}

TQRComponent::~TQRComponent() {
  destroying_ = true;
  DestroyComponents();
  if (owner_ != nullptr) owner_->RemoveComponent(this);
}

void TQRComponent::DestroyComponents() {
  destroying_ = true;
  // Last created goes first; each removes itself from the list as it goes.
  while (!components_.empty()) delete components_.back();
}

void TQRComponent::InsertComponent(TQRComponent* component) {
  component->owner_ = this;
  components_.push_back(component);
}

void TQRComponent::RemoveComponent(TQRComponent* component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it == components_.end()) return;
  components_.erase(it);
  component->owner_ = nullptr;
  Notification(component, TQROperation::opRemove);
  for (TQRComponent* other : components_) other->Notification(component, TQROperation::opRemove);
}

void TQRComponent::SetName(const QString& name) {
  if (name == name_) return;
  if (!name.isEmpty() && !IsIdentifier(name))
    throw EError(QStringLiteral("\"%1\" is not a valid component name").arg(name));
  if (!name.isEmpty() && owner_ != nullptr) {
    TQRComponent* other = owner_->FindComponent(name);
    if (other != nullptr && other != this)
      throw EError(QStringLiteral("A component named %1 already exists").arg(name));
  }
  name_ = name;
}

TQRComponent* TQRComponent::FindComponent(const QString& name) const {
  if (name.isEmpty()) return nullptr;
  for (TQRComponent* c : components_)
    if (c->name_.compare(name, Qt::CaseInsensitive) == 0) return c;
  return nullptr;
}

void TQRComponent::Notification(TQRComponent*, TQROperation) {}

bool TQRComponent::ReadProperty(const QString& name, const TDesignValue& value, TDesignReader&) {
  if (name == QLatin1String("Tag")) {
    tag_ = AsInteger(value);
    return true;
  }
  return false;
}

void TQRComponent::PublishMethod(const QString& name, std::any handler) {
  methods_[name] = std::move(handler);
}

const std::any* TQRComponent::FindMethod(const QString& name) const {
  auto it = methods_.find(name);
  return it == methods_.end() ? nullptr : &it->second;
}
