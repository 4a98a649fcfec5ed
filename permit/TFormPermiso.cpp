#include "TFormPermiso.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCollator>
#include <QCompleter>
#include <QLineEdit>
#include <algorithm>

#include "ActivationRecord.h"
#include "Clock.h"
#include "DataFolder.h"
#include "HandlerGuard.h"
#include "KeyPressFilter.h"
#include "PermitResources.h"
#include "Pictures.h"
#include "Termination.h"
#include "TextRuleValidator.h"

TFormPermiso* FormPermiso = nullptr;

namespace {

void ApplyFontPixels(QWidget* widget) {
  const QVariant pixels = widget->property("fontPixels");
  if (!pixels.isValid()) return;
  QFont font = widget->font();
  font.setPixelSize(pixels.toInt());
  widget->setFont(font);
}

TCaseRule CaseRuleOf(const QWidget* widget) {
  return widget->property("caseRule").toString() == QLatin1String("upper") ? TCaseRule::Upper
                                                                           : TCaseRule::AsTyped;
}

// Entries shown in the locale's collation order, whatever their stored order.
void SortEntries(QComboBox* box) {
  QStringList entries;
  for (int i = 0; i < box->count(); ++i) entries << box->itemText(i);
  QCollator collator(QLocale::system());
  std::stable_sort(entries.begin(), entries.end(),
                   [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
  box->clear();
  box->addItems(entries);
}

// Completion from the list: the first entry beginning with the typed text,
// without regard to case, its remaining characters selected.
void SetUpChoiceBox(QComboBox* box) {
  box->setInsertPolicy(QComboBox::NoInsert);
  if (box->property("sortedList").toBool()) SortEntries(box);
  auto* completer = new QCompleter(box->model(), box);
  completer->setCaseSensitivity(Qt::CaseInsensitive);
  completer->setCompletionMode(QCompleter::InlineCompletion);
  completer->setFilterMode(Qt::MatchStartsWith);
  completer->setModelSorting(QCompleter::UnsortedModel);
  box->setCompleter(completer);
  box->setCurrentIndex(-1);
  box->setEditText(QString());
}

}  // namespace

TFormPermiso::TFormPermiso(QWidget* parent) : QWidget(parent) {
  setupUi(this);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(338, 564);
  ApplyDesignProperties();
  LoadPictures();
  BindHandlers();
  Folio->setFocus(Qt::OtherFocusReason);
}

TFormPermiso::~TFormPermiso() {
  // Deleting the controls below moves the focus; nothing of this window may
  // hear of it once its own members are gone.
  disconnect(focusWatch_);
  platform::ActivationRecord::Instance().Unregister(this);
  if (FormPermiso == this) FormPermiso = nullptr;
}

void TFormPermiso::ApplyDesignProperties() {
  ApplyFontPixels(this);
  for (QWidget* child : findChildren<QWidget*>()) {
    ApplyFontPixels(child);
    if (auto* box = qobject_cast<QComboBox*>(child)) {
      SetUpChoiceBox(box);
      box->lineEdit()->setValidator(new TextRuleValidator(CaseRuleOf(box), box));
    } else if (auto* edit = qobject_cast<QLineEdit*>(child);
               edit && edit->property("caseRule").isValid()) {
      edit->setValidator(new TextRuleValidator(CaseRuleOf(edit), edit));
    }
  }
}

void TFormPermiso::LoadPictures() {
  InitPermitResources();
  Image1->setPixmap(
      platform::TransparentBitmap(QStringLiteral(":/pictures/Emblem.bmp"), devicePixelRatioF()));
  const QString button = QStringLiteral(":/pictures/Preliminar.bmp");
  QIcon picture(button);
  picture.addFile(platform::DoubleSizeName(button));  // used on screens of twice the density
  BtnPreliminar->setIcon(picture);
}

void TFormPermiso::BindHandlers() {
  platform::ActivationRecord::Instance().Register(this, [this] {
    RestoreFocus();
    FormActivate();
  });
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
    focusWatch_ = connect(app, &QApplication::focusChanged, this,
                          [this](QWidget* old, QWidget* now) { RememberFocus(old, now); });
  for (QWidget* box : {static_cast<QWidget*>(Folio), static_cast<QWidget*>(NoEco),
                       static_cast<QWidget*>(Modelo)})
    KeyPressFilter::Bind(box, [this](QChar& key) { NoEcoKeyPress(key); });
  KeyPressFilter::Bind(Comision, [this](QChar& key) { ComisionKeyPress(key); });
  platform::BindHandler(BtnPreliminar, &QToolButton::clicked, this,
                        [this](bool) { BtnPreliminarClick(); });
}

void TFormPermiso::FormActivate() {
  auto& clock = platform::Clock();
  Fecha->SetDate(clock.Now());
  Fecha1->SetDate(clock.Now());
  Fecha2->SetDate(clock.Now());
  Hora1->SetTime(clock.Now());
  Hora2->SetTime(clock.Now());
  Hora1->SetFormat(QStringLiteral("hh:mm tt"));
  Hora2->SetFormat(QStringLiteral("hh:mm tt"));
  Fecha1->SetFormat(QStringLiteral("dd/MMM/yyyy"));
  Fecha2->SetFormat(QStringLiteral("dd/MMM/yyyy"));
  EnsureDataFolder();
}

void TFormPermiso::RememberFocus(QWidget* old, QWidget* now) {
  // Moves inside the window, and the focus Qt gives the window when it is
  // activated, are not the person leaving it.
  if (old != nullptr && old->window() == this && (now == nullptr || now->window() != this))
    lastFocus_ = old;
}

void TFormPermiso::RestoreFocus() {
  if (lastFocus_ && lastFocus_->isVisible() && lastFocus_->isEnabled())
    lastFocus_->setFocus(Qt::ActiveWindowFocusReason);
}

void TFormPermiso::NoEcoKeyPress(QChar& Key) {
  const bool digit = Key >= u'0' && Key <= u'9';
  if (!digit && Key != QChar(8)) Key = QChar();
}

void TFormPermiso::ComisionKeyPress(QChar& Key) {
  if (Key >= u'a' && Key <= u'z') Key = QChar(char16_t(Key.unicode() - u'a' + u'A'));
}

permit::PermitEntry TFormPermiso::Entry() const {
  permit::PermitEntry e;
  e.Dependencia = Dependencia->currentText();
  e.Folio = Folio->text();
  e.Comision = Comision->Text();
  e.Destino = Destino->currentText();
  e.Conductor = Conductor->text();
  e.Placa = Placa->text();
  e.NoEco = NoEco->text();
  e.Marca = Marca->currentText();
  e.Tipo = Tipo->text();
  e.Modelo = Modelo->currentText();
  e.Color = Color->currentText();
  e.Admon = Admon->text();
  e.Titular = Titular->text();
  e.Fecha = Fecha->Date();
  e.Fecha1 = Fecha1->Date();
  e.Fecha2 = Fecha2->Date();
  e.Hora1 = Hora1->Time();
  e.Hora2 = Hora2->Time();
  e.reservada = reservada->isChecked();
  return e;
}

void TFormPermiso::closeEvent(QCloseEvent* event) {
  // The entry window is the main window: closing it ends the program, also
  // from inside a nested wait.
  event->accept();
  platform::RequestTermination();
}
