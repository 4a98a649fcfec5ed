#include "QRThumbnailPanel.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QWindow>

#include "HandlerGuard.h"
#include "QRThumbnailModel.h"

namespace {

constexpr int kMargin = 6;         // around a picture, pixels
constexpr int kNumberHeight = 16;  // the page number under it

// A picture on its sheet with a thin frame, the page number below; the
// page on view on the selection's colour.
class TThumbnailDelegate : public QStyledItemDelegate {
 public:
  TThumbnailDelegate(TQRThumbnailModel& model, QObject* parent)
      : QStyledItemDelegate(parent), model_(model) {}

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return QSize(model_.PictureWidth() + 2 * kMargin,
                 model_.PictureHeight() + 2 * kMargin + kNumberHeight);
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    painter->save();
    const QRect cell = option.rect;
    const bool marked = option.state & QStyle::State_Selected;
    if (marked) painter->fillRect(cell, option.palette.highlight());
    const QPixmap picture = index.data(Qt::DecorationRole).value<QPixmap>();
    const QSize size = picture.isNull() ? QSize(model_.PictureWidth(), model_.PictureHeight())
                                        : picture.deviceIndependentSize().toSize();
    const QRect sheet(cell.left() + (cell.width() - size.width()) / 2, cell.top() + kMargin,
                      size.width(), size.height());
    if (picture.isNull())
      painter->fillRect(sheet, option.palette.base());  // not drawn yet
    else
      painter->drawPixmap(sheet.topLeft(), picture);
    painter->setPen(marked ? option.palette.highlightedText().color() : QColor(Qt::black));
    painter->drawRect(sheet.adjusted(0, 0, -1, -1));
    const QRect number(cell.left(), sheet.bottom() + 1, cell.width(), kNumberHeight);
    painter->drawText(number, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
    painter->restore();
  }

 private:
  TQRThumbnailModel& model_;
};

}  // namespace

TQRThumbnailPanel::TQRThumbnailPanel(std::function<TQRPrinter*()> printer, QWidget* parent)
    : QListView(parent), model_(new TQRThumbnailModel(std::move(printer), this)) {
  setObjectName(QStringLiteral("ThumbnailPanel"));
  setAccessibleName(QStringLiteral("Thumbnails"));
  setModel(model_);
  setItemDelegate(new TThumbnailDelegate(*model_, this));
  setViewMode(QListView::ListMode);
  setFlow(QListView::TopToBottom);
  setUniformItemSizes(true);  // a long report lays out at once
  setSelectionMode(QAbstractItemView::SingleSelection);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Taken by a click only: the window's keys page through the report, and
  // opening the window must not hand them to the panel.
  setFocusPolicy(Qt::ClickFocus);
  model_->SetPictureWidth(kPictureWidth, devicePixelRatioF());
  setFixedWidth(kPictureWidth + 2 * kMargin + 2 * frameWidth() +
                verticalScrollBar()->sizeHint().width());
  verticalScrollBar()->setSingleStep(kPictureWidth / 4);
}

// The screen's density is known once the panel is shown on it.
void TQRThumbnailPanel::showEvent(QShowEvent* event) {
  model_->SetPictureWidth(kPictureWidth, devicePixelRatioF());
  QListView::showEvent(event);
}

void TQRThumbnailPanel::MarkPage(int page) {
  const QModelIndex row = model_->index(page - 1);
  // Marked already: the panel stays where the user scrolled it.
  if (!row.isValid() || row == currentIndex()) return;
  marking_ = true;
  setCurrentIndex(row);
  marking_ = false;
  scrollTo(row);
}

int TQRThumbnailPanel::MarkedPage() const {
  return currentIndex().isValid() ? currentIndex().row() + 1 : 0;
}

void TQRThumbnailPanel::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QListView::currentChanged(current, previous);
  if (marking_ || !current.isValid() || !OnPageChosen) return;
  const int page = current.row() + 1;
  platform::RunHandler([&] { OnPageChosen(page); });
}
