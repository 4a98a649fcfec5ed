#pragma once
// A set of measures stored in tenths of a millimetre (extended precision)
// and read or written in the holder's current unit. Pixels depend on the
// holder's screen resolution and zoom, Characters on the owning report's
// font size. Designs store the measures as one Values list in native units.

#include <vector>

#include "QRUnit.h"

class TQRCustomReport;
class TDesignValue;
class TDesignReader;
class QString;

class TQRUnitBase {
 public:
  explicit TQRUnitBase(int valueCount);
  virtual ~TQRUnitBase() = default;
  TQRUnitBase(const TQRUnitBase&) = delete;
  TQRUnitBase& operator=(const TQRUnitBase&) = delete;

  virtual long double ToUnits(long double stored, TQRDirection direction) const;
  virtual long double FromUnits(long double value, TQRDirection direction) const;
  virtual TQRUnit Units() const { return units_; }
  virtual void Loaded() {}
  // The Values list of a design, as stored values in the holder's order.
  virtual void ReadValues(const std::vector<long double>& values);
  virtual void ResizeOwner() {}
  virtual void SetUnits(TQRUnit units) { units_ = units; }
  virtual std::vector<long double> WriteValues() const { return values_; }

  // Remember the current unit and read in Pixels; RestoreUnits goes back.
  void SwitchToPixels();
  void RestoreUnits();

  // A stored value converted as `units` would read it, whatever the current unit.
  long double ToUnitsAs(TQRUnit units, long double stored, TQRDirection direction) const;
  long double FromUnitsAs(TQRUnit units, long double value, TQRDirection direction) const;

  int Resolution() const { return resolution_; }
  int Zoom() const { return zoom_; }
  void SetZoom(int zoom) { zoom_ = zoom; }
  TQRCustomReport* ParentReport() const { return report_; }
  void SetParentReport(TQRCustomReport* report) { report_ = report; }
  bool UpdatingOwner() const { return updatingOwner_; }

  int ValueCount() const { return int(values_.size()); }
  long double StoredValue(int index) const { return values_[std::size_t(index)]; }
  // Measure `index` as whole screen pixels at the holder's resolution and
  // zoom, whatever the current unit: the on-screen image of the value.
  int RoundedPixels(int index, TQRDirection direction) const;

  // Values (a list of ValueCount() numbers); false for another name.
  virtual bool ReadProperty(const QString& name, const TDesignValue& value, TDesignReader& reader);

 protected:
  void Store(int index, long double stored) { values_[std::size_t(index)] = stored; }
  // Reading and writing measure `index` in the current unit.
  long double Get(int index, TQRDirection direction) const;
  void Put(int index, TQRDirection direction, long double value);

  // Set while the holder resizes its owner, so that the owner's own bounds
  // change does not come back as a new measure. Nested resizes (a band laid
  // out again while its size resizes it) leave the flag as they found it.
  class TUpdatingOwner {
   public:
    explicit TUpdatingOwner(TQRUnitBase& holder)
        : holder_(holder), previous_(holder.updatingOwner_) {
      holder_.updatingOwner_ = true;
    }
    ~TUpdatingOwner() { holder_.updatingOwner_ = previous_; }
    TUpdatingOwner(const TUpdatingOwner&) = delete;
    TUpdatingOwner& operator=(const TUpdatingOwner&) = delete;

   private:
    TQRUnitBase& holder_;
    bool previous_;
  };

 private:
  long double CharacterSize(TQRDirection direction) const;

  std::vector<long double> values_;
  int resolution_;
  TQRUnit units_;
  TQRUnit savedUnits_;
  TQRCustomReport* report_ = nullptr;
  bool updatingOwner_ = false;
  int zoom_ = 100;
};

// Keeps a holder in `units` for a scope and puts its unit back afterwards,
// without touching the unit SwitchToPixels remembers.
class TUnitsScope {
 public:
  TUnitsScope(TQRUnitBase& holder, TQRUnit units) : holder_(holder), previous_(holder.Units()) {
    holder_.SetUnits(units);
  }
  ~TUnitsScope() { holder_.SetUnits(previous_); }
  TUnitsScope(const TUnitsScope&) = delete;
  TUnitsScope& operator=(const TUnitsScope&) = delete;

 private:
  TQRUnitBase& holder_;
  TQRUnit previous_;
};

// The unit a new holder starts in: Inches where the default locale uses the
// U.S. measurement system, else MM.
TQRUnit LocaleDefaultUnits();
