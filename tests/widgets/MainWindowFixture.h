#pragma once
// A main-window-like layout for the gallery and the benchmark: an 804 x 555
// window with a menu bar's place and a group bar (804 x 536) holding the
// data-entry page (an out bar with a toolbar of six items, an item tree and
// a form beside it) and the results page (an out bar with two items and a
// report).

#include <QTreeWidget>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/classes/Classes.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "tests/widgets/Icons.h"
#include "widgets/PageToolbar.h"
#include "widgets/gbOutBar.h"

namespace main_window {

inline void BoldArial(TFont& font, int height) {
  font.SetName("Arial");
  font.SetHeight(height);
  font.SetStyle(fsBold);
}

// Left-aligned panels go in the order of their left edges.
inline TPanel* Panel(TControl* parent, TAlign align, int size, TColor color, int left = 0) {
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

struct Window {
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
    toolbar = AddPageToolbar(
        page, {&images, &picture},
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
    resultsToolbar = AddPageToolbar(page, {&images, &picture}, {{"Salvar", 2}, {"Imprimir", 3}});
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
};

}  // namespace main_window
