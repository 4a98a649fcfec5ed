#pragma once
// The legal notice shown before every preview: 12 lines joined by a single
// carriage return (no line feed, none after the last line).

#include <QString>

namespace permit {

QString LegalNoticeText();
QString LegalNoticeCaption();  // "Información"

}  // namespace permit
