#pragma once
// The command-line tool's sheet commands: dump, from-json and new. Each takes
// the words after its subcommand and returns the exit code (0 done, 1 a file
// or data error, 2 a usage error).
#include <string>
#include <vector>

int CliDump(const std::vector<std::string>& args);
int CliFromJson(const std::vector<std::string>& args);
int CliNew(const std::vector<std::string>& args);
