#include "QRControl.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "DesignValue.h"
#include "ReferenceCanvas.h"

namespace {
// Font sizes and heights a design may give, points or pixels.
constexpr std::int64_t kMaxFontSize = 32767;
}  // namespace

TQRControl::TQRControl(TQRComponent* owner) : TQRComponent(owner) {}

TQRControl::~TQRControl() {
  DestroyControls();
  if (parent_ != nullptr) {
    auto& siblings = parent_->controls_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    parent_ = nullptr;
  }
}

void TQRControl::DestroyControls() {
  BeginDestroy();
  while (!controls_.empty()) delete controls_.back();
}

void TQRControl::SetParent(TQRControl* parent) {
  if (parent == parent_) return;
  for (TQRControl* p = parent; p != nullptr; p = p->parent_)
    if (p == this) return;  // a control cannot hold itself
  if (parent_ != nullptr) {
    auto& siblings = parent_->controls_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  parent_ = parent;
  if (parent_ != nullptr) {
    parent_->controls_.push_back(this);
    if (parentFont_) InheritFont(parent_->font_);
  }
}

void TQRControl::SetBounds(int left, int top, int width, int height) {
  ApplyBounds(left, top, width, height);
}

void TQRControl::ApplyBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
}

void TQRControl::SetFont(const TFontSpec& font) {
  parentFont_ = false;
  font_ = font;
  for (TQRControl* child : controls_)
    if (child->parentFont_) child->InheritFont(font_);
  FontChanged();
}

void TQRControl::InheritFont(const TFontSpec& font) {
  font_ = font;
  for (TQRControl* child : controls_)
    if (child->parentFont_) child->InheritFont(font_);
  FontChanged();
}

void TQRControl::SetParentFont(bool parentFont) {
  parentFont_ = parentFont;
  if (parentFont_ && parent_ != nullptr) InheritFont(parent_->font_);
}

void TQRControl::Paint(TCanvas&, QPoint) {}

bool TQRControl::ReadProperty(const QString& name, const TDesignValue& value,
                              TDesignReader& reader) {
  if (name == QLatin1String("Left")) {
    SetLeft(AsInteger(value));
  } else if (name == QLatin1String("Top")) {
    SetTop(AsInteger(value));
  } else if (name == QLatin1String("Width")) {
    SetWidth(AsInteger(value));
  } else if (name == QLatin1String("Height")) {
    SetHeight(AsInteger(value));
  } else if (name == QLatin1String("Color")) {
    SetColor(AsColor(value));
  } else if (name == QLatin1String("Enabled")) {
    SetEnabled(AsBoolean(value));
  } else if (name == QLatin1String("Visible")) {
    SetVisible(AsBoolean(value));
  } else if (name == QLatin1String("ParentFont")) {
    SetParentFont(AsBoolean(value));
  } else if (name.startsWith(QLatin1String("Font."))) {
    TFontSpec font = font_;
    if (!ReadFontProperty(font, name.mid(5), value)) return false;
    SetFont(font);
  } else {
    return TQRComponent::ReadProperty(name, value, reader);
  }
  return true;
}

bool ReadFontProperty(TFontSpec& font, const QString& name, const TDesignValue& value) {
  if (name == QLatin1String("Name")) {
    font.face = AsString(value);
  } else if (name == QLatin1String("Size")) {
    const int size = AsInteger(value);
    if (size == 0 || std::abs(std::int64_t(size)) > kMaxFontSize)
      throw EDesignError(value.Line(), QStringLiteral("font size %1 out of range").arg(size));
    font.pointSize = std::abs(size);
  } else if (name == QLatin1String("Height")) {
    // A pixel height as drawn on the screen; the point size is what is kept.
    const int height = AsInteger(value);
    if (height == 0 || std::abs(std::int64_t(height)) > kMaxFontSize)
      throw EDesignError(value.Line(), QStringLiteral("font height %1 out of range").arg(height));
    font.pointSize = double(std::lround(std::abs(height) * 72.0 / ScreenPixelsPerInch()));
  } else if (name == QLatin1String("Color")) {
    font.color = AsColor(value);
  } else if (name == QLatin1String("Charset")) {
    const int charset = AsInteger(value);
    if (charset < 0 || charset > 255)
      throw EDesignError(value.Line(),
                         QStringLiteral("character set %1 out of range").arg(charset));
    font.charset = charset;
  } else if (name == QLatin1String("Style")) {
    TFontStyles style;
    for (const QString& s : AsIdentifierSet(value)) {
      if (s == QLatin1String("fsBold"))
        style.bold = true;
      else if (s == QLatin1String("fsItalic"))
        style.italic = true;
      else if (s == QLatin1String("fsUnderline"))
        style.underline = true;
      else if (s == QLatin1String("fsStrikeOut"))
        style.strikeOut = true;
      else
        throw EDesignError(value.Line(), QStringLiteral("unknown font style %1").arg(s));
    }
    font.style = style;
  } else {
    return false;
  }
  return true;
}
