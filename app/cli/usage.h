#pragma once

#include <iosfwd>
#include <string_view>

namespace fortema::cli {

// The call form of one command, e.g. "fortema-cli project FILE.ftm [--json]"; a command's own
// message for a call it cannot take starts with "uso: " and this.
std::string_view synopsis(std::string_view command);

// The usage of every command: on standard output for --help, on standard error
// after a call the program cannot take.
void printUsage(std::ostream& out);

// "fortema-cli" and the version of the build.
void printVersion(std::ostream& out);

}  // namespace fortema::cli
