// The entry window as designed: every control's name, kind, geometry and
// font, the tab order, the limits, the choice lists with their counts and
// orders, the hidden controls and the pictures.

#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTextEdit>
#include <set>

#include "EntryWindowFixture.h"
#include "TBitBtn.h"
#include "TDateTimePicker.h"
#include "TMemo.h"

namespace {

struct ControlCase {
  const char* name;
  const char* kind;  // class name
  QRect geometry;
  int fontPixels;
  bool bold;
};

// Input controls, in the order of their tab positions (hidden ones included).
const ControlCase kInputControls[] = {
    {"Folio", "QLineEdit", {85, 69, 57, 23}, 12, false},
    {"Fecha", "TDateTimePicker", {152, 69, 71, 22}, 11, false},
    {"Comision", "TMemo", {8, 151, 329, 44}, 12, false},
    {"Destino", "QComboBox", {8, 211, 329, 22}, 11, false},
    {"Conductor", "QLineEdit", {8, 249, 329, 22}, 11, false},
    {"Placa", "QLineEdit", {48, 288, 113, 22}, 11, false},
    {"NoEco", "QLineEdit", {248, 288, 81, 22}, 11, false},
    {"Marca", "QComboBox", {48, 314, 288, 22}, 11, false},
    {"Tipo", "QLineEdit", {48, 339, 284, 22}, 11, false},
    {"Modelo", "QComboBox", {49, 366, 91, 22}, 11, false},
    {"Color", "QComboBox", {192, 366, 142, 22}, 11, false},
    {"Fecha1", "TDateTimePicker", {44, 496, 92, 22}, 11, false},
    {"Hora1", "TDateTimePicker", {44, 520, 92, 22}, 11, false},
    {"Fecha2", "TDateTimePicker", {168, 496, 92, 22}, 11, false},
    {"Hora2", "TDateTimePicker", {168, 520, 92, 22}, 11, false},
    {"BtnPreliminar", "TBitBtn", {274, 490, 64, 57}, 9, true},
    {"reservada", "QCheckBox", {184, 92, 153, 17}, 12, false},
    {"Dependencia", "QComboBox", {8, 110, 329, 22}, 11, false},
    {"RichEdit", "QTextEdit", {88, 136, 249, 97}, 8, false},
    {"Titular", "QLineEdit", {6, 465, 329, 22}, 11, false},
    {"Admon", "QLineEdit", {6, 425, 329, 22}, 11, false},
};

struct LabelCase {
  const char* name;
  const char* text;
  QRect geometry;
  int fontPixels;
};

const LabelCase kLabels[] = {
    {"Label3", "PERMISOS DE VEHICULOS DE GOBIERNO DEL ESTADO", {115, 14, 221, 38}, 16},
    {"Label1", "No. Permiso", {8, 73, 69, 15}, 12},
    {"Label4", "Dependencia o Entidad", {8, 95, 129, 15}, 12},
    {"Label6", "Comisión ", {8, 135, 57, 15}, 12},
    {"Label7", "Destino", {8, 196, 43, 15}, 12},
    {"Label8", "Responsable/Conductor", {8, 234, 135, 15}, 12},
    {"Label9", "Placa", {7, 291, 31, 15}, 12},
    {"Label5", "No. Econ.", {182, 291, 53, 15}, 12},
    {"Label10", "Marca", {7, 317, 33, 15}, 12},
    {"Label12", "Tipo", {7, 343, 24, 15}, 12},
    {"Label13", "Modelo", {7, 370, 40, 15}, 12},
    {"Label11", "Color", {154, 370, 30, 15}, 12},
    {"Label16", "Titular Administrativo de la Depencencia o Entidad", {7, 410, 274, 15}, 12},
    {"Label2", "Titular de la Dependencia o Entidad", {7, 450, 196, 15}, 12},
    {"Label14", "DE", {3, 508, 27, 22}, 19},
    {"Label15", "A:", {143, 508, 18, 22}, 19},
};

class EntryWindowDesign : public EntryWindowTest {};

TEST_F(EntryWindowDesign, InputControls) {
  for (const ControlCase& c : kInputControls) {
    SCOPED_TRACE(c.name);
    auto* w = form_->findChild<QWidget*>(c.name);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w->metaObject()->className(), c.kind);
    EXPECT_EQ(w->geometry(), c.geometry);
    EXPECT_EQ(w->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(w->font().pixelSize(), c.fontPixels);
    EXPECT_EQ(w->font().bold(), c.bold);
    EXPECT_EQ(w->parentWidget(), form_.get());
  }
  // Nothing else takes input: every focusable control is one of the table.
  std::set<QString> names;
  for (const ControlCase& c : kInputControls) names.insert(c.name);
  for (QWidget* w : form_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w->focusPolicy() != Qt::NoFocus && w->objectName() != QLatin1String("StatusBar1")) {
      EXPECT_TRUE(names.count(w->objectName())) << w->objectName().toStdString();
    }
  }
}

