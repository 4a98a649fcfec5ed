#pragma once
// A visual object of a design: whole-pixel bounds in its parent, colour,
// enabled and visible flags, a font that follows the parent's while
// ParentFont is set, and the parent/child tree (bands in a report, elements
// in a band or the report). Controls are plain objects: the pixel geometry
// is the on-screen image of the design, drawn on demand through a canvas.
// A parent frees its child controls with itself.

#include <QPoint>
#include <QRgb>
#include <vector>

#include "Canvas.h"
#include "QRComponent.h"

class TQRControl : public TQRComponent {
 public:
  explicit TQRControl(TQRComponent* owner);
  ~TQRControl() override;

  QString ClassName() const override { return QStringLiteral("TQRControl"); }

  TQRControl* Parent() const { return parent_; }
  virtual void SetParent(TQRControl* parent);
  const std::vector<TQRControl*>& Controls() const { return controls_; }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  virtual void SetBounds(int left, int top, int width, int height);

  QRgb Color() const { return color_; }
  void SetColor(QRgb color) { color_ = color; }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }

  const TFontSpec& Font() const { return font_; }
  // An own font: ParentFont is cleared, children that follow take it.
  void SetFont(const TFontSpec& font);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool parentFont);

  // Draws the control's on-screen image with its top-left corner at `origin`.
  virtual void Paint(TCanvas& canvas, QPoint origin);
  // The on-screen image no longer shows the control as it is; a design
  // surface repaints it and clears the mark.
  void Invalidate() { needsRepaint_ = true; }
  bool NeedsRepaint() const { return needsRepaint_; }
  void ClearNeedsRepaint() { needsRepaint_ = false; }

  bool ReadProperty(const QString& name, const TDesignValue& value, TDesignReader& reader) override;

 protected:
  // The bounds themselves, without the class's rules.
  void ApplyBounds(int left, int top, int width, int height);
  // Frees the child controls now (see DestroyComponents).
  void DestroyControls();
  // A font that arrives from the parent, not set on the control itself.
  void InheritFont(const TFontSpec& font);
  // The control's font changed, set on it or arriving from the parent.
  virtual void FontChanged() {}

 private:
  TQRControl* parent_ = nullptr;
  std::vector<TQRControl*> controls_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  QRgb color_ = 0xFFFFFFFF;
  bool enabled_ = true;
  bool visible_ = true;
  TFontSpec font_;
  bool parentFont_ = true;
  bool needsRepaint_ = false;
};

// Applies a design's Font.Name, Font.Size (points), Font.Height (pixels at
// the screen's resolution), Font.Style, Font.Color or Font.Charset; false for
// another name.
bool ReadFontProperty(TFontSpec& font, const QString& name, const TDesignValue& value);
