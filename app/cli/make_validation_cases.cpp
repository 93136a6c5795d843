// Writes the project files of the solved cases: for each line "id <TAB> description <TAB> keys"
// of the input list (the keys of `fortema-cli check`), the section is calculated and stored in
// position 1 as "&CALCOLA" and "Sa&lva dati" would, and the project is saved as id.ftm.
//
//   fortema_make_validation_cases docs/validation/inputs.tsv docs/validation

#include <QDir>
#include <QFile>
#include <QStringList>
#include <iostream>

#include "app/cli/check_command.h"
#include "archive/project_file.h"

using namespace fortema;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "uso: fortema_make_validation_cases ELENCO.tsv CARTELLA\n";
        return 2;
    }
    QFile list(QString::fromLocal8Bit(argv[1]));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::cerr << "impossibile leggere " << argv[1] << "\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    int written = 0;
    for (const QString& line : QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 3) {
            std::cerr << "riga non valida (attesi id, descrizione, chiavi): " << line.toStdString() << "\n";
            return 1;
        }
        std::vector<std::string> keys;
        for (const QString& key : fields[2].split(QLatin1Char(' '), Qt::SkipEmptyParts))
            keys.push_back(key.toStdString());
        cli::SectionInput input;
        if (!cli::parseSectionArgs(keys, "make_validation_cases", input, std::cerr)) return 1;

        engine::Analysis analysis;
        const engine::CalcOutcome outcome = analysis.calcola(input.texts, input.layout);
        if (!outcome.traced) {
            std::cerr << fields[0].toStdString() << ": " << outcome.refusal << "\n";
            return 1;
        }
        archive::SectionArchive archive;
        archive::storeCalculation(archive, 0, analysis.section(), analysis.result(), fields[1], input.layout);
        const archive::ProjectData data{QStringLiteral("Caso prova %1").arg(fields[0]),
                                        QString(),
                                        QString(),
                                        QString(),
                                        QString(),
                                        QString()};
        const archive::FileResult saved =
            archive::writeProjectFile(folder.filePath(fields[0] + QStringLiteral(".ftm")), archive, data);
        if (!saved.ok) {
            std::cerr << saved.message.toStdString() << "\n";
            return 1;
        }
        ++written;
    }
    std::cout << written << " file di progetto in " << argv[2] << "\n";
    return 0;
}
