#pragma once
// The main window both programs build on: a fixed-size window with a menu
// bar, a group bar of pages and a status bar. A page holds an out bar with
// its toolbar list on the left and either the items area (forms/ItemsArea.h)
// or a report view (forms/ReportPages.h). The base keeps the rules both
// windows share: each command is one action that commits the pending edit
// first and runs guarded, on a menu and on the toolbar items that carry it
// and show its icon text, image and enabled state, the "&Arquivo" menu and
// the file commands over the document and catalogue frames are the same in
// both programs, the About window opens queued, and closing offers to save
// what changed.

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QKeySequence>

#include "forms/ItemsArea.h"
#include "forms/ReportPages.h"
#include "forms/WindowSeams.h"

class QAction;
class QMenu;
class QStatusBar;
class QTreeWidgetItem;
class RtfView;
class TGBGroupBar;
class TGBOutBarGroup;
class TGBVertListView;
class TImageList;
class TBitmap;
class TCustomPanel;
class IDocumentFrame;
class IMainDocumentFrame;

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
  static constexpr int kToolbarWidth = 109;
  static constexpr int kStatusBarHeight = 19;

  TMainWindow(TWindowSeams seams, TMainWindowOptions options, QWidget* parent = nullptr);
  ~TMainWindow() override;

  // "<programName> - <document>".
  void SetDocumentCaption(const std::string& document);

  // ---- Pages
  int ActivePage() const;
  // Sets the group bar's active group: PageChanging runs first, and what it
  // raises (EAbort on a refusal) leaves here, so the caller stops too.
  void ShowPage(int index);

  // The data-entry page's items and frames; after AddItemsArea.
  TItemsArea& ItemsArea() const { return *itemsArea_; }
  // The report pages; after BuildMenuBar.
  TReportPages& Reports() const { return *reports_; }

  // ---- Commands
  // Commits the pending edit of the window, then runs the command; EAbort
  // stops silently, anything else goes to the application's handler.
  void RunCommand(const std::function<void()>& command);

  // ---- File commands
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
  // MayReplace for each document frame in turn; false, and the window stays,
  // at the first that says no.
  bool LeaveAllowed();

