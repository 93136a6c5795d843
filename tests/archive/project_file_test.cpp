#include "archive/project_file.h"

#include <gtest/gtest.h>

#include <QList>
#include <QLocale>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace fortema::archive {
namespace {

QList<QByteArray> fileLines(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    EXPECT_TRUE(lines.back().isEmpty()) << "the file ends with a line end";
    lines.removeLast();
    for (QByteArray& line : lines) {
        EXPECT_TRUE(line.endsWith('\r'));
        line.chop(1);
    }
    return lines;
}

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

ProjectData sampleData() {
    return {QStringLiteral("Scuola"), QStringLiteral("Comune"),     QString(),
            QStringLiteral("1"),      QStringLiteral("01/02/2003"), QString()};
}

// Reads `bytes` into a populated project and checks that a refusal leaves it untouched.
FileResult parseOverSample(const QByteArray& bytes) {
    SectionArchive archive = sampleArchive();
    ProjectData data = sampleData();
    const FileResult result = parseProjectFile(bytes, QStringLiteral("prova.ftm"), archive, data);
    if (!result.ok) {
        EXPECT_EQ(archive, sampleArchive());
        EXPECT_EQ(data, sampleData());
        EXPECT_TRUE(
            result.message.startsWith(QStringLiteral("Il file prova.ftm non è un file di progetto valido: ")))
            << result.message.toStdString();
    }
    return result;
}

TEST(FileNumberText, FollowsTheClassicDelimitedForm) {
    const std::pair<float, const char*> cases[] = {
        {0.0f, "0"},
        {-0.0f, "0"},
        {0.1f, ".1"},
        {0.5f, ".5"},
        {-0.25f, "-.25"},
        {0.3f, ".3"},
        {4500.0f, "4500"},
        {-1.0f, "-1"},
        {2100000.0f, "2100000"},
        {9999999.0f, "9999999"},
        {1e7f, "1E+07"},
        {12345678.0f, "1.234568E+07"},
        {1e38f, "1E+38"},
        {123456.7f, "123456.7"},
        {12.34f, "12.34"},
        {1.2345678f, "1.234568"},
        {0.0001f, ".0001"},
        {0.00012345f, ".00012345"},
        {1.5e-5f, "1.5E-05"},
        {-1e-5f, "-1E-05"},
        {FLT_MAX, "3.402823E+38"},
        {std::numeric_limits<float>::denorm_min(), "1E-45"},
        {INFINITY, "3.402823E+38"},
        {-INFINITY, "-3.402823E+38"},
        {NAN, "0"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(fileNumberText(value), QByteArray(text)) << value;
}

TEST(FileNumberText, UsesAPointUnderACommaLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "it_IT.UTF-8");
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_EQ(fileNumberText(3.25f), "3.25");
    EXPECT_EQ(fileNumberText(1.5e-5f), "1.5E-05");
    SectionArchive archive;
    archive.at(0).yan = 0.75f;
    EXPECT_TRUE(projectFileBytes(archive, {}).contains("\r\n0,0,0,0,.75\r\n"));
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, previous.c_str());
}

TEST(ProjectFileWriter, EmptyProjectIs606LinesOfQuotesAndZeros) {
    const QByteArray bytes = projectFileBytes(SectionArchive{}, ProjectData{});
    EXPECT_EQ(bytes.count("\r\n"), kProjectFileLines);
    EXPECT_EQ(bytes.count('\n'), kProjectFileLines);
    EXPECT_EQ(bytes.count('\r'), kProjectFileLines);
    const QList<QByteArray> lines = fileLines(bytes);
    ASSERT_EQ(lines.size(), 606);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(lines[i], "\"\"") << "line " << i + 1;
    for (int p = 0; p < 100; ++p) {
        const int first = 6 + 6 * p;
        EXPECT_EQ(lines[first], "\"R\"");
        EXPECT_EQ(lines[first + 1], "\"\"");
        EXPECT_EQ(lines[first + 2], "0,0,0,0,0");
        EXPECT_EQ(lines[first + 3], "0,0,0,0,0,0,0");
        EXPECT_EQ(lines[first + 4], "0,0,0,0,0");
        EXPECT_EQ(lines[first + 5], "0");
    }
}

TEST(ProjectFileWriter, FirstWorkedExampleInPositionOne) {
    engine::CurrentSection s;
    s.fyk = 4500, s.fyd = 3913, s.Ea = 2100000, s.fmd = 10, s.Em = 10000;
    s.Nd = 14000, s.Md = 130000;
    s.b = 100, s.h = 40, s.c1 = 3, s.c2 = 3;
    engine::SectionResult r;
    r.Nu = 14000;
    r.Mu = std::floor(0.6825 * 10 * 100 * 1600 / 6);
    r.yan = 14;
    SectionArchive archive;
    storeCalculation(archive, 0, s, r, QStringLiteral("ES.sezione rettangolare muratura non armata"),
                     engine::Layout::Rectangular);
    const QList<QByteArray> lines = fileLines(projectFileBytes(archive, {}));
    const QList<QByteArray> expected = {"\"R\"",
                                        "\"ES.sezione rettangolare muratura non armata\"",
                                        "4500,3913,2100000,10,10000",
                                        "1000,400,30,30,0,0,0",
                                        "14000,130000,14000,182000,14",
                                        "0"};
    EXPECT_EQ(lines.mid(6, 6), expected);
    EXPECT_EQ(lines[12], "\"R\"");
}

TEST(ProjectFileWriter, TextIsWindows1252AndNeverBreaksTheFormat) {
    SectionArchive archive;
    archive.at(0).description = QStringLiteral("trave \"T1\"\r\npiano 2, è ő");
    ProjectData data;
    data[0] = QStringLiteral("\"");
    data[5] = QStringLiteral("a\nb");
    const QByteArray bytes = projectFileBytes(archive, data);
    const QList<QByteArray> lines = fileLines(bytes);
    ASSERT_EQ(lines.size(), 606);
    EXPECT_EQ(lines[0], "\"\"");
    EXPECT_EQ(lines[5], "\"a b\"");
    EXPECT_EQ(lines[7], "\"trave T1 piano 2, \xE8 ?\"");

    SectionArchive readArchive;
    ProjectData readData;
    ASSERT_TRUE(parseProjectFile(bytes, QStringLiteral("x"), readArchive, readData).ok);
    EXPECT_EQ(readArchive.at(0).description, QString::fromUtf16(u"trave T1 piano 2, è ?"));
    EXPECT_EQ(readData[5], "a b");
}

int significantDigits(const QByteArray& item) {
    QByteArray digits = item.split('E').front();
    digits.replace("-", "").replace(".", "");
    while (digits.size() > 1 && digits.startsWith('0')) digits.remove(0, 1);
    if (!item.contains('.') && !item.contains('E')) {
        while (digits.size() > 1 && digits.endsWith('0')) digits.chop(1);
    }
    return static_cast<int>(digits.size());
}

// Values with at most seven significant digits, as the fields produce them, over the whole range.
float randomSeven(std::mt19937& rng) {
    std::uniform_int_distribution<int> mantissa(-9999999, 9999999);
    std::uniform_int_distribution<int> exponent(-44, 31);
    const std::string text = std::to_string(mantissa(rng)) + "e" + std::to_string(exponent(rng));
    return std::strtof(text.c_str(), nullptr);
}

QString randomText(std::mt19937& rng) {
    static const QString letters = QString::fromUtf16(u"abcXYZ 019.,;:-'()/°èéàùòìÈÀ€“”…ß");
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(letters.size()) - 1);
    QString s;
    for (int i = length(rng); i > 0; --i) s += letters[pick(rng)];
    return s;
}

