#include "archive/section_archive.h"

#include "archive/archive_text.h"

namespace fortema::archive {

namespace {

constexpr std::int16_t kLastPosition = SectionArchive::kPositions - 1;

// Under the circular layout only slots 1, 3, 5 and 7 travel; the rest, and yan, become 0.
void copyRecord(const SectionRecord& from, SectionRecord& to, engine::Layout selected) {
    to.sectionType = from.sectionType;
    to.description = from.description;
    to.fyk = from.fyk;
    to.fyd = from.fyd;
    to.Ea = from.Ea;
    to.fmd = from.fmd;
    to.Em = from.Em;
    to.Nd = from.Nd;
    to.Md = from.Md;
    to.Nu = from.Nu;
    to.Mu = from.Mu;
    to.campo = from.campo;
    if (selected == engine::Layout::Rectangular) {
        to.geometry = from.geometry;
        to.yan = from.yan;
    } else {
        for (std::size_t slot = 0; slot < to.geometry.size(); ++slot) {
            to.geometry[slot] = (slot % 2 == 0) ? from.geometry[slot] : 0.0f;
        }
        to.yan = 0;
    }
}

}  // namespace

std::int16_t nextPosition(std::int16_t currentPosition) {
    if (currentPosition >= kLastPosition) return kLastPosition;
    if (currentPosition < 0) return 0;
    return static_cast<std::int16_t>(currentPosition + 1);
}

std::int16_t previousPosition(std::int16_t currentPosition) {
    if (currentPosition <= 0) return 0;
    if (currentPosition > kLastPosition) return kLastPosition;
    return static_cast<std::int16_t>(currentPosition - 1);
}

SectionRecord recordFromCalculation(const engine::CurrentSection& section,
                                    const engine::SectionResult& result, const QString& description,
                                    engine::Layout selected) {
    const auto single = [](double v) { return static_cast<float>(v); };
    SectionRecord r;
    r.description = sanitizeArchiveText(description);
    r.fyk = single(section.fyk);
    r.fyd = single(section.fyd);
    r.Ea = single(section.Ea);
    r.fmd = single(section.fmd);
    r.Em = single(section.Em);
    r.Nd = single(section.Nd);
    r.Md = single(section.Md);
    r.Nu = single(result.Nu);
    r.Mu = single(result.Mu);
    r.campo = result.campo;
    if (selected == engine::Layout::Rectangular) {
        r.sectionType = QStringLiteral("R");
        r.geometry = {single(10 * section.b),
                      single(10 * section.h),
                      single(10 * section.c1),
                      single(10 * section.c2),
                      single(100 * section.A1),
                      100.0f * section.A2,
                      0.0f};
        r.yan = result.yan;
    } else {
        r.sectionType = QStringLiteral("C");
        r.geometry = {
            single(10 * section.d), 0.0f, single(10 * section.c), 0.0f, single(100 * section.Aa), 0.0f, 0.0f};
        r.yan = 0;
    }
    return r;
}

const SectionRecord& storeCalculation(SectionArchive& archive, int position,
                                      const engine::CurrentSection& section,
                                      const engine::SectionResult& result, const QString& description,
                                      engine::Layout selected) {
    SectionRecord& slot = archive.at(position);
    slot = recordFromCalculation(section, result, description, selected);
    return slot;
}

void copyToClipboard(const SectionArchive& archive, int position, engine::Layout selected,
                     ArchiveClipboard& clipboard) {
    copyRecord(archive.at(position), clipboard.record, selected);
}

const SectionRecord& pasteFromClipboard(SectionArchive& archive, int position, engine::Layout selected,
                                        const ArchiveClipboard& clipboard) {
    SectionRecord& slot = archive.at(position);
    copyRecord(clipboard.record, slot, selected);
    return slot;
}

void clearAllRecords(SectionArchive& archive, std::int16_t& currentPosition) {
    currentPosition = 0;
    archive.clear();
}

bool recordHoldsValues(const SectionRecord& r) {
    if (!r.description.isEmpty()) return true;
    for (float v : {r.fyk, r.fyd, r.Ea, r.fmd, r.Em}) {
        if (v != 0) return true;
    }
    for (float v : r.geometry) {
        if (v != 0) return true;
    }
    return false;
}

bool recordHoldsData(const SectionRecord& r) {
    return r.sectionType != QLatin1String("R") || recordHoldsValues(r);
}

bool holdsData(const SectionArchive& archive, const ProjectData& projectData) {
    for (const QString& line : projectData) {
        if (!line.isEmpty()) return true;
    }
    for (int p = 0; p < SectionArchive::kPositions; ++p) {
        if (recordHoldsData(archive.at(p))) return true;
    }
    return archive.hasCombinations();
}

bool SectionArchive::hasCombinations() const {
    for (const CombinationList& list : m_combinations) {
        if (!list.empty()) return true;
    }
    return false;
}

std::vector<BoxText> positionBoxTexts(const SectionRecord& r, const engine::numtext::NumberLocale& loc) {
    using engine::Field;
    std::vector<BoxText> out;
    const auto put = [&](Field f, float value) {
        out.push_back({f, engine::storedFieldText(f, value, loc)});
    };
    put(Field::fyk, r.fyk);
    put(Field::fyd, r.fyd);
    put(Field::Ea, r.Ea);
    put(Field::fmd, r.fmd);
    put(Field::Em, r.Em);
    put(Field::Nd, r.Nd);
    put(Field::Md, r.Md);
    if (r.sectionType == QLatin1String("R")) {
        for (std::size_t i = 0; i < engine::kRectangularFields.size(); ++i)
            put(engine::kRectangularFields[i], r.geometry[i]);
    } else if (r.sectionType == QLatin1String("C")) {
        // d, c and Aa stand in slots 1, 3 and 5.
        for (std::size_t i = 0; i < engine::kCircularFields.size(); ++i)
            put(engine::kCircularFields[i], r.geometry[2 * i]);
    }
    return out;
}

engine::SectionTexts positionTexts(const SectionRecord& record, const engine::numtext::NumberLocale& loc) {
    engine::SectionTexts texts;
    for (const BoxText& b : positionBoxTexts(record, loc)) texts.*engine::fieldRule(b.field).text = b.text;
    return texts;
}

PositionSection positionSection(const SectionRecord& r, const engine::numtext::NumberLocale& loc) {
    PositionSection p;
    if (r.sectionType != QLatin1String("R") && r.sectionType != QLatin1String("C")) {
        p.refusal = kUnknownSectionType;
        return p;
    }
    p.layout = r.sectionType == QLatin1String("R") ? engine::Layout::Rectangular : engine::Layout::Circular;
    const engine::SectionTexts texts = positionTexts(r, loc);
    if (!engine::calculationEnabled(texts, p.layout)) {
        p.refusal = kIncompleteSection;
        return p;
    }
    engine::readSection(texts, p.layout, p.section);
    return p;
}

engine::CombinationsResult checkPositionCombinations(const SectionArchive& archive, int position,
                                                     const engine::numtext::NumberLocale& loc) {
    const PositionSection p = positionSection(archive.at(position), loc);
    if (!p.refusal.empty()) return engine::CombinationsResult{p.refusal, {}, -1, false};
    return engine::checkCombinations(p.section, p.layout, archive.combinations(position));
}

}  // namespace fortema::archive
