// fortema-cli: the section analysis without windows. The first argument names the command.
#include "app/cli/check_command.h"
#include "app/cli/project_command.h"
#include "app/cli/report_command.h"
#include "app/cli/sheet_command.h"
#include "app/cli/terminal_text.h"
#include "app/cli/usage.h"
#include "app/cli/validate_command.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

using Command = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

struct CommandEntry {
    const char* name;
    Command run;
};

constexpr CommandEntry kCommands[] = {
    {"check", &fortema::cli::runCheck},       {"project", &fortema::cli::runProject},
    {"validate", &fortema::cli::runValidate}, {"sheet", &fortema::cli::runSheet},
    {"report", &fortema::cli::runReport},
};

}  // namespace

int main(int argc, char** argv) {
    // Descriptions, names and file names reach the terminal with their control characters shown.
    fortema::cli::TerminalStream out(std::cout);
    fortema::cli::TerminalStream err(std::cerr);
    if (argc < 2) {
        fortema::cli::printUsage(err);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h") {
        fortema::cli::printUsage(out);
        return 0;
    }
    if (name == "--version") {
        fortema::cli::printVersion(out);
        return 0;
    }
    for (const CommandEntry& command : kCommands) {
        if (name == command.name) {
            try {
                return command.run(std::vector<std::string>(argv + 2, argv + argc), out, err);
            } catch (const std::exception& e) {
                err << "fortema-cli " << name << ": errore interno: " << e.what() << "\n";
                return 1;
            }
        }
    }
    err << "fortema-cli: comando sconosciuto \"" << name << "\"\n";
    fortema::cli::printUsage(err);
    return 2;
}
