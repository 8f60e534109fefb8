// Writes pictures of a main-window-like layout into gallery/ in the build
// folder, one per state, for a person to look at: the group bar with the
// data-entry and results pages, each page with its out bar and toolbar list,
// the item tree and a form beside it. States: idle, a hot and a pressed
// caption, a hot and a pressed toolbar item, a drop mark during a drag, the
// scroll buttons of a short list, frames 0, 5 and 9 of a slide down and of a
// slide up, the results page. The checks are only that each file was written.

#include <gtest/gtest.h>
#include <QDir>
#include <QImage>
#include <QString>
#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/classes/Classes.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/InputHub.h"
#include "platform/gui/StdCtrls.h"
#include "tests/support/gui/GuiSupport.h"
#include "tests/widgets/Icons.h"
#include "widgets/gbOutBar.h"

namespace {

void BoldArial(TFont& font, int height) {
  font.SetName("Arial");
  font.SetHeight(height);
  font.SetStyle(fsBold);
}

// Left-aligned panels go in the order of their left edges.
TPanel* Panel(TControl* parent, TAlign align, int size, TColor color, int left = 0) {
  auto* p = new TPanel;
  p->SetParent(parent);
  p->SetBevelOuter(bvNone);
  p->SetColor(color);
  p->SetLeft(left);
  if (align == alLeft || align == alRight) p->SetWidth(size);
  if (align == alTop || align == alBottom) p->SetHeight(size);
  p->SetAlign(align);
  return p;
}

// The toolbar of a page: an out bar of one group whose list shows a
// stretched picture on grey.
TGBVertListView* Toolbar(TControl* page, TImageList& images, const TBitmap& picture,
                         const std::vector<std::pair<std::string, int>>& items) {
  auto* bar = new TGBOutBar;
  bar->SetParent(page);
  bar->SetWidth(109);
  bar->SetAlign(alLeft);
  bar->SetHotTrack(true);
  bar->SetFrequency(50);
  bar->SetBackgroundMode(bkmGradientVert);
  bar->SetGradientBeginColor(clTeal);
  bar->SetGradientEndColor(clPurple);
  TGBOutBarGroup* group = bar->AddGroup();
  group->SetCaption("");
  auto* list = static_cast<TGBOutBarVertListView*>(FindVertList(group));
  list->SetParentBackground(false);
  list->SetParentBackgroundMode(false);
  list->SetParentGradientBeginColor(false);
  list->SetParentGradientEndColor(false);
  list->SetParentSunkSelected(false);
  list->SetParentWrapLineCount(false);
  list->SetColor(clGray);
  list->SetBackground(picture);
  list->SetBackgroundMode(bkmStretch);
  list->SetLargeImages(&images);
  BoldArial(list->Font(), -13);
  list->Font().SetColor(clWhite);
  for (const auto& [caption, image] : items) {
    TListItem* item = list->Items().Add();
    item->SetCaption(caption);
    item->SetImageIndex(image);
  }
  return list;
}

struct Window {
  FakeGuiServices services;
  TImageList images{32, 32};
  TBitmap picture;
  std::unique_ptr<TPanel> form = std::make_unique<TPanel>();
  TGBGroupBar* bar = nullptr;
  TGBVertListView* toolbar = nullptr;
  TGBVertListView* resultsToolbar = nullptr;

  Window() {
    test_icons::AddToolbarIcons(images);
    picture.SetImage(test_icons::TealPurplePicture(64, 256));
    form->SetBevelOuter(bvNone);
    form->SetColor(clBtnFace);
    BoldArial(form->Font(), -11);
    form->SetBounds(0, 0, 804, 555);
    // A menu bar's place.
    TPanel* menu = Panel(form.get(), alTop, 19, clBtnFace);
    menu->SetAlignment(taLeftJustify);
    menu->Font().SetStyle(0);
    menu->SetCaption("  Arquivo     Editar     Visualizar     Ajuda");
    {
      LoadingScope scope;
      bar = new TGBGroupBar;
      bar->SetParent(form.get());
      bar->SetAlign(alClient);
      bar->SetHotTrack(true);
      bar->SetHotColor(clBlue);
      bar->SetButtonSpaceColor(clSilver);
      BoldArial(bar->Font(), -13);
      bar->SetActiveGroupIndex(0);
      auto* entry = new TGBOutBarGroup;
      entry->SetCaption("Entrada de Dados");
      entry->SetGroupBar(bar);
      auto* results = new TGBOutBarGroup;
      results->SetCaption("Resultado");
      results->SetGroupBar(bar);
      BuildEntryPage(entry);
      BuildResultsPage(results);
    }
  }

