// baler: the command-line front over the codec. It follows the programs'
// rules (the same extraction, scan, comparison and packing code) and adds
// nothing of its own but argument parsing, prompts and exit codes.
#pragma once

namespace baler {

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;     // a refused input or an I/O error
inline constexpr int kExitUsage = 2;      // bad arguments
inline constexpr int kExitCancelled = 3;  // the user (or no terminal) said no
inline constexpr int kExitDifferent = 4;  // diff, verify: the folder and the other side differ

int Run(int argc, char** argv);

}  // namespace baler
