#include "LegalNotice.h"

#include <QStringList>

namespace permit {

QString LegalNoticeText() {
  // Copied blank for blank: line 1 has two blanks before CONTROL, line 3 two
  // after DEL and after A, line 7 ends with a blank.
  static const char16_t* const kLines[] = {
      u"DE CONFORMIDAD A LO ESTABLECIDO EN EL ART. 15 FRACCIÓN II INCISO A) DE LOS LINEAMIENTOS "
      u"PARA EL  CONTROL Y",
      u"USO DE VEHICULOS OFICIALES DEL GOBIERNO DEL ESTADO DE QUELMORA, EL PRESENTE PERMISO DE "
      u"CIRCULACIÓN",
      u"SURTE EFECTO CON UNA HORA DE DESFASAMIENTO A PARTIR DE LA NOTIFICACIÓN DE LA EXPEDICIÓN "
      u"DEL  MISMO A  LA",
      u"DORVANTIL.",
      u"",
      u"",
      u"ES NECESARIO QUE EL PRESENTE PERMISO SE ENTREGUE AL SERVIDOR PÚBLICO COMISIONADO, UNA VEZ "
      u"QUE ÉSTE CUENTE ",
      u"CON LA TOTALIDAD DE LAS FIRMAS REQUERIDAS Y SE CONSERVE COPIA DEL MISMO EN LOS REGISTROS "
      u"DE LA DEPENDENCIA",
      u"O ENTIDAD PARA CUALQUIER FUTURA ACLARACIÓN",
      u"",
      u"",
      u"EL ORIGINAL DE ESTE PERMISO DEBERA DE SER PORTADO A LA VISTA EN EL VEHICULO",
  };
  QStringList lines;
  for (const char16_t* line : kLines) lines << QString::fromUtf16(line);
  return lines.join(u'\r');
}

QString LegalNoticeCaption() { return QStringLiteral("Información"); }

}  // namespace permit
