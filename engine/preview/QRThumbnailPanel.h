#pragma once
// The side panel of page pictures: one below the other, each with its page
// number, the page on view marked. Clicking a picture, or moving to it with
// the arrow keys once a click gave the panel the focus, shows that page. Pictures are
// drawn as they come into view (TQRThumbnailModel).

#include <QListView>
#include <functional>

class TQRPrinter;
class TQRThumbnailModel;

class TQRThumbnailPanel : public QListView {
  Q_OBJECT

 public:
  TQRThumbnailPanel(std::function<TQRPrinter*()> printer, QWidget* parent = nullptr);

  TQRThumbnailModel& Model() const { return *model_; }
  // Marks `page` as the one on view and scrolls it into the panel, without
  // telling OnPageChosen.
  void MarkPage(int page);
  int MarkedPage() const;

  // The user chose a page in the panel.
  std::function<void(int page)> OnPageChosen;

  // Width of a picture, device-independent pixels.
  static constexpr int kPictureWidth = 120;

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void showEvent(QShowEvent* event) override;

 private:
  TQRThumbnailModel* model_;
  bool marking_ = false;
};
