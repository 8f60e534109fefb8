#pragma once
// A catalogue kept in one file beside the executable ("Produtos.dat",
// "Formulas.dat", "Custo.dat"): its root, the dataset over the root's
// collection with its data source, the full path last read or written and
// whether it changed since.

#include <memory>
#include <string>
#include <utility>

#include "platform/db/DB.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SafeFile.h"
#include "platform/rtl/SysUtils.h"
#include "storage/CollectionDataSet.h"
#include "storage/DataModule.h"
#include "storage/PersistUnit.h"
#include "storage/SavedImage.h"

// Said once when a file that could not be read at start is first saved over:
// kMsgDamagedKept1, that file, kMsgDamagedKept2, the copy that keeps it, "".".
inline constexpr const char* kMsgDamagedKept1 = "O arquivo \"";
inline constexpr const char* kMsgDamagedKept2 = "\" não pôde ser lido ao iniciar e foi guardado como \"";
inline constexpr const char* kDamagedSuffix = ".danificado";

// R is a TCollectionRoot. The owner declares the dataset's fields and events,
// then calls LoadAtStart.
template <class R>
class TCatalogueFile {
public:
  TCatalogueFile(TDataFolders folders, std::string fileName, const std::string& dataSetName,
                 const std::string& sourceName)
      : folders_(std::move(folders)), fileName_(std::move(fileName)), root_(std::make_unique<R>()) {
    dataSet_.SetName(dataSetName);
    source_.SetName(sourceName);
    source_.SetDataSet(&dataSet_);
    dataSet_.SetCollection(&root_->Items());
    saved_.Keep(*root_);
  }

  // The file beside the executable, when there is one; a damaged one is
  // reported through the dialogs and the catalogue stays empty. The first
  // save to a damaged file keeps it first under a free name beside it
  // (kDamagedSuffix) and says so. The dataset is open afterwards.
  void LoadAtStart(IDialogs& dialogs) {
    const std::string path = folders_.BesideExe(fileName_);
    if (FileExists(path)) {
      try {
        Load(path);
      } catch (const Exception& e) {
        damaged_ = path;
        dialogs_ = &dialogs;
        dialogs.Error(e.Message());
      }
    }
    if (!dataSet_.Active()) dataSet_.Open();
  }

  // What the file lacks keeps its value; the root is replaced only when the
  // whole file was read, so a failed load changes nothing.
  void Load(const std::string& path) {
    const std::string full = folders_.Resolve(path);
    std::unique_ptr<R> fresh = LoadComponentCopy(full, *root_);
    dataSet_.Close();
    dataSet_.SetCollection(&fresh->Items());
    root_ = std::move(fresh);
    dataSet_.Open();
    path_ = full;
    saved_.Keep(*root_);
    if (full == damaged_) damaged_.clear();
  }

  // With a path: Filename := its bare name (kept when the save fails).
  // Without: the path last read or written, else the stored Filename (or
  // the catalogue's own name) beside the executable; Filename unchanged.
  // The record being edited is posted first (PostPending).
  void Save(const std::string& path = "") {
    PostPending();
    if (!path.empty()) {
      const std::string full = folders_.Resolve(path);
      KeepDamaged(full);
      SaveComponentAs(full, *root_);
      path_ = full;
      saved_.Keep(*root_);
      return;
    }
    const std::string full = !path_.empty()
                                 ? path_
                                 : folders_.BesideExe(root_->Filename().empty() ? fileName_ : root_->Filename());
    KeepDamaged(full);
    SaveComponent(full, *root_);
    path_ = full;
    saved_.Keep(*root_);
  }

  // Posts the record being edited (an untouched one is dropped): a save
  // writes it as a posted record, its events run and the controls show it.
  void PostPending() {
    if (dataSet_.Editing()) dataSet_.CheckBrowseMode();
  }

  // A save would write other bytes than were last read or written.
  bool Changed() const { return saved_.Differs(*root_); }

  R& Root() const { return *root_; }
  TCollectionDataSet& DataSet() { return dataSet_; }
  TDataSource& Source() { return source_; }
  // Full path last read or written; empty for none.
  const std::string& Path() const { return path_; }

private:
  // Before the first save over the file that could not be read at start.
  void KeepDamaged(const std::string& full) {
    if (damaged_.empty() || full != damaged_) return;
    if (FileExists(full)) {
      const std::string kept = KeepFileCopy(full, kDamagedSuffix);
      dialogs_->Information(kMsgDamagedKept1 + full + kMsgDamagedKept2 + kept + "\".");
    }
    damaged_.clear();
  }

  TDataFolders folders_;
  std::string fileName_;
  std::unique_ptr<R> root_;
  TCollectionDataSet dataSet_;
  TDataSource source_;
  std::string path_;
  TSavedImage saved_;
  // The file that could not be read at start, until it is kept.
  std::string damaged_;
  IDialogs* dialogs_ = nullptr;
};
