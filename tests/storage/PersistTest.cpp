#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <typeinfo>

#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "storage/PersistUnit.h"
#include "tests/support/StreamBytes.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// Another root of the same shape, as a formula catalogue would be.
class TOtherPersist : public TComponent {
  TQ_DECLARE_CLASS(TOtherPersist)
public:
  explicit TOtherPersist(TComponent* owner = nullptr) : TComponent(owner) {}
  const std::string& Filename() const { return filename_; }
  void SetFilename(const std::string& v) { filename_ = v; }
  TProductCollection& FormulaCollection() { return items_; }

private:
  std::string filename_;
  TProductCollection items_{this};
};

const ClassInfo& TOtherPersist::StaticClass() {
  static const auto ci = ClassBuilder<TOtherPersist>("TFormulaPersist", &TComponent::StaticClass())
                             .String("Filename", &TOtherPersist::Filename, &TOtherPersist::SetFilename)
                             .Collection("FormulaCollection", &TOtherPersist::FormulaCollection,
                                         TProduct::StaticClass())
                             .Build();
  return *ci;
}

class PersistFiles : public ::testing::Test {
protected:
  std::string Path(const std::string& name) const { return dir_ / name; }
  // Temporary files a save left behind anywhere in the folder.
  int LeftoverTemps() const {
    int n = 0;
    for (const auto& e : fs::recursive_directory_iterator(dir_.Path()))
      if (e.path().filename().string().find(kTemporarySaveSuffix) != std::string::npos) ++n;
    return n;
  }

  static std::string Contents(const std::string& path) { return ReadFileBytes(path); }
  static void Put(const std::string& path, const std::string& bytes) { WriteFileBytes(path, bytes); }

  static void FillCatalogue(TProductPersist& root) {
    root.SetFilename("Produtos.dat");
    root.SetTag(12);
    const char* names[] = {"Serraria", "Celulose", "Lenha"};
    for (int i = 0; i < 3; ++i) {
      TProduct& p = root.ProductCollection().Add();
      p.SetName(names[i]);
      p.SetMinDiameter(25.0 - 8 * i);
      p.SetSize(i == 2 ? 0 : 2.4 + i);
      p.SetPrice(i == 1 ? 0 : 45.5 / (i + 1));
      p.SetPriceEvolutionRate(i == 0 ? -1.25 : 0);
    }
    root.ProductCollection().Add().SetName("Poste ç € " + std::string(290, 'p'));
  }

  TempDir dir_;
};

template <class E, class F>
std::string Message(F&& f) {
  try {
    f();
  } catch (const E& e) {
    return e.Message();
  }
  return "no error";
}

}  // namespace

TEST_F(PersistFiles, SavesTheByteExampleAndReadsItBack) {
  TProductPersist root;
  root.SetFilename("Produtos.dat");
  TProduct& p = root.ProductCollection().Add();
  p.SetName("Tora");
  p.SetMinDiameter(8);
  p.SetSize(2.4);
  const std::string file = Path("Produtos.dat");
  SaveComponent(file, root);

  const std::string expected = "TPF0" + S("TProductPersist") + H({0}) + S("Filename") + H({6}) + S("Produtos.dat") +
                               S("ProductCollection") + H({0x0E, 1}) + S("Name") + H({6}) + S("Tora") +
                               S("MinDiameter") + H({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x02, 0x40}) + S("Size") +
                               H({5, 0x00, 0x98, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x00, 0x40}) + H({0, 0, 0, 0});
  ASSERT_EQ(expected.size(), 118u);
  EXPECT_EQ(Contents(file), expected);
  EXPECT_EQ(LeftoverTemps(), 0);

  TProductPersist back;
  LoadComponent(file, back);
  EXPECT_EQ(back.Filename(), "Produtos.dat");
  ASSERT_EQ(back.ProductCollection().Count(), 1);
  const TProduct& q = back.ProductCollection()[0];
  EXPECT_EQ(q.Name(), "Tora");
  EXPECT_EQ(q.MinDiameter(), 8.0);
  EXPECT_EQ(q.Size(), 2.4);
  EXPECT_EQ(q.Price(), 0.0);
  EXPECT_EQ(q.PriceEvolutionRate(), 0.0);

  TProductPersist empty;
  SaveComponent(file, empty);
  EXPECT_EQ(Contents(file), "TPF0" + S("TProductPersist") + H({0}) + S("ProductCollection") + H({0x0E, 0, 0, 0}));
}

