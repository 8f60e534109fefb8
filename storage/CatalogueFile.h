#pragma once
// A catalogue kept in one file beside the executable ("Produtos.dat",
// "Formulas.dat", "Custo.dat"): its root, the dataset over the root's
// collection with its data source, the full path last read or written and
// whether it changed since; a save asks before writing over the file when
// another program changed it.

#include <memory>
#include <string>
#include <utility>

#include "platform/db/DB.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SafeFile.h"
#include "platform/rtl/SysUtils.h"
#include "storage/CollectionDataSet.h"
#include "storage/DataModule.h"
#include "storage/KnownFile.h"
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
  // The dialogs report a damaged file and ask before a save writes over one
  // changed outside the program.
  TCatalogueFile(TDataFolders folders, IDialogs& dialogs, std::string fileName, const std::string& dataSetName,
                 const std::string& sourceName)
      : folders_(std::move(folders)), dialogs_(dialogs), fileName_(std::move(fileName)), root_(std::make_unique<R>()) {
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
  void LoadAtStart() {
    const std::string path = folders_.BesideExe(fileName_);
    if (FileExists(path)) {
      try {
        Load(path);
      } catch (const Exception& e) {
        damaged_ = path;
        dialogs_.Error(e.Message());
      }
    } else {
      // A file another program writes there later is not written over unasked.
      disk_.KeepMissing(path);
    }
    if (!dataSet_.Active()) dataSet_.Open();
  }

  // What the file lacks keeps its value; the root is replaced only when the
  // whole file was read, so a failed load changes nothing.
  void Load(const std::string& path) {
    const std::string full = folders_.Resolve(path);
    std::string bytes;
    std::unique_ptr<R> fresh = LoadComponentCopy(full, *root_, &bytes);
    dataSet_.Close();
    dataSet_.SetCollection(&fresh->Items());
    root_ = std::move(fresh);
    dataSet_.Open();
    path_ = full;
    saved_.Keep(*root_);
    disk_.Keep(full, std::move(bytes));
    if (full == damaged_) damaged_.clear();
  }

  // With a path: Filename := its bare name (kept when the save fails).
  // Without: the path last read or written, else the stored Filename (or
  // the catalogue's own name) beside the executable; Filename unchanged.
  // The record being edited is posted first (PostPending), then MayWrite.
  // False when nothing was written.
  bool Save(const std::string& path = "") {
    PostPending();
    if (!MayWrite(path)) return false;
    Write(path);
    return true;
  }

  // The steps before a save to path (as Save takes it). The file last read
  // or written there, changed outside the program since, is written over
  // only when the dialogs' question is answered Sim: false otherwise, and
  // nothing may be written. The file that could not be read at start is kept
  // first.
  bool MayWrite(const std::string& path = "") {
    const std::string full = Target(path);
    if (!disk_.MayWrite(full, dialogs_)) return false;
    KeepDamaged(full);
    return true;
  }

  // Save's writing, without the steps before it.
  void Write(const std::string& path = "") {
    const std::string full = Target(path);
    std::string written = path.empty() ? SaveComponent(full, *root_) : SaveComponentAs(full, *root_);
    path_ = full;
    saved_.Keep(*root_);
    disk_.Keep(full, std::move(written));
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
  // The full path a save to path writes.
  std::string Target(const std::string& path) const {
    if (!path.empty()) return folders_.Resolve(path);
    if (!path_.empty()) return path_;
    return folders_.BesideExe(root_->Filename().empty() ? fileName_ : root_->Filename());
  }

  // Before the first save over the file that could not be read at start.
  void KeepDamaged(const std::string& full) {
    if (damaged_.empty() || full != damaged_) return;
    if (FileExists(full)) {
      const std::string kept = KeepFileCopy(full, kDamagedSuffix);
      dialogs_.Information(kMsgDamagedKept1 + full + kMsgDamagedKept2 + kept + "\".");
    }
    damaged_.clear();
  }

  TDataFolders folders_;
  IDialogs& dialogs_;
  std::string fileName_;
  std::unique_ptr<R> root_;
  TCollectionDataSet dataSet_;
  TDataSource source_;
  std::string path_;
  TSavedImage saved_;
  // The file as last read or written.
  TKnownFile disk_;
  // The file that could not be read at start, until it is kept.
  std::string damaged_;
};
