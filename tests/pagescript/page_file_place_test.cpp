// Where the page file lives: a folder of its own per program, for the user alone, and a page
// file that no link planted under its name can redirect.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "pagescript/page_script_writer.h"
#include "pagescript/private_folder.h"
#include "tests/pagescript/script_files.h"

namespace fortema::pagescript {
namespace {

using engine::numtext::NumberLocale;
using test::crlfLines;
using test::writeScript;

TEST(PrivateFolder, OneFolderPerProgramInTheRuntimeFolderForTheUserAlone) {
    QTemporaryDir runtime;
    const QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QString first, second;
    {
        const PrivateFolder a, b;
        ASSERT_TRUE(a.isValid()) << a.errorMessage().toStdString();
        first = a.path();
        second = b.path();
        EXPECT_NE(first, second);
        EXPECT_EQ(QFileInfo(first).dir().canonicalPath(), QDir(runtime.path()).canonicalPath());
        EXPECT_TRUE(QFileInfo(first).fileName().contains(
            QRegularExpression(QStringLiteral("^fortema-%1-[A-Za-z0-9]{6}$").arg(getpid()))));
        struct stat st {};
        ASSERT_EQ(lstat(QFile::encodeName(first).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & (S_IFMT | 0777), S_IFDIR | 0700u);
        EXPECT_EQ(st.st_uid, getuid());
        writeScript(first + "/_$$_TEMP.TMP", {"#startpage"});
        writeScript(second + "/_$$_old.tmp", {"#startpage"});
        writeScript(second + "/appunti.txt", {"resta"});
    }
    // Gone with its page files; a folder holding a file of someone else's stays, with that file.
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_EQ(QDir(second).entryList(QDir::Files), QStringList{"appunti.txt"});
    qputenv("XDG_RUNTIME_DIR", previous);
}

TEST(PrivateFolder, NoPlaceForItStopsTheDocumentWithOneItalianWarning) {
    QTemporaryDir dir;
    writeScript(dir.filePath("piano"), {});
    const PrivateFolder folder(dir.filePath("piano/sotto"));
    ASSERT_FALSE(folder.isValid());
    EXPECT_TRUE(folder.errorMessage().startsWith(
        "Impossibile creare la cartella dei file temporanei del programma in " +
        dir.filePath("piano/sotto")));

    test::RecordingObserver observer;
    PageScriptWriter writer(observer, QString(), NumberLocale::italian());
    writer.setScriptFolderUnavailable(folder.errorMessage());
    EXPECT_FALSE(writer.StartDocument());
    EXPECT_FALSE(writer.StartPage("l", "r") || writer.EndPage("l", "r"));
    EXPECT_EQ(observer.callsStartingWith("warning"),
              QStringList{"warning Anteprima non disponibile: " + folder.errorMessage()});
    EXPECT_TRUE(writer.pageFile().isEmpty());
}

TEST(PrivateFolder, FoldersOfEndedProgramsLoseTheirPageFilesOnly) {
    QTemporaryDir base, elsewhere;
    const pid_t ended = fork();
    if (ended == 0) _exit(0);
    waitpid(ended, nullptr, 0);
    const QString dead = QStringLiteral("fortema-%1-").arg(ended);
    const QString alive = QStringLiteral("fortema-%1-aaaaaa").arg(getpid());
    for (const QString& name : {dead + "aaaaaa", dead + "bbbbbb", alive}) {
        ASSERT_TRUE(QDir(base.path()).mkdir(name));
        writeScript(base.filePath(name + "/_$$_TEMP.TMP"), {"#startpage"});
    }
    writeScript(base.filePath(dead + "bbbbbb/appunti.txt"), {"resta"});
    // A link named like a folder leads to files that are not the program's to clear.
    writeScript(elsewhere.filePath("_$$_TEMP.TMP"), {"altrui"});
    ASSERT_TRUE(QFile::link(elsewhere.path(), base.filePath(dead + "cccccc")));

    EXPECT_EQ(removeStaleFolders(base.path()), 1);
    EXPECT_FALSE(QFileInfo::exists(base.filePath(dead + "aaaaaa")));
    EXPECT_EQ(QDir(base.filePath(dead + "bbbbbb")).entryList(QDir::Files), QStringList{"appunti.txt"});
    EXPECT_TRUE(QFileInfo::exists(base.filePath(alive + "/_$$_TEMP.TMP")));
    EXPECT_EQ(crlfLines(elsewhere.filePath("_$$_TEMP.TMP")), QStringList{"altrui"});
}

TEST(PageFileLinks, ALinkPlantedAtThePageFilesNameIsNeverFollowed) {
    // Planted before the document, before a page starts, and before a page ends.
    for (int when = 0; when < 3; ++when) {
        QTemporaryDir dir, victim;
        const QString target = victim.filePath("dati.txt");
        writeScript(target, {"non toccare"});
        test::RecordingObserver observer;
        PageScriptWriter writer(observer, dir.path(), NumberLocale::c());
        const auto plant = [&] {
            QFile::remove(writer.pageFile());
            ASSERT_TRUE(QFile::link(target, writer.pageFile()));
        };
        if (when == 0) plant();
        ASSERT_TRUE(writer.StartDocument());
        if (when == 1) plant();
        const bool started = writer.StartPage("l", "r");
        if (when == 2) plant();
        const bool ended = writer.PrintLeft(2, 3, "testo", "Arial", 10, 0) && writer.EndPage("l", "r");

        EXPECT_EQ(crlfLines(target), QStringList{"non toccare"}) << when;
        EXPECT_EQ(started && ended, when == 0) << when;
        EXPECT_EQ(writer.failed(), when != 0) << when;
        EXPECT_EQ(observer.callsStartingWith("warning").size(), when == 0 ? 0 : 1) << when;
    }
}

}  // namespace
}  // namespace fortema::pagescript
