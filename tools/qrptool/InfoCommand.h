#pragma once

#include <QString>

// The header's fields, then one line per page record.
QString PreparedFileInfo(const QString& fileName);
