#include "forms/ItemsArea.h"

#include <QAction>
#include <QHeaderView>
#include <QPainter>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedWidget>
#include <QTreeWidget>
#include <algorithm>
#include <utility>

#include "forms/PageKit.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Guard.h"
#include "platform/gui/QtTypes.h"
#include "widgets/gbOutBar.h"
#include "widgets/gbOutPanel.h"

namespace {

constexpr int kFrameRole = Qt::UserRole;
constexpr int kIdRole = Qt::UserRole + 1;
// The items panel is never narrower.
constexpr int kMinimumItemsWidth = 30;

// The bar between the items panel and the frames, in the button face.
class TItemsSplitterHandle : public QSplitterHandle {
public:
  using QSplitterHandle::QSplitterHandle;

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(clBtnFace));
  }
};

// The items panel and the frames: dragging the bar between them widens or
// narrows the panel, from 30 pixels to half the page.
class TItemsSplitter : public QSplitter {
public:
  explicit TItemsSplitter(TControl* page) : QSplitter(Qt::Horizontal), page_(page) {}

protected:
  QSplitterHandle* createHandle() override { return new TItemsSplitterHandle(orientation(), this); }
  void resizeEvent(QResizeEvent* event) override {
    if (QWidget* panel = widget(0)) panel->setMaximumWidth(std::max(kMinimumItemsWidth, page_->ClientWidth() / 2));
    QSplitter::resizeEvent(event);
  }

private:
  TControl* page_;
};

// The items tree keeps its one selected node: a press on empty space, or
// Ctrl with the selected node (click or space), changes nothing. Moving to
// another node and ClearSelection still work.
class TItemsTree : public QTreeWidget {
protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override {
    if (!index.isValid()) return QItemSelectionModel::NoUpdate;
    const QItemSelectionModel::SelectionFlags command = QTreeWidget::selectionCommand(index, event);
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)) return QItemSelectionModel::NoUpdate;
    return command;
  }
};

}  // namespace

TItemsArea::TItemsArea(TGBOutBarGroup* page, TItemsAreaOptions options) : options_(std::move(options)) {
  splitter_ = new TItemsSplitter(page);
  splitter_->setObjectName("Splitter");
  splitter_->setHandleWidth(kSplitterWidth);
  splitter_->setChildrenCollapsible(false);
  HostPanel(page, alClient, splitter_)->SetName("SplitterHost");

  panel_ = new TGBHeaderPanel;
  panel_->SetName("HeaderPanelTreeView");
  panel_->setMinimumWidth(kMinimumItemsWidth);
  splitter_->addWidget(panel_);
  panel_->SetText("Itens");
  BoldArial(panel_->HeaderFont(), options_.captionHeight);
  panel_->OnRightButtonClick() = [this](TPersistent*) { options_.run([this] { HideItems(); }); };

  tree_ = new TItemsTree;
  tree_->setObjectName("TreeView");
  tree_->setHeaderHidden(true);
  tree_->setColumnCount(1);
  tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  tree_->setFrameShape(QFrame::NoFrame);
  // Long texts scroll sideways instead of being cut short.
  tree_->header()->setStretchLastSection(false);
  tree_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  tree_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  {
    // The selection stays as visible when the tree loses the focus.
    QPalette palette = tree_->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
      palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    tree_->setPalette(palette);
  }
  nodeChanges_ = QObject::connect(tree_, &QTreeWidget::currentItemChanged, tree_, [this](QTreeWidgetItem* current) {
    if (current) Guard([&] { options_.nodeChanged(current); });
  });
  HostPanel(panel_, alClient, tree_)->SetName("TreeViewHost");

  frameStack_ = new QStackedWidget;
  frameStack_->setObjectName("Frames");
  TPanel* frameHost = HostPanel(nullptr, alNone, frameStack_);
  frameHost->SetName("FrameHost");
  // The frames take what the panel leaves, whatever their own minimum.
  frameHost->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  splitter_->addWidget(frameHost);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({options_.itemsWidth, QWIDGETSIZE_MAX});
}

TItemsArea::~TItemsArea() {
  QObject::disconnect(nodeChanges_);
}

// ---- Frames

void TItemsArea::AddFrameWidget(QWidget* frame, const char* name) {
  frame->setObjectName(name);
  frameStack_->addWidget(frame);
  frame->setEnabled(false);
  frames_.push_back(frame);
}

void TItemsArea::ShowFrame(QWidget* frame) {
  for (QWidget* f : frames_) f->setEnabled(false);
  if (!frame) return;
  frame->setEnabled(true);
  frameStack_->setCurrentWidget(frame);
  frame->raise();
}

