// The six file roots of both programs: class name, Filename and the
// collection property, as the file format lays them out, and the kind of file
// each names when it reads one of another.
#include <gtest/gtest.h>

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
