#include "QRStandardPreview.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "ActivationRecord.h"
#include "Dialogs.h"
#include "HandlerGuard.h"
#include "Metafile.h"
#include "QRExportFilter.h"
#include "QRFileDialog.h"
#include "QRFindBar.h"
#include "QRFindHighlight.h"
#include "QRPreview.h"
#include "QRPreviewGlyphs.h"
#include "QRPreviewImage.h"
#include "QRPrinter.h"
#include "QRStandardPreviewInterface.h"
#include "QRThumbnailModel.h"
#include "QRThumbnailPanel.h"
#include "QRZoomSteps.h"

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
// the parenthesis, the open dialog's has one. Each registered export filter
// follows: "|PDF file (*.pdf)|*.pdf".
QString SaveFilter(const std::vector<TQRExportFilter*>& filters) {
  QString filter = kPreparedDescription + QStringLiteral("(*.") + kPreparedExtension +
                   QStringLiteral(")|*.") + kPreparedExtension;
  for (const TQRExportFilter* f : filters)
    filter += u'|' + f->Description() + QStringLiteral(" (*.") + f->Extension() +
              QStringLiteral(")|*.") + f->Extension();
  return filter;
}

QString LoadFilter() {
  return kPreparedDescription + QStringLiteral(" (*.") + kPreparedExtension +
         QStringLiteral(")|*.") + kPreparedExtension;
}

// "Print" becomes "Print (Ctrl+P)": the hint first, then its keys.
void AppendKeys(QWidget* control, const QList<QKeySequence>& keys) {
  QStringList names;
  for (const QKeySequence& key : keys) names << key.toString(QKeySequence::NativeText);
  control->setToolTip(control->toolTip() + QStringLiteral(" (") + names.join(QStringLiteral(", ")) +
                      u')');
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
  FindBar = new TQRFindBar(this);
  layout->addWidget(FindBar);

  auto* pages = new QHBoxLayout();
  pages->setContentsMargins(0, 0, 0, 0);
  pages->setSpacing(0);
  QRPreview = new TQRPreview(this);
  QRPreview->OnPageAvailable = [this](QObject* sender, int page) {
    QRPreviewPageAvailable(sender, page);
  };
  QRPreview->OnProgressUpdate = [this](QObject* sender, int progress) {
    QRPreviewProgressUpdate(sender, progress);
  };
  const auto shownPrinter = [this] { return QRPreview->QRPrinter(); };
  ThumbnailPanel = new TQRThumbnailPanel(shownPrinter, this);
  ThumbnailPanel->hide();
  ThumbnailPanel->OnPageChosen = [this](int page) {
    QRPreview->SetPageNumber(page);
    UpdatePageStatus();
  };
  pages->addWidget(ThumbnailPanel);
  pages->addWidget(QRPreview, 1);
  layout->addLayout(pages, 1);

  BuildStatusBar();
  layout->addWidget(StatusBar);

  search_ = new TQRPageSearch(shownPrinter, this);
  connect(search_, &TQRPageSearch::Changed, this,
          [this] { platform::RunHandler([this] { SearchChanged(); }); });
  highlight_ = new TQRFindHighlight(QRPreview->PreviewImage());
  FindBar->OnQueryChanged = [this] {
    search_->Find(FindBar->Text(), FindBar->CaseSensitivity(), QRPreview->PageNumber());
  };
  FindBar->OnNext = [this] { FindNextClick(); };
  FindBar->OnPrevious = [this] { FindPreviousClick(); };
  FindBar->OnClose = [this] { CloseFind(); };
  QRPreview->OnZoomApplied = [this] { ShowZoom(); };
  QRPreview->OnPageShown = [this](int page) { PageShown(page); };
  QRPreview->OnPrinterChanged = [this] { PrinterChanged(); };
  BuildKeys();

  PlaceRestoredWindow();
  setWindowState(Qt::WindowMaximized);
  platform::ActivationRecord::Instance().Register(this);

  QRPreview->SetQRPrinter(printer);
  if (printer && !printer->JobTitle().isEmpty()) setWindowTitle(printer->JobTitle());
  lastProgress_ = 0;
  ZoomToWidth->setChecked(true);
  if (printer && printer->RunState() == TQRPrinterRunState::Complete) Print->setEnabled(true);
  ApplyThumbnailDefault();
  ShowZoom();
}

// The preview control may still hear from its printer while the window's
// parts go away; nothing of the window answers it then.
TQRStandardPreview::~TQRStandardPreview() {
  QRPreview->OnPageAvailable = nullptr;
  QRPreview->OnProgressUpdate = nullptr;
  QRPreview->OnZoomApplied = nullptr;
  QRPreview->OnPageShown = nullptr;
  QRPreview->OnPrinterChanged = nullptr;
}

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

  BuildFollowingControls();
}

