#pragma once
// Reads the text of a design into a tree of objects, each with its
// properties and nested objects in the order written. Syntax only: what the
// names mean is the loader's and the classes' business. Any fault raises
// EDesignError naming the line.

#include <QString>

#include <memory>
#include <optional>
#include <vector>

#include "DesignValue.h"

struct TDesignObject;

// One line of an object: a property with its value, or a nested object.
struct TDesignMember {
  int line = 0;
  QString property;
  std::optional<TDesignValue> value;
  std::unique_ptr<TDesignObject> object;
};

struct TDesignObject {
  int line = 0;
  QString name;
  QString className;
  std::vector<TDesignMember> members;
};

// Objects nest at most this deep; a list holds lists at most this deep.
inline constexpr int kMaxDesignDepth = 32;

TDesignObject ParseDesign(const QString& text);
