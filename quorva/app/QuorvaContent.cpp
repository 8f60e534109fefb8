#include "quorva/app/QuorvaContent.h"

namespace {

// The About window's links: captions, the files and programs they open and
// the addresses.
const TAboutLink kLinks[] = {
    {"1. Manual ", "ManualQuorva.pdf", false, ""},
    {"2. Custos de Implantação de Florestas", "CustosImplantacao.pdf", false, ""},
    {"3. Vídeo ", "https://www.tallora.example.org/video-quorva", false, ""},
    {"4. Simulador de Crescimento - Tallora", "tallora", false, ""},
};
const TAboutLink kSite = {"www.tallora.example.org", "https://www.tallora.example.org", true, "LabelSite"};

constexpr const char* kPicture = ":/artwork/about-quorva.jpg";
constexpr const char* kLogo = ":/artwork/splash-quorva.png";

}  // namespace

TAboutContent QuorvaAboutContent() {
  TAboutContent content;
  content.caption = "Sobre o Quorva - Análise Econômica de Plantações Florestais";
  content.heading = {
      {"Quorva", "Arial", 34, fsBold | fsItalic, clNavy},
      {"Análise econômica de plantações florestais", "Arial", 16, fsBold, clNavy},
  };
  content.links.assign(std::begin(kLinks), std::end(kLinks));
  content.site = kSite;
  content.picture = kPicture;
  return content;
}

TSplashContent QuorvaSplashContent() {
  TSplashContent content;
  content.caption = "Quorva";
  content.logo = kLogo;
  content.lines = {
      {"Quorva", "Arial", 30, fsBold | fsItalic, clNavy},
      {"Análise econômica de plantações florestais", "Arial", 18, fsBold | fsItalic, clNavy},
  };
  return content;
}