protected:
  const TWindowSeams& Seams() const { return seams_; }
  // "&Itens" ("MenuVisualizarItens"): checkable, checked, on the toolbar as
  // "Ocultar Itens"; shows or hides the items (VisualizarTreeView).
  TMenuEntry ItemsEntry();
  // Shows the items when the items action is checked, else hides them.
  void VisualizarTreeView();
  // The window's action with that object name; an unknown name raises
  // std::logic_error naming it.
  QAction* FindAction(const char* name) const;
  // The action of a file command; nullptr before BuildMenuBar.
  QAction* FileAction(TFileCommand command) const;

  IErrorPresenter& Errors() const { return seams_.Frames.ErrorPresenter; }
  const std::string& ExeDir() const { return seams_.ExeDir; }

  // ---- Building, in this order: menus, pages, toolbars, areas, layout
  // Builds the menu bar from the table, "&Arquivo" with the file commands
  // first.
  void BuildMenuBar(const TMenuBarTable& table);
  // A new page at the end of the group bar.
  TGBOutBarGroup* AddPage(const std::string& caption, const char* name);
  // The page's out bar (109 pixels, teal-to-purple, 50 steps) and its
  // toolbar list (stretched picture, 32-pixel images, white bold captions).
  // An item shows its action's icon text, image and enabled state, also
  // after a change; a click on it triggers the action.
  TGBVertListView* AddToolbar(TGBOutBarGroup* page, const TToolbarTable& table);
  // The data-entry page's toolbar: "Novo", "Abrir", "Salvar", "Salvar Como",
  // "Imprimir" with the actions of the "&Arquivo" menu, and the items toggle
  // with itemsAction (the view item "&Itens").
  TGBVertListView* AddEntryToolbar(TGBOutBarGroup* page, QAction* itemsAction);
  // A report page's toolbar: "Salvar" and "Imprimir".
  TGBVertListView* AddReportToolbar(TGBOutBarGroup* page, const char* barName, const char* listName);
  // The items area right of the page's toolbar (itemsWidth); itemsAction
  // (checkable) shows and hides the items. A node selected runs
  // TreeViewChange.
  void AddItemsArea(TGBOutBarGroup* page, QAction* itemsAction);
  // A report view right of the page's toolbar (TReportPages::Add).
  RtfView* AddReportView(TGBOutBarGroup* page, const char* name, std::function<void()> save,
                         std::function<void()> print, const char* menuName = "PopupMenuDocument");
  // One view item per page (nullptr where there is none): MarkPage checks
  // the page's item and unchecks the others. After a page's item ran, the
  // marks follow the page shown, also when the move was refused.
  void SetPageActions(std::vector<QAction*> actions);
  void MarkPage(int index);
  // The document's frame and the catalogue frames with file commands of
  // their own; closing the window offers to save them in this order.
  void SetDocumentFrames(IMainDocumentFrame* document, std::vector<IDocumentFrame*> catalogues);
  // A press on the toolbar list lower than belowY (Y > belowY) opens About.
  void SetAboutHotSpot(TGBVertListView* toolbar, int belowY);
  // Fixes the window's size (menu bar plus client area), leaves only the
  // minimise and close buttons and centres it; page changes reach
  // PageChanging from here on.
  void FinishLayout();

  // Opens the About window from the event loop.
  void OpenAbout();
  // Run by the group bar before every page change. Refuse by setting
  // allowChange to false or by raising EAbort (which also stops the command
  // that asked for the move).
  virtual void PageChanging(int newPage, bool& allowChange);
  // The selection moved to node (never nullptr here). Default: a node
  // carrying a frame shows it.
  virtual void TreeViewChange(QTreeWidgetItem* node);

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
  QMenu* AddMenu(const std::string& caption, const char* name = nullptr);
  QAction* AddAction(QMenu* menu, const std::string& caption, std::function<void()> command,
                     const TActionOptions& options = {});
  void AddMenuEntries(QMenu* menu, const std::vector<TMenuEntry>& entries);
  // A menu-bar entry without a drop-down that runs a command when chosen.
  QAction* AddMenuBarCommand(const std::string& caption, std::function<void()> command, const char* name = nullptr);
  // A command kept on the window but in no menu (items hidden for good).
  QAction* AddWindowAction(const std::string& caption, std::function<void()> command,
                           const TActionOptions& options = {});
  // The toolbar items carrying the action show it again.
  void ShowActionOnToolbars(QAction* action);
  // The catalogue frame shown, else the document's (nullptr: none given).
  IDocumentFrame* FileFrame() const;
  // A document frame's save: the caption follows the document.
  void DocumentSaved(IDocumentFrame& frame);
  // Runs "Novo" or "Abrir" of the document (true: a document arrived) with
  // no node selected, then DocumentReplaced; when nothing arrived the
  // selection comes back.
  void ReplaceDocument(const std::function<bool()>& replace);
  // The page shown, or nullptr.
  const TGBOutBarGroup* ActiveGroup() const;
  void GroupBarChanging(TGBOutBarGroup* group, bool& allowChange);

  TWindowSeams seams_;
  TMainWindowOptions options_;
  std::unique_ptr<TImageList> toolbarImages_;
  std::unique_ptr<TBitmap> toolbarPicture_;
  TCustomPanel* client_ = nullptr;
  TGBGroupBar* groupBar_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  std::unique_ptr<TItemsArea> itemsArea_;
  std::unique_ptr<TReportPages> reports_;
  std::vector<QAction*> pageActions_;
  bool built_ = false;
  std::vector<QAction*> fileActions_;
  // The actions whose changes the toolbars follow.
  std::vector<QAction*> shownActions_;
  IMainDocumentFrame* document_ = nullptr;
  // The document's frame first.
  std::vector<IDocumentFrame*> documentFrames_;
};
