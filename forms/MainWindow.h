#pragma once
// The main window both programs build on: a fixed-size window with a menu
// bar, a group bar of pages and a status bar. A page holds an out bar with
// its toolbar list on the left and either the items area (the header panel
// "Itens" with the read-only tree, the splitter and the stacked frames) or a
// report view. The base keeps the rules both windows share: the one current
// frame is the enabled one, tree nodes carry a frame or an item Id, the
// items are shown or hidden through the "&Itens" action, each command is one
// action that commits the pending edit first and runs guarded, on a menu and
// on the toolbar items that carry it and show its icon text, image and
// enabled state, the "&Arquivo" menu and the file commands over the document
// and catalogue frames are the same in both programs, the About window opens
// queued, reports are saved and printed the same way, and closing offers to
// save what changed.

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
class TGBGroupBar;
class TGBHeaderPanel;
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
class IMainDocumentFrame;

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

// The toolbars' images: their places in the window's image list.
enum class TToolbarImage { Novo = 0, Abrir = 1, Salvar = 2, Imprimir = 3, Itens = 4, SalvarComo = 5 };

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
  // On a toolbar: the caption (the action's icon text; by default its text
  // without "&" and "...") and the image.
  const char* iconText = nullptr;
  std::optional<TToolbarImage> image{};
};

// An entry of a menu table: an item, or a separator when the caption is
// empty. The window finds the item built by its object name.
struct TMenuEntry {
  std::string caption;
  std::function<void()> command;
  TActionOptions options = {};
};

struct TMenuTable {
  std::string caption;
  const char* name = nullptr;
  std::vector<TMenuEntry> entries;
};

// Where the programs' "&Arquivo" menus differ.
struct TFileMenu {
  std::string novo = "&Novo";
  const char* novoName = "MenuArquivoNovo";
  std::string salvar = "&Salvar...";
  // A group of its own after "Salvar &Como...", when not empty.
  std::vector<TMenuEntry> more{};
};

// A window's menus: "&Arquivo", the others in order, then a menu-bar entry
// without a drop-down and the commands kept on the window in no menu.
struct TMenuBarTable {
  TFileMenu file{};
  std::vector<TMenuTable> menus{};
  TMenuEntry barCommand{};
  std::vector<TMenuEntry> windowActions{};
};

// A toolbar list and the actions its items carry.
struct TToolbarTable {
  const char* barName;
  const char* listName;
  std::vector<QAction*> actions;
};

// The commands of the "&Arquivo" menu that the toolbars carry too.
enum class TFileCommand { Novo, Abrir, Salvar, SalvarComo, Imprimir };

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
  // An item shows its action's icon text, image and enabled state, also
  // after a change; a click on it triggers the action.
  TGBVertListView* AddToolbar(TGBOutBarGroup* page, const TToolbarTable& table);
  // The data-entry page's toolbar: "Novo", "Abrir", "Salvar", "Salvar Como",
  // "Imprimir" with the actions of the "&Arquivo" menu, and the items toggle
  // with itemsAction (the view item "&Itens"). After BuildMenuBar.
  TGBVertListView* AddEntryToolbar(TGBOutBarGroup* page, QAction* itemsAction);
  // A report page's toolbar: "Salvar" and "Imprimir". After BuildMenuBar.
  TGBVertListView* AddReportToolbar(TGBOutBarGroup* page, const char* barName, const char* listName);
  int ActivePage() const;
  // Sets the group bar's active group: PageChanging runs first, and what it
  // raises (EAbort on a refusal) leaves here, so the caller stops too.
  void ShowPage(int index);
  // One view item per page (nullptr where there is none): MarkPage checks
  // the page's item and unchecks the others. After a page's item ran, the
  // marks follow the page shown, also when the move was refused.
  void SetPageActions(std::vector<QAction*> actions);
  void MarkPage(int index);
  // Run by the group bar before every page change. Refuse by setting
  // allowChange to false or by raising EAbort (which also stops the command
  // that asked for the move).
  virtual void PageChanging(int newPage, bool& allowChange);

  // ---- Items area
  // Fills the page right of its toolbar: the header panel "Itens"
  // (itemsWidth) with the tree, the splitter and the frame stack.
  // itemsAction (checkable) shows and hides the items.
  void AddItemsArea(TGBOutBarGroup* page, QAction* itemsAction);
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
  // The items action carries the check mark and reads "Ocultar Itens" or
  // "Mostrar Itens" on the toolbar.
  void ShowItems();
  void HideItems();
  bool ItemsShown() const;
  // The items action was chosen (Qt has toggled its mark): shows the items
  // when it is checked, hides them otherwise.
  void ToggleItems();

  // ---- Commands
  // Commits the pending edit of the window, then runs the command; EAbort
  // stops silently, anything else goes to the application's handler.
  void RunCommand(const std::function<void()>& command);
  // A click on the toolbar's item of that exact caption: its action runs;
  // no such item, nothing (tests).
  void ClickToolbarItem(TGBVertListView* toolbar, const std::string& caption);

  // ---- Menus
  // Builds the menu bar from the table, "&Arquivo" with the file commands
  // first.
  void BuildMenuBar(const TMenuBarTable& table);
  // The window's action with that object name, or nullptr.
  QAction* FindAction(const char* name) const;
  // The action of a file command; nullptr before BuildMenuBar.
  QAction* FileAction(TFileCommand command) const;
  // The printer set-up dialog.
  void PrinterSetup();

  // ---- File commands
  // The document's frame and the catalogue frames with file commands of
  // their own; closing the window offers to save them in this order.
  void SetDocumentFrames(IMainDocumentFrame* document, std::vector<IDocumentFrame*> catalogues);
  // The catalogue frame shown, else the document's (nullptr: none given).
  IDocumentFrame* FileFrame() const;
  // With the document's frame current, after MayReplace: its "Novo".
  void Novo();
  // After MayReplace: the "Abrir" of the catalogue shown, else of the
  // document, whose caption then names the file opened. A cancelled dialog
  // changes nothing.
  void Abrir();
  // On a report page that report's save, else FileFrame's "Salvar".
  void Salvar();
  // FileFrame's "Salvar Como".
  void SalvarComo();
  // On a report page that report's print; with a catalogue shown nothing;
  // else PrintDocument.
  void Imprimir();

  // ---- About
  // Opens the About window from the event loop.
  void OpenAbout();
  // A press on the toolbar list lower than belowY (Y > belowY) opens About.
  void SetAboutHotSpot(TGBVertListView* toolbar, int belowY);

  // ---- Reports
  // A read-only report view filling the page right of its toolbar: no
  // wrap, both scroll bars, accepts tabs, not a tab stop, with a pop-up of
  // the window's "Salvar" and "Imprimir", which on its page run the two
  // commands. After BuildMenuBar.
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
  // MayReplace for each document frame in turn; false, and the window stays,
  // at the first that says no.
  bool LeaveAllowed();

  // Fixes the window's size (menu bar plus client area), leaves only the
  // minimise and close buttons and centres it; page changes reach
  // PageChanging from here on.
  void FinishLayout();

