#include "QRStandardPreview.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "ActivationRecord.h"
#include "Dialogs.h"
#include "HandlerGuard.h"
#include "QRFileDialog.h"
#include "QRPreview.h"
#include "QRPreviewGlyphs.h"
#include "QRPreviewImage.h"
#include "QRPrinter.h"
#include "QRStandardPreviewInterface.h"

const QString TQRStandardPreview::kCaption = QStringLiteral("Print Preview");
const QString TQRStandardPreview::kStillGenerating =
    QStringLiteral("The report is still being generated. Try again when all its pages are ready.");
const QString TQRStandardPreview::kFileDoesNotExist = QStringLiteral("File does not exist");

namespace {

// Design measures, pixels.
constexpr QSize kRestoredSize(652, 579);
constexpr int kDividerWidth = 8;
constexpr QSize kExitButtonSize(40, 22);
constexpr int kStatusBarHeight = 19;
constexpr int kProgressPanelWidth = 40;
constexpr int kPagePanelWidth = 50;
constexpr int kToolBarBorder = 2;
// Progress is shown in steps of at least this many percent.
constexpr int kProgressStep = 5;

const QString kPreparedExtension = QStringLiteral("QRP");
const QString kPreparedDescription = QStringLiteral("Corvelle file");

// "Corvelle file(*.QRP)|*.QRP": the save dialog's entry has no blank before
// the parenthesis, the open dialog's has one.
QString SaveFilter() {
  return kPreparedDescription + QStringLiteral("(*.") + kPreparedExtension +
         QStringLiteral(")|*.") + kPreparedExtension;
}

QString LoadFilter() {
  return kPreparedDescription + QStringLiteral(" (*.") + kPreparedExtension +
         QStringLiteral(")|*.") + kPreparedExtension;
}

QWidget* MakeStandardPreview(TQRPrinter* printer) {
  return new TQRStandardPreview(nullptr, printer);
}

}  // namespace

TQRStandardPreview::TQRStandardPreview(QWidget* owner, TQRPrinter* printer)
    : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("QRStandardPreview"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(kCaption);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildToolBar();
  layout->addWidget(ToolBar1);

  QRPreview = new TQRPreview(this);
  QRPreview->OnPageAvailable = [this](QObject* sender, int page) {
    QRPreviewPageAvailable(sender, page);
  };
  QRPreview->OnProgressUpdate = [this](QObject* sender, int progress) {
    QRPreviewProgressUpdate(sender, progress);
  };
  layout->addWidget(QRPreview, 1);

  BuildStatusBar();
  layout->addWidget(StatusBar);

  PlaceRestoredWindow();
  setWindowState(Qt::WindowMaximized);
  platform::ActivationRecord::Instance().Register(this);

  QRPreview->SetQRPrinter(printer);
  if (printer && !printer->JobTitle().isEmpty()) setWindowTitle(printer->JobTitle());
  lastProgress_ = 0;
  ZoomToWidth->setChecked(true);
  if (printer && printer->RunState() == TQRPrinterRunState::Complete) Print->setEnabled(true);
}

TQRStandardPreview::~TQRStandardPreview() = default;

TQRPrinter* TQRStandardPreview::QRPrinter() const { return QRPreview->QRPrinter(); }

// ---- design ---------------------------------------------------------------

void TQRStandardPreview::BuildToolBar() {
  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setIconSize(QSize(kPreviewGlyphSize, kPreviewGlyphSize));
  ToolBar1->setContentsMargins(kToolBarBorder, kToolBarBorder, kToolBarBorder, kToolBarBorder);
  ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);

  using G = TQRPreviewGlyph;
  using W = TQRStandardPreview;
  ToolButton1 = AddDivider(QStringLiteral("ToolButton1"));
  ZoomFit = AddButton(QStringLiteral("ZoomFit"), QStringLiteral("Zoom to fit"), int(G::ZoomToFit),
                      &W::ZoomToFitClick);
  Zoom100 = AddButton(QStringLiteral("Zoom100"), QStringLiteral("100%"), int(G::ZoomTo100),
                      &W::ZoomTo100Click);
  ZoomToWidth = AddButton(QStringLiteral("ZoomToWidth"), QStringLiteral("Zoom to width"),
                          int(G::ZoomToWidth), &W::ZoomToWidthClick);
  zoomGroup_ = new QButtonGroup(this);
  zoomGroup_->setExclusive(true);  // pressing one releases the others
  for (QToolButton* button : {ZoomFit, Zoom100, ZoomToWidth}) {
    button->setCheckable(true);
    zoomGroup_->addButton(button);
  }
  Separator1 = AddDivider(QStringLiteral("Separator1"));
  FirstPage = AddButton(QStringLiteral("FirstPage"), QStringLiteral("First page"),
                        int(G::FirstPage), &W::FirstPageClick);
  PreviousPage = AddButton(QStringLiteral("PreviousPage"), QStringLiteral("Previous page"),
                           int(G::PreviousPage), &W::PrevPageClick);
  ToolButton2 = AddButton(QStringLiteral("ToolButton2"), QStringLiteral("Next page"),
                          int(G::NextPage), &W::NextPageClick);
  LastPage = AddButton(QStringLiteral("LastPage"), QStringLiteral("Last page"), int(G::LastPage),
                       &W::LastPageClick);
  Separator2 = AddDivider(QStringLiteral("Separator2"));
  PrintSetup = AddButton(QStringLiteral("PrintSetup"), QStringLiteral("Printer setup"),
                         int(G::PrinterSetup), &W::PrintSetupClick);
  Print =
      AddButton(QStringLiteral("Print"), QStringLiteral("Print"), int(G::Print), &W::PrintClick);
  PrintSetup->setEnabled(false);
  Print->setEnabled(false);
  Separator3 = AddDivider(QStringLiteral("Separator3"));
  SaveReport = AddButton(QStringLiteral("SaveReport"), QStringLiteral("Save Report"),
                         int(G::SaveReport), &W::SaveClick);
  LoadReport = AddButton(QStringLiteral("LoadReport"), QStringLiteral("Load Report"),
                         int(G::LoadReport), &W::LoadClick);
  Separator4 = AddDivider(QStringLiteral("Separator4"));

  ExitButton = new QToolButton(ToolBar1);
  ExitButton->setObjectName(QStringLiteral("ExitButton"));
  ExitButton->setText(QStringLiteral("&Close"));  // Alt+C
  ExitButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
  ExitButton->setFixedSize(kExitButtonSize);
  ExitButton->setFocusPolicy(Qt::NoFocus);
  platform::BindHandler(ExitButton, &QToolButton::clicked, this, [this](bool) { ExitClick(); });
  ToolBar1->addWidget(ExitButton);
}

