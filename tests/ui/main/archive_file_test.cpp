// The file commands, the project data and the save question before a project is replaced,
// cleared or closed.

#include <sys/resource.h>

#include <QAction>
#include <QFile>
#include <algorithm>
#include <csignal>

#include "tests/ui/main/archive_test_support.h"
#include "ui/aux/form2.h"
#include "ui/aux/form3.h"
#include "ui/aux/scripted_prompter.h"
#include "ui/main/examples.h"

namespace fortema::ui::test {

namespace {

using archive::ProjectData;
using archive::SectionArchive;

QByteArray contents(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void store(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// A project that makes the save question appear.
SectionArchive someArchive() {
    SectionArchive a;
    a.at(0).description = QStringLiteral("trave di colmo");
    a.at(0).fyk = 4500;
    a.at(0).geometry = {300, 500, 25, 25, 600, 600, 0};
    a.at(7).sectionType = QStringLiteral("C");
    return a;
}

QLineEdit* dataBox(QDialog& d, int i) { return d.findChild<QLineEdit*>(QStringLiteral("txtDati_%1").arg(i)); }

enum class Command { Nuovo, Apri, Chiudi, Esci, CloseBox };

// Runs `command`; true when the window is still open afterwards.
bool run(Form1& form, Command command) {
    switch (command) {
        case Command::Nuovo:
            trigger(form, "mnuNuovo");
            break;
        case Command::Apri:
            trigger(form, "mnuApri");
            break;
        case Command::Chiudi:
            trigger(form, "mnuChiudi");
            break;
        case Command::Esci:
            trigger(form, "mnuEsci");
            break;
        case Command::CloseBox:
            form.close();
            break;
    }
    return form.isVisible();
}

}  // namespace

class ArchiveFileTest : public QObject {
    Q_OBJECT
private slots:
    void fourExamplesSurviveSaveNewAndOpen() {
        ScriptedPrompter p;
        QTemporaryDir dir;
        Form1 form;
        ArchiveCommands& commands = commandsOf(form);
        storeWorkedExamples(form);
        p.setDialogHandler([](QDialog& d) {
            QTest::keyClicks(dataBox(d, 0), "Ponte sul Po");
            QTest::keyClicks(dataBox(d, 4), "01/02/2018");
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
            return d.result();
        });
        trigger(form, "mnuDatiprogetto");
        const ProjectData data = {"Ponte sul Po", "", "", "", "01/02/2018", ""};
        QCOMPARE(commands.projectData(), data);

        const QString path = QDir(dir.path()).filePath("esempi.ftm");
        p.queueFileName(path);
        trigger(form, "mnuSalvaconnome");
        QCOMPARE(p.fileDialogs().size(), 1);
        const ScriptedPrompter::FileDialog& asked = p.fileDialogs()[0];
        QCOMPARE(asked.kind, ScriptedPrompter::FileKind::Save);
        QCOMPARE(asked.request.title, QStringLiteral("Fortemi"));
        QCOMPARE(asked.request.filter, QStringLiteral("file (*.ftm)"));
        QCOMPARE(asked.request.defaultSuffix, QStringLiteral("ftm"));
        QCOMPARE(asked.request.folder, QDir::homePath());
        QCOMPARE(commands.currentFileName(), path);

        const QList<QByteArray> lines = contents(path).split('\n');
        QCOMPARE(lines.size(), 607);
        QCOMPARE(lines[0], QByteArray("\"Ponte sul Po\"\r"));
        QCOMPARE(lines[6], QByteArray("\"R\"\r"));
        QCOMPARE(lines[7], QByteArray("\"ES.sezione rettangolare muratura non armata\"\r"));
        QCOMPARE(lines[8], QByteArray("4500,3913,2100000,10,10000\r"));
        QCOMPARE(lines[9], QByteArray("1000,400,30,30,0,0,0\r"));
        const archive::SectionRecord& first = commands.archive().at(0);
        QCOMPARE(lines[10], "14000,130000," + archive::fileNumberText(first.Nu) + "," +
                                archive::fileNumberText(first.Mu) + "," + archive::fileNumberText(first.yan) +
                                "\r");
        QCOMPARE(lines[11], QByteArray::number(first.campo) + "\r");
        QCOMPARE(lines[6 + 3 * 6], QByteArray("\"C\"\r"));
        QCOMPARE(lines[6 + 3 * 6 + 3], QByteArray("400,0,30,0,700,0,0\r"));
        const QList<QByteArray> untouched = {"\"R\"\r",         "\"\"\r",      "0,0,0,0,0\r",
                                             "0,0,0,0,0,0,0\r", "0,0,0,0,0\r", "0\r"};
        QCOMPARE(lines.mid(6 + 4 * 6, 6), untouched);

        const SectionArchive saved = commands.archive();
        p.clearRecords();
        p.queueAnswer(Answer::No);
        p.setDialogHandler([](QDialog& d) {
            for (int i = 0; i < 6; ++i) {
                if (!dataBox(d, i)->text().isEmpty()) return int(QDialog::Accepted);
            }
            return int(QDialog::Rejected);
        });
        trigger(form, "mnuNuovo");
        QCOMPARE(p.messages().size(), 1);
        QCOMPARE(p.dialogs().size(), 1);
        QCOMPARE(p.dialogs()[0].result, int(QDialog::Rejected));  // its boxes started empty
        QCOMPARE(commands.projectData(), ProjectData());
        QCOMPARE(commands.archive(), SectionArchive());
        QCOMPARE(commands.currentFileName(), QString());

        p.clearRecords();
        p.queueFileName(path);
        trigger(form, "mnuApri");
        QVERIFY(p.messages().isEmpty());  // nothing to save any more
        QCOMPARE(p.fileDialogs()[0].kind, ScriptedPrompter::FileKind::Open);
        QCOMPARE(p.fileDialogs()[0].request.title, QStringLiteral("Fortemi"));
        QCOMPARE(commands.archive(), saved);
        QCOMPARE(commands.projectData(), data);
        QCOMPARE(commands.currentFileName(), path);
        for (int position = 0; position < 4; ++position) {
            const archive::SectionRecord& r = saved.at(position);
            const WorkedExample& example = workedExamples()[std::size_t(position)];
            QCOMPARE(labelText(form, "lblNumero"), QString::number(position + 1));
            QCOMPARE(boxText(form, "descrizione"), QString::fromUtf8(example.description));
            QCOMPARE(boxText(form, "tensione_calcolo_materiale"),
                     QString::fromLatin1(example.materialAndActions[3]));
            QCOMPARE(boxText(form, "sollecitazioneM"), QString::fromLatin1(example.materialAndActions[6]));
            QCOMPARE(rectangularSelected(form), example.layout == engine::Layout::Rectangular);
            QCOMPARE(boxText(form, rectangularSelected(form) ? "base" : "diametro"),
                     QString::fromLatin1(example.geometry[0]));
            QVERIFY(r.Mu > 0);
            QCOMPARE(labelText(form, "lblNu"), QStringLiteral(" Nu = %1 daN").arg(shown(r.Nu)));
            QCOMPARE(labelText(form, "lblMu"), QStringLiteral(" Mu = %1 daN*cm").arg(shown(r.Mu)));
            click(form, "avanti");
        }

        // "&Salva" now writes back to the opened file without asking.
        typeInto(form, "descrizione", "aggiunta");
        click(form, "salva");
        p.clearRecords();
        trigger(form, "mnuSalva");
        QVERIFY(p.fileDialogs().isEmpty());
        SectionArchive reread;
        ProjectData rereadData;
        QVERIFY(archive::readProjectFile(path, reread, rereadData).ok);
        QCOMPARE(reread, commands.archive());
        QCOMPARE(reread.at(4).description, QStringLiteral("aggiunta"));
        QVERIFY(p.unexpected().isEmpty());
    }

    void salvaWithoutANameAsksForOne() {
        ScriptedPrompter p;
        QTemporaryDir dir;
        Form1 form;
        ArchiveCommands& commands = commandsOf(form);
        p.queueFileName(QString());
        trigger(form, "mnuSalva");
        QCOMPARE(p.fileDialogs().size(), 1);
        QCOMPARE(p.fileDialogs()[0].kind, ScriptedPrompter::FileKind::Save);
        QCOMPARE(commands.currentFileName(), QString());
        QVERIFY(QDir(dir.path()).isEmpty());

        const QString path = QDir(dir.path()).filePath("nuovo.ftm");
        p.queueFileName(path);
        trigger(form, "mnuSalva");
        QCOMPARE(commands.currentFileName(), path);
        QCOMPARE(contents(path), archive::projectFileBytes(SectionArchive(), ProjectData()));
        QVERIFY(p.unexpected().isEmpty());
    }

    void apriOfABadFileChangesNothing() {
        QTemporaryDir dir;
        const QString good = projectFile(dir, someArchive(), {"Progetto", "", "", "", "", ""});
        const QByteArray bytes = contents(good);
        const QString truncated = QDir(dir.path()).filePath("corto.ftm");
        store(truncated, bytes.left(bytes.size() / 2));
        const QString notANumber = QDir(dir.path()).filePath("testo.ftm");
        store(notANumber, QByteArray(bytes).replace("4500,", "45x0,"));
        const QString empty = QDir(dir.path()).filePath("vuoto.ftm");
        store(empty, {});
        const QString missing = QDir(dir.path()).filePath("manca.ftm");

        const std::pair<QString, QString> cases[] = {
            {truncated, QStringLiteral("Il file %1 non è un file di progetto valido").arg(truncated)},
            {notANumber, QStringLiteral("si attende un numero")},
            {empty, QStringLiteral("il file è vuoto")},
            {missing, QStringLiteral("Impossibile aprire il file")},
            {dir.path(), QStringLiteral("è una cartella")},
        };
        for (const auto& [file, message] : cases) {
            ScriptedPrompter p;
            Form1 form;
            ArchiveCommands& commands = commandsOf(form);
            QVERIFY(commands.openFile(good));
            click(form, "avanti");
            typeInto(form, "descrizione", "in corso");
            const SectionArchive before = commands.archive();
            const ProjectData dataBefore = commands.projectData();

            p.queueAnswer(Answer::No);
            p.queueFileName(file);
            p.queueAnswer(Answer::Ok);
            trigger(form, "mnuApri");
            QCOMPARE(p.messages().size(), 2);
            const ScriptedPrompter::Message& refused = p.messages()[1];
            QVERIFY2(refused.text.contains(message), qPrintable(refused.text));
            QCOMPARE(refused.icon, Icon::Exclamation);
            QCOMPARE(commands.archive(), before);
            QCOMPARE(commands.projectData(), dataBefore);
            QCOMPARE(commands.currentFileName(), good);
            QCOMPARE(commands.currentPosition(), 1);
            QCOMPARE(boxText(form, "descrizione"), QStringLiteral("in corso"));
            QVERIFY2(p.unexpected().isEmpty(), qPrintable(p.unexpected().join(", ")));
        }
    }

    void aFailedSaveKeepsThePreviousFile() {
        ScriptedPrompter p;
        QTemporaryDir dir;
        Form1 form;
        ArchiveCommands& commands = commandsOf(form);
        const QString path = projectFile(dir, someArchive());
        QVERIFY(commands.openFile(path));
        const QByteArray before = contents(path);
        trigger(form, "mnuRettangolare");
        click(form, "calcola");
        click(form, "salva");

        // Writes past 1 kB fail, as on a full disk.
        rlimit previous{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = previous;
        small.rlim_cur = 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        p.queueAnswer(Answer::Ok);
        trigger(form, "mnuSalva");
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &previous), 0);
        std::signal(SIGXFSZ, previousHandler);

        QCOMPARE(p.messages().size(), 1);
        QCOMPARE(p.messages()[0].text, QStringLiteral("Impossibile scrivere il file %1.").arg(path));
        QCOMPARE(p.messages()[0].icon, Icon::Exclamation);
        QCOMPARE(contents(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"progetto.ftm"});

        p.clearRecords();
        p.queueFileName(QDir(dir.path()).filePath("manca/altro.ftm"));
        p.queueAnswer(Answer::Ok);
        trigger(form, "mnuSalvaconnome");
        QCOMPARE(p.messages().size(), 1);
        QVERIFY(p.messages()[0].text.startsWith(QStringLiteral("Impossibile creare il file ")));
        QVERIFY2(p.unexpected().isEmpty(), qPrintable(p.unexpected().join(", ")));
    }

    void saveQuestionStopsOnlyWhenTheProjectWasNotSaved() {
        enum class Reply { No, YesSaved, YesCancelled, YesFailed };
        const Command commands[] = {Command::Nuovo, Command::Apri, Command::Chiudi, Command::Esci,
                                    Command::CloseBox};
        const Reply replies[] = {Reply::No, Reply::YesSaved, Reply::YesCancelled, Reply::YesFailed};
        for (const Command command : commands) {
            for (const Reply reply : replies) {
                const QString what = QStringLiteral("command %1, reply %2").arg(int(command)).arg(int(reply));
                ScriptedPrompter p;
                QTemporaryDir dir;
                Form1 form;
                form.show();
                ArchiveCommands& archive = commandsOf(form);
                p.setDialogHandler([](QDialog&) { return int(QDialog::Rejected); });
                const QString opened = projectFile(dir, someArchive());
                QVERIFY(archive.openFile(opened));
                const QString savedAs = QDir(dir.path()).filePath("copia.ftm");

                p.queueAnswer(reply == Reply::No ? Answer::No : Answer::Yes);
                if (reply == Reply::YesSaved) p.queueFileName(savedAs);
                if (reply == Reply::YesCancelled) p.queueFileName(QString());
                if (reply == Reply::YesFailed) {
                    p.queueFileName(QDir(dir.path()).filePath("manca/copia.ftm"));
                    p.queueAnswer(Answer::Ok);
                }
                const bool stops = reply == Reply::YesCancelled || reply == Reply::YesFailed;
                // "&Apri" that goes on shows its own dialog next, cancelled here.
                if (command == Command::Apri && !stops) p.queueFileName(QString());
                const bool open = run(form, command);

                QVERIFY2(p.messages().size() >= 1, qPrintable(what));
                QCOMPARE(p.messages()[0].text, QStringLiteral("Vuoi salvare il file?"));
                // "Sal&va con nome" always shows its dialog, even with a current file name.
                const auto saveDialogs =
                    std::count_if(p.fileDialogs().begin(), p.fileDialogs().end(),
                                  [](const auto& f) { return f.kind == ScriptedPrompter::FileKind::Save; });
                QCOMPARE(saveDialogs, reply == Reply::No ? 0 : 1);
                if (reply == Reply::YesSaved) QCOMPARE(contents(savedAs), contents(opened));
                if (stops) {
                    QVERIFY2(open, qPrintable(what));
                    QCOMPARE(archive.archive(), someArchive());
                    QVERIFY(p.dialogs().isEmpty());
                    QCOMPARE(p.fileDialogs().size(), 1);  // no open dialog after the save dialog
                } else {
                    const bool closes = command == Command::Chiudi || command == Command::Esci ||
                                        command == Command::CloseBox;
                    QVERIFY2(open != closes, qPrintable(what));
                    if (command == Command::Nuovo || command == Command::Chiudi) {
                        QCOMPARE(archive.archive(), SectionArchive());
                        QCOMPARE(archive.currentFileName(), QString());
                    }
                    if (command == Command::Nuovo) QCOMPARE(p.dialogs().size(), 1);
                    if (command == Command::Apri) {
                        QCOMPARE(p.fileDialogs().constLast().kind, ScriptedPrompter::FileKind::Open);
                        QCOMPARE(archive.archive(), someArchive());
                    }
                }
                QVERIFY2(p.unexpected().isEmpty(), qPrintable(p.unexpected().join(", ")));
                QCOMPARE(p.pendingFileNames(), 0);
                QCOMPARE(p.messages().size(), reply == Reply::YesFailed ? 2 : 1);
            }
        }
    }

    void untouchedProjectClosesWithoutAQuestion() {
        ScriptedPrompter p;
        QTemporaryDir dir;
        SectionArchive a;
        a.at(3).Nd = 14000;
        a.at(3).Nu = 12000;
        a.at(3).Mu = 5;
        a.at(3).campo = 2;
        Form1 form;
        form.show();
        QVERIFY(commandsOf(form).openFile(projectFile(dir, a)));
        trigger(form, "mnuCalcolasezionearmatura");
        QVERIFY(form.barAreaCalculator() && form.barAreaCalculator()->isVisible());
        trigger(form, "mnuEsci");
        QVERIFY(!form.isVisible());
        QVERIFY(!form.barAreaCalculator() || !form.barAreaCalculator()->isVisible());
        QVERIFY(p.messages().isEmpty());
    }

    void projectDataDialogKeepsTheDataUnlessOk() {
        ScriptedPrompter p;
        Form1 form;
        ArchiveCommands& commands = commandsOf(form);
        p.setDialogHandler([](QDialog& d) {
            QTest::keyClicks(dataBox(d, 1), "Comune");
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
            return d.result();
        });
        trigger(form, "mnuDatiprogetto");
        const ProjectData data = {"", "Comune", "", "", "", ""};
        QCOMPARE(commands.projectData(), data);

        QStringList shownTexts;
        p.setDialogHandler([&shownTexts](QDialog& d) {
            for (int i = 0; i < 6; ++i) shownTexts << dataBox(d, i)->text();
            QTest::keyClicks(dataBox(d, 0), "cambiato");
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdAnnulla")), Qt::LeftButton);
            return d.result();
        });
        trigger(form, "mnuDatiprogetto");
        QCOMPARE(shownTexts, QStringList({"", "Comune", "", "", "", ""}));
        QCOMPARE(commands.projectData(), data);
        QCOMPARE(p.dialogs().size(), 2);
        QCOMPARE(p.dialogs()[1].className, QStringLiteral("fortema::ui::Form2"));
    }
};

namespace {
const RegisterArchiveTest<ArchiveFileTest> registered;
}

}  // namespace fortema::ui::test

#include "archive_file_test.moc"