protected:
  // Closing the context's main window ends the program once LeaveAllowed.
  void closeEvent(QCloseEvent* event) override;
  // "Salvar" of the frame's document; the caption follows a saved document.
  // False when nothing was written.
  bool SaveDocument(IDocumentFrame& frame);
  // Before "Novo", "Abrir" or leaving, once the pending edit is written: a
  // frame whose document changed asks its question (Yes, No, Cancel); Yes
  // saves as "Salvar" does. False when the command must stop: Cancel (and
  // Escape), or a save that was cancelled. A failed save raises.
  bool MayReplace(IDocumentFrame& frame);
  // The caption names the file the frame's document was read from or
  // written to.
  void SetFileCaption(const IDocumentFrame& frame);
  // "Imprimir" of the document, from the data-entry page.
  virtual void PrintDocument() = 0;
  // After "Novo" or an "Abrir" of the document that read a file (replaced),
  // or that raised and kept the document as it was (not replaced).
  virtual void DocumentReplaced(bool replaced) = 0;

private:
  struct Report {
    TGBOutBarGroup* page;
    const RtfView* view;
    QMenu* menu;
    std::function<void()> save;
    std::function<void()> print;
  };

  QMenu* AddMenu(const std::string& caption, const char* name = nullptr);
  QAction* AddAction(QMenu* menu, const std::string& caption, std::function<void()> command,
                     const TActionOptions& options = {});
  void AddMenuEntries(QMenu* menu, const std::vector<TMenuEntry>& entries);
  // A menu-bar entry without a drop-down that runs a command when chosen.
  QAction* AddMenuBarCommand(const std::string& caption, std::function<void()> command, const char* name = nullptr);
  // A command kept on the window but in no menu (items hidden for good).
  QAction* AddWindowAction(const std::string& caption, std::function<void()> command,
                           const TActionOptions& options = {});
  // A document frame's save: the caption follows the document.
  void DocumentSaved(IDocumentFrame& frame);
  // Runs "Novo" or "Abrir" of the document (true: a document arrived) with
  // no node selected, then DocumentReplaced; when nothing arrived the
  // selection comes back.
  void ReplaceDocument(const std::function<bool()>& replace);
  // The report shown on the active page, or nullptr.
  const Report* ActiveReport() const;
  void AddFrameWidget(QWidget* frame, const char* name);
  // The toolbar items carrying the action show it again.
  void ShowActionOnToolbars(QAction* action);
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
  QAction* itemsAction_ = nullptr;
  // The actions whose changes the toolbars follow.
  std::vector<QAction*> shownActions_;
  std::vector<QAction*> pageActions_;
  bool built_ = false;
  std::vector<Report> reports_;
  std::vector<QAction*> fileActions_;
  IMainDocumentFrame* document_ = nullptr;
  // The document's frame first.
  std::vector<IDocumentFrame*> documentFrames_;
};
