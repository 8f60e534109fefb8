#include "forms/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <stdexcept>
#include <string>

#include "forms/DocumentFrame.h"
#include "forms/PageKit.h"
#include "platform/dbctrls/PendingEdits.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Guard.h"
#include "platform/gui/Images.h"
#include "platform/gui/QtTypes.h"
#include "platform/richedit/RtfView.h"
#include "platform/rtl/SysUtils.h"
#include "platform/services/FileDialogs.h"
#include "widgets/PageToolbar.h"
#include "widgets/gbOutBar.h"
#include "widgets/gbOutPanel.h"

namespace {

// The action's place in the toolbar images.
constexpr const char* kImageProperty = "toolbarImage";

// The item shows the action: its icon text, its image, enabled or not.
void ShowAction(TListItem* item, const QAction& action) {
  item->SetCaption(FromQString(action.iconText()));
  const QVariant image = action.property(kImageProperty);
  item->SetImageIndex(image.isValid() ? image.toInt() : -1);
  if (auto* vert = dynamic_cast<TGBVertListItem*>(item)) vert->SetEnabled(action.isEnabled());
}

}  // namespace

TMainWindow::TMainWindow(TWindowSeams seams, TMainWindowOptions options, QWidget* parent)
    : QMainWindow(parent),
      seams_(std::move(seams)),
      options_(std::move(options)),
      toolbarImages_(std::make_unique<TImageList>(32, 32)) {
  setFont(PixelFont("Arial", 12, fsBold));

  toolbarPicture_ = std::make_unique<TBitmap>();
  toolbarPicture_->SetImage(QImage(QStringLiteral(":/artwork/toolbar-background.png")));
  for (int i = 0; i < 6; ++i) {
    toolbarImages_->AddImage(QImage(QStringLiteral(":/artwork/toolbar-%1.png").arg(i)));
  }

  client_ = new TPanel;
  client_->SetBevelOuter(bvNone);
  client_->SetColor(clBtnFace);
  client_->SetName("ClientArea");
  setCentralWidget(client_);

  groupBar_ = new TGBGroupBar;
  groupBar_->SetName("GroupBar");
  groupBar_->SetParent(client_);
  groupBar_->SetAlign(alClient);
  groupBar_->SetHotTrack(true);
  groupBar_->SetHotColor(clBlue);
  groupBar_->SetButtonSpaceColor(clSilver);
  BoldArial(groupBar_->Font(), options_.captionHeight);
  groupBar_->OnChanging = [this](TPersistent*, TGBOutBarGroup* group, bool& allow) { GroupBarChanging(group, allow); };

  statusBar_ = new QStatusBar;
  statusBar_->setObjectName("StatusBar");
  statusBar_->setSizeGripEnabled(false);
  statusBar_->setFixedHeight(kStatusBarHeight);
  setStatusBar(statusBar_);

  menuBar()->setObjectName("MenuPrincipal");
}

TMainWindow::~TMainWindow() = default;

void TMainWindow::SetDocumentCaption(const std::string& document) {
  // The name may come from a file: printable text only.
  setWindowTitle(ToQString(options_.programName + " - " + PrintableText(document)));
}

// ---- Pages

TGBOutBarGroup* TMainWindow::AddPage(const std::string& caption, const char* name) {
  // Added as a form reader adds it: the first page stays the active one.
  LoadingScope scope(*groupBar_);
  if (groupBar_->GroupCount() == 0) groupBar_->SetActiveGroupIndex(0);
  auto* page = new TGBOutBarGroup;
  page->SetName(name);
  page->SetCaption(caption);
  page->SetGroupBar(groupBar_);
  scope.Finish();
  return page;
}

TGBVertListView* TMainWindow::AddToolbar(TGBOutBarGroup* page, const TToolbarTable& table) {
  TGBOutBarVertListView* list = nullptr;
  {
    LoadingScope scope;
    list = AddPageToolbar(page, {.images = toolbarImages_.get(),
                                 .picture = toolbarPicture_.get(),
                                 .captionHeight = options_.captionHeight,
                                 .width = kToolbarWidth});
    list->GetOutBar()->SetName(table.barName);
    list->SetName(table.listName);
  }
  for (QAction* action : table.actions) {
    TListItem* added = list->Items().Add();
    // The item carries its action wherever a drag puts it.
    added->SetData(action);
    ShowAction(added, *action);
    if (std::find(shownActions_.begin(), shownActions_.end(), action) != shownActions_.end()) continue;
    shownActions_.push_back(action);
    QObject::connect(action, &QAction::changed, this, [this, action] { ShowActionOnToolbars(action); });
  }
  list->SetShell(&seams_.Shell);
  list->OnButtonClick = [](TPersistent*, TListItem* item) {
    if (auto* action = item ? static_cast<QAction*>(item->Data()) : nullptr) action->trigger();
  };
  return list;
}

