// Runs a parsed scenario against a face: starts the program before the first command
// that needs it, carries out the user's actions, checks the expectations and prints
// every message box as "message: Text" and the first failed expectation as
// "FAIL line N: ...".
#pragma once

#include <ostream>
#include <vector>

#include "replay_face.h"
#include "script.h"

namespace bk {

// Returns the exit code: 0 when the script ran to its end, 1 at the first failure.
// runDirectory is the program's folder (GBK, no trailing separator).
int runScenario(const std::vector<Command>& script, ReplayFace& face, const Text& runDirectory,
                std::ostream& out, std::ostream& notes);

}  // namespace bk