TEST_F(EntryWindowDesign, LabelsAndStaticControls) {
  for (const LabelCase& c : kLabels) {
    SCOPED_TRACE(c.name);
    auto* label = form_->findChild<QLabel*>(c.name);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QString::fromUtf8(c.text));
    EXPECT_EQ(label->geometry(), c.geometry);
    EXPECT_EQ(label->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(label->font().pixelSize(), c.fontPixels);
  }
  EXPECT_EQ(form_->Label3->parentWidget(), form_->Panel1);
  EXPECT_TRUE(form_->Label3->font().bold());
  EXPECT_TRUE(form_->Label3->wordWrap());
  EXPECT_EQ(form_->Label3->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(form_->Label3->palette().color(QPalette::WindowText), QColor(0, 0, 128));

  EXPECT_EQ(form_->Panel1->geometry(), QRect(0, 0, 338, 65));
  EXPECT_EQ(form_->Panel1->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_TRUE(form_->Panel1->autoFillBackground());
  EXPECT_EQ(form_->Image1->parentWidget(), form_->Panel1);
  EXPECT_EQ(form_->Image1->geometry(), QRect(31, 4, 66, 57));
  EXPECT_EQ(form_->Bevel1->geometry(), QRect(15, 277, 319, 4));
  EXPECT_EQ(form_->Bevel2->geometry(), QRect(15, 394, 319, 4));
  EXPECT_EQ(form_->StatusBar1->geometry(), QRect(0, 545, 338, 19));
  EXPECT_TRUE(form_->StatusBar1->currentMessage().isEmpty());
  EXPECT_EQ(form_->BtnPreliminar->text(), QStringLiteral("PRELIMINAR"));
  EXPECT_EQ(form_->reservada->text(), QStringLiteral("Información Reservada"));
}

TEST_F(EntryWindowDesign, Window) {
  EXPECT_EQ(form_->windowTitle(), QStringLiteral("Quelmora"));
  EXPECT_EQ(form_->size(), QSize(338, 564));
  EXPECT_EQ(form_->minimumSize(), form_->maximumSize());
  const Qt::WindowFlags flags = form_->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(QApplication::windowIcon().isNull());
}

TEST_F(EntryWindowDesign, StartsEmpty) {
  for (auto* edit : form_->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
    EXPECT_TRUE(edit->text().isEmpty());
  for (auto* box : form_->findChildren<QComboBox*>(Qt::FindDirectChildrenOnly)) {
    EXPECT_EQ(box->currentIndex(), -1) << box->objectName().toStdString();
    EXPECT_TRUE(box->isEditable());
  }
  EXPECT_TRUE(form_->Comision->Text().isEmpty());
  EXPECT_FALSE(form_->reservada->isChecked());
  // Before the first activation every picker holds its design value.
  for (TDateTimePicker* p :
       {form_->Fecha, form_->Fecha1, form_->Fecha2, form_->Hora1, form_->Hora2})
    EXPECT_EQ(p->Date(), QDateTime(QDate(2005, 9, 20), QTime(0, 0)));
}

TEST_F(EntryWindowDesign, TabOrderSkipsHiddenControls) {
  ShowAndActivate();
  EXPECT_EQ(QApplication::focusWidget(), form_->Folio);
  EXPECT_FALSE(form_->Fecha->isVisible());
  EXPECT_FALSE(form_->RichEdit->isVisible());

  const QStringList expected = {"Comision",    "Destino", "Conductor", "Placa",         "NoEco",
                                "Marca",       "Tipo",    "Modelo",    "Color",         "Fecha1",
                                "Hora1",       "Fecha2",  "Hora2",     "BtnPreliminar", "reservada",
                                "Dependencia", "Titular", "Admon",     "Folio"};
  QStringList visited;
  for (int i = 0; i < expected.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* w = QApplication::focusWidget();
    while (w && w->parentWidget() != form_.get()) w = w->parentWidget();
    visited << (w ? w->objectName() : QStringLiteral("<none>"));
  }
  EXPECT_EQ(visited, expected);
}

TEST_F(EntryWindowDesign, Limits) {
  EXPECT_EQ(form_->Folio->maxLength(), 5);
  EXPECT_EQ(form_->NoEco->maxLength(), 4);
  for (QLineEdit* e : {form_->Conductor, form_->Placa, form_->Tipo, form_->Titular, form_->Admon})
    EXPECT_GE(e->maxLength(), 32767) << e->objectName().toStdString();
  for (QComboBox* b :
       {form_->Destino, form_->Marca, form_->Modelo, form_->Color, form_->Dependencia})
    EXPECT_GE(b->lineEdit()->maxLength(), 32767) << b->objectName().toStdString();
}

QStringList Entries(const QComboBox* box) {
  QStringList entries;
  for (int i = 0; i < box->count(); ++i) entries << box->itemText(i);
  return entries;
}

TEST_F(EntryWindowDesign, FixedLists) {
  EXPECT_EQ(Entries(form_->Marca), QStringList({"ACURA",
                                                "ASTON MARTIN",
                                                "BMW",
                                                "CHEVROLET",
                                                "CHRYSLER",
                                                "DODGE",
                                                "FERRARI",
                                                "FORD",
                                                "HONDA",
                                                "HYUNDAI",
                                                "INFINITI",
                                                "ISUZU",
                                                "JAGUAR",
                                                "JEEP",
                                                "KIA",
                                                "LAMBORGHINI",
                                                "LANDROVER",
                                                "LEXUS",
                                                "LINCOLN",
                                                "LOTUS",
                                                "MAZDA",
                                                "MERCEDES",
                                                "MERCURY",
                                                "MITSUBISHI",
                                                "NISSAN",
                                                "OLDSMOBILE",
                                                "PLYMOTH",
                                                "PONTIAC",
                                                "SAAB",
                                                "SATURN",
                                                "SEAT",
                                                "SUBARU",
                                                "SUZUKI",
                                                "TOYOTA",
                                                "VOLKSWAGEN",
                                                "VOLVO",
                                                "OTRO(ESPECIFIQUE AQUI MISMO)"}));
  EXPECT_EQ(Entries(form_->Color),
            QStringList({"NEGRO", "BLANCO", "ROJO", "AZUL", "VERDE", "AMARILLO", "PLATA"}));
  QStringList years;
  for (int y = 1990; y <= 2015; ++y) years << QString::number(y);
  EXPECT_EQ(Entries(form_->Modelo), years);
}

TEST_F(EntryWindowDesign, Destinations) {
  const QStringList entries = Entries(form_->Destino);
  ASSERT_EQ(entries.size(), 33);
  EXPECT_EQ(entries.last(), QStringLiteral("FUERA DEL PAIS"));
  const QStringList states = entries.mid(0, 32);
  EXPECT_TRUE(states.contains(QStringLiteral("QUELMORA")));
  QStringList sorted = states;
  sorted.sort();
  EXPECT_EQ(states, sorted);
  EXPECT_EQ(std::set<QString>(entries.begin(), entries.end()).size(), 33u);
  // Upper case without accents.
  for (const QString& e : entries)
    for (QChar c : e) EXPECT_TRUE((c >= u'A' && c <= u'Z') || c == u' ') << e.toStdString();
}

TEST_F(EntryWindowDesign, AgenciesInCollationOrder) {
  const QStringList entries = Entries(form_->Dependencia);
  ASSERT_EQ(entries.size(), 56);
  QCollator collator(QLocale::system());
  for (int i = 1; i < entries.size(); ++i)
    EXPECT_LE(collator.compare(entries[i - 1], entries[i]), 0) << entries[i].toStdString();
  EXPECT_EQ(std::set<QString>(entries.begin(), entries.end()).size(), 56u);
  qsizetype longest = 0;
  int endingInBlank = 0, accented = 0;
  for (const QString& e : entries) {
    EXPECT_EQ(e, e.toUpper());
    longest = std::max(longest, e.size());
    endingInBlank += e.endsWith(u' ');
    accented += std::any_of(e.begin(), e.end(), [](QChar c) { return c.unicode() > 0x7F; });
  }
  EXPECT_EQ(longest, 61);
  EXPECT_EQ(endingInBlank, 1);
  EXPECT_GT(accented, 0);
}

TEST_F(EntryWindowDesign, Pictures) {
  // The emblem: 154 x 160, black drawn transparent, stretched into 66 x 57.
  const QPixmap emblem = form_->Image1->pixmap();
  ASSERT_FALSE(emblem.isNull());
  EXPECT_EQ(emblem.size(), QSize(154, 160));
  EXPECT_TRUE(form_->Image1->hasScaledContents());
  const QImage image = emblem.toImage();
  EXPECT_EQ(qAlpha(image.pixel(0, 159)), 0);
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
  int opaque = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) == 255;
  EXPECT_GT(opaque, 154 * 160 / 10);

  const QIcon icon = form_->BtnPreliminar->icon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(form_->BtnPreliminar->iconSize(), QSize(32, 32));
  const QImage button = icon.pixmap(32, 32).toImage();
  EXPECT_EQ(button.size(), QSize(32, 32));
  EXPECT_EQ(qAlpha(button.pixel(0, 31)), 0);  // transparent surround
  EXPECT_EQ(form_->BtnPreliminar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
}

}  // namespace
