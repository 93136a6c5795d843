// Saving and opening say why they cannot: a pipe or a device is refused at once instead of
// being waited on or written into, a full or read-only disk and a loop of links are named, and
// the file that was there stays as it was. The reader takes a byte-order mark and names the line
// an item is missing from.

#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <future>
#include <thread>

#include "archive/project_file.h"

namespace fortema::archive {
namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool store(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

SectionArchive someArchive() {
    SectionArchive a;
    a.at(0).description = QStringLiteral("Trave T1");
    a.at(0).fmd = 118;
    return a;
}

// `run` on a thread of its own; nullptr when it has not returned in time (it is left waiting).
std::shared_ptr<FileResult> withinSeconds(int seconds, std::function<FileResult()> run) {
    auto result = std::make_shared<FileResult>();
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    std::thread([=] { *result = run(), done->set_value(); }).detach();
    return finished.wait_for(std::chrono::seconds(seconds)) == std::future_status::ready ? result : nullptr;
}

class ProjectFileCauses : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(ProjectFileCauses, PipesAndDevicesAreRefusedAtOnceAndStayWhatTheyWere) {
    const QString fifo = path(QStringLiteral("pipe.ftm"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const std::pair<QString, QString> cases[] = {
        {fifo, QStringLiteral("non è un file regolare ma una pipe (FIFO)")},
        // Written into, /dev/null would take the project and keep nothing.
        {QStringLiteral("/dev/null"), QStringLiteral("non è un file regolare ma un dispositivo")},
    };
    for (const auto& [target, cause] : cases) {
        const auto saved = withinSeconds(5, [&] { return writeProjectFile(target, someArchive(), {}); });
        ASSERT_TRUE(saved) << "saving onto " << target.toStdString() << " waits";
        EXPECT_FALSE(saved->ok);
        EXPECT_EQ(saved->message, QStringLiteral("Impossibile creare il file %1: %2.").arg(target, cause));
        SectionArchive archive = someArchive();
        ProjectData data;
        const auto opened = withinSeconds(5, [&] { return readProjectFile(target, archive, data); });
        ASSERT_TRUE(opened) << "opening " << target.toStdString() << " waits";
        EXPECT_EQ(opened->message, QStringLiteral("Impossibile aprire il file %1: %2.").arg(target, cause));
        EXPECT_EQ(archive, someArchive());
    }
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the pipe must not be replaced by a file";
}

TEST_F(ProjectFileCauses, SaveAndOpenNameTheCause) {
    ASSERT_TRUE(store(path(QStringLiteral("semplice")), "testo"));
    ASSERT_EQ(symlink("anello-b.ftm", QFile::encodeName(path(QStringLiteral("anello-a.ftm"))).constData()),
              0);
    ASSERT_EQ(symlink("anello-a.ftm", QFile::encodeName(path(QStringLiteral("anello-b.ftm"))).constData()),
              0);
    const QString loop = path(QStringLiteral("anello-a.ftm"));
    const QString belowFile = path(QStringLiteral("semplice/progetto.ftm"));
    const QString missingFolder = path(QStringLiteral("manca/progetto.ftm"));

    const QString kLoop = QStringLiteral("il percorso contiene un ciclo di collegamenti simbolici");
    const QString kNotFolder = QStringLiteral("una parte del percorso non è una cartella");
    const std::pair<QString, QString> opening[] = {
        {loop, kLoop}, {belowFile, kNotFolder}, {missingFolder, QStringLiteral("il file non esiste")}};
    for (const auto& [file, cause] : opening) {
        SectionArchive archive;
        ProjectData data;
        EXPECT_EQ(readProjectFile(file, archive, data).message,
                  QStringLiteral("Impossibile aprire il file %1: %2.").arg(file, cause));
    }
    const std::pair<QString, QString> saving[] = {
        {loop, kLoop},
        {belowFile, kNotFolder},
        {missingFolder, QStringLiteral("la cartella %1 non esiste").arg(path(QStringLiteral("manca")))},
    };
    for (const auto& [file, cause] : saving) {
        EXPECT_EQ(writeProjectFile(file, someArchive(), {}).message,
                  QStringLiteral("Impossibile creare il file %1: %2.").arg(file, cause));
    }
    EXPECT_EQ(contents(path(QStringLiteral("semplice"))), "testo");
}

TEST_F(ProjectFileCauses, AReadOnlyFileIsNamedAndKept) {
    const QString file = path(QStringLiteral("protetto.ftm"));
    ASSERT_TRUE(store(file, "prima\r\n"));
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    QFile::setPermissions(m_dir.path(), QFileDevice::Permissions(0x7777));
    // Root may write anything: the save runs as an ordinary user.
    const bool switched = geteuid() != 0 || seteuid(65534) == 0;
    if (!switched) GTEST_SKIP() << "cannot drop root rights here";
    const FileResult result = writeProjectFile(file, someArchive(), {});
    if (getuid() == 0) {
        ASSERT_EQ(seteuid(0), 0);
    }
    EXPECT_EQ(result.message,
              QStringLiteral("Impossibile creare il file %1: il file è di sola lettura.").arg(file));
    EXPECT_EQ(contents(file), "prima\r\n");
}

// In a mount namespace of its own, a tiny disk is filled and then made read-only; the child
// process reports each message on a line of its own.
TEST_F(ProjectFileCauses, AFullOrReadOnlyDiskIsNamedAndTheEarlierFileKept) {
    const QString disk = m_dir.path();
    const QString file = path(QStringLiteral("progetto.ftm"));
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(out[0]);
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=64k") != 0)
            _exit(77);
        const auto say = [&](const QString& line) {
            const QByteArray bytes = line.toUtf8() + '\n';
            if (write(out[1], bytes.constData(), size_t(bytes.size())) != bytes.size()) _exit(1);
        };
        if (!writeProjectFile(file, someArchive(), {}).ok) _exit(1);
        {
            QFile filler(path(QStringLiteral("riempitivo")));
            if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) _exit(1);
            while (filler.write(QByteArray(4096, 'x')) == 4096) {
            }
        }
        say(writeProjectFile(file, SectionArchive{}, {}).message);
        say(contents(file) == projectFileBytes(someArchive(), {}) ? QStringLiteral("kept")
                                                                  : QStringLiteral("lost"));
        say(QDir(disk).entryList(QDir::Files | QDir::Hidden).join(QLatin1Char(' ')));
        if (mount(nullptr, QFile::encodeName(disk).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) !=
            0)
            _exit(1);
        say(writeProjectFile(file, SectionArchive{}, {}).message);
        _exit(0);
    }
    close(out[1]);
    QByteArray said;
    char buffer[512];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) said.append(buffer, n);
    close(out[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no mount namespace for a small disk here";
    ASSERT_EQ(WEXITSTATUS(status), 0) << said.toStdString();
    const QStringList lines = QString::fromUtf8(said).split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 4) << said.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("Impossibile scrivere il file %1: il disco è pieno.").arg(file));
    EXPECT_EQ(lines[1], QStringLiteral("kept"));
    EXPECT_EQ(lines[2], QStringLiteral("progetto.ftm riempitivo")) << "no unfinished copy is left";
    EXPECT_EQ(lines[3],
              QStringLiteral("Impossibile creare il file %1: il disco è di sola lettura.").arg(file));
}

TEST(ProjectFileReaderLines, TakesAByteOrderMarkAndNamesTheLineAnItemIsMissingFrom) {
    SectionArchive written;
    written.at(0).description = QString::fromUtf16(u"Trave già verificata");
    written.at(0).fmd = 118;
    const QByteArray good = projectFileBytes(written, {});
    const QString utf8Description = QString::fromUtf16(u"Pilastro più alto");

    SectionArchive archive;
    ProjectData data;
    const QByteArray withMark =
        "\xEF\xBB\xBF" + QByteArray(good).replace("Trave gi\xE0 verificata", utf8Description.toUtf8());
    const FileResult marked = parseProjectFile(withMark, QStringLiteral("bom.ftm"), archive, data);
    ASSERT_TRUE(marked.ok) << marked.message.toStdString();
    EXPECT_EQ(archive.at(0).description, utf8Description);
    EXPECT_EQ(archive.at(0).fmd, 118);

    const qsizetype material = good.indexOf("0,0,0,118,0\r\n");  // line 9
    ASSERT_GT(material, 0);
    const struct {
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        // One material left out: read on, the items fall one place behind and only the type of
        // position 2, four lines down, looks wrong.
        {QByteArray(good).replace(material, 11, "0,0,118,0"),
         "alla riga 9 (posizione 1) si attendono 5 numeri e se ne trovano 4"},
        {good.left(good.size() - 3), "finisce alla riga 605, prima della fine dei dati di progetto"},
    };
    for (const auto& c : cases) {
        const FileResult result = parseProjectFile(c.bytes, QStringLiteral("x.ftm"), archive, data);
        EXPECT_EQ(result.message, QStringLiteral("Il file x.ftm non è un file di progetto valido: %1.")
                                      .arg(QString::fromUtf8(c.reason)))
            << result.message.toStdString();
    }
}

}  // namespace
}  // namespace fortema::archive
