#pragma once
// The main window both programs build on: a fixed-size window with a menu
// bar, a group bar of pages and a status bar. A page holds an out bar with
// its toolbar list on the left and either the items area (the header panel
// "Itens" with the read-only tree, the splitter and the stacked frames) or a
// report view. The base keeps the rules both windows share: the one current
// frame is the enabled one, tree nodes carry a frame or an item Id, the
// items are shown or hidden through the toggle item found by its caption,
// commands commit the pending edit first and run guarded, toolbar clicks are
// dispatched by caption, the About window opens queued, reports are saved
// and printed the same way, and closing offers to save what changed.

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QKeySequence>

class QAction;
class QMenu;
class QSplitter;
class QSplitterHandle;
class QStackedWidget;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;
class RtfView;
class TControl;
class TGBGroupBar;
class TGBHeaderPanel;
class TGBOutBar;
class TGBOutBarGroup;
class TGBVertListView;
class TImageList;
class TBitmap;
class TCustomPanel;
class IDialogs;
class IErrorPresenter;
class IShell;
class TPrintService;
class TDocumentFolder;
class IDocumentFrame;

// What a window reaches outside itself; main builds them and owns what they
// point at.
struct TWindowSeams {
  IDialogs& Dialogs;
  IErrorPresenter& ErrorPresenter;
  IShell& Shell;
  TPrintService& PrintService;
  // Where the dialogs of documents start.
  TDocumentFolder& Documents;
  std::string ExeDir;
  // Closing the window ends the program.
  bool EndsProgram = false;
};

struct TToolbarItem {
  std::string caption;
  int imageIndex = 0;
};

// Caption and handler pairs of a toolbar list or a menu.
using TCommandTable = std::vector<std::pair<std::string, std::function<void()>>>;

struct TMainWindowOptions {
  // The window caption is "<programName> - <document>".
  std::string programName;
  // The area below the menu bar: the group bar and the status bar.
  int clientWidth = 804;
  int clientHeight = 555;
  // The header panel "Itens".
  int itemsWidth = 212;
  // The captions of the pages, the toolbars and "Itens": bold Arial of this
  // height in pixels.
  int captionHeight = 13;
  // Opens the About window; called queued, never inside the handler that
  // asked for it. Empty: nothing opens.
  std::function<void()> aboutOpener;
};

// How a menu item starts.
struct TActionOptions {
  const char* name = nullptr;  // the action's object name
  bool visible = true;
  bool enabled = true;
  bool checkable = false;
  bool checked = false;
  QKeySequence shortcut{};
};

// An entry of a menu table: an item, or a separator when the caption is
// empty. keep, when given, receives the item built.
struct TMenuEntry {
  std::string caption;
  std::function<void()> command;
  TActionOptions options = {};
  QAction** keep = nullptr;
};

struct TMenuTable {
  std::string caption;
  const char* name = nullptr;
  std::vector<TMenuEntry> entries;
};

// A window's menus in order, then a menu-bar entry without a drop-down and
// the commands kept on the window in no menu.
struct TMenuBarTable {
  std::vector<TMenuTable> menus;
  TMenuEntry barCommand;
  std::vector<TMenuEntry> windowActions;
};

// A toolbar list with the commands its captions run.
struct TToolbarTable {
  const char* barName;
  const char* listName;
  std::vector<TToolbarItem> items;
  TCommandTable commands;
};

class TMainWindow : public QMainWindow {
public:
  static constexpr const char* kHideItems = "Ocultar Itens";
  static constexpr const char* kShowItems = "Mostrar Itens";
  static constexpr const char* kReportFilter = "Rich Edit Files (*.rtf)|*.rtf|Todos os Arquivos (*.*)|*.*";
  static constexpr const char* kSaveReportTitle = "Salvar Documento";
  static constexpr int kToolbarWidth = 109;
  static constexpr int kSplitterWidth = 8;
  static constexpr int kStatusBarHeight = 19;

  TMainWindow(TWindowSeams seams, TMainWindowOptions options, QWidget* parent = nullptr);
  ~TMainWindow() override;

  const TMainWindowOptions& Options() const { return options_; }
  const TWindowSeams& Seams() const { return seams_; }
  IDialogs& Dialogs() const { return seams_.Dialogs; }
  IErrorPresenter& Errors() const { return seams_.ErrorPresenter; }
  const std::string& ExeDir() const { return seams_.ExeDir; }

  // ---- Caption
  // "<programName> - <document>".
  void SetDocumentCaption(const std::string& document);

