#pragma once
// What Tallora's About and splash windows show.

#include "forms/ProgramContent.h"

TAboutContent TalloraAboutContent();
TSplashContent TalloraSplashContent();
