// The headers most files of a target include, precompiled once per target
// (see PrecompiledHeaders.cmake). Only what every file could include anyway:
// Qt parts appear only in targets that use that Qt module.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#ifdef QT_CORE_LIB
#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#endif

#ifdef QT_GUI_LIB
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#endif

#ifdef QT_WIDGETS_LIB
#include <QApplication>
#include <QWidget>
#endif