TEST_F(PersistFiles, CatalogueRoundTripsWithIdsFromZero) {
  TProductPersist root;
  FillCatalogue(root);
  const std::string file = Path("Produtos.dat");
  SaveComponent(file, root);

  TProductPersist back;
  for (int i = 0; i < 6; ++i) back.ProductCollection().Add();
  back.ProductCollection().Delete(0);
  LoadComponent(file, back);
  EXPECT_EQ(back.Tag(), 12);
  ASSERT_EQ(back.ProductCollection().Count(), 4);
  for (int i = 0; i < 4; ++i) {
    const TProduct& a = root.ProductCollection()[i];
    const TProduct& b = back.ProductCollection()[i];
    EXPECT_EQ(b.Id(), i);
    EXPECT_EQ(b.Name(), a.Name());
    EXPECT_EQ(b.MinDiameter(), a.MinDiameter());
    EXPECT_EQ(b.Size(), a.Size());
    EXPECT_EQ(b.Price(), a.Price());
    EXPECT_EQ(b.PriceEvolutionRate(), a.PriceEvolutionRate());
  }
  EXPECT_EQ(WriteComponentImage(back), Contents(file));
}

TEST_F(PersistFiles, LoadMergesIntoTheExistingRoot) {
  const std::string file = Path("Vazio.dat");
  SaveComponent(file, TProductPersist());  // no Filename, empty collection

  TProductPersist root;
  FillCatalogue(root);
  LoadComponent(file, root);
  EXPECT_EQ(root.Filename(), "Produtos.dat");
  EXPECT_EQ(root.ProductCollection().Count(), 4);
  EXPECT_EQ(root.Tag(), 12);  // the file leaves the default out
}

TEST_F(PersistFiles, ClassCheckRefusesForeignFilesAndLeavesTheRootUntouched) {
  const std::string formulas = Path("Formulas.dat");
  TOtherPersist other;
  other.SetFilename("Formulas.dat");
  other.FormulaCollection().Add().SetName("Schumacher");
  SaveComponent(formulas, other);

  const std::string wrong = std::string(kMsgWrongStoredClass) + "TProductPersist";
  TProductPersist root;
  FillCatalogue(root);
  const std::string before = WriteComponentImage(root);
  try {
    LoadComponent(formulas, root);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(typeid(e), typeid(Exception));
    EXPECT_EQ(e.Message(),
              "Não foi possível ler o arquivo \"Formulas.dat\": não é um arquivo de catálogo de produtos.\n" + wrong);
  }
  EXPECT_EQ(WriteComponentImage(root), before);

  // Short, empty, other case, other text: all mismatches.
  const std::string header = "TPF0" + S("TProductPersist");
  for (const std::string& bytes : {std::string(), header.substr(0, 19), std::string("TPF0") + S("tproductpersist"),
                                   std::string("Produtos, lista de preços\n")}) {
    Put(Path("x.dat"), bytes);
    EXPECT_EQ(Message<Exception>([&] { CheckStoredClass(Path("x.dat"), "TProductPersist"); }), wrong);
  }
  // Read as a file, a short one of other bytes is one of another kind too.
  Put(Path("x.dat"), "Produtos");
  EXPECT_EQ(Message<Exception>([&] { LoadComponent(Path("x.dat"), root); }),
            "Não foi possível ler o arquivo \"x.dat\": não é um arquivo de catálogo de produtos.\n" + wrong);
  TOtherPersist kindless;  // a root that names no kind
  EXPECT_EQ(Message<Exception>([&] { LoadComponent(Path("x.dat"), kindless); }),
            "Não foi possível ler o arquivo \"x.dat\": não é um arquivo do tipo esperado.\n" +
                std::string(kMsgWrongStoredClass) + "TFormulaPersist");
  // Only the characters of the name are compared: the signature and length are the reader's
  // business.
  Put(Path("x.dat"), "XXXX\x01TProductPersist" + H({0}) + S("ProductCollection") + H({0x0E, 0, 0, 0}));
  EXPECT_NO_THROW(CheckStoredClass(Path("x.dat"), "TProductPersist"));
  const std::string damaged = kMsgDamagedFile1 + std::string("x.dat") + kMsgDamagedFile2 + "\n";
  EXPECT_EQ(Message<EReadError>([&] { LoadComponent(Path("x.dat"), root); }), damaged + "Formato de arquivo inválido");
  EXPECT_NO_THROW(CheckStoredClass(formulas, "TFormulaPersist"));

  // A name read from the file is shown in printable characters.
  Put(Path("x.dat"), header + H({0}) + S("Fil\x01\x1b") + H({2, 0, 0, 0}));
  EXPECT_EQ(Message<EReadError>([&] { LoadComponent(Path("x.dat"), root); }),
            damaged + "Erro ao ler TProductPersist.Fil??: a propriedade não existe");
}

TEST_F(PersistFiles, MissingAndUnreadableFilesRaiseFileErrorsWithThePath) {
  TProductPersist root;
  const std::string missing = Path("Nada.dat");
  EXPECT_EQ(Message<EFOpenError>([&] { LoadComponent(missing, root); }), "Arquivo não encontrado: " + missing);
  EXPECT_EQ(Message<EFOpenError>([&] { CheckStoredClass(missing, "TProductPersist"); }),
            "Arquivo não encontrado: " + missing);
  fs::create_directory(Path("Pasta.dat"));
  EXPECT_NE(Message<EFOpenError>([&] { LoadComponent(Path("Pasta.dat"), root); }).find(Path("Pasta.dat")),
            std::string::npos);
}

