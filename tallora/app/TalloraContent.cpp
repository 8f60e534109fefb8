#include "tallora/app/TalloraContent.h"

namespace {

// The About window's links: captions, the files and programs they open (bare
// names: programs beside the executable, documents in the working folder or
// beside the executable) and the addresses.
const TAboutLink kLinks[] = {
    {"1. Manual ", "ManualTallora.pdf", false, "lblFreeMemory"},
    {"2. Análise Econômica - Quorva                   ", "quorva", false, "Label3"},
    {"3. Cubagem de Árvores", "cubagem", true, "lblMemoryAvailable"},
    {"4. Guia de Manejo de Plantações de Eucalipto", "GuiaManejoEucalipto.pdf", false, "Label11"},
    {"5. Planilha de Inventário Florestal", "PlanilhaInventario.ods", false, "Label9"},
    {"6. Vídeo ", "https://www.tallora.example.org/video", false, "Label8"},
    {"7. Conversor de Unidades Florestais", "conversor", false, "Label5"},
};
const TAboutLink kSite = {"www.tallora.example.org", "https://www.tallora.example.org", true, "Label4"};

constexpr const char* kPicture = ":/artwork/about-tallora.jpg";
constexpr const char* kLogo = ":/artwork/splash-tallora.png";

}  // namespace

TAboutContent TalloraAboutContent() {
  TAboutContent content;
  content.caption = "Sobre o Tallora - Simulador de Crescimento e Produção de Eucalipto";
  content.heading = {
      {"Tallora", "Arial", 34, fsBold | fsItalic, clNavy},
      {"Simulador de crescimento e produção", "Arial", 16, fsBold, clNavy},
      {"de plantações de Eucalipto", "Arial", 16, fsBold, clNavy},
  };
  content.links.assign(std::begin(kLinks), std::end(kLinks));
  content.site = kSite;
  content.picture = kPicture;
  return content;
}

TSplashContent TalloraSplashContent() {
  TSplashContent content;
  content.caption = "Tallora";
  content.logo = kLogo;
  content.lines = {
      {"Tallora: Simulador de crescimento e produção de plantações de Eucalipto", "Arial", 18, fsBold, clNavy, 85}};
  return content;
}
