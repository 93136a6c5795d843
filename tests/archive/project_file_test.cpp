// The project file in memory: its 606 lines as written, read back exactly whatever the values, in
// the spellings other writers use, and refused with the line to blame, leaving the project alone.
#include "archive/project_file.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <clocale>
#include <cmath>
#include <random>

namespace fortema::archive {
namespace {

SectionArchive sampleArchive() {
    SectionArchive a;
    a.at(0).sectionType = QStringLiteral("C");
    a.at(0).description = QString::fromUtf16(u"pilastro è à ù");
    a.at(0).fyk = 4500;
    a.at(0).geometry = {400, 0, 30, 0, 700, 0, 0};
    a.at(0).Mu = 0.1f;
    a.at(0).campo = 5;
    a.at(99).Nd = -2.5e-6f;
    a.at(99).yan = 12.34f;
    return a;
}

const ProjectData kSampleData = {QStringLiteral("Scuola"), QStringLiteral("Comune"), QString(),
                                 QStringLiteral("1")};

FileResult parse(const QByteArray& bytes, SectionArchive& archive, ProjectData& data) {
    return parseProjectFile(bytes, QStringLiteral("prova.ftm"), archive, data);
}

TEST(ProjectFileWriter, LinesOfTheClassicFormatInWindows1252) {
    const QByteArray emptyPosition = "\"R\"\r\n\"\"\r\n0,0,0,0,0\r\n0,0,0,0,0,0,0\r\n0,0,0,0,0\r\n0\r\n";
    EXPECT_EQ(projectFileBytes({}, {}), QByteArray("\"\"\r\n").repeated(6) + emptyPosition.repeated(100));

    engine::CurrentSection s;
    s.fyk = 4500, s.fyd = 3913, s.Ea = 2100000, s.fmd = 10, s.Em = 10000, s.Nd = 14000, s.Md = 130000;
    s.b = 100, s.h = 40, s.c1 = 3, s.c2 = 2.5, s.A1 = 1.5, s.A2 = 0.05f;
    SectionArchive archive;
    storeCalculation(archive, 0, s, {14000, 182000, 14, 3},
                     QString::fromUtf16(u"trave \"T1\"\r\npiano 2, è ő \u201Cx\u201D\u2028"),
                     engine::Layout::Rectangular);
    ProjectData data;
    data[5] = QStringLiteral("a\nb");
    const QByteArray bytes = projectFileBytes(archive, data);
    EXPECT_TRUE(
        bytes.startsWith("\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"a b\"\r\n\"R\"\r\n"
                         "\"trave T1 piano 2, \xE8 ? \x93x\x94 \"\r\n4500,3913,2100000,10,10000\r\n"
                         "1000,400,30,25,150,5,0\r\n14000,130000,14000,182000,14\r\n3\r\n\"R\"\r\n"))
        << bytes.left(200).toStdString();
}

TEST(ProjectFileWriter, UsesAPointUnderACommaLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "it_IT.UTF-8");
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    SectionArchive archive;
    archive.at(0).yan = 0.75f;
    archive.at(0).Mu = 1.5e-5f;
    EXPECT_TRUE(projectFileBytes(archive, {}).contains("\r\n0,0,0,1.5E-05,.75\r\n"));
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, previous.c_str());
}

TEST(ProjectFileRoundTrip, RandomProjectsOfSevenDigitValuesReadBackExactly) {
    std::mt19937 rng(20240601);
    const auto randomSeven = [&] {  // as the fields produce them, over the whole range
        const std::string text = std::to_string(std::uniform_int_distribution<int>(-9999999, 9999999)(rng)) +
                                 "e" + std::to_string(std::uniform_int_distribution<int>(-44, 31)(rng));
        return std::strtof(text.c_str(), nullptr);
    };
    const QString letters = QString::fromUtf16(u"abcXYZ 019.,;:-'()/°èéàùòìÈÀ€“”…ß");
    const auto randomText = [&] {
        QString s;
        for (int i = std::uniform_int_distribution<int>(0, 40)(rng); i > 0; --i)
            s += letters[std::uniform_int_distribution<int>(0, int(letters.size()) - 1)(rng)];
        return s;
    };
    for (int round = 0; round < 20; ++round) {
        SectionArchive archive;
        ProjectData data;
        for (QString& line : data) line = randomText();
        for (int p = 0; p < 100; ++p) {
            SectionRecord& r = archive.at(p);
            r.sectionType = (p % 3 == 0) ? QStringLiteral("C") : QStringLiteral("R");
            r.description = randomText();
            for (float* v : {&r.fyk, &r.fyd, &r.Ea, &r.fmd, &r.Em, &r.Nd, &r.Md, &r.Nu, &r.Mu, &r.yan})
                *v = randomSeven();
            for (float& v : r.geometry) v = randomSeven();
            r.campo = static_cast<std::int16_t>(std::uniform_int_distribution<int>(-32768, 32767)(rng));
        }
        SectionArchive read;
        ProjectData readData;
        const FileResult result = parse(projectFileBytes(archive, data), read, readData);
        ASSERT_TRUE(result.ok) << result.message.toStdString();
        ASSERT_EQ(readData, data);
        ASSERT_EQ(read, archive) << "round " << round;
    }
}

