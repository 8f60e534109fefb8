#pragma once
// What Quorva's About and splash windows show.

#include "forms/ProgramContent.h"

TAboutContent QuorvaAboutContent();
TSplashContent QuorvaSplashContent();
