// Refusals inside a fuzz target: the target links fail_recorded.cpp instead of
// the engine's fail, so that a refusal returns to the fuzzer instead of ending
// the process.
#pragma once

#include <string>

// Thrown by fail once the message is recorded.
struct refusal {};

// The line that the latest refusal would have written to standard error
// (without its line end).
extern std::string refusal_message;
