// The ending roll. Not built yet: Init reports that and fails, so the program ends cleanly.
#include "scenes/endrole.h"

#include <cstdio>

Endrole::Endrole() = default;
Endrole::~Endrole() = default;

int Endrole::Init(int, int, int, int) {
  Finalize();
  printf("Endrole:the ending roll is not built yet\n");
  return -1;
}

int Endrole::Action(int code) { return code; }

void Endrole::Finalize() { initialized_ = false; }
