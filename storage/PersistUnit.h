#pragma once
// Root-object files: one root component with one collection per ".dat" file,
// stored as a component stream.

#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "model/items/ProductUnit.h"
#include "platform/classes/Classes.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/SafeFile.h"
#include "platform/rtl/SysUtils.h"

inline constexpr const char* kMsgWrongStoredClass = "Arquivo não contém o objeto do tipo: ";

// The root of a ".dat" file: a component that stores the bare name of the
// file it was saved as (no folder) beside its one collection.
class TFileRoot : public TComponent {
  TQ_DECLARE_CLASS(TFileRoot)
public:
  explicit TFileRoot(TComponent* owner = nullptr) : TComponent(owner) {}

  const std::string& Filename() const { return filename_; }
  void SetFilename(const std::string& value) { filename_ = value; }
  // The kind of file, as LoadComponent names it ("simulação"); "" when
  // there is none.
  virtual const char* KindName() const { return ""; }

private:
  std::string filename_;
};

// Writes the root's image with ReplaceFileContents, so a failed save leaves
// any old file as it was, and returns the bytes written. Raises EFCreateError
// (with the path) when the file cannot be written.
std::string SaveComponent(const std::string& fileName, const TComponent& root);

// Reads the whole file into the existing root (see ReadComponentImage: what
// was read before a fault stays). Raises EFOpenError for a missing or
// unreadable file. A file not of the root's class (CheckStoredClass) raises
// Exception: kMsgDamagedFile1, the bare file name, "\": não é um arquivo de "
// and the root's KindName ("do tipo esperado" without one) with a full stop
// (kMsgDamagedFile2 when the file is only the cut beginning of one of the
// class), then kMsgWrongStoredClass and the class name on a line of its own.
// A damaged file raises EReadError: kMsgDamagedFile1, the bare file name,
// kMsgDamagedFile2, then the reader's text (in printable characters) on a
// line of its own. Bytes after the root's image make the file damaged
// (kMsgDataAfterEnd), after the root was read. Returns the file's bytes.
std::string LoadComponent(const std::string& fileName, TComponent& root);
inline constexpr const char* kMsgDamagedFile1 = "Não foi possível ler o arquivo \"";
inline constexpr const char* kMsgDamagedFile2 = "\": o arquivo está danificado ou incompleto.";
inline constexpr const char* kMsgDataAfterEnd = "Dados inesperados após o fim do objeto";

// Skips the first 5 bytes (signature and length byte) and compares the next
// ones with the class name, case-sensitively; a mismatch or a short file
// raises Exception(kMsgWrongStoredClass + className).
void CheckStoredClass(const std::string& fileName, const std::string& className);

// Reads a file as LoadComponent would into root, but into a copy, so that
// root is left as it was when the read fails. The copy has no owner: the
// caller's pointer is its one owner. bytes, when given, gets the file's bytes.
template <class Root>
std::unique_ptr<Root> LoadComponentCopy(const std::string& fileName, const Root& root, std::string* bytes = nullptr) {
  auto fresh = std::make_unique<Root>();
  ReadComponentImage(WriteComponentImage(root), *fresh);
  std::string read = LoadComponent(fileName, *fresh);
  if (bytes) *bytes = std::move(read);
  return fresh;
}

// Saves root under fileName, storing the bare file name in its Filename; a
// failed save puts the old Filename back. Returns the bytes written.
std::string SaveComponentAs(const std::string& fileName, TFileRoot& root);

// A file root with one collection, published after Filename. Derived names
// the stored class, the kind of file and the collection property:
//   static constexpr const char* kClassName = "TProductPersist";
//   static constexpr const char* kKindName = "catálogo de produtos";
//   static constexpr const char* kCollectionName = "ProductCollection";
template <class Derived, class Collection>
class TCollectionRoot : public TFileRoot {
public:
  using Item = std::remove_cvref_t<decltype(std::declval<Collection&>().GetItem(0))>;

  explicit TCollectionRoot(TComponent* owner = nullptr)
      : TFileRoot(owner), items_(std::make_unique<Collection>(this)) {}

  static const ClassInfo& StaticClass() {
    static const auto ci = ClassBuilder<Derived>(Derived::kClassName, &TFileRoot::StaticClass())
                               .Collection(Derived::kCollectionName,
                                           static_cast<Collection& (TCollectionRoot::*)()>(&TCollectionRoot::Items),
                                           Item::StaticClass())
                               .Build();
    return *ci;
  }
  const ClassInfo& Class() const override { return StaticClass(); }
  const char* KindName() const override { return Derived::kKindName; }

  Collection& Items() { return *items_; }
  const Collection& Items() const { return *items_; }

private:
  std::unique_ptr<Collection> items_;
};

// The product catalogue ("Produtos.dat") of both programs.
class TProductPersist : public TCollectionRoot<TProductPersist, TProductCollection> {
public:
  static constexpr const char* kClassName = "TProductPersist";
  static constexpr const char* kKindName = "catálogo de produtos";
  static constexpr const char* kCollectionName = "ProductCollection";

  explicit TProductPersist(TComponent* owner = nullptr) : TCollectionRoot(owner) {}

  TProductCollection& ProductCollection() { return Items(); }
  const TProductCollection& ProductCollection() const { return Items(); }
};