void TQRStandardPreview::BuildFollowingControls() {
  using G = TQRPreviewGlyph;
  using W = TQRStandardPreview;
  Separator5 = AddDivider(QStringLiteral("Separator5"));
  ZoomBox = new QComboBox(ToolBar1);
  ZoomBox->setObjectName(QStringLiteral("ZoomBox"));
  ZoomBox->setAccessibleName(QStringLiteral("Zoom"));
  ZoomBox->setToolTip(QStringLiteral("Zoom"));
  ZoomBox->setEditable(true);
  ZoomBox->setInsertPolicy(QComboBox::NoInsert);
  // What is typed is taken as typed: "1" is 1 %, not the step "100%" it
  // would complete to.
  ZoomBox->setCompleter(nullptr);
  ZoomBox->setFocusPolicy(Qt::ClickFocus);
  for (int step : kZoomSteps) ZoomBox->addItem(ZoomText(step), step);
  ZoomBox->setMinimumContentsLength(5);
  connect(ZoomBox->lineEdit(), &QLineEdit::returnPressed, this,
          [this] { platform::RunHandler([this] { ZoomBoxEntered(); }); });
  connect(ZoomBox, &QComboBox::activated, this,
          [this] { platform::RunHandler([this] { ZoomBoxEntered(); }); });
  ToolBar1->addWidget(ZoomBox);
  Thumbnails = AddButton(QStringLiteral("Thumbnails"), QStringLiteral("Thumbnails"),
                         int(G::Thumbnails), &W::ThumbnailsClick);
  Thumbnails->setCheckable(true);
  FindButton =
      AddButton(QStringLiteral("FindButton"), QStringLiteral("Find"), int(G::Find), &W::FindClick);
}

// Keys of the designed buttons are the window's (FormKeyDown) and only
// written in their tooltips; the others run through shortcuts that work
// wherever the focus is in the window.
void TQRStandardPreview::BuildKeys() {
  AppendKeys(FirstPage, {QKeySequence(Qt::Key_Home), QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
  AppendKeys(PreviousPage, {QKeySequence(Qt::Key_PageUp)});
  AppendKeys(ToolButton2, {QKeySequence(Qt::Key_PageDown)});
  AppendKeys(LastPage, {QKeySequence(Qt::Key_End), QKeySequence(Qt::CTRL | Qt::Key_PageDown)});

  AddKeys(ZoomFit, {QKeySequence(Qt::CTRL | Qt::Key_0)});
  AddKeys(Zoom100, {QKeySequence(Qt::CTRL | Qt::Key_1)});
  AddKeys(ZoomToWidth, {QKeySequence(Qt::CTRL | Qt::Key_2)});
  AddKeys(PrintSetup, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)});
  AddKeys(Print, {QKeySequence(Qt::CTRL | Qt::Key_P)});
  AddKeys(SaveReport, {QKeySequence(Qt::CTRL | Qt::Key_S)});
  AddKeys(LoadReport, {QKeySequence(Qt::CTRL | Qt::Key_O)});
  AddKeys(Thumbnails, {QKeySequence(Qt::Key_F4)});
  AddKeys(FindButton, {QKeySequence(Qt::CTRL | Qt::Key_F)});
  AddKey(QKeySequence(Qt::Key_F3), [this] { FindNextClick(); });
  AddKey(QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { FindPreviousClick(); });
  for (const QKeySequence& key :
       {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)})
    AddKey(key, [this] { ZoomInClick(); });
  AddKey(QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { ZoomOutClick(); });
  const QKeySequence zoomBoxKey(Qt::ALT | Qt::Key_Z);
  AddKey(zoomBoxKey, [this] {
    ZoomBox->setFocus(Qt::ShortcutFocusReason);
    ZoomBox->lineEdit()->selectAll();
  });
  AppendKeys(ZoomBox, {zoomBoxKey});
}

void TQRStandardPreview::AddKeys(QToolButton* button, const QList<QKeySequence>& keys) {
  // A disabled button does nothing, by key as by mouse.
  for (const QKeySequence& key : keys) AddKey(key, [button] { button->click(); });
  AppendKeys(button, keys);
}

void TQRStandardPreview::AddKey(const QKeySequence& key, const std::function<void()>& command) {
  auto* shortcut = new QShortcut(key, this);
  shortcut->setContext(Qt::WindowShortcut);
  connect(shortcut, &QShortcut::activated, this, [command] { platform::RunHandler(command); });
}

