#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/test_registry.h"
#include "tests/ui/aux/window_checks.h"
#include "ui/aux/frm_about.h"
#include "ui/aux/scripted_prompter.h"

namespace fortema::ui::test {

namespace {

QString text(frmAbout& w, const char* name) {
    return w.findChild<QLabel*>(QString::fromLatin1(name))->text();
}
QPushButton* button(frmAbout& w, const char* name) {
    return w.findChild<QPushButton*>(QString::fromLatin1(name));
}

}  // namespace

class FrmAboutTest : public QObject {
    Q_OBJECT
private slots:
    void texts() {
        frmAbout w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Informazioni"));
        QCOMPARE(w.size(), QSize(382, 237));
        QCOMPARE(text(w, "lblTitle"), QStringLiteral("*** FORTEM0 ***"));
        QCOMPARE(text(w, "lblVersion"), QStringLiteral("Versione 2.4.0"));
        QCOMPARE(text(w, "lblDescription"),
                 QStringLiteral("Verifiche allo stato limite ultimo (N-M) di sezioni armate o non reagenti a "
                                "trazione-non armate"));
        const QStringList disclaimer = text(w, "lblDisclaimer").split(QStringLiteral("\r\n"));
        QCOMPARE(disclaimer.size(), 2);
        QCOMPARE(disclaimer[0], QStringLiteral("Per informazioni:"));
        QVERIFY(!disclaimer[1].trimmed().isEmpty());
        QCOMPARE(button(w, "cmdOK")->text(), QStringLiteral("OK"));
        QCOMPARE(button(w, "cmdSysInfo")->text(), QStringLiteral("&System Info..."));
        QVERIFY(!w.findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull());
        FORTEMA_VERIFY_LAYOUT(w, {"Line1_"});
        saveScreenshot(w, "frmAbout");

        w.show();
        QTest::mouseClick(button(w, "cmdOK"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    void sysInfoWithoutToolShowsTheMessage() {
        ScriptedPrompter p;
        p.queueAnswer(Answer::Ok);
        frmAbout w;
        QStringList looked;
        int starts = 0;
        w.setSysInfoFinder([&](const QStringList& programs) {
            looked = programs;
            return QString();
        });
        w.setSysInfoStarter([&](const QString&) { return ++starts, true; });
        QTest::mouseClick(button(w, "cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(looked, frmAbout::defaultSysInfoPrograms());
        QCOMPARE(starts, 0);
        QCOMPARE(p.messages().size(), 1);
        const auto& m = p.messages().first();
        QCOMPARE(m.text, QStringLiteral("Le informazioni sul sistema non sono attualmente disponibili."));
        QCOMPARE(m.title, messageTitle());
        QCOMPARE(m.buttons, Buttons::Ok);
        QVERIFY(p.unexpected().isEmpty());
    }

    void sysInfoStartsTheToolFound() {
        ScriptedPrompter p;
        frmAbout w;
        w.setSysInfoPrograms({"fake-info"});
        QStringList started;
        w.setSysInfoFinder([](const QStringList& programs) { return "/opt/tools/" + programs.first(); });
        w.setSysInfoStarter([&](const QString& path) { return started << path, true; });
        QTest::mouseClick(button(w, "cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(started, QStringList({"/opt/tools/fake-info"}));
        QVERIFY(p.messages().isEmpty());
        QVERIFY(p.unexpected().isEmpty());

        // A tool that is found but does not start is as good as none.
        p.queueAnswer(Answer::Ok);
        w.setSysInfoStarter([](const QString&) { return false; });
        QTest::mouseClick(button(w, "cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(p.messages().size(), 1);
    }

    void lookupFollowsThePath() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString tool = dir.filePath("kinfocenter");
        QFile file(tool);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        const QByteArray savedPath = qgetenv("PATH");
        qputenv("PATH", dir.path().toLocal8Bit());
        const QString found = frmAbout::findOnPath({"hardinfo", "kinfocenter", "gnome-system-monitor"});
        const QString none = frmAbout::findOnPath({"hardinfo", "gnome-system-monitor"});
        qputenv("PATH", savedPath);
        QCOMPARE(found, tool);
        QVERIFY(none.isEmpty());
    }
};

static RegisterTest<FrmAboutTest> registerFrmAboutTest;

}  // namespace fortema::ui::test

#include "frm_about_test.moc"
