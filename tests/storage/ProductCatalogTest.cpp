// The product catalogue "Produtos.dat" as each program's data module holds it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "quorva/model/CatalogData.h"
#include "storage/ProductCatalog.h"
#include "tallora/data/GrovanaData.h"
#include "tests/support/Fakes.h"
#include "tests/support/StreamBytes.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using Codes = std::vector<int>;

namespace {

struct Program {
  const char* name;
  // The program's data module that holds the catalogue.
  std::function<std::unique_ptr<TComponent>(TDataFolders, TDataSeams)> make;
  std::function<TProductCatalog&(TComponent&)> catalogue;
  // Shown by a new product with MinDiameter -1 and Price -3.5.
  Codes faultyCodes;
  // PriceEvolutionRate 2 as the dataset shows it.
  const char* rateText;
  friend void PrintTo(const Program& p, std::ostream* os) { *os << p.name; }
};

const Program kTallora{"Tallora",
                       [](TDataFolders f, TDataSeams s) { return std::make_unique<TGrovana>(nullptr, f, s); },
                       [](TComponent& c) -> TProductCatalog& { return static_cast<TGrovana&>(c).Products(); },
                       {201, 202, 204},
                       "2"};
const Program kQuorva{"Quorva",
                      [](TDataFolders f, TDataSeams s) { return std::make_unique<TCatalog>(nullptr, f, s); },
                      [](TComponent& c) -> TProductCatalog& { return static_cast<TCatalog&>(c).Products(); },
                      {201, 202, 205},
                      "2,0"};

class ProductCatalogTest : public ::testing::TestWithParam<Program> {
protected:
  TProductCatalog& Make() {
    module_ = GetParam().make({exe_.string(), work_.string()}, {dialogs_, presenter_});
    return GetParam().catalogue(*module_);
  }
  // "Produtos.dat" beside the executable with one product.
  void WriteCatalogue() {
    TProductPersist root;
    root.SetFilename("Produtos.dat");
    TProduct& p = root.ProductCollection().Add();
    p.SetName("Serraria");
    p.SetMinDiameter(18);
    p.SetSize(2.4);
    p.SetPrice(100);
    p.SetPriceEvolutionRate(2);
    SaveComponent((exe_ / "Produtos.dat").string(), root);
  }

  // Appends and posts a valid product.
  static void AddProduct(TProductCatalog& c, const char* name);
  // The products' names in "Produtos.dat" beside the executable.
  std::vector<std::string> OnDisk() const {
    TProductPersist root;
    LoadComponent((exe_ / "Produtos.dat").string(), root);
    std::vector<std::string> names;
    for (const TProduct& p : root.ProductCollection()) names.push_back(p.Name());
    return names;
  }

