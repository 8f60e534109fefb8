#pragma once
// What a frame reaches outside its window: the main window hands it these
// when it builds it.

#include "platform/services/DocumentFolder.h"
#include "platform/services/Services.h"

struct TFrameSeams {
  IDialogs& Dialogs;
  IErrorPresenter& ErrorPresenter;
  // Where the dialogs of documents start.
  TDocumentFolder& Documents;
};