TGBVertListView* TMainWindow::AddEntryToolbar(TGBOutBarGroup* page, QAction* itemsAction) {
  using C = TFileCommand;
  return AddToolbar(page, {"OutBarToolBarSimulation",
                           "OutBarGroupToolBar",
                           {FileAction(C::Novo), FileAction(C::Abrir), FileAction(C::Salvar), FileAction(C::SalvarComo),
                            FileAction(C::Imprimir), itemsAction}});
}

TGBVertListView* TMainWindow::AddReportToolbar(TGBOutBarGroup* page, const char* barName, const char* listName) {
  return AddToolbar(page, {barName, listName, {FileAction(TFileCommand::Salvar), FileAction(TFileCommand::Imprimir)}});
}

void TMainWindow::ShowActionOnToolbars(QAction* action) {
  // The widget set has no meta-objects: look at every child.
  for (QWidget* child : findChildren<QWidget*>()) {
    auto* list = dynamic_cast<TGBVertListView*>(child);
    if (!list) continue;
    TListItems& items = list->Items();
    for (int i = 0; i < items.Count(); ++i)
      if (items[i]->Data() == action) ShowAction(items[i], *action);
  }
}

int TMainWindow::ActivePage() const {
  return groupBar_->ActiveGroupIndex();
}

void TMainWindow::ShowPage(int index) {
  groupBar_->SetActiveGroupIndex(index);
}

void TMainWindow::SetPageActions(std::vector<QAction*> actions) {
  pageActions_ = std::move(actions);
  // Connected after the command, so this runs last.
  for (QAction* action : pageActions_) {
    if (action) QObject::connect(action, &QAction::triggered, this, [this] { MarkPage(ActivePage()); });
  }
}

void TMainWindow::MarkPage(int index) {
  for (std::size_t i = 0; i < pageActions_.size(); ++i) {
    if (pageActions_[i]) pageActions_[i]->setChecked(static_cast<int>(i) == index);
  }
}

void TMainWindow::PageChanging(int, bool&) {}

void TMainWindow::GroupBarChanging(TGBOutBarGroup* group, bool& allowChange) {
  // Pages being added change nothing yet.
  if (!built_) {
    allowChange = true;
    return;
  }
  int index = -1;
  for (int i = 0; i < groupBar_->GroupCount(); ++i) {
    if (groupBar_->Groups(i) == group) index = i;
  }
  PageChanging(index, allowChange);
}

// ---- Areas

void TMainWindow::AddItemsArea(TGBOutBarGroup* page, QAction* itemsAction) {
  itemsArea_ = std::make_unique<TItemsArea>(
      page, TItemsAreaOptions{.itemsWidth = options_.itemsWidth,
                              .captionHeight = options_.captionHeight,
                              .itemsAction = itemsAction,
                              .nodeChanged = [this](QTreeWidgetItem* node) { TreeViewChange(node); },
                              .run = [this](const std::function<void()>& command) { RunCommand(command); }});
}

void TMainWindow::TreeViewChange(QTreeWidgetItem* node) {
  if (QWidget* frame = TItemsArea::NodeFrame(node)) itemsArea_->ShowFrame(frame);
}

RtfView* TMainWindow::AddReportView(TGBOutBarGroup* page, const char* name, std::function<void()> save,
                                    std::function<void()> print, const char* menuName) {
  return reports_->Add(page, name, std::move(save), std::move(print), menuName);
}

// ---- Commands

void TMainWindow::RunCommand(const std::function<void()>& command) {
  Guard([&] {
    CommitPendingEdits(this);
    command();
  });
}

// ---- Menus

QMenu* TMainWindow::AddMenu(const std::string& caption, const char* name) {
  QMenu* menu = menuBar()->addMenu(ToQString(caption));
  if (name) menu->setObjectName(name);
  return menu;
}

namespace {

void Configure(QAction* action, const TActionOptions& options) {
  if (options.name) action->setObjectName(options.name);
  action->setCheckable(options.checkable || options.checked);
  action->setChecked(options.checked);
  action->setEnabled(options.enabled);
  action->setVisible(options.visible);
  if (!options.shortcut.isEmpty()) action->setShortcut(options.shortcut);
  if (options.iconText) action->setIconText(QString::fromUtf8(options.iconText));
  if (options.image) action->setProperty(kImageProperty, static_cast<int>(*options.image));
}

}  // namespace

QAction* TMainWindow::AddAction(QMenu* menu, const std::string& caption, std::function<void()> command,
                                const TActionOptions& options) {
  QAction* action = menu->addAction(ToQString(caption));
  Configure(action, options);
  QObject::connect(action, &QAction::triggered, this, [this, command = std::move(command)] { RunCommand(command); });
  // Shortcuts of items in a hidden menu still work from the window.
  addAction(action);
  return action;
}

