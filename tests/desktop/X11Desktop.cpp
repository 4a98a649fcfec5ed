#include "X11Desktop.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace desktop {
namespace {

// Runs a command line and returns what it printed; throws when it fails.
QString Run(const QString& command) {
  FILE* pipe = ::popen(command.toLocal8Bit().constData(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot run " + command.toStdString());
  QByteArray out;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  if (::pclose(pipe) != 0) throw std::runtime_error("failed: " + command.toStdString());
  return QString::fromLocal8Bit(out);
}

QString Hex(unsigned long window) { return QStringLiteral("0x%1").arg(window, 0, 16); }

}  // namespace

std::vector<TopWindow> TopWindowsTopFirst() {
  // xwininfo lists the root's children from the top of the stack down; each
  // line ends with the size, the position relative to the parent and the
  // position on the screen: "202x225+150+150  +150+150".
  static const QRegularExpression line(QStringLiteral(
      R"(^\s+(0x[0-9a-f]+) .*\s(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+)\s*$)"));
  std::vector<TopWindow> windows;
  for (const QString& text : Run(QStringLiteral("xwininfo -root -children")).split(u'\n')) {
    const QRegularExpressionMatch m = line.match(text);
    if (!m.hasMatch()) continue;
    windows.push_back({m.captured(1),
                       QRect(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(2).toInt(),
                             m.captured(3).toInt()),
                       text.trimmed()});
  }
  return windows;
}

std::optional<QString> TopWindowOf(unsigned long window) {
  static const QRegularExpression parent(QStringLiteral(R"(Parent window id: (0x[0-9a-f]+)(.*))"));
  QString id = Hex(window);
  for (int depth = 0; depth < 16; ++depth) {
    const QRegularExpressionMatch m =
        parent.match(Run(QStringLiteral("xwininfo -children -id %1").arg(id)));
    if (!m.hasMatch()) return std::nullopt;
    if (m.captured(2).contains(QStringLiteral("the root window"))) return id;
    id = m.captured(1);
  }
  return std::nullopt;
}

bool IsViewable(const QString& id) {
  return Run(QStringLiteral("xwininfo -id %1").arg(id)).contains(QStringLiteral("IsViewable"));
}

std::vector<TopWindow> WindowsCovering(unsigned long window, QString* failure) {
  const std::optional<QString> top = TopWindowOf(window);
  if (!top) {
    *failure = QStringLiteral("window %1 has no frame on the screen").arg(Hex(window));
    return {};
  }
  const std::vector<TopWindow> windows = TopWindowsTopFirst();
  auto frame = std::find_if(windows.begin(), windows.end(),
                            [&](const TopWindow& w) { return w.id == *top; });
  if (frame == windows.end() || !IsViewable(frame->id)) {
    *failure = QStringLiteral("frame %1 is not on the screen").arg(*top);
    return {};
  }
  std::vector<TopWindow> covering;
  for (auto above = windows.begin(); above != frame; ++above)
    if (above->rect.intersects(frame->rect) && IsViewable(above->id)) covering.push_back(*above);
  return covering;
}

void ClickAt(QPoint point) {
  Run(QStringLiteral("xdotool mousemove --sync %1 %2 click 1").arg(point.x()).arg(point.y()));
}

void PressKey(const char* keyName) {
  Run(QStringLiteral("xdotool key --clearmodifiers %1").arg(QLatin1String(keyName)));
}

void SaveScreen(const QString& path) { Run(QStringLiteral("import -window root '%1'").arg(path)); }

}  // namespace desktop
