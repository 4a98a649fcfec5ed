#pragma once
// Raised errors carry their message text; nothing in the program catches them
// but the message loop, which shows them in the error box. The classes mirror
// the kinds a user can tell apart: file creation, stream reads and writes,
// invalid pictures, and the silent abort that is never shown.

#include <QString>
#include <stdexcept>

class EError : public std::runtime_error {
 public:
  explicit EError(const QString& message)
      : std::runtime_error(message.toStdString()), message_(message) {}
  const QString& Message() const { return message_; }

 private:
  QString message_;
};

// Ends the current operation without any message.
class EAbort : public EError {
 public:
  EAbort() : EError(QString()) {}
};

class EStreamError : public EError {
 public:
  using EError::EError;
};

// "Stream read error"
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
  EReadError() : EStreamError(QStringLiteral("Stream read error")) {}
};

// "Stream write error"
class EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
  EWriteError() : EStreamError(QStringLiteral("Stream write error")) {}
};

// "Cannot create file "<name>". <system reason>"
class EFCreateError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

inline QString CannotCreateFileMessage(const QString& path, const QString& reason) {
  return QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason);
}

class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

// "Metafile is not valid", or another reason a picture cannot be read.
class EInvalidGraphic : public EError {
 public:
  using EError::EError;
};

inline QString MetafileNotValidMessage() { return QStringLiteral("Metafile is not valid"); }
