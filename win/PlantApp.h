#pragma once

#include "CommandLine.h"

// The window program: the main window and the message loop that feeds it.
namespace PlantApp {

// Runs until the window closes; the process's exit status.
int Run(const WindowOptions& options);

} // namespace PlantApp
