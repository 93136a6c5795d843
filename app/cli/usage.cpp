#include "app/cli/usage.h"

#include <ostream>

namespace fortema::cli {

namespace {

struct CommandUsage {
    std::string_view name;
    std::string_view synopsis;
    std::string_view explanation;  // indented lines under the synopsis, each ending in "\n"
};

constexpr CommandUsage kUsage[] = {
    {"check", "fortema-cli check type=R|C chiave=valore ... [--curves | --csv]",
     "  chiavi: fyk fyd Ea fmd Em Nd Md, poi b h c1 c2 A1 A2 (type=R) o d c Aa (type=C),\n"
     "  nelle unita' dei campi della finestra (daN, daN*cm, daN/cm2, mm, mm2)\n"
     "  scrive il risultato in JSON; --curves vi aggiunge le curve dei cinque campi,\n"
     "  --csv scrive invece solo i loro punti in CSV\n"
     "  stato di uscita 1 se la sezione e' rifiutata\n"},
    {"project", "fortema-cli project FILE.ftm [--json]",
     "  ricalcola ogni posizione con dati del progetto\n"
     "  --json scrive lo stesso confronto in JSON\n"},
    {"validate", "fortema-cli validate [--dir CARTELLA] [-o FILE.pdf]",
     "  ricalcola i casi prova risolti (compresi nel programma, o quelli di CARTELLA)\n"
     "  e li confronta con i valori di riferimento e le loro tolleranze\n"
     "  -o scrive il fascicolo di validazione in un file PDF\n"},
    {"sheet", "fortema-cli sheet type=R|C chiave=valore ... [descrizione=TESTO] -o FILE.pdf",
     "  la stampa di una pagina della sezione in un file PDF\n"},
    {"report", "fortema-cli report FILE.ftm -o FILE.pdf",
     "  la relazione completa del progetto in un file PDF\n"},
};

}  // namespace

std::string_view synopsis(std::string_view command) {
    for (const CommandUsage& usage : kUsage) {
        if (usage.name == command) return usage.synopsis;
    }
    return {};
}

void printUsage(std::ostream& out) {
    bool first = true;
    for (const CommandUsage& usage : kUsage) {
        out << (first ? "uso: " : "     ") << usage.synopsis << "\n" << usage.explanation;
        first = false;
    }
    out << "     fortema-cli --help | --version\n";
}

void printVersion(std::ostream& out) { out << "fortema-cli " FORTEMA_VERSION "\n"; }

}  // namespace fortema::cli
