#include "DesignLoader.h"

#include <QFile>
#include <QStringDecoder>

#include <vector>

#include "DesignClasses.h"
#include "DesignParser.h"
#include "DesignReader.h"
#include "QRControl.h"

namespace {

class TLoader {
 public:
  explicit TLoader(TQRComponent& root) : root_(root), reader_(root) {}

  void Load(const TDesignObject& design) {
    if (design.className != root_.ClassName())
      throw EDesignError(design.line, QStringLiteral("the design is a %1, not a %2")
                                          .arg(design.className, root_.ClassName()));
    root_.BeginLoading();
    loading_.push_back(&root_);
    try {
      Guarded(design.line, [&] { root_.SetName(design.name); });
      ReadMembers(root_, design);
      reader_.ResolveReferences();
    } catch (...) {
      Abandon();
      throw;
    }
    for (TQRComponent* component : loading_) component->Loaded();
  }

 private:
  // Errors of the objects themselves (a duplicate name) name the line too.
  template <class F>
  static void Guarded(int line, F&& f) {
    try {
      f();
    } catch (const EDesignError&) {
      throw;
    } catch (const EError& e) {
      throw EDesignError(line, e.Message());
    }
  }

  void ReadMembers(TQRComponent& target, const TDesignObject& object) {
    for (const TDesignMember& member : object.members) {
      if (member.object) {
        CreateObject(target, *member.object);
        continue;
      }
      Guarded(member.line, [&] {
        if (!target.ReadProperty(member.property, *member.value, reader_))
          throw EDesignError(member.line, QStringLiteral("%1 has no property %2")
                                              .arg(target.ClassName(), member.property));
      });
    }
  }

  void CreateObject(TQRComponent& parent, const TDesignObject& object) {
    TQRComponent* component = TQRDesignClasses::Instance().Create(object.className, &root_);
    if (component == nullptr)
      throw EDesignError(object.line, QStringLiteral("unknown class %1").arg(object.className));
    created_.push_back(component);
    component->BeginLoading();
    loading_.push_back(component);
    Guarded(object.line, [&] {
      component->SetName(object.name);
      auto* control = dynamic_cast<TQRControl*>(component);
      auto* parentControl = dynamic_cast<TQRControl*>(&parent);
      if (control != nullptr && parentControl != nullptr) control->SetParent(parentControl);
    });
    ReadMembers(*component, object);
  }

  // Frees what this load created, last first, and ends the loading state.
  void Abandon() {
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) delete *it;
    created_.clear();
    root_.AbandonLoading();
  }

  TQRComponent& root_;
  TDesignReader reader_;
  std::vector<TQRComponent*> loading_;
  std::vector<TQRComponent*> created_;
};

}  // namespace

void LoadDesign(TQRComponent& root, const QString& text) {
  const TDesignObject design = ParseDesign(text);
  TLoader(root).Load(design);
}

void LoadDesignFile(TQRComponent& root, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
  const QByteArray bytes = file.readAll();
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = decoder.decode(bytes);
  if (decoder.hasError())
    throw EDesignError(1, QStringLiteral("%1 is not UTF-8 text").arg(path));
  LoadDesign(root, text);
}
