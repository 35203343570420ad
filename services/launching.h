#pragma once

#include <string>
#include <vector>

// Opens a web address in the browser, or a document or picture in the program the desktop
// associates with it. The target travels as one argument, never through a shell. false when no
// program could be started for it; the caller decides whether that is worth saying.
bool LaunchViaBatch(const std::string& target);
// Starts a program from its argument list (arguments[0] is the program), detached and without a
// shell. 0 when it could not be started.
int RunHiddenProcess(const std::vector<std::string>& arguments);