void TMainWindow::AddMenuEntries(QMenu* menu, const std::vector<TMenuEntry>& entries) {
  for (const TMenuEntry& entry : entries) {
    if (entry.caption.empty()) {
      menu->addSeparator();
    } else {
      AddAction(menu, entry.caption, entry.command, entry.options);
    }
  }
}

QAction* TMainWindow::AddMenuBarCommand(const std::string& caption, std::function<void()> command, const char* name) {
  QAction* action = menuBar()->addAction(ToQString(caption));
  if (name) action->setObjectName(name);
  QObject::connect(action, &QAction::triggered, this, [this, command = std::move(command)] { RunCommand(command); });
  addAction(action);
  return action;
}

QAction* TMainWindow::AddWindowAction(const std::string& caption, std::function<void()> command,
                                      const TActionOptions& options) {
  auto* action = new QAction(ToQString(caption), this);
  Configure(action, options);
  QObject::connect(action, &QAction::triggered, this, [this, command = std::move(command)] { RunCommand(command); });
  addAction(action);
  return action;
}

void TMainWindow::BuildMenuBar(const TMenuBarTable& table) {
  using I = TToolbarImage;
  const TFileMenu& file = table.file;
  QMenu* menu = AddMenu("&Arquivo", "MenuArquivo");
  // In TFileCommand's order; "Imprimir" comes later.
  fileActions_ = {
      AddAction(menu, file.novo, [this] { Novo(); }, {.name = file.novoName, .iconText = "Novo", .image = I::Novo}),
      AddAction(menu, "&Abrir...", [this] { Abrir(); },
                {.name = "MenuArquivoAbrir", .iconText = "Abrir", .image = I::Abrir}),
      AddAction(menu, file.salvar, [this] { Salvar(); },
                {.name = "MenuArquivoSalvar", .iconText = "Salvar", .image = I::Salvar}),
      AddAction(menu, "Salvar &Como...", [this] { SalvarComo(); },
                {.name = "MenuArquivoSalvarComo", .iconText = "Salvar Como", .image = I::SalvarComo})};
  menu->addSeparator();
  if (!file.more.empty()) {
    AddMenuEntries(menu, file.more);
    menu->addSeparator();
  }
  AddAction(menu, "Con&figurar Impressora...", [this] { seams_.Frames.Dialogs.PrinterSetup(); },
            {.name = "MenuArquivoConfigurarImpressora"});
  fileActions_.push_back(AddAction(menu, "&Imprimir", [this] { Imprimir(); },
                                   {.name = "MenuArquivoImprimir", .iconText = "Imprimir", .image = I::Imprimir}));
  menu->addSeparator();
  // Ctrl+S leaves the program, as it always did there; no save has a shortcut.
  AddAction(menu, "&Sair", [this] { close(); },
            {.name = "MenuArquivoSair", .shortcut = QKeySequence(Qt::CTRL | Qt::Key_S)});
  for (const TMenuTable& menuTable : table.menus)
    AddMenuEntries(AddMenu(menuTable.caption, menuTable.name), menuTable.entries);
  const TMenuEntry& bar = table.barCommand;
  if (!bar.caption.empty()) AddMenuBarCommand(bar.caption, bar.command, bar.options.name);
  for (const TMenuEntry& entry : table.windowActions) AddWindowAction(entry.caption, entry.command, entry.options);
  reports_ = std::make_unique<TReportPages>(this, seams_, FileAction(TFileCommand::Salvar),
                                            FileAction(TFileCommand::Imprimir));
}

TMenuEntry TMainWindow::ItemsEntry() {
  return {"&Itens",
          [this] { VisualizarTreeView(); },
          {.name = "MenuVisualizarItens",
           .checkable = true,
           .checked = true,
           .iconText = TItemsArea::kHideItems,
           .image = TToolbarImage::Itens}};
}

void TMainWindow::VisualizarTreeView() {
  itemsArea_->ToggleItems();
}

QAction* TMainWindow::FindAction(const char* name) const {
  QAction* action = findChild<QAction*>(QString::fromUtf8(name));
  if (!action) throw std::logic_error(std::string("The window has no action named ") + name);
  return action;
}

QAction* TMainWindow::FileAction(TFileCommand command) const {
  const auto index = static_cast<std::size_t>(command);
  return index < fileActions_.size() ? fileActions_[index] : nullptr;
}

// ---- File commands

void TMainWindow::SetDocumentFrames(IMainDocumentFrame* document, std::vector<IDocumentFrame*> catalogues) {
  document_ = document;
  documentFrames_ = {document};
  documentFrames_.insert(documentFrames_.end(), catalogues.begin(), catalogues.end());
}

