#pragma once
// The command-line tool's import and export commands. Each takes the words
// after its subcommand and returns the exit code: 0 done, 1 a file error,
// 2 a usage error. Messages go to standard error in UTF-8.
#include <string>
#include <vector>

// export-csv FILE.tvr OUT.csv [--utf8]
int CliExportCsv(const std::vector<std::string>& args);
// export-html FILE.tvr OUT.html [--css NAME] | export-html --table FILE.tvr
int CliExportHtml(const std::vector<std::string>& args);
// import-csv IN.csv OUT.tvr [--into BASE.tvr]
int CliImportCsv(const std::vector<std::string>& args);