bool TItemsArea::IsCurrentFrame(const QWidget* frame) {
  return frame && frame->isEnabled();
}

// ---- Tree nodes

QTreeWidgetItem* TItemsArea::AddNode(QTreeWidgetItem* parent, const std::string& text, QWidget* frame) {
  const QStringList texts(ToQString(text));
  auto* node = parent ? new QTreeWidgetItem(parent, texts) : new QTreeWidgetItem(tree_, texts);
  if (frame) node->setData(0, kFrameRole, QVariant::fromValue(reinterpret_cast<quintptr>(frame)));
  return node;
}

QTreeWidgetItem* TItemsArea::AddItemNode(QTreeWidgetItem* parent, const std::string& text, int id) {
  auto* node = new QTreeWidgetItem(parent, QStringList(ToQString(text)));
  node->setData(0, kIdRole, id);
  return node;
}

QWidget* TItemsArea::NodeFrame(const QTreeWidgetItem* node) {
  if (!node) return nullptr;
  const QVariant v = node->data(0, kFrameRole);
  return v.isValid() ? reinterpret_cast<QWidget*>(v.value<quintptr>()) : nullptr;
}

std::optional<int> TItemsArea::NodeItemId(const QTreeWidgetItem* node) {
  if (!node) return std::nullopt;
  const QVariant v = node->data(0, kIdRole);
  if (!v.isValid()) return std::nullopt;
  return v.toInt();
}

void TItemsArea::SetNodeText(QTreeWidgetItem* node, const std::string& text) {
  if (node) node->setText(0, ToQString(text));
}

QTreeWidgetItem* TItemsArea::FindItemNode(const QTreeWidgetItem* parent, int id) {
  if (!parent) return nullptr;
  for (int i = 0; i < parent->childCount(); ++i) {
    QTreeWidgetItem* child = parent->child(i);
    if (NodeItemId(child) == id) return child;
  }
  return nullptr;
}

void TItemsArea::DeleteChildren(QTreeWidgetItem* parent) {
  if (!parent) return;
  const QSignalBlocker blocker(tree_);
  const bool selectedInside = [&] {
    for (QTreeWidgetItem* n = tree_->currentItem(); n; n = n->parent())
      if (n->parent() == parent) return true;
    return false;
  }();
  if (selectedInside) tree_->setCurrentItem(parent);
  qDeleteAll(parent->takeChildren());
}

void TItemsArea::DeleteItemNode(QTreeWidgetItem* node) {
  if (!node) return;
  const QSignalBlocker blocker(tree_);
  QTreeWidgetItem* parent = node->parent();
  const bool wasSelected = tree_->currentItem() == node;
  if (wasSelected && parent) tree_->setCurrentItem(parent);
  delete node;
}

void TItemsArea::SelectNode(QTreeWidgetItem* node) {
  if (!node) return;
  if (tree_->currentItem() == node) {
    node->setSelected(true);
    options_.nodeChanged(node);
    return;
  }
  tree_->setCurrentItem(node);
}

QTreeWidgetItem* TItemsArea::SelectedNode() const {
  return tree_->currentItem();
}

void TItemsArea::SetSelectedSilently(QTreeWidgetItem* node) {
  const QSignalBlocker blocker(tree_);
  tree_->setCurrentItem(node);
}

void TItemsArea::ClearSelection() {
  const QSignalBlocker blocker(tree_);
  tree_->setCurrentItem(nullptr);
  tree_->clearSelection();
}

void TItemsArea::ExpandAll() {
  tree_->expandAll();
}

// ---- Shown or hidden

void TItemsArea::ShowItems() {
  SetItemsVisible(true);
  if (!options_.itemsAction) return;
  options_.itemsAction->setChecked(true);
  options_.itemsAction->setIconText(QString::fromUtf8(kHideItems));
}

void TItemsArea::HideItems() {
  SetItemsVisible(false);
  if (!options_.itemsAction) return;
  options_.itemsAction->setChecked(false);
  options_.itemsAction->setIconText(QString::fromUtf8(kShowItems));
}

void TItemsArea::SetItemsVisible(bool visible) {
  panel_->SetVisible(visible);
  // The bar follows now, not when the splitter next lays out.
  splitter_->refresh();
}

void TItemsArea::ToggleItems() {
  if (options_.itemsAction && !options_.itemsAction->isChecked()) {
    HideItems();
  } else {
    ShowItems();
  }
}
