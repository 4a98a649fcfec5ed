#pragma once
// Multi-line memo. Its text as stored has a carriage return and line feed
// at each line break; it takes no character that Windows-1252 cannot hold,
// whether typed, composed by an input method, pasted or dropped.

#include <QPlainTextEdit>

class TMemo : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit TMemo(QWidget* parent = nullptr);

  QString Text() const;
  void SetText(const QString& text);

 protected:
  void insertFromMimeData(const QMimeData* source) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
};
