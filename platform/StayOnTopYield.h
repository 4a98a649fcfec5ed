#pragma once
// While one of the program's own modal boxes is open, the program's windows
// that stay on top of the others (the printing-progress window) give up that
// place, so that none of them covers the box the user must answer; they take
// it back when the box closes. Their captions, sizes and contents stay as
// they are, and they stay shown.
//
//   platform::TStayOnTopYield yield;  // before the box is shown
//   box.exec();

#include <QPointer>
#include <QWidget>
#include <vector>

namespace platform {

class TStayOnTopYield {
 public:
  TStayOnTopYield();
  ~TStayOnTopYield();
  TStayOnTopYield(const TStayOnTopYield&) = delete;
  TStayOnTopYield& operator=(const TStayOnTopYield&) = delete;

 private:
  std::vector<QPointer<QWidget>> yielded_;
};

}  // namespace platform
