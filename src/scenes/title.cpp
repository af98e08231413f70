// The title scene. Not built yet: Init reports that and fails, so the program ends cleanly.
#include "scenes/title.h"

#include <cstdio>

Title::Title() = default;
Title::~Title() = default;

int Title::Init(int, int, bool, bool) {
  Finalize();
  printf("Title:the title scene is not built yet\n");
  return -1;
}

int Title::Action(int code) { return code; }

bool Title::getUseContinue() { return useContinue_; }

bool Title::getUseSpMode() { return useSpMode_; }

void Title::Finalize() { initialized_ = false; }