TEST(ProjectFileReader, ReadsOtherLineBreaksBlanksAndSpellings) {
    const QByteArray bytes = projectFileBytes(sampleArchive(), kSampleData);
    QByteArray onePositionPerLine = bytes;  // the line ends within a position become commas
    for (qsizetype at = bytes.indexOf("\"C\"\r\n"), n = 0; n < 100 * 5; ++n) {
        at = onePositionPerLine.indexOf("\r\n", at);
        onePositionPerLine.replace(at, 2, ",");
        if ((n + 1) % 5 == 0) at = onePositionPerLine.indexOf("\r\n", at) + 2;
    }
    const QByteArray variants[] = {
        onePositionPerLine,
        QByteArray(bytes).replace("\r\n", "\n"),
        QByteArray(bytes).replace("\r\n", "\r"),
        QByteArray(bytes).replace(",", " \t, ").replace("\r\n", "  \r\n  "),
        QByteArray(bytes).replace(",.1,", ",0.1,"),
        bytes.left(bytes.size() - 2),
        "\xEF\xBB\xBF" +
            QByteArray(bytes).replace("pilastro \xE8 \xE0 \xF9", sampleArchive().at(0).description.toUtf8()),
        bytes + "\r\nanything after the last position\r\n"};
    for (const QByteArray& variant : variants) {
        SectionArchive archive;
        ProjectData data;
        const FileResult result = parse(variant, archive, data);
        ASSERT_TRUE(result.ok) << result.message.toStdString() << "\n" << variant.left(300).toStdString();
        EXPECT_EQ(archive, sampleArchive());
        EXPECT_EQ(data, kSampleData);
    }
    // Position 1, material line: an empty item reads 0; signs, exponents, a D exponent and an
    // underflow are numbers too.
    QByteArray spelled = projectFileBytes({}, {});
    spelled.replace(spelled.indexOf("0,0,0,0,0\r\n"), 11, ",+4500,1.5e3, 2D+02 ,1E-60\r\n");
    SectionArchive archive;
    ProjectData data;
    ASSERT_TRUE(parse(spelled, archive, data).ok);
    const SectionRecord& r = archive.at(0);
    EXPECT_EQ(std::vector<float>({r.fyk, r.fyd, r.Ea, r.fmd, r.Em}),
              std::vector<float>({0, 4500, 1500, 200, 0}));
}

TEST(ProjectFileReader, RefusesMalformedFilesNamingTheLineAndKeepsTheProject) {
    const QByteArray good = projectFileBytes(SectionArchive{}, {});
    const qsizetype material = good.indexOf("0,0,0,0,0\r\n");  // line 9
    const auto withMaterial = [&](const QByteArray& line) {
        return QByteArray(good).replace(material, 9, line);
    };
    const auto withLastCampo = [&](const QByteArray& item) {
        return QByteArray(good).replace(good.size() - 3, 1, item);
    };
    const std::pair<QByteArray, const char*> cases[] = {
        {QByteArray(), "il file è vuoto"},
        {good.left(good.size() - 3), "finisce alla riga 605, prima della fine dei dati di progetto"},
        {QByteArray("   \r\n"), "alla riga 1 si attende un testo tra virgolette"},
        {withMaterial("0,abc,0,0,0"), "alla riga 9 si attende un numero e si trova \"abc\""},
        // One item left out: the items fall one place behind, the count of the line tells.
        {withMaterial("0,0,0,0"), "alla riga 9 (posizione 1) si attendono 5 numeri e se ne trovano 4"},
        {withMaterial("0,0,1 2,0,0"), "alla riga 9 si attende un numero e si trova \"1 2\""},
        {withMaterial("0,\"5\",0,0,0"), "alla riga 9 si attende un numero"},
        {withMaterial("0,-,0,0,0"), "alla riga 9 si attende un numero"},
        {withMaterial("0,1E,0,0,0"), "alla riga 9 si attende un numero"},
        {withMaterial("0,1E+39,0,0,0"), "alla riga 9 il numero 1E+39 è fuori dall'intervallo ammesso"},
        {QByteArray("\"Scuola\r\n") + good.mid(4), "alla riga 1 un testo tra virgolette non è chiuso"},
        {QByteArray("\"a\"b") + good.mid(2), "alla riga 1 un testo tra virgolette è seguito da altro"},
        {QByteArray(good).replace("\"R\"", "R"), "alla riga 7 si attende un testo"},
        {withLastCampo("3.5"), "alla riga 606 il campo deve essere un numero intero da -32768 a 32767"},
        {withLastCampo("32768"), "alla riga 606 il campo deve essere"},
        {QByteArray(10 * 1024 * 1024, ','), "il file è troppo grande"},
        {withMaterial(QByteArray(1024 * 1024, '1')), "alla riga 9 si attende un numero"},
    };
    for (const auto& [bytes, reason] : cases) {
        SectionArchive archive = sampleArchive();
        ProjectData data = kSampleData;
        const FileResult result = parse(bytes, archive, data);
        EXPECT_FALSE(result.ok) << reason;
        EXPECT_TRUE(
            result.message.startsWith(QStringLiteral("Il file prova.ftm non è un file di progetto valido: %1")
                                          .arg(QString::fromUtf8(reason))))
            << result.message.toStdString();
        EXPECT_LT(result.message.size(), 200) << reason;
        EXPECT_EQ(archive, sampleArchive());
        EXPECT_EQ(data, kSampleData);
    }
    SectionArchive archive;
    ProjectData data;
    EXPECT_TRUE(parse(withLastCampo("32767"), archive, data).ok);
    EXPECT_TRUE(parse(withLastCampo("-32768"), archive, data).ok);
}

}  // namespace
}  // namespace fortema::archive
