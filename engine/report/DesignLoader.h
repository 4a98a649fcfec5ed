#pragma once
// Loads a design into its root object: the root's own properties, then its
// nested objects, each created by class name (TQRDesignClasses), owned by
// the root, given its name and its parent, and handed its properties in the
// order written. While this runs every object is loading: pixel bounds are
// only remembered, band order and layout wait. References between objects
// are resolved at the end, then each object's loaded step runs, the root
// first. A design that cannot be loaded raises EDesignError naming the line;
// the objects it created are freed again and the root should be discarded.

#include <QString>

class TQRComponent;

void LoadDesign(TQRComponent& root, const QString& text);
// Reads a UTF-8 design file (a resource path works too).
void LoadDesignFile(TQRComponent& root, const QString& path);
