// fortema-cli: the section analysis without windows. The first argument names the command.
#include "app/cli/check_command.h"
#ifdef FORTEMA_CLI_QT
#include "app/cli/project_command.h"
#endif
#ifdef FORTEMA_CLI_PRINT
#include "app/cli/report_command.h"
#include "app/cli/sheet_command.h"
#endif

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
    {"check", &fortema::cli::runCheck},
#ifdef FORTEMA_CLI_QT
    {"project", &fortema::cli::runProject},
#endif
#ifdef FORTEMA_CLI_PRINT
    {"sheet", &fortema::cli::runSheet},
    {"report", &fortema::cli::runReport},
#endif
};

void usage(std::ostream& err) {
    err << "uso: fortema-cli check type=R|C chiave=valore ... [--curves | --csv]\n"
           "  chiavi: fyk fyd Ea fmd Em Nd Md, poi b h c1 c2 A1 A2 (type=R) o d c Aa (type=C),\n"
           "  nelle unita' dei campi della finestra (daN, daN*cm, daN/cm2, mm, mm2)\n"
#ifdef FORTEMA_CLI_QT
           "     fortema-cli project FILE.ftm [--json]\n"
           "  ricalcola ogni posizione con dati del progetto\n"
#endif
#ifdef FORTEMA_CLI_PRINT
           "     fortema-cli sheet type=R|C chiave=valore ... [descrizione=TESTO] -o FILE.pdf\n"
           "  la stampa di una pagina della sezione in un file PDF\n"
           "     fortema-cli report FILE.ftm -o FILE.pdf\n"
           "  la relazione completa del progetto in un file PDF\n"
#endif
        ;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        usage(std::cerr);
        return 2;
    }
    const std::string name = argv[1];
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
    usage(std::cerr);
    return 2;
}