TEST(ProjectFileRoundTrip, RandomProjectsReadBackExactly) {
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<int> campo(-32768, 32767);
    for (int round = 0; round < 20; ++round) {
        SectionArchive archive;
        ProjectData data;
        for (QString& line : data) line = randomText(rng);
        for (int p = 0; p < 100; ++p) {
            SectionRecord& r = archive.at(p);
            r.sectionType = (p % 3 == 0) ? QStringLiteral("C") : QStringLiteral("R");
            r.description = randomText(rng);
            for (float* v : {&r.fyk, &r.fyd, &r.Ea, &r.fmd, &r.Em, &r.Nd, &r.Md, &r.Nu, &r.Mu, &r.yan}) {
                *v = randomSeven(rng);
            }
            for (float& v : r.geometry) v = randomSeven(rng);
            r.campo = static_cast<std::int16_t>(campo(rng));
        }
        const QByteArray bytes = projectFileBytes(archive, data);
        SectionArchive readArchive;
        ProjectData readData;
        const FileResult result = parseProjectFile(bytes, QStringLiteral("x"), readArchive, readData);
        ASSERT_TRUE(result.ok) << result.message.toStdString();
        ASSERT_EQ(readArchive, archive) << "round " << round;
        ASSERT_EQ(readData, data);
        // Never more than seven significant digits.
        for (const QByteArray& line : fileLines(bytes)) {
            if (line.startsWith('"')) continue;
            for (const QByteArray& item : line.split(',')) {
                EXPECT_LE(significantDigits(item), 7) << item.toStdString();
            }
        }
    }
}

