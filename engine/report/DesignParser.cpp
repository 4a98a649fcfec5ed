#include "DesignParser.h"

#include <QRegularExpression>

namespace {

enum class TTokenKind { Name, Integer, Float, String, Symbol, End };

struct TToken {
  TTokenKind kind = TTokenKind::End;
  QString text;
  int line = 1;
};

bool IsNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool IsNamePart(QChar c) {
  return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.');
}
bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool IsHexDigit(QChar c) {
  return IsDigit(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
         (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

class TLexer {
 public:
  explicit TLexer(const QString& text) : text_(text) {}

  TToken Next() {
    SkipBlanks();
    TToken token;
    token.line = line_;
    if (pos_ >= text_.size()) return token;
    const QChar c = text_[pos_];
    if (IsNameStart(c)) {
      token.kind = TTokenKind::Name;
      const qsizetype start = pos_;
      while (pos_ < text_.size() && IsNamePart(text_[pos_])) ++pos_;
      token.text = text_.mid(start, pos_ - start);
    } else if (c == QLatin1Char('\'')) {
      token.kind = TTokenKind::String;
      token.text = ReadString();
    } else if (IsDigit(c) || c == QLatin1Char('-') || c == QLatin1Char('+') || c == QLatin1Char('$')) {
      ReadNumber(token);
    } else if (QStringLiteral("=:[](),").contains(c)) {
      token.kind = TTokenKind::Symbol;
      token.text = c;
      ++pos_;
    } else {
      throw EDesignError(line_, QStringLiteral("unexpected character '%1'").arg(c));
    }
    return token;
  }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size()) {
      const QChar c = text_[pos_];
      if (c == QLatin1Char('\n')) {
        ++line_;
        ++pos_;
      } else if (c.isSpace()) {
        ++pos_;
      } else if (c == QLatin1Char('/') && pos_ + 1 < text_.size() &&
                 text_[pos_ + 1] == QLatin1Char('/')) {
        while (pos_ < text_.size() && text_[pos_] != QLatin1Char('\n')) ++pos_;
      } else {
        return;
      }
    }
  }

  // 'text', a quote inside doubled; the text ends on its own line.
  QString ReadString() {
    QString result;
    ++pos_;
    while (true) {
      if (pos_ >= text_.size() || text_[pos_] == QLatin1Char('\n'))
        throw EDesignError(line_, QStringLiteral("text not closed by a quote"));
      const QChar c = text_[pos_++];
      if (c != QLatin1Char('\'')) {
        result += c;
      } else if (pos_ < text_.size() && text_[pos_] == QLatin1Char('\'')) {
        result += c;
        ++pos_;
      } else {
        return result;
      }
    }
  }

  void ReadNumber(TToken& token) {
    const qsizetype start = pos_;
    if (text_[pos_] == QLatin1Char('-') || text_[pos_] == QLatin1Char('+')) ++pos_;
    bool isFloat = false;
    if (pos_ < text_.size() && text_[pos_] == QLatin1Char('$')) {
      ++pos_;
      while (pos_ < text_.size() && IsHexDigit(text_[pos_])) ++pos_;
    } else {
      while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
      if (pos_ < text_.size() && text_[pos_] == QLatin1Char('.')) {
        isFloat = true;
        ++pos_;
        while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
      }
      if (pos_ < text_.size() && (text_[pos_] == QLatin1Char('e') || text_[pos_] == QLatin1Char('E'))) {
        isFloat = true;
        ++pos_;
        if (pos_ < text_.size() && (text_[pos_] == QLatin1Char('-') || text_[pos_] == QLatin1Char('+')))
          ++pos_;
        while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
      }
    }
    // The number ends where a blank, a symbol or a comment starts.
    while (pos_ < text_.size() && !text_[pos_].isSpace() &&
           !QStringLiteral("=:[](),/").contains(text_[pos_]))
      ++pos_;
    token.text = text_.mid(start, pos_ - start);
    token.kind = isFloat ? TTokenKind::Float : TTokenKind::Integer;
    static const QRegularExpression valid(
        QStringLiteral("^[-+]?(\\$[0-9A-Fa-f]+|[0-9]+(\\.[0-9]*)?([eE][-+]?[0-9]+)?)$"));
    if (!valid.match(token.text).hasMatch())
      throw EDesignError(line_, QStringLiteral("malformed number %1").arg(token.text));
  }

  const QString& text_;
  qsizetype pos_ = 0;
  int line_ = 1;
};

class TParser {
 public:
  explicit TParser(const QString& text) : lexer_(text) { Advance(); }

  TDesignObject ParseRoot() {
    TDesignObject root = ParseObject(0);
    if (token_.kind != TTokenKind::End)
      throw EDesignError(token_.line, QStringLiteral("text after the closing end"));
    return root;
  }

 private:
  void Advance() { token_ = lexer_.Next(); }

  bool IsSymbol(const char* s) const {
    return token_.kind == TTokenKind::Symbol && token_.text == QLatin1String(s);
  }
  bool IsKeyword(const char* s) const {
    return token_.kind == TTokenKind::Name && token_.text == QLatin1String(s);
  }

  [[noreturn]] void Fail(const QString& expected) const {
    const QString found = token_.kind == TTokenKind::End ? QStringLiteral("the end of the design")
                                                         : QStringLiteral("\"%1\"").arg(token_.text);
    throw EDesignError(token_.line, QStringLiteral("expected %1, found %2").arg(expected, found));
  }

  QString ExpectName(const QString& what) {
    if (token_.kind != TTokenKind::Name || token_.text.contains(QLatin1Char('.'))) Fail(what);
    QString name = token_.text;
    Advance();
    return name;
  }

  void ExpectSymbol(const char* s) {
    if (!IsSymbol(s)) Fail(QStringLiteral("'%1'").arg(QLatin1String(s)));
    Advance();
  }

  TDesignObject ParseObject(int depth) {
    if (depth >= kMaxDesignDepth)
      throw EDesignError(token_.line, QStringLiteral("objects nested too deep"));
    if (!IsKeyword("object")) Fail(QStringLiteral("object"));
    TDesignObject object;
    object.line = token_.line;
    Advance();
    object.name = ExpectName(QStringLiteral("an object name"));
    ExpectSymbol(":");
    object.className = ExpectName(QStringLiteral("a class name"));
    while (!IsKeyword("end")) {
      TDesignMember member;
      member.line = token_.line;
      if (IsKeyword("object")) {
        member.object = std::make_unique<TDesignObject>(ParseObject(depth + 1));
      } else {
        if (token_.kind != TTokenKind::Name) Fail(QStringLiteral("a property, object or end"));
        member.property = token_.text;
        Advance();
        ExpectSymbol("=");
        member.value = ParseValue(0);
      }
      object.members.push_back(std::move(member));
    }
    Advance();  // end
    return object;
  }

  TDesignValue ParseValue(int depth) {
    if (depth >= kMaxDesignDepth)
      throw EDesignError(token_.line, QStringLiteral("lists nested too deep"));
    const int line = token_.line;
    switch (token_.kind) {
      case TTokenKind::Integer:
      case TTokenKind::Float:
      case TTokenKind::String:
      case TTokenKind::Name: {
        const auto kind = token_.kind == TTokenKind::Integer ? TDesignValue::Kind::Integer
                          : token_.kind == TTokenKind::Float ? TDesignValue::Kind::Float
                          : token_.kind == TTokenKind::String ? TDesignValue::Kind::String
                                                              : TDesignValue::Kind::Identifier;
        if (kind == TDesignValue::Kind::Identifier && (IsKeyword("object") || IsKeyword("end")))
          Fail(QStringLiteral("a value"));
        TDesignValue value(kind, token_.text, line);
        Advance();
        return value;
      }
      case TTokenKind::Symbol:
        if (IsSymbol("[")) return ParseSet(line);
        if (IsSymbol("(")) return ParseList(line, depth);
        break;
      case TTokenKind::End:
        break;
    }
    Fail(QStringLiteral("a value"));
  }

  TDesignValue ParseSet(int line) {
    TDesignValue set(TDesignValue::Kind::Set, QStringLiteral("[...]"), line);
    Advance();
    if (IsSymbol("]")) {
      Advance();
      return set;
    }
    while (true) {
      const int itemLine = token_.line;
      QString item = ExpectName(QStringLiteral("a name in the set"));
      set.AddItem(TDesignValue(TDesignValue::Kind::Identifier, std::move(item), itemLine));
      if (IsSymbol("]")) break;
      ExpectSymbol(",");
    }
    Advance();
    return set;
  }

  TDesignValue ParseList(int line, int depth) {
    TDesignValue list(TDesignValue::Kind::List, QStringLiteral("(...)"), line);
    Advance();
    while (!IsSymbol(")")) {
      if (token_.kind == TTokenKind::End) Fail(QStringLiteral("')'"));
      list.AddItem(ParseValue(depth + 1));
      if (IsSymbol(",")) Advance();
    }
    Advance();
    return list;
  }

  TLexer lexer_;
  TToken token_;
};

}  // namespace

TDesignObject ParseDesign(const QString& text) { return TParser(text).ParseRoot(); }