  void BuildEntryPage(TGBOutBarGroup* page) {
    toolbar =
        Toolbar(page, images, picture,
                {{"Novo", 0}, {"Abrir", 1}, {"Salvar", 2}, {"Salvar Como", 3}, {"Imprimir", 4}, {"Ocultar Itens", 5}});
    TPanel* items = Panel(page, alLeft, 212, clBtnFace, 109);
    items->SetBevelOuter(bvLowered);
    TPanel* title = Panel(items, alTop, 20, clBtnFace);
    title->SetAlignment(taLeftJustify);
    title->SetCaption("  Itens");
    auto* tree = new QTreeWidget(items);
    tree->setHeaderHidden(true);
    auto* root = new QTreeWidgetItem(tree, QStringList(QString::fromUtf8("Simulação")));
    for (const char* child : {"Inventário", "Desbastes", "Equações", "Produtos"}) {
      new QTreeWidgetItem(root, QStringList(QString::fromUtf8(child)));
    }
    root->setExpanded(true);
    tree->setGeometry(1, 21, 210, 460);
    Panel(page, alLeft, 8, clBtnFace, 321);
    TPanel* frame = Panel(page, alClient, 0, clBtnFace, 329);
    TPanel* heading = Panel(frame, alTop, 40, clBtnFace);
    heading->SetAlignment(taLeftJustify);
    heading->Font().SetHeight(-21);
    heading->Font().SetStyle(fsBold | fsItalic);
    heading->Font().SetColor(clGreen);
    heading->SetCaption("    Eucalyptus grandis / urograndis");
    const char* labels[] = {"Descrição", "Idade de corte (anos)", "Densidade inicial (árvores/ha)", "Sítio"};
    const char* values[] = {"Talhão 7 - fazenda Boa Vista", "7", "1667", "28"};
    for (int i = 0; i < 4; ++i) {
      auto* label = new TPanel;
      label->SetParent(frame);
      label->SetBevelOuter(bvNone);
      label->SetAlignment(taLeftJustify);
      label->SetCaption(labels[i]);
      label->SetBounds(16, 56 + i * 48, 240, 18);
      auto* edit = new TCustomEdit;
      edit->SetParent(frame);
      edit->SetBounds(16, 74 + i * 48, i == 0 ? 300 : 90, 21);
      edit->SetText(values[i]);
    }
  }

  void BuildResultsPage(TGBOutBarGroup* page) {
    resultsToolbar = Toolbar(page, images, picture, {{"Salvar", 2}, {"Imprimir", 3}});
    TPanel* report = Panel(page, alClient, 0, clWhite);
    report->SetBevelOuter(bvLowered);
    auto* text = new TCustomEdit(nullptr, true);
    text->SetParent(report);
    text->SetBorderStyle(bsNone);
    text->SetAlign(alClient);
    text->SetReadOnly(true);
    text->SetText(
        "Tallora - relatório da simulação\n\nTalhão 7 - fazenda Boa Vista\nIdade   Volume (m³/ha)   IMA\n"
        "  3          61,2          20,4\n  5         148,9          29,8\n  7         231,4          33,1");
  }

  bool Save(const std::string& name) {
    const QString dir = QStringLiteral(TQ_BINARY_DIR "/gallery");
    QDir().mkpath(dir);
    const QString path = dir + "/" + QString::fromStdString(name) + ".png";
    return Snap(*form).save(path) && QImage(path).size() == QSize(form->Width(), form->Height());
  }

