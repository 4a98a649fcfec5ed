#pragma once
// The pages of a printer as a list of small pictures, one row a page. A
// page's picture is drawn from its stored records only once a view asks for
// it, that is once it comes into view; until then the row has none. Drawn
// pictures are kept, up to kKeptPictures, the least recently asked for
// going first, so that a report of any length costs the same memory.

#include <QAbstractListModel>
#include <QCache>
#include <QPixmap>
#include <QTimer>
#include <deque>
#include <functional>
#include <set>

class TQRPrinter;

class TQRThumbnailModel : public QAbstractListModel {
  Q_OBJECT

 public:
  // `printer` tells the printer whose pages are shown, whenever asked.
  explicit TQRThumbnailModel(std::function<TQRPrinter*()> printer, QObject* parent = nullptr);

  // More pages may have been stored: rows are added for them, and pages
  // asked for before they were stored are drawn now.
  void PagesArrived();
  // Other pages (a file loaded, or none): every row and picture goes.
  void PagesReplaced();

  // The pictures' width, device-independent pixels, and the screen's
  // pixels per such pixel; pictures already drawn are drawn again.
  void SetPictureWidth(int width, qreal devicePixelRatio);
  int PictureWidth() const { return width_; }
  // Height of a picture for the first page's shape (Letter portrait
  // without pages).
  int PictureHeight() const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  // Display: the page number; decoration: the picture, a null pixmap
  // while it is not drawn yet.
  QVariant data(const QModelIndex& index, int role) const override;

  // Pictures drawn since the model began, and those kept now.
  int DrawnCount() const { return drawn_; }
  int KeptCount() const { return pictures_.count(); }

  static constexpr int kKeptPictures = 256;
  // Rows asked for that wait to be drawn; older asks beyond these (rows
  // scrolled past) are forgotten.
  static constexpr size_t kWaitingRows = 64;
  // The longest one round of drawing runs before it lets events in.
  static constexpr int kSliceMilliseconds = 12;

 private:
  void DrawWaiting();
  QPixmap Draw(int page);
  void LearnPageShape(TQRPrinter& printer);

  std::function<TQRPrinter*()> printer_;
  int rows_ = 0;
  int width_ = 120;
  qreal ratio_ = 1;
  double pageAspect_ = 0;  // height / width of page 1, 0 while unknown
  QCache<int, QPixmap> pictures_;
  // Pages asked for, most recent last.
  mutable std::deque<int> waiting_;
  // Pages asked for before they were stored.
  std::set<int> notStored_;
  mutable QTimer drawing_;
  int drawn_ = 0;
};
