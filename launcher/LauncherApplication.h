#pragma once

// QuarnExe: the definition named on the command line (or lying beside a
// copy started in a program's place) in a window, or one of the modes that
// need no display.
int RunQuarnLauncher(int argc, char* argv[]);
