#pragma once
// Push button with a picture above its caption. Space, Enter and Return
// press it while it has the focus.

#include <QToolButton>

class TBitBtn : public QToolButton {
  Q_OBJECT
 public:
  explicit TBitBtn(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
