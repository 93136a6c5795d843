#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>

#include "archive/project_file.h"

namespace fortema::archive {
namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void store(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

SectionArchive someArchive() {
    SectionArchive a;
    a.at(3).sectionType = QStringLiteral("C");
    a.at(3).description = QString::fromUtf16(u"già più così");
    a.at(3).geometry[0] = 400;
    a.at(3).Mu = 0.75f;
    return a;
}

// Root ignores folder permissions; the write under test then runs as an ordinary user.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() {
        if (geteuid() == 0) m_switched = seteuid(65534) == 0;
    }
    ~AsOrdinaryUser() {
        if (m_switched) {
            EXPECT_EQ(seteuid(0), 0);
        }
    }
    bool effective() const { return geteuid() != 0; }

private:
    bool m_switched = false;
};

class ProjectFileOnDisk : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(ProjectFileOnDisk, WritesAndReadsBack) {
    const ProjectData data = {QString::fromUtf16(u"Ampliamento è à ù"),
                              QString(),
                              QStringLiteral("Ing. Rossi"),
                              QString(),
                              QString(),
                              QStringLiteral("2024")};
    const QString file = path(QStringLiteral("progetto.ftm"));
    store(file, "vecchio");
    ASSERT_TRUE(writeProjectFile(file, someArchive(), data).ok);
    EXPECT_EQ(contents(file), projectFileBytes(someArchive(), data));

    SectionArchive archive;
    ProjectData readData;
    const FileResult result = readProjectFile(file, archive, readData);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_TRUE(result.message.isEmpty());
    EXPECT_EQ(archive, someArchive());
    EXPECT_EQ(readData, data);
}

TEST_F(ProjectFileOnDisk, RefusesWhatCannotBeReadAndKeepsTheProject) {
    store(path(QStringLiteral("vuoto.ftm")), QByteArray());
    store(path(QStringLiteral("corto.ftm")), projectFileBytes({}, {}).left(1000));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("cartella.ftm")));
    const std::pair<QString, QString> cases[] = {
        {path(QStringLiteral("manca.ftm")), QStringLiteral("Impossibile aprire il file ")},
        {path(QStringLiteral("cartella.ftm")), QStringLiteral(": è una cartella.")},
        {QStringLiteral("/dev/zero"),
         QStringLiteral("Impossibile aprire il file /dev/zero: non è un file regolare ma un dispositivo.")},
        {path(QStringLiteral("vuoto.ftm")),
         QStringLiteral("non è un file di progetto valido: il file è vuoto.")},
        {path(QStringLiteral("corto.ftm")), QStringLiteral("prima della fine dei dati di progetto.")},
    };
    for (const auto& [file, message] : cases) {
        SectionArchive archive = someArchive();
        ProjectData data = {QStringLiteral("P")};
        const FileResult result = readProjectFile(file, archive, data);
        EXPECT_FALSE(result.ok) << file.toStdString();
        EXPECT_TRUE(result.message.contains(message)) << result.message.toStdString();
        EXPECT_EQ(archive, someArchive());
        EXPECT_EQ(data, (ProjectData{QStringLiteral("P")}));
    }
}

TEST_F(ProjectFileOnDisk, ReadOnlyFolderLeavesThePreviousFile) {
    const QString folder = path(QStringLiteral("sola-lettura"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("sola-lettura")));
    const QString file = folder + QStringLiteral("/progetto.ftm");
    store(file, "contenuto precedente\r\n");
    // The file itself may be written; only the folder refuses new files. The same rights for
    // everyone, since the ordinary user below keeps root's group.
    const auto all = [](QFileDevice::Permissions others) {
        return QFileDevice::Permissions(int(others) * 0x1111);
    };
    QFile::setPermissions(file, all(QFileDevice::ReadOther | QFileDevice::WriteOther));
    QFile::setPermissions(folder, all(QFileDevice::ReadOther | QFileDevice::ExeOther));
    QFile::setPermissions(m_dir.path(),
                          all(QFileDevice::ReadOther | QFileDevice::ExeOther) | QFileDevice::WriteOwner);
    FileResult result;
    {
        AsOrdinaryUser user;
        if (!user.effective()) GTEST_SKIP() << "cannot drop root rights here";
        result = writeProjectFile(file, someArchive(), {});
        const FileResult created = writeProjectFile(folder + QStringLiteral("/nuovo.ftm"), someArchive(), {});
        EXPECT_FALSE(created.ok);
        EXPECT_TRUE(created.message.startsWith(QStringLiteral("Impossibile creare il file ")))
            << created.message.toStdString();
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(
        result.message,
        QStringLiteral("Impossibile creare il file %1: non si ha il permesso di scrivere nella cartella %2.")
            .arg(file, folder))
        << result.message.toStdString();
    EXPECT_EQ(contents(file), "contenuto precedente\r\n");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("progetto.ftm")});
}

TEST_F(ProjectFileOnDisk, FailingHalfWayLeavesThePreviousFile) {
    const QString file = path(QStringLiteral("progetto.ftm"));
    store(file, "contenuto precedente\r\n");
    // Writes past 1 kB fail, as on a full disk.
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileResult result = writeProjectFile(file, someArchive(), {});
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &previous), 0);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message,
              QStringLiteral("Impossibile scrivere il file %1: il file supera la dimensione massima ammessa.")
                  .arg(file));
    EXPECT_EQ(contents(file), "contenuto precedente\r\n");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("progetto.ftm")});
}

TEST_F(ProjectFileOnDisk, FullDeviceIsReportedAndStaysADevice) {
    if (!QFileInfo::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full";
    const FileResult result = writeProjectFile(QStringLiteral("/dev/full"), someArchive(), {});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(
        result.message,
        QStringLiteral("Impossibile creare il file /dev/full: non è un file regolare ma un dispositivo."));
    const QFileInfo after(QStringLiteral("/dev/full"));
    EXPECT_TRUE(after.exists());
    EXPECT_FALSE(after.isFile()) << "the device must not be replaced by a regular file";
}

TEST_F(ProjectFileOnDisk, RefusesToWriteOverAFolderOrIntoAMissingOne) {
    for (const QString& target : {m_dir.path(), path(QStringLiteral("manca/progetto.ftm")), QString()}) {
        const FileResult result = writeProjectFile(target, someArchive(), {});
        EXPECT_FALSE(result.ok) << target.toStdString();
        EXPECT_TRUE(result.message.startsWith(QStringLiteral("Impossibile creare il file")));
    }
    EXPECT_TRUE(QFileInfo(m_dir.path()).isDir());
}

}  // namespace
}  // namespace fortema::archive
