// The six file roots of both programs: class name, Filename and the
// collection property, as the file format lays them out, and the kind of file
// each names when it reads one of another.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>
#include <string>

#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "quorva/model/CatalogData.h"
#include "quorva/model/MarquelData.h"
#include "quorva/model/SimulationQuorvaUnit.h"
#include "storage/PersistUnit.h"
#include "tallora/data/GrovanaData.h"
#include "tests/support/StreamBytes.h"
#include "tests/support/TempDir.h"

namespace {

// The image of a root named "X.dat", empty or with one new item.
template <class Root>
std::string ImageOf(bool withItem) {
  Root root;
  root.SetFilename("X.dat");
  if (withItem) root.Items().Add();
  return WriteComponentImage(root);
}

// Reads a file into a new root.
template <class Root>
void LoadInto(const std::string& path) {
  Root root;
  LoadComponent(path, root);
}

struct RootCase {
  const char* className;
  const char* collection;
  std::function<std::string(bool)> image;
  const char* kind;
  std::function<void(const std::string&)> load;
  friend void PrintTo(const RootCase& c, std::ostream* os) { *os << c.className; }
};

// The message of reading bytes as the file "X.dat"; "no error" when they read.
std::string ReadMessage(const RootCase& c, const std::string& bytes) {
  TempDir dir;
  WriteFileBytes(dir / "X.dat", bytes);
  try {
    c.load(dir / "X.dat");
  } catch (const EReadError& e) {
    return e.Message();
  }
  return "no error";
}

const std::string kDamaged = "Não foi possível ler o arquivo \"X.dat\": o arquivo está danificado ou incompleto.\n";

class RootFiles : public ::testing::TestWithParam<RootCase> {};

TEST_P(RootFiles, HeadOfTheImageIsTheFormatsBytes) {
  const RootCase& c = GetParam();
  // Signature, class name, empty component name, Filename as a short text,
  // then the collection property.
  const std::string head = "TPF0" + S(c.className) + H({0}) + S("Filename") + H({0x06}) + S("X.dat") + S(c.collection);
  // An empty collection, then the ends of the properties and of the children.
  EXPECT_EQ(c.image(false), head + H({0x0E, 0x00, 0x00, 0x00}));

  // One item: it begins with a list-begin byte and the file ends with the
  // ends of the item, the collection, the properties and the children.
  const std::string one = c.image(true);
  EXPECT_EQ(one.substr(0, head.size() + 2), head + H({0x0E, 0x01}));
  ASSERT_GE(one.size(), head.size() + 6);
  EXPECT_EQ(one.substr(one.size() - 4), H({0, 0, 0, 0}));
}

TEST_P(RootFiles, AFileOfAnotherKindIsNamedWithTheKindExpected) {
  const RootCase& c = GetParam();
  TempDir dir;
  WriteFileBytes(dir / "Outro.dat", "TPF0" + S("TOutroPersist") + H({0, 0, 0}));
  try {
    c.load(dir / "Outro.dat");
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Não foi possível ler o arquivo \"Outro.dat\": não é um arquivo de " + std::string(c.kind) +
                               ".\nArquivo não contém o objeto do tipo: " + c.className);
  }
}

TEST_P(RootFiles, DamagedFilesAreExplainedInPortuguese) {
  const RootCase& c = GetParam();
  const std::string image = c.image(false);
  const std::string filename = S("Filename");
  const std::size_t at = image.find(filename);
  auto named = [&](const std::string& name) { return image.substr(0, at) + name + image.substr(at + filename.size()); };
  const std::string property = std::string("Erro ao ler ") + c.className + ".";

  EXPECT_EQ(ReadMessage(c, image.substr(0, image.size() - 1)), kDamaged + "Fim inesperado do arquivo");
  EXPECT_EQ(ReadMessage(c, named(S("Filenome"))), kDamaged + property + "Filenome: a propriedade não existe");
  std::string integer = image;
  integer[at + filename.size()] = 0x02;
  EXPECT_EQ(ReadMessage(c, integer), kDamaged + "Valor de propriedade inválido");
  // A damaged length byte makes a name of raw bytes: at most 64 characters are shown, on one line.
  EXPECT_EQ(ReadMessage(c, named(S("\n\r" + std::string(198, '\x01')))),
            kDamaged + property + std::string(63, '?') + "…: a propriedade não existe");
}

TEST_P(RootFiles, BytesAfterTheEndOfTheRootMakeTheFileDamaged) {
  const RootCase& c = GetParam();
  const std::string image = c.image(true);
  EXPECT_EQ(ReadMessage(c, image), "no error");
  EXPECT_EQ(ReadMessage(c, image + H({0})), kDamaged + "Dados inesperados após o fim do objeto");

  // A length of Filename that swallows the collection's name and tag: its
  // empty list then reads as the ends of the properties and of the children.
  std::string swallowed = c.image(false);
  swallowed[16 + std::strlen(c.className)] = static_cast<char>(std::strlen("X.dat") + 2 + std::strlen(c.collection));
  EXPECT_EQ(ReadMessage(c, swallowed), kDamaged + "Dados inesperados após o fim do objeto");
}

INSTANTIATE_TEST_SUITE_P(
    BothPrograms, RootFiles,
    ::testing::Values(RootCase{"TProductPersist", "ProductCollection", ImageOf<TProductPersist>, "catálogo de produtos",
                               LoadInto<TProductPersist>},
                      RootCase{"TFormulaPersist", "FormulaCollection", ImageOf<TFormulaPersist>, "catálogo de fórmulas",
                               LoadInto<TFormulaPersist>},
                      RootCase{"TSimulationPersist", "SimulationCollection", ImageOf<TSimulationPersist>, "simulação",
                               LoadInto<TSimulationPersist>},
                      RootCase{"TCustoPersist", "Custos", ImageOf<TCustoPersist>, "catálogo de custos",
                               LoadInto<TCustoPersist>},
                      RootCase{"TQuorvaPersist", "Quorvas", ImageOf<TQuorvaPersist>, "plano", LoadInto<TQuorvaPersist>},
                      RootCase{"TSimulationPersist", "SimulationCollection", ImageOf<quorva::TSimulationPersist>,
                               "simulação", LoadInto<quorva::TSimulationPersist>}),
    [](const ::testing::TestParamInfo<RootCase>& info) {
      return std::string(info.param.className) + (info.index == 5 ? "Quorva" : "");
    });

}  // namespace