TEST(ProjectFileRoundTrip, AnySingleComesBackToItsSevenDigits) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<std::uint32_t> bits;
    const auto randomFinite = [&] {
        for (;;) {
            const std::uint32_t b = bits(rng);
            float value;
            std::memcpy(&value, &b, sizeof value);
            if (std::isfinite(value) && std::fabs(value) >= FLT_MIN) return value;
        }
    };
    for (int round = 0; round < 3; ++round) {
        SectionArchive archive;
        for (int p = 0; p < 100; ++p) {
            SectionRecord& r = archive.at(p);
            for (float* v : {&r.fyk, &r.fyd, &r.Ea, &r.fmd, &r.Em, &r.Nd, &r.Md, &r.Nu, &r.Mu, &r.yan}) {
                *v = randomFinite();
            }
            for (float& v : r.geometry) v = randomFinite();
        }
        SectionArchive read;
        ProjectData data;
        ASSERT_TRUE(parseProjectFile(projectFileBytes(archive, {}), QStringLiteral("x"), read, data).ok);
        for (int p = 0; p < 100; ++p) {
            const SectionRecord& w = archive.at(p);
            const SectionRecord& r = read.at(p);
            std::vector<std::pair<float, float>> pairs = {
                {w.fyk, r.fyk}, {w.fyd, r.fyd}, {w.Ea, r.Ea}, {w.fmd, r.fmd}, {w.Em, r.Em},
                {w.Nd, r.Nd},   {w.Md, r.Md},   {w.Nu, r.Nu}, {w.Mu, r.Mu},   {w.yan, r.yan}};
            for (std::size_t s = 0; s < 7; ++s) pairs.emplace_back(w.geometry[s], r.geometry[s]);
            for (const auto& [written, back] : pairs) {
                // Half a unit of the seventh digit, and the step to the nearest single.
                const double halfUnit = 0.5 * std::pow(10.0, std::floor(std::log10(std::fabs(written))) - 6);
                const double step = std::fabs(std::nextafter(written, INFINITY) - written);
                EXPECT_LE(std::fabs(double(back) - written), halfUnit + step) << written;
            }
        }
    }
}

TEST(ProjectFileReader, ReadsWhereverTheLinesBreak) {
    const SectionArchive archive = sampleArchive();
    const ProjectData data = sampleData();
    const QByteArray bytes = projectFileBytes(archive, data);
    const QList<QByteArray> lines = fileLines(bytes);

    QByteArray onePositionPerLine;
    for (int i = 0; i < 6; ++i) onePositionPerLine += lines[i] + "\r\n";
    for (int p = 0; p < 100; ++p) onePositionPerLine += lines.mid(6 + 6 * p, 6).join(',') + "\r\n";

    QByteArray spaced = bytes;
    spaced.replace(",", " \t, ").replace("\r\n", "  \r\n  ");

    QByteArray leadingZeros = bytes;
    leadingZeros.replace(",.1,", ",0.1,");
    ASSERT_NE(leadingZeros, bytes);

    QByteArray noFinalLineEnd = bytes;
    noFinalLineEnd.chop(2);

    const QList<QByteArray> variants = {onePositionPerLine,
                                        QByteArray(bytes).replace("\r\n", "\n"),
                                        QByteArray(bytes).replace("\r\n", "\r"),
                                        spaced,
                                        leadingZeros,
                                        noFinalLineEnd,
                                        bytes + "\r\nanything after the last position\r\n"};
    for (const QByteArray& variant : variants) {
        SectionArchive readArchive;
        ProjectData readData;
        const FileResult result = parseProjectFile(variant, QStringLiteral("x"), readArchive, readData);
        ASSERT_TRUE(result.ok) << result.message.toStdString() << "\n" << variant.left(300).toStdString();
        EXPECT_EQ(readArchive, archive);
        EXPECT_EQ(readData, data);
    }
}

