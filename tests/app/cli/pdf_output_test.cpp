// The PDF of every printing command is written as a project file is: a target that is not a PDF
// (the project itself, a note, a device) is refused, a disk that fills up fails the command, and
// either way it exits 1 with the reason and leaves what was there as it was.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>

#include "archive/project_file.h"
#include "tests/app/cli/sample_projects.h"

namespace fortema::cli {
namespace {

// A device such as /dev/full is never read: it would give bytes without end.
QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return QFileInfo(path).isFile() && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(PdfOutput, RefusedOrFailedWritesLeaveTheTargetAsItWas) {
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("scuola.ftm"));
    const QString old = dir.filePath(QStringLiteral("vecchio.pdf"));
    const QString note = dir.filePath(QStringLiteral("appunti.txt"));
    archive::SectionArchive a;
    testing::storeSection(a, 0, testing::rectangularTexts(), engine::Layout::Rectangular,
                          QStringLiteral("T1"));
    ASSERT_TRUE(archive::writeProjectFile(project, a, {}).ok);
    for (const auto& [path, bytes] :
         {std::pair(old, "%PDF-1.4 la stampa di ieri"), std::pair(note, "appunti")}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) > 0);
    }
    const QStringList report = {QStringLiteral("report"), project};
    const QStringList sheet = QStringLiteral(
                                  "sheet type=R fyk=4500 fyd=3913 Ea=2100000 fmd=118 Em=299000 Nd=45000 "
                                  "Md=1400000 b=300 h=500 c1=25 c2=25 A1=600 A2=600")
                                  .split(' ');
    const struct {
        QStringList command;
        QString target;
        rlim_t sizeLimit;    // bytes a file may grow to, as on a disk about to fill up; 0: none
        const char* reason;  // nullptr: written
    } cases[] = {
        {report, QStringLiteral("/dev/full"), 0, "non è un file regolare"},
        {report, project, 0, "è il file di progetto da stampare"},
        {report, note, 0, "non è un file PDF"},
        {report, old, 12000, "è rimasto incompleto"},
        {sheet, note, 0, "non è un file PDF"},
        {sheet, old, 12000, "è rimasto incompleto"},
        {{QStringLiteral("validate")}, QStringLiteral("/dev/full"), 0, "non è un file regolare"},
        {report, old, 0, nullptr},  // with room enough the old PDF is replaced whole
    };
    const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    for (const auto& c : cases) {
        const QByteArray before = bytesOf(c.target);
        QProcess cli;
        cli.setChildProcessModifier([limit = c.sizeLimit] {
            if (limit == 0) return;
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit small{limit, limit};
            setrlimit(RLIMIT_FSIZE, &small);
        });
        cli.start(QStringLiteral(FORTEMA_CLI), QStringList(c.command) << QStringLiteral("-o") << c.target);
        ASSERT_TRUE(cli.waitForFinished(60000));
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        SCOPED_TRACE(c.command.join(' ').toStdString() + " -o " + c.target.toStdString() + ": " +
                     err.toStdString());
        EXPECT_EQ(cli.exitCode(), c.reason ? 1 : 0);
        if (c.reason) {
            EXPECT_TRUE(err.contains(QString::fromUtf8(c.reason)));
            EXPECT_EQ(bytesOf(c.target), before);
        } else {
            EXPECT_TRUE(bytesOf(old).startsWith("%PDF-") && bytesOf(old).trimmed().endsWith("%%EOF"));
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), files);
    }
    struct stat device {};
    EXPECT_TRUE(stat("/dev/full", &device) == 0 && S_ISCHR(device.st_mode));
}

}  // namespace
}  // namespace fortema::cli
