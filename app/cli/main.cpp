// fortema-cli: the section analysis without windows. The first argument names the command.
#include "app/cli/check_command.h"
#include "app/cli/project_command.h"
#include "app/cli/report_command.h"
#include "app/cli/sheet_command.h"
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
    if (argc < 2) {
        fortema::cli::printUsage(std::cerr);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h") {
        fortema::cli::printUsage(std::cout);
        return 0;
    }
    if (name == "--version") {
        fortema::cli::printVersion(std::cout);
        return 0;
    }
    for (const CommandEntry& command : kCommands) {
        if (name == command.name) {
            try {
                return command.run(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
            } catch (const std::exception& e) {
                std::cerr << "fortema-cli " << name << ": errore interno: " << e.what() << "\n";
                return 1;
            }
        }
    }
    std::cerr << "fortema-cli: comando sconosciuto \"" << name << "\"\n";
    fortema::cli::printUsage(std::cerr);
    return 2;
}
