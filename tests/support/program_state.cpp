#include "program_state.h"

#include "program_reset.h"

void ResetProgramState() {
  // A test that opens a dialog or asks a question must script the answer.
  ResetProgramState([](const std::string& what) { ADD_FAILURE() << "Unscripted " << what; });
}