IDocumentFrame* TMainWindow::FileFrame() const {
  if (documentFrames_.empty()) return nullptr;
  for (auto it = documentFrames_.begin() + 1; it != documentFrames_.end(); ++it)
    if (TItemsArea::IsCurrentFrame(dynamic_cast<QWidget*>(*it))) return *it;
  return documentFrames_.front();
}

const TGBOutBarGroup* TMainWindow::ActiveGroup() const {
  return ActivePage() >= 0 ? groupBar_->Groups(ActivePage()) : nullptr;
}

void TMainWindow::Novo() {
  if (!document_ || !TItemsArea::IsCurrentFrame(dynamic_cast<QWidget*>(document_)) || !MayReplace(*document_)) return;
  ReplaceDocument([this] {
    document_->New();
    return true;
  });
}

void TMainWindow::Abrir() {
  IDocumentFrame* frame = FileFrame();
  if (!frame || !MayReplace(*frame)) return;
  if (frame != document_) {
    frame->Open();
    return;
  }
  ReplaceDocument([this] {
    if (!document_->Open()) return false;
    SetFileCaption(*document_);
    return true;
  });
}

void TMainWindow::ReplaceDocument(const std::function<bool()>& replace) {
  QTreeWidgetItem* selected = itemsArea_->SelectedNode();
  itemsArea_->ClearSelection();
  bool replaced = false;
  try {
    replaced = replace();
  } catch (...) {
    DocumentReplaced(false);
    throw;
  }
  if (replaced) {
    // The list shown was the old document's.
    Errors().HideErrors();
    DocumentReplaced(true);
  } else if (selected) {
    itemsArea_->SetSelectedSilently(selected);
  }
}

void TMainWindow::Salvar() {
  if (reports_ && reports_->Save(ActiveGroup())) return;
  if (IDocumentFrame* frame = FileFrame()) SaveDocument(*frame);
}

void TMainWindow::SalvarComo() {
  IDocumentFrame* frame = FileFrame();
  if (frame && frame->SaveAs()) DocumentSaved(*frame);
}

void TMainWindow::Imprimir() {
  if (reports_ && reports_->Print(ActiveGroup())) return;
  if (FileFrame() != (documentFrames_.empty() ? nullptr : documentFrames_.front())) return;
  PrintDocument();
}

bool TMainWindow::SaveDocument(IDocumentFrame& frame) {
  if (!frame.Save()) return false;
  DocumentSaved(frame);
  return true;
}

void TMainWindow::DocumentSaved(IDocumentFrame& frame) {
  if (!documentFrames_.empty() && &frame == documentFrames_.front()) SetFileCaption(frame);
}

void TMainWindow::SetFileCaption(const IDocumentFrame& frame) {
  SetDocumentCaption(ExtractFileName(frame.Path()));
}

bool TMainWindow::MayReplace(IDocumentFrame& frame) {
  CommitPendingEdits(this);
  if (!frame.Changed()) return true;
  switch (seams_.Frames.Dialogs.AskYesNoCancel(frame.SaveQuestion())) {
    case TMsgDlgBtn::Yes:
      return SaveDocument(frame);
    case TMsgDlgBtn::No:
      return true;
    default:
      return false;
  }
}

// ---- About

void TMainWindow::OpenAbout() {
  if (!options_.aboutOpener) return;
  QPointer<TMainWindow> self(this);
  QTimer::singleShot(0, this, [self] {
    if (self && self->options_.aboutOpener) Guard(self->options_.aboutOpener);
  });
}

void TMainWindow::SetAboutHotSpot(TGBVertListView* toolbar, int belowY) {
  toolbar->OnMouseDown = [this, belowY](TPersistent*, TMouseButton, TShiftState, int, int Y) {
    if (Y > belowY) OpenAbout();
  };
}

// ---- Layout

void TMainWindow::FinishLayout() {
  built_ = true;
  // Minimise and close only, whatever the window manager offers by default:
  // a fixed size cannot be maximised.
  const bool shown = isVisible();
  setWindowFlags(windowType() | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  if (shown) show();
  const int menuHeight = menuBar()->sizeHint().height();
  setFixedSize(options_.clientWidth, options_.clientHeight + menuHeight);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect available = screen->availableGeometry();
    move(available.center() - QPoint(width() / 2, height() / 2));
  }
}

bool TMainWindow::LeaveAllowed() {
  for (IDocumentFrame* frame : documentFrames_)
    if (!MayReplace(*frame)) return false;
  return true;
}

void TMainWindow::closeEvent(QCloseEvent* event) {
  bool leave = false;
  Guard([&] { leave = LeaveAllowed(); });
  if (!leave) {
    event->ignore();
    return;
  }
  event->accept();
  if (seams_.EndsProgram) QCoreApplication::quit();
}
