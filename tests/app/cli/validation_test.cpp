#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sstream>

#include "app/cli/validate_command.h"
#include "app/cli/validation_manifest.h"

namespace fortema::cli {
namespace {

const std::string kGood = "E1\tE1.ftm\tmuratura\tMu\t182000\t182000\t0.001\t0.01\tsi\tfonte\tmotivo";

std::string withField(int index, const std::string& value) {
    std::istringstream in(kGood);
    std::string field, out;
    for (int i = 0; std::getline(in, field, '\t'); ++i) out += (i ? "\t" : "") + (i == index ? value : field);
    return out;
}

TEST(ParseManifest, ReadsFieldsAndRefusesWhatItCannotJudge) {
    const Manifest m = parseManifest("# commento\n\r\n" + kGood + "\r\n" + withField(0, "M4") + "\n");
    ASSERT_TRUE(m.ok) << m.message;
    ASSERT_EQ(m.cases.size(), 2u);
    EXPECT_EQ(m.cases[0].file, "E1.ftm");
    EXPECT_EQ(m.cases[0].hand, 182000);
    EXPECT_TRUE(m.cases[0].sweep);
    EXPECT_EQ(m.cases[1].reason, "motivo");  // the line end is not part of the last field

    const struct {
        std::string text;
        const char* message;
    } refused[] = {
        {"", "nessun caso"},
        {kGood + "\n" + kGood, "riga 2: identificativo vuoto o ripetuto \"E1\""},
        {kGood + "\tin piu'", "riga 1: attesi 11 campi separati da tabulazioni, trovati 12"},
        {withField(1, "../E1.ftm"), "deve essere un nome .ftm senza cartella"},
        {withField(3, "Nu"), "grandezza sconosciuta \"Nu\""},
        {withField(4, "182000,5"), "riferimento non valido"},
        {withField(5, "x"), "valore a mano non valido"},
        {withField(6, "-1"), "tolleranza non valida \"-1\""},
        {withField(7, "oltre"), "un valore a mano non si confronta"},
        {withField(8, "yes"), "scansione \"yes\""},
    };
    for (const auto& r : refused) {
        const Manifest bad = parseManifest(r.text);
        EXPECT_FALSE(bad.ok) << r.text;
        EXPECT_TRUE(bad.cases.empty());
        EXPECT_NE(bad.message.find(r.message), std::string::npos) << bad.message;
    }
}

TEST(JudgeCase, EachValueAgainstItsOwnTolerance) {
    ValidationCase c;
    c.reference = -200000;  // differences are taken against |reference|
    c.hand = -201000;
    c.programTolerance = 1;
    c.exactTolerance = 0.5;
    ValidationCase beyond = c;
    beyond.hand.reset();
    beyond.exactTolerance.reset();

    const struct {
        const ValidationCase& validationCase;
        CaseMeasure m;
        bool program, exact, hand;
    } rows[] = {
        {c, {true, -198000, true, false, -201000}, true, true, true},   // program +1 % exactly
        {c, {true, -197999, true, false, -201000}, false, true, true},  // just beyond
        {c, {true, -200000, true, false, -201100}, true, false, true},  // exact -0.55 %, hand -0.05 %
        {c, {true, -200000, true, false, -200500}, true, true, false},  // hand +0.25 %
        {c, {true, -200000, false, true, 0}, true, false, false},       // no exact point at all
        {beyond, {true, -200000, false, true, 0}, true, true, true},    // beyond capacity was expected
        {beyond, {true, -200000, true, false, -200000}, true, false, true},
        {c, {false, 0, false, false, 0}, false, false, false},  // not computed
    };
    for (const auto& r : rows) {
        const CaseVerdict v = judgeCase(r.validationCase, r.m);
        SCOPED_TRACE(r.m.programMu + r.m.exactMu);
        EXPECT_EQ(v.programOk, r.program);
        EXPECT_EQ(v.exactOk, r.exact);
        EXPECT_EQ(v.handOk, r.hand);
        EXPECT_EQ(v.ok(), r.program && r.exact && r.hand);
    }
    EXPECT_DOUBLE_EQ(percentDifference(-198000, -200000), 1.0);
}

// The command on a folder of its own: what it cannot read stops it with status 2, a case out of
// its tolerance makes it answer 1.
TEST(RunValidate, ExitStatus) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString source = QStringLiteral(FORTEMA_VALIDATION_DIR "/E1.ftm");
    ASSERT_TRUE(QFile::copy(source, dir.filePath(QStringLiteral("E1.ftm"))));
    const auto manifest = [&](const std::string& text) {
        QFile f(dir.filePath(QStringLiteral("cases.tsv")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.c_str());
    };
    const std::string folder = dir.path().toStdString();
    const struct {
        std::string manifest;
        std::vector<std::string> args;
        int status;
        const char* shown;
    } rows[] = {
        {kGood, {"--dir", folder}, 0, "CONFORME\n"},
        {withField(4, "181000"), {"--dir", folder}, 1, "NON CONFORME\n"},
        {withField(1, "E2.ftm"), {"--dir", folder}, 1, "NON CALCOLATO: Impossibile aprire il file"},
        {withField(3, "Nu"), {"--dir", folder}, 2, "grandezza sconosciuta"},
        {kGood, {"--dir", folder + "/assente"}, 2, "non esiste"},
        {kGood, {"--dir"}, 2, "--dir vuole un solo nome di cartella"},
        {kGood, {"E1.ftm"}, 2, "argomento non previsto \"E1.ftm\""},
    };
    for (const auto& r : rows) {
        manifest(r.manifest);
        std::ostringstream out, err;
        EXPECT_EQ(runValidate(r.args, out, err), r.status) << err.str();
        EXPECT_NE((out.str() + err.str()).find(r.shown), std::string::npos) << out.str() << err.str();
        if (r.status == 2) {
            EXPECT_EQ(out.str(), "");
        }
    }
}

}  // namespace
}  // namespace fortema::cli
