#pragma once
// The items area of the data-entry page, right of its toolbar: the header
// panel "Itens" with the read-only tree, the splitter and the stacked
// frames. The one current frame is the enabled one; a tree node carries a
// frame, an item Id or nothing; the checkable "&Itens" action shows and
// hides the panel and reads "Ocultar Itens" or "Mostrar Itens" on a toolbar.

#include <QMetaObject>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QSplitter;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TGBHeaderPanel;
class TGBOutBarGroup;

struct TItemsAreaOptions {
  // The header panel's width and its caption's height in pixels (bold Arial).
  int itemsWidth = 212;
  int captionHeight = 13;
  // Checkable; carries the check mark and the toolbar caption.
  QAction* itemsAction = nullptr;
  // The selection moved to a node (never nullptr).
  std::function<void(QTreeWidgetItem*)> nodeChanged;
  // Runs a command of the area (the header panel's button hides the items).
  std::function<void(const std::function<void()>&)> run;
};

class TItemsArea {
public:
  static constexpr const char* kHideItems = "Ocultar Itens";
  static constexpr const char* kShowItems = "Mostrar Itens";
  static constexpr int kSplitterWidth = 8;

  // Fills the page right of its toolbar.
  TItemsArea(TGBOutBarGroup* page, TItemsAreaOptions options);
  // The widgets stay with the page; the tree stops calling back.
  ~TItemsArea();
  TItemsArea(const TItemsArea&) = delete;
  TItemsArea& operator=(const TItemsArea&) = delete;

  // ---- Frames
  // Stacks a frame (it is reparented and named); it starts disabled.
  template <class F>
  F* AddFrame(F* frame, const char* name) {
    AddFrameWidget(frame, name);
    return frame;
  }
  // Disables every frame, then enables this one and brings it to the front.
  void ShowFrame(QWidget* frame);
  // Being enabled is what marks the current frame.
  static bool IsCurrentFrame(const QWidget* frame);

  // ---- Tree nodes: a node carries a frame, an item Id, or nothing
  QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const std::string& text, QWidget* frame = nullptr);
  static QTreeWidgetItem* AddItemNode(QTreeWidgetItem* parent, const std::string& text, int id);
  static QWidget* NodeFrame(const QTreeWidgetItem* node);
  static std::optional<int> NodeItemId(const QTreeWidgetItem* node);
  static void SetNodeText(QTreeWidgetItem* node, const std::string& text);
  // The first child of parent, in tree order, carrying that Id.
  static QTreeWidgetItem* FindItemNode(const QTreeWidgetItem* parent, int id);
  // Without change events.
  void DeleteChildren(QTreeWidgetItem* parent);
  // Removes the node without change events; when it was selected its parent
  // becomes the selection, also without a change event (nothing moves).
  void DeleteItemNode(QTreeWidgetItem* node);
  // Selects the node; nodeChanged runs.
  void SelectNode(QTreeWidgetItem* node);
  QTreeWidgetItem* SelectedNode() const;
  // Selects the node without a change event.
  void SetSelectedSilently(QTreeWidgetItem* node);
  // Leaves no node selected, without a change event.
  void ClearSelection();
  void ExpandAll();

  // ---- Shown or hidden
  void ShowItems();
  void HideItems();
  // The items action was chosen (Qt has toggled its mark): shows the items
  // when it is checked, hides them otherwise.
  void ToggleItems();

private:
  void AddFrameWidget(QWidget* frame, const char* name);
  void SetItemsVisible(bool visible);

  TItemsAreaOptions options_;
  TGBHeaderPanel* panel_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QStackedWidget* frameStack_ = nullptr;
  std::vector<QWidget*> frames_;
  QMetaObject::Connection nodeChanges_;
};
