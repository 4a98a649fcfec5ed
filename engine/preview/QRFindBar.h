#pragma once
// The find bar under the preview's toolbar: a text box, Next, Previous,
// "Match case", the count «n of m» and a button that closes the bar. Typing
// searches as the text changes; Enter goes to the next match, Shift+Enter
// to the previous one. The bar only reports what the user asks for; the
// window searches.

#include <QWidget>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;

class TQRFindBar : public QWidget {
  Q_OBJECT

 public:
  explicit TQRFindBar(QWidget* parent = nullptr);

  // Shows the bar with the focus in its text box, the text selected.
  void Open();
  QString Text() const;
  Qt::CaseSensitivity CaseSensitivity() const;
  // «n of m»: the current match (0 for none) of the matches found; while
  // pages are still being read, " …" follows.
  void ShowCount(int current, int count, bool reading);
  QString CountText() const;

  std::function<void()> OnQueryChanged;
  std::function<void()> OnNext;
  std::function<void()> OnPrevious;
  std::function<void()> OnClose;

  QLineEdit* FindText;
  QToolButton* NextMatch;
  QToolButton* PreviousMatch;
  QCheckBox* MatchCase;
  QLabel* MatchCount;
  QToolButton* CloseBar;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
