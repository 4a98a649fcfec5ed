// The permit document as loaded from its design: the report's properties,
// its one summary band, all 38 elements in design order with their stored
// sizes, kinds, texts, fonts, alignments and colours, and the emblem JPEG.

#include <gtest/gtest.h>

#include <QFile>
#include <cmath>
#include <variant>

#include "QRBand.h"
#include "QRImage.h"
#include "QRLabel.h"
#include "QRMemo.h"
#include "QRShape.h"
#include "QtPrintTo.h"
#include "TQRPermiso.h"

namespace {

constexpr QRgb kNavy = 0xFF000080, kWindowText = 0xFF000000, kWhite = 0xFFFFFFFF;

struct Text {
  const char* caption;
  TAlignment alignment;
  bool alignToBand;
  bool autoSize;
  int points;
  bool bold;
  QRgb color;
  bool reportFont;
};
struct Shape {
  TQRShapeType type;
};
struct Picture {};

struct ElementCase {
  const char* name;
  const char* kind;
  int left, top, width, height;  // design pixels
  std::variant<Text, Shape, Picture> what;
};

constexpr TAlignment L = taLeftJustify, C = taCenter;

// Design order, which is also print order.
const ElementCase kElements[] = {
    {"QRShape4", "TQRShape", 7, 2, 969, 77, Shape{qrsRectangle}},
    {"QRDias", "TQRLabel", 34, 144, 911, 239,
     Text{"DIAS", C, true, false, 80, false, kNavy, false}},
    {"QRLabel6", "TQRLabel", 16, 389, 94, 17,
     Text{"DEPENDENCIA", L, false, true, 10, false, kWindowText, true}},
    {"QRDependencia", "TQRLabel", 116, 381, 174, 30,
     Text{"DEPENDENCIA", L, false, true, 18, true, kWindowText, false}},
    {"QRLabel9", "TQRLabel", 16, 415, 65, 17,
     Text{"COMISIÓN", L, false, true, 10, false, kWindowText, true}},
    {"QRComision", "TQRLabel", 94, 411, 851, 49,
     Text{"COMISIÓN", L, false, false, 16, false, kWindowText, false}},
    {"QRLabel10", "TQRLabel", 16, 466, 66, 17,
     Text{"VEHICULO", L, false, true, 10, false, kWindowText, true}},
    {"QRConductor", "TQRLabel", 132, 535, 170, 25,
     Text{"RESGUARDANTE", L, false, true, 16, false, kWindowText, false}},
    {"QRLabel12", "TQRLabel", 20, 537, 108, 17,
     Text{"RESGUARDANTE", L, false, true, 10, false, kWindowText, true}},
    {"QRHorario", "TQRLabel", 18, 566, 96, 25,
     Text{"HORARIO", L, false, true, 16, false, kWindowText, false}},
    {"QRLabel3", "TQRLabel", 41, 686, 265, 33,
     Text{"NOMBRE Y FIRMA DEL TITULAR ADMINISTRATIVO", C, false, false, 10, false, kWindowText,
          true}},
    {"QRShape1", "TQRShape", 40, 680, 262, 1, Shape{qrsRectangle}},
    {"QRShape2", "TQRShape", 361, 680, 264, 1, Shape{qrsRectangle}},
    {"QRLabel4", "TQRLabel", 681, 686, 265, 33,
     Text{"NOMBRE Y FIRMA DEL SERVIDOR PÚBLICO COMISIONADO", C, false, false, 10, false,
          kWindowText, true}},
    {"QRLabel2", "TQRLabel", 361, 686, 265, 33,
     Text{"NOMBRE Y FIRMA DEL TITULAR DE LA DEPENDENCIA O ENTIDAD", C, false, false, 10, false,
          kWindowText, true}},
    {"QRShape3", "TQRShape", 682, 680, 264, 1, Shape{qrsRectangle}},
    {"QRVehiculo", "TQRMemo", 94, 463, 851, 71,
     Text{"DATOS VEHICULOS", L, false, false, 16, false, kWindowText, false}},
    {"QRLabel5", "TQRLabel", 847, 121, 43, 17,
     Text{"FOLIO:", L, false, true, 10, false, kWindowText, true}},
    {"QRFolio", "TQRLabel", 895, 117, 49, 25,
     Text{"0000", L, false, true, 16, false, kWindowText, false}},
    {"QRLabel1", "TQRLabel", 126, 28, 334, 22,
     Text{"PERMISO DE CIRCULACIÓN", C, false, false, 12, true, kNavy, false}},
    {"QRShape5", "TQRShape", 93, 3, 4, 76, Shape{qrsVertLine}},
    {"QRShape7", "TQRShape", 581, 1, 1, 78, Shape{qrsVertLine}},
    {"QRShape8", "TQRShape", 582, 59, 395, 1, Shape{qrsHorLine}},
    {"QRShape9", "TQRShape", 582, 78, 395, 1, Shape{qrsHorLine}},
    {"QRShape10", "TQRShape", 582, 22, 395, 1, Shape{qrsHorLine}},
    {"QRShape11", "TQRShape", 582, 41, 395, 1, Shape{qrsHorLine}},
    {"QRLabel8", "TQRLabel", 585, 4, 50, 17,
     Text{"Código:", L, false, true, 10, true, kNavy, false}},
    {"QRLabel13", "TQRLabel", 585, 23, 120, 17,
     Text{"Área Responsable:", L, false, true, 10, true, kNavy, false}},
    {"QRLabel14", "TQRLabel", 585, 42, 160, 17,
     Text{"Emisión: Noviembre 2019", L, false, true, 10, true, kNavy, false}},
    {"QRLabel20", "TQRLabel", 638, 3, 92, 17,
     Text{"R07-P01-KRMW", L, false, true, 10, true, kNavy, false}},
    {"QRLabel22", "TQRLabel", 585, 60, 179, 17,
     Text{"Nº y fecha de revisión: 0/S/F", L, false, true, 10, true, kNavy, false}},
    {"QRLabel23", "TQRLabel", 708, 24, 266, 17,
     Text{"Dorvantil", L, false, true, 10, true, kNavy, false}},
    {"QRAdmon", "TQRLabel", 40, 648, 265, 32,
     Text{"Titular Administrativo", C, false, false, 8, false, kWindowText, false}},
    {"QRTitular", "TQRLabel", 360, 648, 265, 32,
     Text{"Titular de la Depepndencia o Entidad", C, false, false, 8, false, kWindowText, false}},
    {"QRConductor2", "TQRLabel", 680, 648, 265, 32,
     Text{"RESGUARDANTE", C, false, false, 8, false, kWindowText, false}},
    {"qrshp2", "TQRShape", 491, 1, 4, 76, Shape{qrsVertLine}},
    {"img4", "TQRImage", 17, 3, 65, 74, Picture{}},
    {"img7", "TQRImage", 505, 3, 65, 74, Picture{}},
};

// Stored sizes are the design's pixels at 96 per inch, in tenths of a mm.
long double Tenths(int pixels) { return pixels * 254.0L / 96.0L; }

class PermitDesign : public testing::Test {
 protected:
  static void SetUpTestSuite() { document_ = new TQRPermiso; }
  static void TearDownTestSuite() {
    delete document_;
    document_ = nullptr;
  }
  static TQRPermiso* document_;
};
TQRPermiso* PermitDesign::document_ = nullptr;

TEST_F(PermitDesign, Report) {
  const TQRPermiso& r = *document_;
  EXPECT_EQ(r.Units(), TQRUnit::MM);
  EXPECT_EQ(r.Zoom(), 100);
  const TQRPage& page = r.Page();
  EXPECT_EQ(page.Orientation(), TPrinterOrientation::poLandscape);
  EXPECT_EQ(page.PaperSize(), TQRPaperSize::Letter);
  EXPECT_EQ(page.Columns(), 1);
  const long double values[] = {100.0, 2159.0, 100.0, 2794.0, 100.0, 100.0, 0.0};
  for (int i = 0; i < 7; ++i) EXPECT_DOUBLE_EQ(double(page.StoredValue(i)), double(values[i])) << i;
  EXPECT_TRUE(r.Options().Contains(TQRReportOption::FirstPageHeader));
  EXPECT_TRUE(r.Options().Contains(TQRReportOption::LastPageFooter));
  EXPECT_FALSE(r.Options().Contains(TQRReportOption::Compression));
  EXPECT_TRUE(r.PrintIfEmpty());
  EXPECT_TRUE(r.SnapToGrid());
  const auto& settings = r.PrinterSettings();
  EXPECT_EQ(settings.Copies, 1);
  EXPECT_FALSE(settings.Duplex);
  EXPECT_EQ(settings.FirstPage, 0);
  EXPECT_EQ(settings.LastPage, 0);
  EXPECT_EQ(settings.OutputBin, TQRBin::Auto);
  QStringList functions;
  for (const TQRNamedValue& v : const_cast<TQRPermiso&>(r).Functions().Values())
    functions << v.name + QLatin1Char('=') + v.value;
  EXPECT_EQ(functions, QStringList({"PAGENUMBER=0", "COLUMNNUMBER=0", "REPORTTITLE=''"}));
  EXPECT_EQ(r.Font().face, QStringLiteral("Arial"));
  EXPECT_EQ(r.Font().pointSize, 10);
  EXPECT_FALSE(r.Font().style.bold);
  EXPECT_EQ(r.Font().color, kWindowText);
  EXPECT_FALSE(r.Frame().HasLines());
  EXPECT_EQ(r.Frame().Color(), 0xFF000000u);
  EXPECT_TRUE(bool(r.AfterPrint));
  EXPECT_FALSE(bool(r.BeforePrint));
  EXPECT_FALSE(bool(r.OnPreview));
  EXPECT_EQ(QRect(r.Left(), r.Top(), r.Width(), r.Height()), QRect(0, 0, 1056, 816));
}

TEST_F(PermitDesign, OneSummaryBand) {
  const TQRPermiso& r = *document_;
  ASSERT_EQ(r.BandList().size(), 1u);
  const TQRCustomBand* band = r.BandList().front();
  EXPECT_EQ(band, r.SummaryBand1);
  EXPECT_EQ(band->Name(), QStringLiteral("SummaryBand1"));
  EXPECT_EQ(band->BandType(), TQRBandType::rbSummary);
  EXPECT_DOUBLE_EQ(double(band->Size().StoredValue(0)), 1955.2708333333333);
  EXPECT_DOUBLE_EQ(double(band->Size().StoredValue(1)), 2592.9166666666665);
  EXPECT_EQ(QRect(band->Left(), band->Top(), band->Width(), band->Height()),
            QRect(38, 38, 980, 739));
  EXPECT_EQ(band->Color(), kWhite);
  EXPECT_FALSE(band->AlignToBottom());
  EXPECT_FALSE(band->ForceNewColumn());
  EXPECT_FALSE(band->ForceNewPage());
  EXPECT_FALSE(band->Frame().HasLines());
}

TEST_F(PermitDesign, ElementsInDesignOrder) {
  const std::vector<TQRControl*>& children = document_->SummaryBand1->Controls();
  ASSERT_EQ(children.size(), std::size(kElements));
  for (std::size_t i = 0; i < std::size(kElements); ++i) {
    const ElementCase& c = kElements[i];
    SCOPED_TRACE(c.name);
    auto* element = dynamic_cast<TQRPrintable*>(children[i]);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->Name(), QString::fromLatin1(c.name));
    EXPECT_EQ(element->ClassName(), QString::fromLatin1(c.kind));
    // Stored Height, Left, Top, Width, and the pixel bounds they give at
    // 96 pixels per inch; an automatically sized label has taken the size
    // of its placeholder text since, and keeps its corner.
    const auto* text = std::get_if<Text>(&c.what);
    const bool sized = text != nullptr && text->autoSize;
    const int pixels[] = {c.height, c.left, c.top, c.width};
    for (int k = 0; k < 4; ++k) {
      if (sized && (k == 0 || k == 3)) continue;
      EXPECT_NEAR(double(element->Size().StoredValue(k)), double(Tenths(pixels[k])), 1e-9) << k;
    }
    EXPECT_EQ(element->Left(), c.left);
    EXPECT_EQ(element->Top(), c.top);
    if (!sized) {
      EXPECT_EQ(element->Width(), c.width);
      EXPECT_EQ(element->Height(), c.height);
    }
    if (text != nullptr) {
      auto* label = dynamic_cast<TQRCustomLabel*>(element);
      ASSERT_NE(label, nullptr);
      const QString design = QString::fromUtf8(text->caption);
      if (auto* memo = dynamic_cast<TQRMemo*>(label))
        EXPECT_EQ(memo->Lines(), QStringList({design}));
      else
        EXPECT_EQ(label->Caption(), design);
      EXPECT_EQ(label->Alignment(), text->alignment);
      EXPECT_EQ(label->AlignToBand(), text->alignToBand);
      EXPECT_EQ(label->AutoSize(), text->autoSize);
      EXPECT_FALSE(label->AutoStretch());
      EXPECT_TRUE(label->WordWrap());
      EXPECT_FALSE(label->Transparent());
      EXPECT_EQ(label->Color(), kWhite);
      EXPECT_EQ(label->FontSize(), text->points);
      EXPECT_EQ(label->Font().pointSize, text->points);
      EXPECT_EQ(label->Font().face, QStringLiteral("Arial"));
      EXPECT_EQ(label->Font().style.bold, text->bold);
      EXPECT_EQ(label->Font().color, text->color);
      EXPECT_EQ(label->Font().charset, 1);
      // The report's font: Arial 10 points, regular, window text.
      if (text->reportFont) {
        EXPECT_EQ(label->Font(), document_->Font());
      }
    } else if (const auto* shape = std::get_if<Shape>(&c.what)) {
      auto* s = dynamic_cast<TQRShape*>(element);
      ASSERT_NE(s, nullptr);
      EXPECT_EQ(s->Shape(), shape->type);
      EXPECT_EQ(s->Pen(), TQRPen{});
      EXPECT_EQ(s->Pen().color, 0xFF000000u);
      EXPECT_EQ(s->Pen().width, 1);
      EXPECT_EQ(s->Brush(), TQRBrush{});
      EXPECT_EQ(s->Brush().color, kWhite);
    } else {
      auto* image = dynamic_cast<TQRImage*>(element);
      ASSERT_NE(image, nullptr);
      EXPECT_TRUE(image->AutoSize());
      EXPECT_TRUE(image->Stretch());
      EXPECT_FALSE(image->Center());
      EXPECT_EQ(image->Picture().Width(), 65);
      EXPECT_EQ(image->Picture().Height(), 74);
    }
  }
}