QToolButton* TQRStandardPreview::AddButton(const QString& name, const QString& hint, int glyph,
                                           void (TQRStandardPreview::*handler)()) {
  auto* button = new QToolButton(ToolBar1);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setIcon(PreviewGlyph(static_cast<TQRPreviewGlyph>(glyph)));
  button->setAutoRaise(true);  // flat
  button->setFocusPolicy(Qt::NoFocus);
  platform::BindHandler(button, &QToolButton::clicked, this,
                        [this, handler](bool) { (this->*handler)(); });
  ToolBar1->addWidget(button);
  return button;
}

QFrame* TQRStandardPreview::AddDivider(const QString& name) {
  auto* divider = new QFrame(ToolBar1);
  divider->setObjectName(name);
  divider->setFrameShape(QFrame::VLine);
  divider->setFrameShadow(QFrame::Sunken);
  divider->setFixedWidth(kDividerWidth);
  ToolBar1->addWidget(divider);
  return divider;
}

// The page panel is designed 50 pixels wide; as the last panel it takes the
// rest of the bar, so that «Page 10 of 12» is never cut off.
void TQRStandardPreview::BuildStatusBar() {
  StatusBar = new QStatusBar(this);
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->setFixedHeight(kStatusBarHeight);
  panels_[0] = new QLabel(QStringLiteral("0%"), StatusBar);
  panels_[0]->setFixedWidth(kProgressPanelWidth);
  panels_[0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  panels_[1] = new QLabel(QStringLiteral("Page"), StatusBar);
  panels_[1]->setMinimumWidth(kPagePanelWidth);
  StatusBar->addWidget(panels_[0]);
  StatusBar->addWidget(panels_[1], 1);
}

void TQRStandardPreview::PlaceRestoredWindow() {
  QRect area(QPoint(0, 0), kRestoredSize);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    area.moveCenter(screen->geometry().center());
  setGeometry(area);
}

QString TQRStandardPreview::PanelText(int panel) const { return panels_[panel]->text(); }

// ---- status ---------------------------------------------------------------

void TQRStandardPreview::UpdatePageStatus() {
  const int pages = QRPrinter() ? QRPrinter()->PageCount() : 0;
  panels_[1]->setText(QStringLiteral("Page") + u' ' + QString::number(QRPreview->PageNumber()) +
                      u' ' + QStringLiteral("of") + u' ' + QString::number(pages));
}

void TQRStandardPreview::QRPreviewPageAvailable(QObject*, int) {
  UpdatePageStatus();
  if (QRPrinter() && QRPrinter()->RunState() == TQRPrinterRunState::Complete) {
    PrintSetup->setEnabled(true);
    Print->setEnabled(true);
  }
}

void TQRStandardPreview::QRPreviewProgressUpdate(QObject*, int progress) {
  if (progress >= lastProgress_ + kProgressStep) {
    panels_[0]->setText(QString::number(progress) + u'%');
    lastProgress_ = progress;
  }
  if (progress == 0 || progress == 100) panels_[0]->setText(QString());
}

// ---- zoom and pages -------------------------------------------------------

void TQRStandardPreview::ZoomToFitClick() {
  QCoreApplication::processEvents();
  QRPreview->FitPage();
}

void TQRStandardPreview::ZoomTo100Click() {
  QCoreApplication::processEvents();
  QRPreview->SetZoom(100);
}

void TQRStandardPreview::ZoomToWidthClick() {
  QCoreApplication::processEvents();
  QRPreview->FitWidth();
}

void TQRStandardPreview::FirstPageClick() {
  QRPreview->SetPageNumber(1);
  UpdatePageStatus();
}

void TQRStandardPreview::PrevPageClick() {
  QRPreview->SetPageNumber(QRPreview->PageNumber() - 1);
  UpdatePageStatus();
}

void TQRStandardPreview::NextPageClick() {
  QRPreview->SetPageNumber(QRPreview->PageNumber() + 1);
  UpdatePageStatus();
}

void TQRStandardPreview::LastPageClick() {
  if (QRPrinter()) QRPreview->SetPageNumber(QRPrinter()->PageCount());
  UpdatePageStatus();
}

// ---- printing, files, closing ---------------------------------------------

void TQRStandardPreview::PrintClick() {
  if (QRPrinter()) QRPrinter()->PrintPages();
}

void TQRStandardPreview::PrintSetupClick() {
  if (QRPrinter()) QRPrinter()->RunPrintSetup(PrintSetup);
}

// Pages still being generated can be neither saved (the store is not
// complete, so nothing would be written) nor replaced by a file (the run
// writes into the very store a load would discard).
bool TQRStandardPreview::RefuseWhileGenerating() {
  if (!QRPrinter() || QRPrinter()->RunState() != TQRPrinterRunState::Generating) return false;
  ShowPlainMessage(kStillGenerating);
  return true;
}

void TQRStandardPreview::SaveClick() {
  if (RefuseWhileGenerating()) return;
  TQRFileDialogRequest request;
  request.title = QStringLiteral("Save report");
  request.filter = SaveFilter();
  request.defaultExtension = kPreparedExtension;
  request.owner = this;
  const TQRFileDialogAnswer answer = FileDialog().RunSave(request);
  if (!answer.confirmed || !QRPrinter() || RefuseWhileGenerating()) return;
  // Entry 1 is the prepared report file; export filters would follow it,
  // but none is registered.
  if (answer.filterIndex != 1) return;
  QRPrinter()->SavePrepared(WithDefaultExtension(answer.fileName, kPreparedExtension));
}

void TQRStandardPreview::LoadClick() {
  if (RefuseWhileGenerating()) return;
  TQRFileDialogRequest request;
  request.title = QStringLiteral("Load report");
  request.filter = LoadFilter();
  request.owner = this;
  const TQRFileDialogAnswer answer = FileDialog().RunOpen(request);
  if (!answer.confirmed || !QRPrinter() || RefuseWhileGenerating()) return;
  if (!QFileInfo(answer.fileName).isFile()) {
    ShowPlainMessage(kFileDoesNotExist);
    return;
  }
  try {
    QRPrinter()->LoadPrepared(answer.fileName);
  } catch (...) {
    // The old pages are gone with the failed load; show none rather than a
    // page the printer no longer holds.
    ShowFirstPageAgain();
    throw;
  }
  ShowFirstPageAgain();
  PrintSetup->setEnabled(false);
  Print->setEnabled(true);
}

// Loaded pages may be on other paper than the ones before, so the zoom's
// mode is applied again for the new page size.
void TQRStandardPreview::ShowFirstPageAgain() {
  QRPreview->SetPageNumber(1);
  QRPreview->PreviewImage()->SetPageNumber(1);
  QRPreview->Refit();
  UpdatePageStatus();
}

void TQRStandardPreview::ExitClick() { close(); }

void TQRStandardPreview::closeEvent(QCloseEvent* event) {
  platform::RunHandler([this] {
    if (QRPrinter()) QRPrinter()->PreviewClosed(this);
  });
  event->accept();  // freed once closed (WA_DeleteOnClose)
}

void TQRStandardPreview::FormKeyDown(int key, Qt::KeyboardModifiers shift) {
  // Only Shift, Ctrl and Alt count as the shift state; the keypad flag does not.
  const bool exactlyCtrl =
      (shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier;
  switch (key) {
    case Qt::Key_Escape:
      ExitClick();
      break;
    case Qt::Key_PageUp:
      exactlyCtrl ? FirstPageClick() : PrevPageClick();
      break;
    case Qt::Key_PageDown:
      exactlyCtrl ? LastPageClick() : NextPageClick();
      break;
    case Qt::Key_Home:
      FirstPageClick();
      break;
    case Qt::Key_End:
      LastPageClick();
      break;
    default:
      break;
  }
}

void TQRStandardPreview::keyPressEvent(QKeyEvent* event) {
  platform::RunHandler([&] { FormKeyDown(event->key(), event->modifiers()); });
  QWidget::keyPressEvent(event);
}

void TQRStandardPreview::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  platform::RunHandler([this] { QRPreview->ApplyZoom(); });
}

void InstallStandardPreview() {
  SetStandardPreviewConstructor(&MakeStandardPreview);
  InstallStandardPreviewInterface();
}