TEST_F(PersistFiles, EveryTruncatedFileFailsCleanly) {
  TProductPersist root;
  FillCatalogue(root);
  const std::string file = Path("Produtos.dat");
  SaveComponent(file, root);
  const std::string image = Contents(file);
  const std::size_t header = 5 + std::string("TProductPersist").size();
  for (std::size_t n = 0; n < image.size(); ++n) {
    Put(Path("cut.dat"), image.substr(0, n));
    TProductPersist back;
    if (n < header)
      ASSERT_EQ(Message<Exception>([&] { LoadComponent(Path("cut.dat"), back); }),
                kMsgDamagedFile1 + std::string("cut.dat") + kMsgDamagedFile2 + "\n" + kMsgWrongStoredClass +
                    "TProductPersist")
          << n;
    else
      ASSERT_EQ(Message<EReadError>([&] {
                  LoadComponent(Path("cut.dat"), back);
                }).rfind(kMsgDamagedFile1 + std::string("cut.dat") + kMsgDamagedFile2 + "\n", 0),
                0u)
          << n;
  }
}

TEST_F(PersistFiles, FailedSavesKeepTheOldFile) {
  TProductPersist old;
  old.SetFilename("Produtos.dat");
  const std::string file = Path("Produtos.dat");
  SaveComponent(file, old);
  const std::string oldBytes = Contents(file);

  TProductPersist root;
  FillCatalogue(root);
  const std::string image = WriteComponentImage(root);
  auto expectCreateError = [&](const std::string& target) {
    const std::string msg = Message<EFCreateError>([&] { SaveComponent(target, root); });
    EXPECT_EQ(msg.rfind("Não foi possível criar o arquivo " + target + ": ", 0), 0u) << msg;
    EXPECT_EQ(WriteComponentImage(root), image);
  };

  // A user's own file with the temporary suffix is never touched.
  std::ofstream(file + kTemporarySaveSuffix) << "notas";
  SaveComponent(file, old);
  EXPECT_EQ(Contents(file + kTemporarySaveSuffix), "notas");
  fs::remove(file + kTemporarySaveSuffix);

  // A missing folder; a directory in place of the target: the reasons in Portuguese.
  expectCreateError(Path("nenhuma/Produtos.dat"));
  EXPECT_EQ(Message<EFCreateError>([&] { SaveComponent(Path("nenhuma/Produtos.dat"), root); }),
            "Não foi possível criar o arquivo " + Path("nenhuma/Produtos.dat") + ": Arquivo ou pasta não encontrado");
  fs::create_directory(Path("Pasta.dat"));
  expectCreateError(Path("Pasta.dat"));
  EXPECT_EQ(Message<EFCreateError>([&] { SaveComponent(Path("Pasta.dat"), root); }),
            "Não foi possível criar o arquivo " + Path("Pasta.dat") + ": É uma pasta");
  EXPECT_EQ(LeftoverTemps(), 0);
  EXPECT_TRUE(fs::is_directory(Path("Pasta.dat")));

  // A read-only folder (not enforced for the superuser).
  if (::geteuid() != 0) {
    fs::create_directory(Path("ro"));
    SaveComponent(Path("ro/Produtos.dat"), old);
    fs::permissions(Path("ro"), fs::perms::owner_read | fs::perms::owner_exec);
    expectCreateError(Path("ro/Produtos.dat"));
    EXPECT_EQ(Contents(Path("ro/Produtos.dat")), oldBytes);
    fs::permissions(Path("ro"), fs::perms::owner_all);
  }

  // Replacing works and keeps the file's permissions.
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  SaveComponent(file, root);
  EXPECT_EQ(Contents(file), image);
  EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(LeftoverTemps(), 0);

  // Saving through a symbolic link writes the linked file and keeps the link.
  fs::create_directory(Path("shared"));
  SaveComponent(Path("shared/Produtos.dat"), old);
  fs::create_symlink(Path("shared/Produtos.dat"), Path("link.dat"));
  SaveComponent(Path("link.dat"), root);
  EXPECT_TRUE(fs::is_symlink(Path("link.dat")));
  EXPECT_EQ(Contents(Path("shared/Produtos.dat")), image);
  EXPECT_EQ(LeftoverTemps(), 0);
}

TEST(ProductPersist, PublishesFilenameAndItsCollection) {
  TComponent owner;
  auto* root = new TProductPersist(&owner);
  EXPECT_EQ(root->Owner(), &owner);
  std::vector<std::string> names;
  for (const PropertyInfo* p : root->Class().Properties()) names.push_back(p->name);
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "Filename", "ProductCollection"}));
  EXPECT_EQ(root->Class().Find("productcollection")->itemClass, &TProduct::StaticClass());
  EXPECT_EQ(&GetCollectionProp(*root, "ProductCollection"), &root->ProductCollection());
  EXPECT_EQ(root->ProductCollection().Owner(), root);
  EXPECT_EQ(root->ClassName(), "TProductPersist");
}