  TempDir dir_;
  fs::path exe_ = dir_.Sub("exe"), work_ = dir_.Sub("work");
  ScriptedDialogs dialogs_;
  RecordingPresenter presenter_;
  std::unique_ptr<TComponent> module_;
};

// Writes fields of the current record, in edit state.
void Write(TDataSet& ds, std::initializer_list<std::pair<const char*, TFieldValue>> values) {
  if (!ds.Editing()) ds.Edit();
  for (const auto& [name, value] : values) ds.FieldByName(name).SetValue(value);
}

void ProductCatalogTest::AddProduct(TProductCatalog& c, const char* name) {
  c.cdsProduct().Append();
  Write(c.cdsProduct(), {{"Name", name}, {"MinDiameter", 8.0}, {"Size", 2.0}, {"Price", 10.0}});
  c.cdsProduct().Post();
}

TEST_P(ProductCatalogTest, StartsEmptyWithoutAFileAndSavesUnderBareNames) {
  TProductCatalog& c = Make();
  EXPECT_TRUE(c.cdsProduct().Active());
  EXPECT_EQ(c.cdsProduct().RecordCount() + c.Root().ProductCollection().Count(), 0);
  EXPECT_TRUE(dialogs_.Prompts().empty());

  // No path, no stored name: "Produtos.dat" beside the executable, the name stays empty.
  c.Save();
  EXPECT_TRUE(fs::exists(exe_ / "Produtos.dat"));
  EXPECT_EQ(c.Root().Filename(), "");
  c.Save("Meus.dat");
  EXPECT_TRUE(fs::exists(work_ / "Meus.dat"));
  EXPECT_EQ(c.Root().Filename(), "Meus.dat");
  // A failed save raises and keeps the old name.
  EXPECT_THROW(c.Save((dir_.Path() / "missing" / "X.dat").string()), EFCreateError);
  EXPECT_EQ(c.Root().Filename(), "Meus.dat");
  EXPECT_EQ(c.Path(), (work_ / "Meus.dat").string());
}

TEST_P(ProductCatalogTest, ADamagedFileIsReportedLeftOutAndKeptByTheFirstSave) {
  const std::string damaged = "TPF0" + S("TProductPersist") + H({0}) + S("Filen");
  WriteFileBytes(exe_ / "Produtos.dat", damaged);
  WriteFileBytes(exe_ / "Produtos.dat.danificado", "outro");
  TProductCatalog& c = Make();
  EXPECT_EQ(dialogs_.Texts(Prompt::Kind::Error).size(), 1u);
  EXPECT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_EQ(c.cdsProduct().RecordCount(), 0);
  EXPECT_TRUE(c.cdsProduct().Active());

  AddProduct(c, "Roçada");
  c.Save();
  c.Save();
  // Kept once, under the first free name, byte for byte.
  EXPECT_EQ(ReadFileBytes(exe_ / "Produtos.dat.danificado-2"), damaged);
  EXPECT_EQ(ReadFileBytes(exe_ / "Produtos.dat.danificado"), "outro");
  EXPECT_FALSE(fs::exists(exe_ / "Produtos.dat.danificado-3"));
  EXPECT_EQ(dialogs_.Texts(Prompt::Kind::Information),
            std::vector<std::string>{"O arquivo \"" + (exe_ / "Produtos.dat").string() +
                                     "\" não pôde ser lido ao iniciar e foi guardado como \"" +
                                     (exe_ / "Produtos.dat.danificado-2").string() + "\"."});
  EXPECT_EQ(OnDisk(), std::vector<std::string>{"Roçada"});
}

TEST_P(ProductCatalogTest, FaultyProductsAreStoredShownAndAborted) {
  WriteCatalogue();
  TProductCatalog& c = Make();
  TCollectionDataSet& products = c.cdsProduct();
  ASSERT_EQ(products.RecordCount(), 1);
  EXPECT_EQ(products.FieldByName("PriceEvolutionRate").DisplayText(), GetParam().rateText);

  products.Append();
  Write(products, {{"MinDiameter", -1.0}, {"Price", -3.5}});
  EXPECT_THROW(products.Post(), EAbort);
  EXPECT_EQ(products.State(), TDataSetState::Browse);
  ASSERT_EQ(c.Root().ProductCollection().Count(), 2);
  EXPECT_EQ(c.Root().ProductCollection()[1].MinDiameter(), -1);
  EXPECT_EQ(presenter_.Last().title, "Erros em Produtos");
  EXPECT_EQ(presenter_.Last().Codes(), GetParam().faultyCodes);
  // Moving away posts again: the cursor stays on the faulty record until it is mended.
  Write(products, {{"MinDiameter", 20.0}, {"Size", 2.0}, {"Price", 80.0}});
  EXPECT_THROW(products.Prior(), EAbort);
  EXPECT_EQ(products.RecNo(), 2);
  EXPECT_EQ(presenter_.Last().Codes(), Codes{201});
  Write(products, {{"Name", "Moirão"}});
  products.Prior();
  EXPECT_EQ(products.RecNo(), 1);
  EXPECT_EQ(presenter_.hides, 1);
}

TEST_P(ProductCatalogTest, FailedLoadsChangeNothing) {
  WriteCatalogue();
  TProductCatalog& c = Make();
  TCollection* before = c.cdsProduct().Collection();
  WriteTruncated(exe_ / "Produtos.dat", work_ / "Produtos.dat", 30);
  EXPECT_THROW(c.Load("Produtos.dat"), EReadError);
  TCustoPersist costs;
  SaveComponent((work_ / "Custo.dat").string(), costs);
  try {
    c.Load((work_ / "Custo.dat").string());
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(),
              "Não foi possível ler o arquivo \"Custo.dat\": não é um arquivo de catálogo de produtos.\n"
              "Arquivo não contém o objeto do tipo: TProductPersist");
  }
  EXPECT_THROW(c.Load("Nenhum.dat"), EFOpenError);
  EXPECT_EQ(c.cdsProduct().Collection(), before);
  EXPECT_EQ(c.cdsProduct().RecordCount(), 1);
  EXPECT_EQ(c.Path(), (exe_ / "Produtos.dat").string());
}

// The other program saved "Produtos.dat" since this one looked (there was
// none): Não and Cancelar write nothing and keep the change, Sim writes. A
// save right after its own, or onto another file, asks nothing.
TEST_P(ProductCatalogTest, ASaveOverTheOtherProgramsSaveAsksFirst) {
  TProductCatalog& mine = Make();
  const Program& other = GetParam().name == kTallora.name ? kQuorva : kTallora;
  const std::unique_ptr<TComponent> otherModule = other.make({exe_.string(), work_.string()}, {dialogs_, presenter_});
  TProductCatalog& theirs = other.catalogue(*otherModule);
  AddProduct(theirs, "DaOutro");
  EXPECT_TRUE(theirs.Save());

  AddProduct(mine, "Meu");
  dialogs_.Answer(TMsgDlgBtn::No).Answer(TMsgDlgBtn::Cancel).Answer(TMsgDlgBtn::Yes);
  EXPECT_FALSE(mine.Save());
  EXPECT_FALSE(mine.Save((exe_ / "Produtos.dat").string()));
  EXPECT_EQ(OnDisk(), std::vector<std::string>{"DaOutro"});
  EXPECT_TRUE(mine.Changed());
  EXPECT_EQ(mine.Root().Filename(), "");
  EXPECT_TRUE(mine.Save());
  EXPECT_EQ(OnDisk(), std::vector<std::string>{"Meu"});
  EXPECT_TRUE(mine.Save());
  EXPECT_TRUE(theirs.Save((work_ / "Copia.dat").string()));
  EXPECT_EQ(dialogs_.Texts(Prompt::Kind::YesNoCancel),
            std::vector<std::string>(3, "O arquivo \"" + (exe_ / "Produtos.dat").string() +
                                            "\" foi alterado fora do programa desde que foi lido. "
                                            "Salvar assim mesmo?"));
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, ProductCatalogTest, ::testing::Values(kTallora, kQuorva),
                         [](const ::testing::TestParamInfo<Program>& info) { return std::string(info.param.name); });

}  // namespace