  // ---- Pages
  TGBGroupBar* GroupBar() const { return groupBar_; }
  // A new page at the end of the group bar.
  TGBOutBarGroup* AddPage(const std::string& caption, const char* name);
  // The page's out bar (109 pixels, teal-to-purple, 50 steps) and its
  // toolbar list (stretched picture, 32-pixel images, white bold captions).
  TGBVertListView* AddToolbar(TGBOutBarGroup* page, const char* barName, const char* listName,
                              const std::vector<TToolbarItem>& items);
  // The same, its clicks dispatched through the table's commands.
  TGBVertListView* AddToolbar(TGBOutBarGroup* page, const TToolbarTable& table);
  int ActivePage() const;
  // Sets the group bar's active group: PageChanging runs first, and what it
  // raises (EAbort on a refusal) leaves here, so the caller stops too.
  void ShowPage(int index);
  // One view item per page (nullptr where there is none): MarkPage checks
  // the page's item and unchecks the others.
  void SetPageActions(std::vector<QAction*> actions);
  void MarkPage(int index);
  // Run by the group bar before every page change. Refuse by setting
  // allowChange to false or by raising EAbort (which also stops the command
  // that asked for the move).
  virtual void PageChanging(int newPage, bool& allowChange);

  // ---- Items area
  // Fills the page right of its toolbar: the header panel "Itens"
  // (itemsWidth) with the tree, the splitter and the frame stack.
  void AddItemsArea(TGBOutBarGroup* page);
  TGBHeaderPanel* ItemsPanel() const { return itemsPanel_; }
  QTreeWidget* Tree() const { return tree_; }
  // The bar right of the items panel.
  QSplitterHandle* Splitter() const;
  QStackedWidget* FrameStack() const { return frameStack_; }
  // Stacks a frame (it is reparented and named); it starts disabled.
  template <class F>
  F* AddFrame(F* frame, const char* name) {
    AddFrameWidget(frame, name);
    return frame;
  }
  const std::vector<QWidget*>& Frames() const { return frames_; }
  // Disables every frame, then enables this one and brings it to the front.
  void ShowFrame(QWidget* frame);
  QWidget* CurrentFrame() const { return currentFrame_; }
  // Being enabled is what marks the current frame.
  bool IsCurrentFrame(const QWidget* frame) const;

