#include <QDialog>
#include <QLocale>
#include <QTest>

#include "archive/number_locale.h"
#include "tests/support/test_registry.h"
#include "ui/aux/scripted_prompter.h"

namespace fortema::ui::test {

class PrompterTest : public QObject {
    Q_OBJECT
private slots:
    void scriptedPrompterIsInstalledForItsLifetime() {
        Prompter* before = &prompter();
        {
            ScriptedPrompter p;
            QCOMPARE(&prompter(), static_cast<Prompter*>(&p));
            {
                ScriptedPrompter inner;
                QCOMPARE(&prompter(), static_cast<Prompter*>(&inner));
            }
            QCOMPARE(&prompter(), static_cast<Prompter*>(&p));
        }
        QCOMPARE(&prompter(), before);
        QVERIFY(programTitle().startsWith(
            "Fortemi di resistenza allo SL sezioni semplici o armate (c.a., murature, ecc.) Ver.2.4/2018"));
    }

    void answersInOrderAndReportsWhatWasNotScripted() {
        ScriptedPrompter p;
        p.queueAnswer(Answer::Yes);
        p.queueAnswer(Answer::Ok);
        QCOMPARE(prompter().message(nullptr, {}, "Salvare?", Icon::Question, Buttons::YesNo, Answer::Yes),
                 Answer::Yes);
        QCOMPARE(prompter().message(nullptr, "T", "Fatto", Icon::Information), Answer::Ok);
        QVERIFY(p.unexpected().isEmpty());
        QCOMPARE(p.messages().size(), 2);
        QCOMPARE(p.messages()[0].icon, Icon::Question);
        QCOMPARE(p.messages()[1].title, QStringLiteral("T"));

        // Nothing queued: the safe answer, and a note for the test to find.
        QCOMPARE(prompter().message(nullptr, {}, "Sostituire?", Icon::Question, Buttons::YesNo, Answer::Yes),
                 Answer::No);
        p.queueAnswer(Answer::Yes);
        QCOMPARE(prompter().message(nullptr, {}, "Errore", Icon::Exclamation), Answer::Ok);
        QCOMPARE(p.unexpected().size(), 2);
        QCOMPARE(p.pendingAnswers(), 0);
    }

    void fileDialogsDialogsAndBeeps() {
        ScriptedPrompter p;
        p.queueFileName("/tmp/a.ftm");
        const FileDialogRequest request{"Fortemi", "file (*.ftm)", "ftm", "/tmp"};
        QCOMPARE(prompter().saveFileName(nullptr, request), QStringLiteral("/tmp/a.ftm"));
        QCOMPARE(prompter().openFileName(nullptr, request), QString());
        QCOMPARE(p.fileDialogs().size(), 2);
        QCOMPARE(p.fileDialogs()[0].kind, ScriptedPrompter::FileKind::Save);
        QCOMPARE(p.fileDialogs()[1].request.filter, QStringLiteral("file (*.ftm)"));
        QCOMPARE(p.unexpected().size(), 1);

        QDialog dialog;
        dialog.setObjectName("probe");
        QCOMPARE(prompter().exec(dialog), int(QDialog::Rejected));
        bool wasShown = false;
        p.setDialogHandler([&](QDialog& d) {
            wasShown = d.isVisible();
            d.accept();
            return d.result();
        });
        QCOMPARE(prompter().exec(dialog), int(QDialog::Accepted));
        QVERIFY(wasShown);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(p.dialogs().size(), 2);
        QCOMPARE(p.dialogs()[1].objectName, QStringLiteral("probe"));

        prompter().beep();
        prompter().beep();
        QCOMPARE(p.beeps(), 2);
        p.clearRecords();
        QCOMPARE(p.beeps(), 0);
        QVERIFY(p.messages().isEmpty() && p.unexpected().isEmpty());
    }

    void numberLocaleFollowsTheDefaultLocale() {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        const auto it = archive::numberLocale();
        QLocale::setDefault(QLocale::c());
        const auto c = archive::numberLocale();
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        const auto fr = archive::numberLocale();
        QLocale::setDefault(saved);
        QCOMPARE(it.decimal, ',');
        QCOMPARE(it.group, '.');
        QCOMPARE(c.decimal, '.');
        QCOMPARE(c.group, ',');
        QCOMPARE(fr.decimal, ',');
        QCOMPARE(fr.group, ' ');  // the narrow no-break space of French grouping
    }
};

static RegisterTest<PrompterTest> registerPrompterTest;

}  // namespace fortema::ui::test

#include "prompter_test.moc"
