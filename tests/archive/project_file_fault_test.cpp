// Faults from the disk and from foreign files: each refusal names the reason in Italian, and
// neither the project in memory nor the file already on disk changes.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <random>

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

SectionArchive heldArchive() {
    SectionArchive a;
    a.at(0).sectionType = QStringLiteral("R");
    a.at(0).description = QStringLiteral("Trave T1");
    a.at(0).Nd = 45000;
    a.at(0).Md = 1400000;
    return a;
}

const ProjectData kHeldData = {QStringLiteral("Progetto"), QStringLiteral("Cliente")};

class ProjectFileFaults : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    // Reads `file` into a project already holding data; a refusal must leave that data as it was.
    FileResult readIntoHeldProject(const QString& file) {
        SectionArchive archive = heldArchive();
        ProjectData data = kHeldData;
        const FileResult result = readProjectFile(file, archive, data);
        if (!result.ok) {
            EXPECT_EQ(archive, heldArchive()) << file.toStdString();
            EXPECT_EQ(data, kHeldData) << file.toStdString();
        }
        return result;
    }

    QTemporaryDir m_dir;
};

TEST_F(ProjectFileFaults, SavingBelowAPlainFileKeepsThatFile) {
    // No permission bits involved: even root cannot create a file under a regular file.
    const QString plain = path(QStringLiteral("non-cartella"));
    ASSERT_TRUE(store(plain, "dati precedenti\r\n"));
    const QString target = plain + QStringLiteral("/progetto.ftm");

    const FileResult result = writeProjectFile(target, heldArchive(), kHeldData);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message,
              QStringLiteral("Impossibile creare il file %1: una parte del percorso non è una cartella.")
                  .arg(target));
    EXPECT_EQ(contents(plain), "dati precedenti\r\n");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("non-cartella")});
}

TEST_F(ProjectFileFaults, FailedSaveOverAnEarlierSaveKeepsItByteForByte) {
    const QString file = path(QStringLiteral("progetto.ftm"));
    ASSERT_TRUE(writeProjectFile(file, heldArchive(), kHeldData).ok);
    const QByteArray before = contents(file);

    // The same name once more, now through a path that cannot exist, and onto a full device.
    const QString below = file + QStringLiteral("/altro.ftm");
    EXPECT_FALSE(writeProjectFile(below, SectionArchive{}, {}).ok);
    if (QFileInfo::exists(QStringLiteral("/dev/full"))) {
        const FileResult full = writeProjectFile(QStringLiteral("/dev/full"), SectionArchive{}, {});
        EXPECT_FALSE(full.ok);
        EXPECT_EQ(full.message,
                  QStringLiteral(
                      "Impossibile creare il file /dev/full: non è un file regolare ma un dispositivo."));
    }
    EXPECT_EQ(contents(file), before);

    SectionArchive archive;
    ProjectData data;
    ASSERT_TRUE(readProjectFile(file, archive, data).ok);
    EXPECT_EQ(archive, heldArchive());
}

TEST_F(ProjectFileFaults, ForeignFilesAreRefusedWithTheirReason) {
    std::mt19937 random(20240611);
    QByteArray binary(64 * 1024, '\0');
    for (char& c : binary) c = static_cast<char>(random() & 0xff);
    ASSERT_TRUE(store(path(QStringLiteral("binario.ftm")), binary));
    ASSERT_TRUE(store(path(QStringLiteral("vuoto.ftm")), {}));
    // Just under the size limit, so the reader really goes through it.
    ASSERT_TRUE(store(path(QStringLiteral("virgole.ftm")), QByteArray(kMaxProjectFileSize - 1, ',')));
    ASSERT_TRUE(store(path(QStringLiteral("virgole10mb.ftm")), QByteArray(10 * 1024 * 1024, ',')));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("cartella.ftm")));

    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("binario.ftm"), QStringLiteral(" non è un file di progetto valido: alla riga 1 ")},
        {QStringLiteral("vuoto.ftm"), QStringLiteral(" non è un file di progetto valido: il file è vuoto.")},
        {QStringLiteral("virgole.ftm"),
         QStringLiteral(
             " non è un file di progetto valido: alla riga 1 si attende un testo tra virgolette.")},
        {QStringLiteral("virgole10mb.ftm"),
         QStringLiteral(" non è un file di progetto valido: il file è troppo grande.")},
        {QStringLiteral("cartella.ftm"), QStringLiteral(": è una cartella.")},
        {QStringLiteral("manca.ftm"), QStringLiteral(": il file non esiste.")},
    };
    for (const auto& [name, reason] : cases) {
        const QString file = path(name);
        const QByteArray before = contents(file);
        const FileResult result = readIntoHeldProject(file);
        EXPECT_FALSE(result.ok) << name.toStdString();
        EXPECT_TRUE(result.message.contains(QDir::toNativeSeparators(file))) << result.message.toStdString();
        EXPECT_TRUE(result.message.contains(reason)) << result.message.toStdString();
        EXPECT_EQ(contents(file), before) << "reading must not touch " << name.toStdString();
    }
}

TEST_F(ProjectFileFaults, AGoodFileCutOrSpoiledAnywhereIsRefused) {
    SectionArchive written = heldArchive();
    written.at(99).sectionType = QStringLiteral("C");
    const QByteArray good = projectFileBytes(written, kHeldData);
    const QString file = path(QStringLiteral("guasto.ftm"));
    // Cut at a few places, and one byte turned into a NUL at a few more.
    for (const qsizetype at : {qsizetype(1), good.size() / 3, good.size() / 2, good.size() - 8}) {
        ASSERT_TRUE(store(file, good.left(at)));
        EXPECT_FALSE(readIntoHeldProject(file).ok) << "cut at " << at;
        QByteArray spoiled = good;
        spoiled[at] = '\0';
        ASSERT_TRUE(store(file, spoiled));
        const FileResult result = readIntoHeldProject(file);
        if (!result.ok) {
            EXPECT_TRUE(result.message.contains(QStringLiteral("non è un file di progetto valido")))
                << result.message.toStdString();
        }
    }
}

}  // namespace
}  // namespace fortema::archive
