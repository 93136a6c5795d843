// Saving and opening on a real disk: each refusal names its cause in Italian, a pipe or a device
// is refused at once instead of being waited on or written into, and neither the project in
// memory nor the file already on disk changes.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <future>
#include <random>
#include <thread>

#include "archive/file_causes.h"
#include "archive/project_file.h"

namespace fortema::archive {
namespace {

// Of a regular file only: a pipe would wait for a writer, a device could be endless.
QByteArray contents(const QString& path) {
    QFile f(path);
    return QFileInfo(path).isFile() && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool store(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

SectionArchive heldArchive() {
    SectionArchive a;
    a.at(3).sectionType = QStringLiteral("C");
    a.at(3).description = QString::fromUtf16(u"già più così");
    a.at(3).Mu = 0.75f;
    return a;
}

const ProjectData kHeldData = {QStringLiteral("Progetto"), QStringLiteral("Cliente")};

// `run` on a thread of its own; nullptr when it has not returned in time (it is left waiting).
std::shared_ptr<FileResult> withinSeconds(int seconds, std::function<FileResult()> run) {
    auto result = std::make_shared<FileResult>();
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    std::thread([=] { *result = run(), done->set_value(); }).detach();
    return finished.wait_for(std::chrono::seconds(seconds)) == std::future_status::ready ? result : nullptr;
}

class ProjectFileOnDisk : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir m_dir;
};

TEST_F(ProjectFileOnDisk, WritesOverAnOlderFileAndReadsBack) {
    const QString file = path("progetto.ftm");
    ASSERT_TRUE(store(file, "vecchio"));
    ASSERT_TRUE(writeProjectFile(file, heldArchive(), kHeldData).ok);
    SectionArchive archive;
    ProjectData data;
    const FileResult result = readProjectFile(file, archive, data);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_TRUE(result.message.isEmpty());
    EXPECT_EQ(archive, heldArchive());
    EXPECT_EQ(data, kHeldData);
}

TEST_F(ProjectFileOnDisk, WhatCannotBeOpenedOrSavedIsNamedAndLeftAsItWas) {
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe.ftm")).constData(), 0600), 0);
    ASSERT_EQ(symlink("anello-b.ftm", QFile::encodeName(path("anello-a.ftm")).constData()), 0);
    ASSERT_EQ(symlink("anello-a.ftm", QFile::encodeName(path("anello-b.ftm")).constData()), 0);
    ASSERT_TRUE(store(path("semplice"), "dati precedenti\r\n"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("cartella.ftm")));
    std::mt19937 random(20240611);
    QByteArray binary(64 * 1024, '\0');
    for (char& c : binary) c = static_cast<char>(random() & 0xff);
    ASSERT_TRUE(store(path("binario.ftm"), binary));
    ASSERT_TRUE(store(path("vuoto.ftm"), {}));
    // Just under the size limit, so the reader really goes through it.
    ASSERT_TRUE(store(path("virgole.ftm"), QByteArray(kMaxProjectFileSize - 1, ',')));
    ASSERT_TRUE(store(path("grande.ftm"), QByteArray(10 * 1024 * 1024, ',')));

    const QString pipe = QStringLiteral("non è un file regolare ma una pipe (FIFO)");
    const QString device = QStringLiteral("non è un file regolare ma un dispositivo");
    const QString loop = QStringLiteral("il percorso contiene un ciclo di collegamenti simbolici");
    const QString notFolder = QStringLiteral("una parte del percorso non è una cartella");
    const QString invalid = QStringLiteral("Il file %1 non è un file di progetto valido: %2");
    const std::pair<QString, QString> opening[] = {
        {path("pipe.ftm"), pipe},
        {QStringLiteral("/dev/zero"), device},
        {path("anello-a.ftm"), loop},
        {path("semplice/progetto.ftm"), notFolder},
        {path("manca/progetto.ftm"), QStringLiteral("il file non esiste")},
        {path("cartella.ftm"), QStringLiteral("è una cartella")},
        {path("vuoto.ftm"), QStringLiteral("il file è vuoto")},
        {path("binario.ftm"), QStringLiteral("alla riga 1 ")},
        {path("virgole.ftm"), QStringLiteral("alla riga 1 si attende un testo tra virgolette")},
        {path("grande.ftm"), QStringLiteral("il file è troppo grande")},
    };
    for (const auto& [file, cause] : opening) {
        const QByteArray before = contents(file);
        SectionArchive archive = heldArchive();
        ProjectData data = kHeldData;
        const auto opened = withinSeconds(5, [&] { return readProjectFile(file, archive, data); });
        ASSERT_TRUE(opened) << "opening " << file.toStdString() << " waits";
        EXPECT_FALSE(opened->ok);
        EXPECT_TRUE(opened->message ==
                        QStringLiteral("Impossibile aprire il file %1: %2.").arg(file, cause) ||
                    opened->message.startsWith(invalid.arg(file, cause)))
            << opened->message.toStdString();
        EXPECT_EQ(archive, heldArchive());
        EXPECT_EQ(data, kHeldData);
        EXPECT_EQ(contents(file), before);
    }

    const std::pair<QString, QString> saving[] = {
        {path("pipe.ftm"), pipe},
        // Written into, /dev/null would take the project and keep nothing.
        {QStringLiteral("/dev/null"), device},
        {path("anello-a.ftm"), loop},
        {path("semplice/progetto.ftm"), notFolder},
        {path("manca/progetto.ftm"), QStringLiteral("la cartella %1 non esiste").arg(path("manca"))},
        {path("cartella.ftm"), QStringLiteral("è una cartella")},
        {QString(), QStringLiteral("manca il nome")},
    };
    for (const auto& [file, cause] : saving) {
        const auto saved = withinSeconds(5, [&] { return writeProjectFile(file, heldArchive(), {}); });
        ASSERT_TRUE(saved) << "saving onto " << file.toStdString() << " waits";
        EXPECT_EQ(saved->message, QStringLiteral("Impossibile creare il file %1: %2.").arg(file, cause));
    }
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(path("pipe.ftm")).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the pipe must not be replaced by a file";
    EXPECT_EQ(contents(path("semplice")), "dati precedenti\r\n");
}

TEST_F(ProjectFileOnDisk, AReadOnlyFileOrFolderIsNamedAndKept) {
    const QString folder = path("sola-lettura");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("sola-lettura")));
    const QString inFolder = folder + QStringLiteral("/progetto.ftm"), readOnly = path("protetto.ftm");
    ASSERT_TRUE(store(inFolder, "prima\r\n") && store(readOnly, "prima\r\n"));
    // The same rights for everyone, since the ordinary user below keeps root's group.
    const auto all = [](QFileDevice::Permissions others) {
        return QFileDevice::Permissions(int(others) * 0x1111);
    };
    QFile::setPermissions(inFolder, all(QFileDevice::ReadOther | QFileDevice::WriteOther));
    QFile::setPermissions(readOnly, all(QFileDevice::ReadOther));
    QFile::setPermissions(folder, all(QFileDevice::ReadOther | QFileDevice::ExeOther));
    QFile::setPermissions(m_dir.path(),
                          all(QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther));
    // Root may write anything: the saves run as an ordinary user.
    if (geteuid() == 0 && seteuid(65534) != 0) GTEST_SKIP() << "cannot drop root rights here";
    const QString lockedFolder = writeProjectFile(inFolder, heldArchive(), {}).message;
    const QString lockedFile = writeProjectFile(readOnly, heldArchive(), {}).message;
    const bool created = writeProjectFile(folder + QStringLiteral("/nuovo.ftm"), heldArchive(), {}).ok;
    if (getuid() == 0) {
        ASSERT_EQ(seteuid(0), 0);
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(
        lockedFolder,
        QStringLiteral("Impossibile creare il file %1: non si ha il permesso di scrivere nella cartella %2.")
            .arg(inFolder, folder));
    EXPECT_EQ(lockedFile,
              QStringLiteral("Impossibile creare il file %1: il file è di sola lettura.").arg(readOnly));
    EXPECT_FALSE(created);
    EXPECT_EQ(contents(inFolder), "prima\r\n");
    EXPECT_EQ(contents(readOnly), "prima\r\n");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("progetto.ftm")});
}

TEST_F(ProjectFileOnDisk, FailingHalfWayLeavesThePreviousFile) {
    const QString file = path("progetto.ftm");
    ASSERT_TRUE(store(file, "contenuto precedente\r\n"));
    // Writes past 1 kB fail, as on a full disk.
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileResult result = writeProjectFile(file, heldArchive(), {});
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &previous), 0);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(result.message,
              QStringLiteral("Impossibile scrivere il file %1: il file supera la dimensione massima ammessa.")
                  .arg(file));
    EXPECT_EQ(contents(file), "contenuto precedente\r\n");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("progetto.ftm")});
}

// A full or a read-only disk fails a save as the size limit above or the read-only file does;
// only the cause named differs.
TEST(FileCauses, FullAndReadOnlyDisksAreNamed) {
    EXPECT_EQ(systemCause(ENOSPC), QStringLiteral("il disco è pieno"));
    EXPECT_EQ(systemCause(EROFS), QStringLiteral("il disco è di sola lettura"));
}

}  // namespace
}  // namespace fortema::archive
