#include "forms/ReportPages.h"

#include <QMenu>
#include <QPointer>
#include <utility>

#include "forms/PageKit.h"
#include "forms/WindowSeams.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/QtTypes.h"
#include "platform/richedit/RtfView.h"
#include "platform/rtl/SysUtils.h"
#include "platform/services/FileDialogs.h"
#include "widgets/gbOutBar.h"

TReportPages::TReportPages(QWidget* window, const TWindowSeams& seams, QAction* save, QAction* print)
    : window_(window), seams_(seams), save_(save), print_(print) {}

RtfView* TReportPages::Add(TGBOutBarGroup* page, const char* name, std::function<void()> save,
                           std::function<void()> print, const char* menuName) {
  auto* view = new RtfView;
  view->setObjectName(name);
  view->SetWordWrap(false);
  view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  view->setTabChangesFocus(false);
  view->setFocusPolicy(Qt::ClickFocus);
  view->setFont(QFont());
  HostPanel(page, alClient, view)->SetName(std::string(name) + "Host");

  auto* menu = new QMenu(window_);
  menu->setObjectName(menuName);
  AddForwarding(menu, "&Salvar...", save_);
  AddForwarding(menu, "&Imprimir", print_);
  QPointer<QMenu> guarded(menu);
  view->OnContextMenu = [guarded](TPoint screenPos) {
    if (guarded) guarded->popup(ToQPoint(screenPos));
  };
  reports_.push_back({page, std::move(save), std::move(print)});
  return view;
}

void TReportPages::AddForwarding(QMenu* menu, const char* caption, QAction* action) {
  QAction* item = menu->addAction(QString::fromUtf8(caption));
  item->setEnabled(action->isEnabled());
  QObject::connect(item, &QAction::triggered, action, &QAction::trigger);
  QObject::connect(action, &QAction::changed, item, [item, action] { item->setEnabled(action->isEnabled()); });
}

const TReportPages::Report* TReportPages::Find(const TGBOutBarGroup* page) const {
  for (const Report& report : reports_)
    if (report.page == page) return &report;
  return nullptr;
}

bool TReportPages::Save(const TGBOutBarGroup* page) const {
  const Report* report = Find(page);
  if (report) report->save();
  return report != nullptr;
}

bool TReportPages::Print(const TGBOutBarGroup* page) const {
  const Report* report = Find(page);
  if (report) report->print();
  return report != nullptr;
}

bool TReportPages::SaveReport(const RtfView& view, const std::string& documentName) const {
  const FileDialogOptions options{.title = kSaveReportTitle,
                                  .fileName = ChangeFileExt(ExtractFileName(documentName), ".rtf"),
                                  .filter = kReportFilter,
                                  .defaultExt = "rtf",
                                  .documents = &seams_.Frames.Documents};
  return SaveWithDialog(seams_.Frames.Dialogs, options, [&](const std::string& path) { view.SaveToFile(path); });
}

bool TReportPages::PrintReport(RtfView& view, const std::string& title) const {
  return view.Print(seams_.PrintService, title);
}