TEST(ProjectFileReader, AcceptsOtherNumberSpellings) {
    QByteArray bytes = projectFileBytes(SectionArchive{}, {});
    // Position 1, material line: empty items read 0; signs, exponents and a D exponent are numbers.
    bytes.replace(bytes.indexOf("0,0,0,0,0\r\n"), 11, ",+4500,1.5e3, 2D+02 ,-.5\r\n");
    SectionArchive archive;
    ProjectData data;
    ASSERT_TRUE(parseProjectFile(bytes, QStringLiteral("x"), archive, data).ok);
    const SectionRecord& r = archive.at(0);
    EXPECT_EQ(r.fyk, 0.0f);
    EXPECT_EQ(r.fyd, 4500.0f);
    EXPECT_EQ(r.Ea, 1500.0f);
    EXPECT_EQ(r.fmd, 200.0f);
    EXPECT_EQ(r.Em, -0.5f);
}

TEST(ProjectFileReader, RefusesMalformedFilesAndKeepsTheProject) {
    const QByteArray good = projectFileBytes(SectionArchive{}, {});
    const qsizetype material = good.indexOf("0,0,0,0,0\r\n");  // line 9
    const auto withMaterial = [&](const QByteArray& line) {
        return QByteArray(good).replace(material, 9, line);
    };
    const qsizetype lastCampo = good.size() - 3;
    const auto withLastCampo = [&](const QByteArray& item) {
        return QByteArray(good).replace(lastCampo, 1, item);
    };
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", QByteArray(), "il file è vuoto"},
        {"one line short", good.left(good.size() - 3), "prima della fine"},
        {"cut inside a position", good.left(good.size() / 2), "prima della fine"},
        {"only blanks", QByteArray("   \r\n"), "alla riga 1 si attende un testo tra virgolette"},
        {"letters for a number", withMaterial("0,abc,0,0,0"),
         "alla riga 9 si attende un numero e si trova \"abc\""},
        {"number with a tail", withMaterial("0,0,1x,0,0"), "si attende un numero e si trova \"1x\""},
        {"two numbers in one item", withMaterial("0,0,1 2,0,0"), "\"1 2\""},
        {"quoted number", withMaterial("0,\"5\",0,0,0"), "si attende un numero"},
        {"lone sign", withMaterial("0,-,0,0,0"), "si attende un numero"},
        {"bare exponent", withMaterial("0,1E,0,0,0"), "si attende un numero"},
        {"beyond single range", withMaterial("0,1E+39,0,0,0"), "fuori dall'intervallo"},
        {"unterminated text at a line end", QByteArray("\"Scuola\r\n") + good.mid(4),
         "alla riga 1 un testo tra virgolette non è chiuso"},
        {"unterminated text at the end", QByteArray("\"Scuola"), "non è chiuso"},
        {"text after the closing quote", QByteArray("\"a\"b") + good.mid(2), "è seguito da altro"},
        {"unquoted section type", QByteArray(good).replace("\"R\"", "R"), "alla riga 7 si attende un testo"},
        {"fractional campo", withLastCampo("3.5"), "alla riga 606 il campo deve essere un numero intero"},
        {"campo beyond 16 bits", withLastCampo("32768"), "il campo deve essere"},
        {"campo not a number", withLastCampo("abc"), "il campo deve essere"},
        {"ten megabytes of commas", QByteArray(10 * 1024 * 1024, ','), "il file è troppo grande"},
        {"five megabytes of commas", QByteArray(5 * 1024 * 1024, ','), "si attende un testo tra virgolette"},
        {"a megabyte of digits", withMaterial(QByteArray(1024 * 1024, '1')), "si attende un numero"},
    };
    for (const Case& c : cases) {
        const FileResult result = parseOverSample(c.bytes);
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_TRUE(result.message.contains(QString::fromUtf8(c.reason)))
            << c.name << ": " << result.message.toStdString();
        EXPECT_LT(result.message.size(), 200) << c.name;
    }
    EXPECT_TRUE(parseOverSample(withLastCampo("-32768")).ok);
}

}  // namespace
}  // namespace fortema::archive
