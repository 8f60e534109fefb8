#pragma once
// The report pages of a main window: on each a read-only report view fills
// the page right of its toolbar, with a pop-up whose "&Salvar..." and
// "&Imprimir" run the window's "Salvar" and "Imprimir" actions. Those commands, on a report's page, save or print that
// report: saved as RTF through the save dialog, printed through the print
// service.

#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;
class RtfView;
class TGBOutBarGroup;
struct TWindowSeams;

class TReportPages {
public:
  static constexpr const char* kReportFilter = "Rich Edit Files (*.rtf)|*.rtf|Todos os Arquivos (*.*)|*.*";
  static constexpr const char* kSaveReportTitle = "Salvar Documento";

  // The pop-ups belong to window; save and print are its actions.
  TReportPages(QWidget* window, const TWindowSeams& seams, QAction* save, QAction* print);

  // No wrap, both scroll bars, accepts tabs, not a tab stop; the pop-up is
  // named menuName.
  RtfView* Add(TGBOutBarGroup* page, const char* name, std::function<void()> save, std::function<void()> print,
               const char* menuName);
  // The save or print of the report on that page; false when it has none.
  bool Save(const TGBOutBarGroup* page) const;
  bool Print(const TGBOutBarGroup* page) const;

  // "Salvar Documento" in the executable's folder, proposing the document's
  // bare name with ".rtf", asking before overwriting; writes the view's
  // bytes unchanged. False when nothing was written.
  bool SaveReport(const RtfView& view, const std::string& documentName) const;
  // Prints the view with the title as the job's name.
  bool PrintReport(RtfView& view, const std::string& title) const;

private:
  struct Report {
    const TGBOutBarGroup* page;
    std::function<void()> save;
    std::function<void()> print;
  };
  const Report* Find(const TGBOutBarGroup* page) const;
  // A pop-up item of its own caption that triggers the action and is
  // enabled with it.
  static void AddForwarding(QMenu* menu, const char* caption, QAction* action);

  QWidget* window_;
  const TWindowSeams& seams_;
  QAction* save_;
  QAction* print_;
  std::vector<Report> reports_;
};
