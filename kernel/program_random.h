#pragma once

// The program's own rand(): the same sequence on every machine, so scrambled output can be
// predicted by tests. Values run from 0 to 32767.
int ProgramRand();
void SeedProgramRand(unsigned seed);
