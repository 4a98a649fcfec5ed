#pragma once
// The owned-object tree every report object lives in: a component has a
// name unique among its owner's components, is freed with its owner, tells
// the owner's other components when it goes away, and knows whether a
// design is loading into it. Designs bind event properties to handlers that
// the design's root publishes by name.

#include <QString>

#include <any>
#include <map>
#include <vector>

class TDesignValue;
class TDesignReader;

enum class TQROperation { opInsert, opRemove };

class TQRComponent {
 public:
  explicit TQRComponent(TQRComponent* owner);
  virtual ~TQRComponent();
  TQRComponent(const TQRComponent&) = delete;
  TQRComponent& operator=(const TQRComponent&) = delete;

  virtual QString ClassName() const { return QStringLiteral("TQRComponent"); }

  const QString& Name() const { return name_; }
  // Empty, or an identifier no other component of the owner carries
  // (compared without regard to case); anything else raises EError.
  virtual void SetName(const QString& name);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  TQRComponent* Owner() const { return owner_; }
  const std::vector<TQRComponent*>& Components() const { return components_; }
  TQRComponent* FindComponent(const QString& name) const;

  bool Loading() const { return loading_; }
  void BeginLoading() { loading_ = true; }
  // A load that failed: the component is no longer loading, with no loaded step.
  void AbandonLoading() { loading_ = false; }
  // End of loading a design: the component's stored values take effect.
  virtual void Loaded() { loading_ = false; }
  bool Destroying() const { return destroying_; }
  // Set while a designer edits the object; only then are refusals shown.
  bool Designing() const { return designing_; }
  void SetDesigning(bool designing) { designing_ = designing; }

  // Another component of the same owner came or is going away.
  virtual void Notification(TQRComponent* component, TQROperation operation);

  // Applies one property of a design; false when the class has no such property.
  virtual bool ReadProperty(const QString& name, const TDesignValue& value,
                            TDesignReader& reader);

  // Event handlers a design may bind by name (a std::function of the event's type).
  void PublishMethod(const QString& name, std::any handler);
  const std::any* FindMethod(const QString& name) const;

 protected:
  // Frees the owned components now; derived destructors call it first so
  // that the components see their owner whole while they go.
  void DestroyComponents();
  void BeginDestroy() { destroying_ = true; }

 private:
  void InsertComponent(TQRComponent* component);
  void RemoveComponent(TQRComponent* component);

  TQRComponent* owner_ = nullptr;
  std::vector<TQRComponent*> components_;
  QString name_;
  int tag_ = 0;
  bool loading_ = false;
  bool destroying_ = false;
  bool designing_ = false;
  std::map<QString, std::any> methods_;
};

// Shown by a refused design action while designing. The design surface
// installs the sink; without one nothing is shown.
using TDesignNoticeSink = void (*)(const QString& message);
void SetDesignNoticeSink(TDesignNoticeSink sink);
void ShowDesignNotice(const QString& message);