TEST_F(PermitDesign, ProgramFieldsNameTheirElements) {
  const TQRPermiso& r = *document_;
  const std::pair<const TQRComponent*, const char*> fields[] = {{r.QRFolio, "QRFolio"},
                                                                {r.QRDias, "QRDias"},
                                                                {r.QRDependencia, "QRDependencia"},
                                                                {r.QRComision, "QRComision"},
                                                                {r.QRConductor, "QRConductor"},
                                                                {r.QRConductor2, "QRConductor2"},
                                                                {r.QRAdmon, "QRAdmon"},
                                                                {r.QRTitular, "QRTitular"},
                                                                {r.QRHorario, "QRHorario"},
                                                                {r.QRVehiculo, "QRVehiculo"}};
  for (const auto& [field, name] : fields) {
    ASSERT_NE(field, nullptr) << name;
    EXPECT_EQ(field->Name(), QString::fromLatin1(name));
  }
}

// The emblem file itself: baseline JFIF 1.01, 65 x 74, three components with
// 2 x 2 sampled luminance, 96 dpi, 5004 bytes with Exif and comment segments.
TEST(PermitEmblem, JpegStructure) {
  QFile file(QStringLiteral(":/pictures/Emblem.jpg"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray jpeg = file.readAll();
  EXPECT_EQ(jpeg.size(), 5004);
  auto byte = [&](qsizetype i) { return static_cast<unsigned char>(jpeg.at(i)); };
  auto word = [&](qsizetype i) { return byte(i) << 8 | byte(i + 1); };
  ASSERT_EQ(word(0), 0xFFD8);
  QStringList segments;
  bool sof0 = false;
  for (qsizetype at = 2; at + 4 <= jpeg.size();) {
    ASSERT_EQ(byte(at), 0xFF);
    const int marker = byte(at + 1);
    const int length = word(at + 2);
    const qsizetype body = at + 4;
    if (marker == 0xE0) {
      segments << "APP0";
      EXPECT_EQ(jpeg.mid(body, 5), QByteArray("JFIF\0", 5));
      EXPECT_EQ(byte(body + 5), 1);  // version 1.01
      EXPECT_EQ(byte(body + 6), 1);
      EXPECT_EQ(byte(body + 7), 1);  // dots per inch
      EXPECT_EQ(word(body + 8), 96);
      EXPECT_EQ(word(body + 10), 96);
    } else if (marker == 0xE1) {
      segments << "APP1";
      EXPECT_EQ(jpeg.mid(body, 6), QByteArray("Exif\0\0", 6));
    } else if (marker == 0xFE) {
      segments << "COM";
    } else if (marker == 0xC0) {
      sof0 = true;
      EXPECT_EQ(byte(body), 8);  // precision
      EXPECT_EQ(word(body + 1), 74);
      EXPECT_EQ(word(body + 3), 65);
      EXPECT_EQ(byte(body + 5), 3);
      EXPECT_EQ(byte(body + 7), 0x22);  // luminance 2 x 2
      EXPECT_EQ(byte(body + 10), 0x11);
      EXPECT_EQ(byte(body + 13), 0x11);
    } else if (marker == 0xDA) {
      break;
    } else {
      EXPECT_NE(marker, 0xC2) << "progressive";
    }
    at += 2 + length;
  }
  EXPECT_TRUE(sof0);
  EXPECT_EQ(segments, QStringList({"APP0", "APP1", "COM"}));
}

}  // namespace