QToolButton* TQRStandardPreview::AddButton(const QString& name, const QString& hint, int glyph,
                                           void (TQRStandardPreview::*handler)()) {
  auto* button = new QToolButton(ToolBar1);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setAccessibleName(hint);
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
  ThumbnailPanel->Model().PagesArrived();
  ThumbnailPanel->MarkPage(QRPreview->PageNumber());
  ApplyThumbnailDefault();
  search_->PagesArrived();
  MarkMatches();
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
  const std::vector<TQRExportFilter*> filters = ExportFilters();
  TQRFileDialogRequest request;
  request.title = QStringLiteral("Save report");
  request.filter = SaveFilter(filters);
  request.defaultExtension = kPreparedExtension;
  request.owner = this;
  const TQRFileDialogAnswer answer = FileDialog().RunSave(request);
  if (!answer.confirmed || !QRPrinter() || RefuseWhileGenerating()) return;
  // Entry 1 is the prepared report file; the export filters follow it.
  if (answer.filterIndex == 1) {
    QRPrinter()->SavePrepared(WithDefaultExtension(answer.fileName, kPreparedExtension));
    return;
  }
  const int exportFilter = answer.filterIndex - 2;
  if (exportFilter < 0 || exportFilter >= int(filters.size())) return;
  // The export writes the stored pages, which are what the window shows;
  // pages loaded from a file have no report that could make them again.
  TQRExportFilter& filter = *filters[size_t(exportFilter)];
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  struct TCursorBack {
    ~TCursorBack() { QGuiApplication::restoreOverrideCursor(); }
  } cursorBack;
  QRPrinter()->ExportPages(filter, WithDefaultExtension(answer.fileName, filter.Extension()));
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
  ++pagesGeneration_;
  shownMatch_.reset();
  QRPreview->SetPageNumber(1);
  QRPreview->PreviewImage()->SetPageNumber(1);
  QRPreview->Refit();
  UpdatePageStatus();
  ThumbnailPanel->Model().PagesReplaced();
  ThumbnailPanel->MarkPage(1);
  ApplyThumbnailDefault();
  search_->PagesReplaced();
  MarkMatches();
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
  // An open find bar is closed first; the next Escape closes the window.
  if (event->key() == Qt::Key_Escape && !FindBar->isHidden()) {
    platform::RunHandler([this] { CloseFind(); });
    event->accept();
    return;
  }
  platform::RunHandler([&] { FormKeyDown(event->key(), event->modifiers()); });
  platform::RunHandler([&] { ScrollKeyDown(event->key(), event->modifiers()); });
  QWidget::keyPressEvent(event);
}

void TQRStandardPreview::ScrollKeyDown(int key, Qt::KeyboardModifiers shift) {
  const Qt::KeyboardModifiers held =
      shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  switch (key) {
    case Qt::Key_Down:
      if (held == Qt::NoModifier) QRPreview->ScrollVertically(TQRPreview::kLineStep);
      break;
    case Qt::Key_Up:
      if (held == Qt::NoModifier) QRPreview->ScrollVertically(-TQRPreview::kLineStep);
      break;
    case Qt::Key_Right:
      if (held == Qt::NoModifier) QRPreview->ScrollHorizontally(TQRPreview::kLineStep);
      break;
    case Qt::Key_Left:
      if (held == Qt::NoModifier) QRPreview->ScrollHorizontally(-TQRPreview::kLineStep);
      break;
    case Qt::Key_Space:
      if (held == Qt::NoModifier) QRPreview->ScrollScreens(1);
      if (held == Qt::ShiftModifier) QRPreview->ScrollScreens(-1);
      break;
    default:
      break;
  }
}

// ---- the controls that follow the designed ones ----------------------------

// Another printer's pages, or none: the pictures and the search start again.
void TQRStandardPreview::PrinterChanged() {
  ++pagesGeneration_;
  shownMatch_.reset();
  ThumbnailPanel->Model().PagesReplaced();
  ThumbnailPanel->MarkPage(QRPreview->PageNumber());
  search_->PagesReplaced();
  MarkMatches();
}

void TQRStandardPreview::PageShown(int page) {
  UpdatePageStatus();
  ThumbnailPanel->MarkPage(page);
  MarkMatches();
}

void TQRStandardPreview::ApplyThumbnailDefault() {
  if (thumbnailsChosen_) return;
  ShowThumbnails(QRPrinter() && QRPrinter()->PageCount() > 1);
}

void TQRStandardPreview::ShowThumbnails(bool shown) {
  Thumbnails->setChecked(shown);
  if (shown == !ThumbnailPanel->isHidden()) return;
  ThumbnailPanel->setVisible(shown);
  if (shown) ThumbnailPanel->MarkPage(QRPreview->PageNumber());
}

