#include "QRThumbnailModel.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <exception>

#include "Metafile.h"
#include "QRPrinter.h"

namespace {

// Letter portrait, when no page tells the shape yet.
constexpr double kDefaultAspect = 279.4 / 215.9;

}  // namespace

TQRThumbnailModel::TQRThumbnailModel(std::function<TQRPrinter*()> printer, QObject* parent)
    : QAbstractListModel(parent), printer_(std::move(printer)) {
  pictures_.setMaxCost(kKeptPictures);
  drawing_.setInterval(0);
  connect(&drawing_, &QTimer::timeout, this, [this] { DrawWaiting(); });
}

int TQRThumbnailModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TQRThumbnailModel::PictureHeight() const {
  const double aspect = pageAspect_ > 0 ? pageAspect_ : kDefaultAspect;
  return int(std::lround(width_ * aspect));
}

void TQRThumbnailModel::PagesArrived() {
  TQRPrinter* printer = printer_ ? printer_() : nullptr;
  const int pages = printer ? printer->PageCount() : 0;
  if (pageAspect_ == 0 && pages > 0) LearnPageShape(*printer);
  if (pages > rows_) {
    beginInsertRows(QModelIndex(), rows_, pages - 1);
    rows_ = pages;
    endInsertRows();
  }
  // Pages asked for before they were stored can be drawn now.
  for (int page : std::exchange(notStored_, {})) {
    const QModelIndex row = index(page - 1);
    emit dataChanged(row, row, {Qt::DecorationRole});
  }
}

void TQRThumbnailModel::PagesReplaced() {
  beginResetModel();
  pictures_.clear();
  waiting_.clear();
  notStored_.clear();
  pageAspect_ = 0;
  rows_ = 0;
  endResetModel();
  PagesArrived();
}

void TQRThumbnailModel::SetPictureWidth(int width, qreal devicePixelRatio) {
  if (width == width_ && devicePixelRatio == ratio_) return;
  width_ = std::max(1, width);
  ratio_ = devicePixelRatio > 0 ? devicePixelRatio : 1;
  pictures_.clear();
  if (rows_ > 0) emit dataChanged(index(0), index(rows_ - 1));
}

QVariant TQRThumbnailModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_) return {};
  const int page = index.row() + 1;
  switch (role) {
    case Qt::DisplayRole:
      return QString::number(page);
    case Qt::AccessibleTextRole:
      return QStringLiteral("Page %1").arg(page);
    case Qt::DecorationRole: {
      if (const QPixmap* picture = pictures_.object(page)) return *picture;
      // Asked for: it is in view, so it is drawn soon.
      const auto known = std::find(waiting_.begin(), waiting_.end(), page);
      if (known != waiting_.end()) waiting_.erase(known);
      waiting_.push_back(page);
      if (waiting_.size() > kWaitingRows) waiting_.pop_front();
      if (!drawing_.isActive()) drawing_.start();
      return QPixmap();
    }
    default:
      return {};
  }
}

// The pages asked for last are drawn first: they are the ones in view.
void TQRThumbnailModel::DrawWaiting() {
  QElapsedTimer clock;
  clock.start();
  while (!waiting_.empty() && clock.elapsed() < kSliceMilliseconds) {
    const int page = waiting_.back();
    waiting_.pop_back();
    if (page > rows_ || pictures_.contains(page)) continue;
    const QPixmap picture = Draw(page);
    if (picture.isNull()) {
      notStored_.insert(page);
      continue;
    }
    pictures_.insert(page, new QPixmap(picture));
    const QModelIndex row = index(page - 1);
    emit dataChanged(row, row, {Qt::DecorationRole});
  }
  if (waiting_.empty()) drawing_.stop();
}

// Every row is as high as page 1 needs, so that the view lays out a report
// of any length at once.
void TQRThumbnailModel::LearnPageShape(TQRPrinter& printer) {
  std::unique_ptr<TMetafile> first;
  try {
    first = printer.FetchPage(1);
  } catch (const std::exception&) {
    return;  // a damaged first page keeps the default shape
  }
  if (!first || first->Width() <= 0 || first->Height() <= 0) return;
  emit layoutAboutToBeChanged();
  pageAspect_ = double(first->Height()) / first->Width();
  emit layoutChanged();
}

QPixmap TQRThumbnailModel::Draw(int page) {
  TQRPrinter* printer = printer_ ? printer_() : nullptr;
  if (!printer) return {};
  std::unique_ptr<TMetafile> metafile;
  try {
    metafile = printer->FetchPage(page);
  } catch (const std::exception&) {
    // A damaged page shows as an empty sheet; shown large, it says why.
    QImage blank(QSize(width_, PictureHeight()) * ratio_, QImage::Format_RGB32);
    blank.fill(Qt::white);
    ++drawn_;
    QPixmap picture = QPixmap::fromImage(blank);
    picture.setDevicePixelRatio(ratio_);
    return picture;
  }
  if (!metafile || metafile->Width() <= 0 || metafile->Height() <= 0) return {};
  // Each page keeps its own shape inside a picture of the list's width.
  const double aspect = double(metafile->Height()) / metafile->Width();
  const QSize logical(width_, std::max(1, int(std::lround(width_ * aspect))));
  QImage image(logical * ratio_, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio_);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    metafile->Play(painter, QRectF(QPointF(0, 0), QSizeF(logical)));
  }
  ++drawn_;
  return QPixmap::fromImage(std::move(image));
}
