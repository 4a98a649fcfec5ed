#include "QRFindBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

#include "HandlerGuard.h"

namespace {

constexpr int kTextWidth = 220;  // pixels

void Call(const std::function<void()>& handler) {
  if (handler) platform::RunHandler(handler);
}

QToolButton* TextButton(QWidget* parent, const QString& name, const QString& text,
                        const QString& tip) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(text);
  button->setToolTip(tip);
  button->setAccessibleName(text);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

}  // namespace

TQRFindBar::TQRFindBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FindBar"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);

  FindText = new QLineEdit(this);
  FindText->setObjectName(QStringLiteral("FindText"));
  FindText->setAccessibleName(QStringLiteral("Find"));
  FindText->setPlaceholderText(QStringLiteral("Find"));
  FindText->setClearButtonEnabled(true);
  FindText->setFixedWidth(kTextWidth);
  FindText->installEventFilter(this);
  NextMatch = TextButton(this, QStringLiteral("NextMatch"), QStringLiteral("Next"),
                         QStringLiteral("Next (Enter, F3)"));
  PreviousMatch = TextButton(this, QStringLiteral("PreviousMatch"), QStringLiteral("Previous"),
                             QStringLiteral("Previous (Shift+Enter, Shift+F3)"));
  MatchCase = new QCheckBox(QStringLiteral("Match case"), this);
  MatchCase->setObjectName(QStringLiteral("MatchCase"));
  MatchCount = new QLabel(this);
  MatchCount->setObjectName(QStringLiteral("MatchCount"));
  MatchCount->setAccessibleName(QStringLiteral("Matches"));
  CloseBar = new QToolButton(this);
  CloseBar->setObjectName(QStringLiteral("CloseBar"));
  CloseBar->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  CloseBar->setToolTip(QStringLiteral("Close the find bar (Esc)"));
  CloseBar->setAccessibleName(QStringLiteral("Close the find bar"));
  CloseBar->setAutoRaise(true);
  CloseBar->setFocusPolicy(Qt::TabFocus);

  layout->addWidget(FindText);
  layout->addWidget(NextMatch);
  layout->addWidget(PreviousMatch);
  layout->addWidget(MatchCase);
  layout->addWidget(MatchCount);
  layout->addStretch(1);
  layout->addWidget(CloseBar);

  connect(FindText, &QLineEdit::textChanged, this, [this] { Call(OnQueryChanged); });
  connect(MatchCase, &QCheckBox::toggled, this, [this] { Call(OnQueryChanged); });
  connect(NextMatch, &QToolButton::clicked, this, [this] { Call(OnNext); });
  connect(PreviousMatch, &QToolButton::clicked, this, [this] { Call(OnPrevious); });
  connect(CloseBar, &QToolButton::clicked, this, [this] { Call(OnClose); });
  ShowCount(0, 0, false);
  hide();
}

void TQRFindBar::Open() {
  show();
  FindText->setFocus(Qt::ShortcutFocusReason);
  FindText->selectAll();
}

QString TQRFindBar::Text() const { return FindText->text(); }

Qt::CaseSensitivity TQRFindBar::CaseSensitivity() const {
  return MatchCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

void TQRFindBar::ShowCount(int current, int count, bool reading) {
  MatchCount->setText(QStringLiteral("%1 of %2").arg(current).arg(count) +
                      (reading ? QStringLiteral(" …") : QString()));
}

QString TQRFindBar::CountText() const { return MatchCount->text(); }

// Enter in the text box is Next, Shift+Enter Previous.
bool TQRFindBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FindText && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      Call(key->modifiers() & Qt::ShiftModifier ? OnPrevious : OnNext);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