void TQRStandardPreview::ThumbnailsClick() {
  thumbnailsChosen_ = true;
  ShowThumbnails(Thumbnails->isChecked());
}

// A zoom by step or by number is none of the three designed ones.
void TQRStandardPreview::ReleaseZoomButtons() {
  zoomGroup_->setExclusive(false);
  for (QAbstractButton* button : zoomGroup_->buttons()) button->setChecked(false);
  zoomGroup_->setExclusive(true);
}

void TQRStandardPreview::ZoomInClick() {
  const int before = QRPreview->Zoom();
  QRPreview->StepZoom(1);
  if (QRPreview->Zoom() != before) ReleaseZoomButtons();
}

void TQRStandardPreview::ZoomOutClick() {
  const int before = QRPreview->Zoom();
  QRPreview->StepZoom(-1);
  if (QRPreview->Zoom() != before) ReleaseZoomButtons();
}

// A typed zoom outside 2 to 2000 % is ignored, as the preview ignores it;
// the box then shows the zoom in force again.
void TQRStandardPreview::ZoomBoxEntered() {
  const std::optional<int> zoom = ParseZoom(ZoomBox->currentText());
  if (zoom && *zoom >= TQRPreview::kMinZoom && *zoom <= TQRPreview::kMaxZoom) {
    QRPreview->SetZoom(*zoom);
    ReleaseZoomButtons();
  }
  ShowZoom();
}

void TQRStandardPreview::ShowZoom() {
  if (ZoomBox) ZoomBox->setEditText(ZoomText(QRPreview->Zoom()));
}

void TQRStandardPreview::FindClick() {
  FindBar->Open();
  MarkMatches();  // a search made before the bar was closed shows again
}

void TQRStandardPreview::FindNextClick() {
  if (FindBar->isHidden()) FindBar->Open();
  if (search_->Query() != FindBar->Text()) {
    FindBar->OnQueryChanged();
    return;
  }
  search_->Next();
}

void TQRStandardPreview::FindPreviousClick() {
  if (FindBar->isHidden()) FindBar->Open();
  search_->Previous();
}

void TQRStandardPreview::CloseFind() {
  FindBar->hide();
  shownMatch_.reset();
  highlight_->Clear();
  // The keys go to the window again.
  if (QWidget* focus = QApplication::focusWidget(); focus && isAncestorOf(focus))
    focus->clearFocus();
}

void TQRStandardPreview::SearchChanged() {
  const std::vector<TQRTextMatch>& matches = search_->Matches();
  const int current = search_->Current();
  FindBar->ShowCount(current + 1, int(matches.size()), search_->Reading());
  if (current >= 0 && shownMatch_ != matches[size_t(current)]) {
    shownMatch_ = matches[size_t(current)];
    if (shownMatch_->page != QRPreview->PageNumber()) {
      QRPreview->SetPageNumber(shownMatch_->page);
      UpdatePageStatus();
    }
    MarkMatches();
    const std::vector<QPolygonF>& outlines = highlight_->Outlines();
    const int mark = highlight_->CurrentOutline();
    if (mark >= 0 && mark < int(outlines.size()))
      QRPreview->EnsureVisible(highlight_->OnImage(outlines[size_t(mark)]).toAlignedRect());
    return;
  }
  if (current < 0) shownMatch_.reset();
  MarkMatches();
}

void TQRStandardPreview::MarkMatches() {
  const TQRPreviewImage* image = QRPreview->PreviewImage();
  const int page = QRPreview->PageNumber();
  if (FindBar->isHidden() || search_->Query().isEmpty() || !image->HoldsPage()) {
    highlight_->Clear();
    return;
  }
  if (pageTextPage_ != page || pageTextGeneration_ != pagesGeneration_) {
    pageText_ = ReadPageText(*image->PageMetafile(), TPageTextDetail::WithPositions);
    pageTextPage_ = page;
    pageTextGeneration_ = pagesGeneration_;
  }
  std::vector<QPolygonF> outlines;
  int currentOutline = -1;
  const std::vector<TQRTextMatch>& matches = search_->Matches();
  for (size_t i = 0; i < matches.size(); ++i) {
    if (matches[i].page != page) continue;
    if (int(i) == search_->Current()) currentOutline = int(outlines.size());
    for (QPolygonF& outline : pageText_.Outlines(matches[i].at, matches[i].length))
      outlines.push_back(std::move(outline));
  }
  highlight_->ShowMatches(std::move(outlines), currentOutline);
}

void TQRStandardPreview::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  platform::RunHandler([this] { QRPreview->ApplyZoom(); });
}

void InstallStandardPreview() {
  SetStandardPreviewConstructor(&MakeStandardPreview);
  InstallStandardPreviewInterface();
}
