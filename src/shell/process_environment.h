// What a program learns and sets about itself through the operating system:
// where its file lies, its environment variables and its console. One
// version per platform.
#pragma once

#include <filesystem>

// The running program's own file; empty when the system does not say.
std::filesystem::path executablePath();

// Sets an environment variable for this process and the programs it starts;
// an existing value stays unless replace is true.
void setEnvironment(const char* name, const char* value, bool replace);

// Removes an environment variable.
void unsetEnvironment(const char* name);

// For a program built as a windowed one, which has no console of its own:
// standard output and error that go nowhere are sent to the console of the
// program that started it, when there is one, so that lines printed at the
// end still reach a viewer who started it from a console. Streams sent to a
// file or a pipe stay as they are. Elsewhere it does nothing.
void useStartingConsole();