  // ---- Tree nodes: a node carries a frame, an item Id, or nothing
  QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const std::string& text, QWidget* frame = nullptr);
  QTreeWidgetItem* AddItemNode(QTreeWidgetItem* parent, const std::string& text, int id);
  static QWidget* NodeFrame(const QTreeWidgetItem* node);
  static std::optional<int> NodeItemId(const QTreeWidgetItem* node);
  static std::string NodeText(const QTreeWidgetItem* node);
  static void SetNodeText(QTreeWidgetItem* node, const std::string& text);
  // The first child of parent, in tree order, carrying that Id.
  static QTreeWidgetItem* FindItemNode(const QTreeWidgetItem* parent, int id);
  // Without change events.
  void DeleteChildren(QTreeWidgetItem* parent);
  // Removes the node without change events; when it was selected its parent
  // becomes the selection, also without a change event (nothing moves).
  void DeleteItemNode(QTreeWidgetItem* node);
  // Selects the node; TreeViewChange runs.
  void SelectNode(QTreeWidgetItem* node);
  QTreeWidgetItem* SelectedNode() const;
  // Leaves no node selected, without a change event.
  void ClearSelection();
  void ExpandAll();
  // The selection moved to node (never nullptr here). Default: a node
  // carrying a frame shows it.
  virtual void TreeViewChange(QTreeWidgetItem* node);

  // ---- Items shown or hidden
  // The toolbar whose toggle item reads "Ocultar Itens"/"Mostrar Itens" and
  // the view item "&Itens".
  void SetItemsToggle(TGBVertListView* toolbar, QAction* itemsAction);
  void ShowItems();
  void HideItems();
  bool ItemsShown() const;
  // The item "&Itens": hides when checked, shows otherwise.
  void ToggleItems();

  // ---- Commands
  // Commits the pending edit of the window, then runs the command; EAbort
  // stops silently, anything else goes to the application's handler.
  void RunCommand(const std::function<void()>& command);
  // A click on an item runs the command of its exact caption; others do
  // nothing.
  void SetToolbarCommands(TGBVertListView* toolbar, TCommandTable commands);
  // The caption of the toolbar's clicked item dispatched as above (tests).
  void ClickToolbarItem(TGBVertListView* toolbar, const std::string& caption);

  // ---- Menus
  QMenu* AddMenu(const std::string& caption, const char* name = nullptr);
  QAction* AddAction(QMenu* menu, const std::string& caption, std::function<void()> command,
                     const TActionOptions& options = {});
  void AddSeparator(QMenu* menu);
  // A menu-bar entry without a drop-down that runs a command when chosen.
  QAction* AddMenuBarCommand(const std::string& caption, std::function<void()> command, const char* name = nullptr);
  // A command kept on the window but in no menu (items hidden for good).
  QAction* AddWindowAction(const std::string& caption, std::function<void()> command,
                           const TActionOptions& options = {});
  // Builds the menu bar from the table.
  void BuildMenuBar(const TMenuBarTable& table);
  // The window's action with that object name, or nullptr.
  QAction* FindAction(const char* name) const;
  // The printer set-up dialog.
  void PrinterSetup();

  // ---- About
  void SetAboutOpener(std::function<void()> opener) { options_.aboutOpener = std::move(opener); }
  // Opens the About window from the event loop.
  void OpenAbout();
  // A press on the toolbar list lower than belowY (Y > belowY) opens About.
  void SetAboutHotSpot(TGBVertListView* toolbar, int belowY);

  // ---- Reports
  // A read-only report view filling the page right of its toolbar: no
  // wrap, both scroll bars, accepts tabs, not a tab stop, with the pop-up
  // "&Salvar..."/"&Imprimir" running the two commands.
  RtfView* AddReportView(TGBOutBarGroup* page, const char* name, std::function<void()> save,
                         std::function<void()> print, const char* menuName = "PopupMenuDocument");
  QMenu* ReportMenu(const RtfView* view) const;
  // "Salvar Documento" in the executable's folder, proposing the document's
  // bare name with ".rtf", asking before overwriting; writes the view's
  // bytes unchanged. False when nothing was written.
  bool SaveReport(const RtfView& view, const std::string& documentName);
  // Prints the view with the title as the job's name.
  bool PrintReport(RtfView& view, const std::string& title);

  // ---- Leaving
  // The documents and catalogues that closing the window offers to save, in
  // the order it asks.
  void SetDocumentFrames(std::vector<IDocumentFrame*> frames) { documentFrames_ = std::move(frames); }
  // After the pending edit is written: each changed one asks its question
  // (Yes, No, Cancel). False, and the window stays, on Cancel or when a save
  // was cancelled or failed.
  bool LeaveAllowed();

  // ---- Status bar, images
  QStatusBar* StatusBarWidget() const { return statusBar_; }
  TImageList& ToolbarImages() { return *toolbarImages_; }

  // Fixes the window's size (menu bar plus client area), leaves only the
  // minimise and close buttons and centres it; page changes reach
  // PageChanging from here on.
  void FinishLayout();

protected:
  // Closing the context's main window ends the program once LeaveAllowed.
  void closeEvent(QCloseEvent* event) override;
  // "Salvar" of the frame's document; a window whose caption names the
  // document puts it right. False when nothing was written.
  virtual bool SaveDocument(IDocumentFrame& frame);

private:
  void AddFrameWidget(QWidget* frame, const char* name);
  void SetToggleCaption(const char* from, const char* to);
  void SetItemsVisible(bool visible);
  void GroupBarChanging(TGBOutBarGroup* group, bool& allowChange);

  TWindowSeams seams_;
  TMainWindowOptions options_;
  std::unique_ptr<TImageList> toolbarImages_;
  std::unique_ptr<TBitmap> toolbarPicture_;
  TCustomPanel* client_ = nullptr;
  TGBGroupBar* groupBar_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  TGBHeaderPanel* itemsPanel_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QSplitter* splitter_ = nullptr;
  TCustomPanel* frameHost_ = nullptr;
  QStackedWidget* frameStack_ = nullptr;
  std::vector<QWidget*> frames_;
  QWidget* currentFrame_ = nullptr;
  TGBVertListView* itemsToolbar_ = nullptr;
  QAction* itemsAction_ = nullptr;
  std::vector<QAction*> pageActions_;
  bool built_ = false;
  std::vector<std::pair<const RtfView*, QMenu*>> reportMenus_;
  std::vector<std::pair<TGBVertListView*, TCommandTable>> toolbarCommands_;
  std::vector<IDocumentFrame*> documentFrames_;
};