  TPoint CaptionCentre(int i) {
    const TRect r = bar->GetCaptionRect(i);
    const TPoint p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    services.cursorPos = bar->ClientToScreen(p);
    return p;
  }
  TPoint IconCentre(TGBVertListView* list, int i) {
    const TRect r = list->Items()[i]->DisplayRect(drIcon);
    const TPoint p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    services.cursorPos = list->ClientToScreen(p);
    return p;
  }
};

}  // namespace

TEST(MainWindowGallery, WritesEachState) {
  Window w;
  w.form->show();
  w.services.controlAt = [&](TPoint p) -> TControl* {
    TPoint local = w.toolbar->ScreenToClient(p);
    if (w.toolbar->isVisible() && PtInRect(w.toolbar->ClientRect(), local)) return w.toolbar;
    return nullptr;
  };
  ASSERT_EQ(w.bar->ClientWidth(), 804);
  ASSERT_EQ(w.bar->ClientHeight(), 536);
  EXPECT_TRUE(w.Save("01-idle"));

  TPoint p = w.CaptionCentre(1);
  w.bar->WMMouseMove(0, p.X, p.Y);
  EXPECT_TRUE(w.Save("02-hot-caption"));
  w.bar->WMButtonDown(mbLeft, ssLeft, p.X, p.Y);
  EXPECT_TRUE(w.Save("03-pressed-caption"));
  // Released elsewhere: no switch.
  w.services.cursorPos = w.bar->ClientToScreen({400, 300});
  w.bar->WMButtonUp(mbLeft, 0, 400, 300);
  w.bar->WindowTimer(TCustomGBGroupBar::kHoverTimer);

  p = w.IconCentre(w.toolbar, 2);
  w.toolbar->WMMouseMove(0, p.X, p.Y);
  EXPECT_TRUE(w.Save("04-hot-item"));
  p = w.IconCentre(w.toolbar, 4);
  w.toolbar->WMMouseMove(0, p.X, p.Y);
  w.toolbar->WMButtonDown(mbLeft, ssLeft, p.X, p.Y);
  EXPECT_TRUE(w.Save("05-pressed-item"));
  CancelCaptureMode();
  w.toolbar->CancelMode();

  // An item dragged to the gap between the fourth and fifth items.
  p = w.IconCentre(w.toolbar, 0);
  w.toolbar->WMButtonDown(mbLeft, ssLeft, p.X, p.Y);
  w.toolbar->WMMouseMove(ssLeft, p.X, p.Y + 10);
  const TRect before = w.toolbar->Items()[3]->DisplayRect(drBounds);
  const TRect after = w.toolbar->Items()[4]->DisplayRect(drBounds);
  const TPoint gap{54, (before.Bottom + after.Top) / 2};
  w.services.cursorPos = w.toolbar->ClientToScreen(gap);
  w.toolbar->WMMouseMove(ssLeft, gap.X, gap.Y);
  EXPECT_EQ(w.toolbar->DropIndex(), 4);
  EXPECT_TRUE(w.Save("06-drop-mark"));
  w.toolbar->CancelItemDrag();
  w.toolbar->WMButtonUp(mbLeft, 0, gap.X, gap.Y);

  // A short window: the toolbar shows its arrows.
  w.form->SetHeight(300);
  EXPECT_TRUE(w.toolbar->DownButton().Visible());
  EXPECT_TRUE(w.Save("07-scroll-buttons"));
  w.toolbar->ScrollDownStep();
  EXPECT_TRUE(w.Save("08-scrolled"));
  w.form->SetHeight(555);
  w.toolbar->ScrollUpStep();

  // The slides, frame by frame.
  int k = 0;
  std::string prefix;
  bool saved = true;
  w.bar->OnAnimationFrame = [&](int) {
    if (k == 0 || k == 5 || k == 9) saved = w.Save(prefix + std::to_string(k)) && saved;
    ++k;
  };
  prefix = "09-slide-down-frame";
  w.bar->SetActiveGroupIndex(1);
  EXPECT_EQ(k, 10);
  EXPECT_TRUE(w.Save("10-results"));
  k = 0;
  prefix = "11-slide-up-frame";
  w.bar->SetActiveGroupIndex(0);
  EXPECT_EQ(k, 10);
  EXPECT_TRUE(saved);
  EXPECT_TRUE(RecordedExceptions().empty());
}
