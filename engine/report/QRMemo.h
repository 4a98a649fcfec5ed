#pragma once
// A text element whose text is its Lines, each laid out as a text of its
// own (with AutoSize copied unchanged). A memo raises no print event: it
// empties its Caption while it prints and shows its name as caption after.

#include "QRCustomLabel.h"

class TQRMemo : public TQRCustomLabel {
 public:
  explicit TQRMemo(TQRComponent* owner) : TQRCustomLabel(owner) {}
  QString ClassName() const override { return QStringLiteral("TQRMemo"); }

  bool UsesCaption() const override { return false; }
  void PrintAt(int ofsX, int ofsY) override;
  void Paint(TCanvas& canvas, QPoint origin) override;
  bool ReadProperty(const QString& name, const TDesignValue& value, TDesignReader& reader) override;
};
