// What a screen reader is told about the entry window's input boxes: each
// is labelled by the label beside or above it, with the label's text as it
// stands, and the two time pickers, which share a label with their date
// pickers, carry that label's text as their name.

#include <QAccessible>
#include <QLabel>

#include "EntryWindowFixture.h"

namespace {

using EntryWindowAccessibility = EntryWindowTest;

// The labels a screen reader reads for `box`: the relation from its label,
// as Linux's accessibility bridge reports it.
QStringList LabelsOf(QWidget* box) {
  QStringList labels;
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
  if (!iface) return labels;
  for (const auto& [label, relation] : iface->relations(QAccessible::Label))
    if (label) labels << label->text(QAccessible::Name);
  return labels;
}

QString NameOf(QWidget* widget) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
  return iface ? iface->text(QAccessible::Name) : QString();
}

TEST_F(EntryWindowAccessibility, EveryInputBoxIsLabelledByItsLabel) {
  ShowAndActivate();
  struct Case {
    QWidget* box;
    const char* label;
    bool nameIsLabel;  // choice boxes are named by their text, labelled by relation
  };
  const TFormPermiso& f = *form_;
  const Case cases[] = {
      {f.Folio, "No. Permiso", true},
      {f.Dependencia, "Dependencia o Entidad", false},
      {f.Comision, "Comisión ", true},  // the trailing blank as the label has it
      {f.Destino, "Destino", false},
      {f.Conductor, "Responsable/Conductor", true},
      {f.Placa, "Placa", true},
      {f.NoEco, "No. Econ.", true},
      {f.Marca, "Marca", false},
      {f.Tipo, "Tipo", true},
      {f.Modelo, "Modelo", false},
      {f.Color, "Color", false},
      {f.Fecha1, "DE", true},
      {f.Fecha2, "A:", true},
      {f.Admon, "Titular Administrativo de la Depencencia o Entidad", true},
      {f.Titular, "Titular de la Dependencia o Entidad", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box->objectName().toStdString());
    EXPECT_EQ(LabelsOf(c.box), QStringList({QString::fromUtf8(c.label)}));
    if (c.nameIsLabel) {
      EXPECT_EQ(NameOf(c.box), QString::fromUtf8(c.label));
    }
  }
  EXPECT_EQ(NameOf(f.Hora1), QStringLiteral("DE"));
  EXPECT_EQ(NameOf(f.Hora2), QStringLiteral("A:"));
  EXPECT_EQ(NameOf(f.reservada), QStringLiteral("Información Reservada"));
  EXPECT_EQ(NameOf(f.BtnPreliminar), QStringLiteral("PRELIMINAR"));
}

// Every box the Tab key reaches has a name or a label.
TEST_F(EntryWindowAccessibility, NoBoxTheTabKeyReachesIsNameless) {
  ShowAndActivate();
  QWidget* first = QApplication::focusWidget();
  ASSERT_NE(first, nullptr);
  QWidget* w = first;
  int visited = 0;
  do {
    SCOPED_TRACE(w->objectName().toStdString());
    EXPECT_FALSE(NameOf(w).isEmpty() && LabelsOf(w).isEmpty());
    QTest::keyClick(w, Qt::Key_Tab);
    w = QApplication::focusWidget();
    ASSERT_NE(w, nullptr);
  } while (w != first && ++visited < 40);
  EXPECT_LT(visited, 40) << "the Tab key comes back to the first box";
}

}  // namespace
