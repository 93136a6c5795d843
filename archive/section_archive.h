#pragma once

// The 100-position table of stored sections, the one-record copy buffer, the six project
// data strings, and the data side of the archive commands of the main window.

#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/input_fields.h"
#include "engine/load_combinations.h"
#include "engine/section.h"

namespace fortema::archive {

// One stored section. Geometry is kept in the units the user types (mm, mm²); yan in cm.
struct SectionRecord {
    QString sectionType = QStringLiteral("R");  // "R" rectangular, "C" circular
    QString description;
    float fyk = 0, fyd = 0, Ea = 0, fmd = 0, Em = 0;  // daN/cm²
    // geometry[0..6] are slots 1 to 7:
    //   rectangular: b, h, c1, c2, A1, A2, 0    circular: d, 0, c, 0, Aa, 0, 0
    std::array<float, 7> geometry{};
    float Nd = 0, Md = 0;  // daN, daN·cm
    float Nu = 0, Mu = 0;  // daN, daN·cm
    float yan = 0;         // cm, rectangular only
    std::int16_t campo = 0;

    // A position nobody has touched: type "R", everything else empty or 0.
    static SectionRecord untouched() { return {}; }
    // The copy buffer before any copy: even the type is empty.
    static SectionRecord blank() {
        SectionRecord r;
        r.sectionType.clear();
        return r;
    }

    bool operator==(const SectionRecord&) const = default;
};

// The load combinations checked against one position's section, in the order they were given.
using CombinationList = std::vector<engine::LoadCombination>;

class SectionArchive {
public:
    static constexpr int kPositions = 100;

    // Throw std::out_of_range outside 0..99.
    const SectionRecord& at(int position) const { return m_records.at(static_cast<std::size_t>(position)); }
    SectionRecord& at(int position) { return m_records.at(static_cast<std::size_t>(position)); }

    // The position's load combinations, beside its own Nd and Md. They stay with the position:
    // storing, copying and pasting a record leave them as they are.
    const CombinationList& combinations(int position) const {
        return m_combinations.at(static_cast<std::size_t>(position));
    }
    CombinationList& combinations(int position) {
        return m_combinations.at(static_cast<std::size_t>(position));
    }
    bool hasCombinations() const;

    // Every position back to untouched, without combinations.
    void clear() {
        m_records.fill(SectionRecord::untouched());
        for (CombinationList& list : m_combinations) list.clear();
    }

    bool operator==(const SectionArchive&) const = default;

private:
    std::array<SectionRecord, kPositions> m_records{};
    std::array<CombinationList, kPositions> m_combinations{};
};

// Holds one record; starts blank and no command clears it.
struct ArchiveClipboard {
    SectionRecord record = SectionRecord::blank();
    bool operator==(const ArchiveClipboard&) const = default;
};

// PROGETTO, COMMITTENTE, PROGETTISTA, REVISIONE, DATA, DATA REVISIONE (the dialog's order).
using ProjectData = std::array<QString, 6>;
inline constexpr int kProjectDataLines = 6;

// "Sez.avanti >" and "< Sez.dietro": the new shown position, held within 0..99.
std::int16_t nextPosition(std::int16_t currentPosition);
std::int16_t previousPosition(std::int16_t currentPosition);

// The record "Sa&lva dati" stores: the last calculation's values (not the present field texts),
// with the description and the layout selected in the window at the moment of storing.
// Lengths go back to mm (× 10) and areas to mm² (× 100); every number becomes single precision.
SectionRecord recordFromCalculation(const engine::CurrentSection& section,
                                    const engine::SectionResult& result, const QString& description,
                                    engine::Layout selected);

// "Sa&lva dati" into `position`; returns the stored record.
const SectionRecord& storeCalculation(SectionArchive& archive, int position,
                                      const engine::CurrentSection& section,
                                      const engine::SectionResult& result, const QString& description,
                                      engine::Layout selected);

// "C&opia dati": position → buffer. The geometry rule follows the layout selected in the window,
// not the record's own type: under the circular layout slots 2, 4, 6 and yan are not carried.
void copyToClipboard(const SectionArchive& archive, int position, engine::Layout selected,
                     ArchiveClipboard& clipboard);

// "&Incolla dati": buffer → position, the mirror image of copyToClipboard. Returns the record
// now in the position, which the window shows next. The buffer keeps its contents.
const SectionRecord& pasteFromClipboard(SectionArchive& archive, int position, engine::Layout selected,
                                        const ArchiveClipboard& clipboard);

// "&Cancella tutti i record" after its save question: every position untouched, and the shown
// position back to 0. Neither the buffer nor the project data change.
void clearAllRecords(SectionArchive& archive, std::int16_t& currentPosition);

// A description that is not empty, or a material value or geometry slot not 0. Type, actions,
// results and campo are not looked at.
bool recordHoldsValues(const SectionRecord& record);
// recordHoldsValues, or a type that is not "R": what a position that was stored into holds.
bool recordHoldsData(const SectionRecord& record);
// The test of the save question "Vuoi salvare il file?": any project data string, any position
// for which recordHoldsData holds, or any load combination.
bool holdsData(const SectionArchive& archive, const ProjectData& projectData);

// A stored position shown again: the boxes it fills and their texts, in the order the window
// writes them (the five materials, Nd, Md, then the geometry of the record's own type; none for
// a type other than "R" and "C"). Each text passes its box's change check and reads back as the
// stored number.
struct BoxText {
    engine::Field field;
    std::string text;
};
std::vector<BoxText> positionBoxTexts(const SectionRecord& record, const engine::numtext::NumberLocale& loc);

// The texts a calculation of the shown position reads: positionBoxTexts over boxes holding "0".
engine::SectionTexts positionTexts(const SectionRecord& record, const engine::numtext::NumberLocale& loc);

// The section a stored position holds, read as the window reads it once the position is shown;
// `refusal` says why there is none (a type other than "R" or "C", data "&CALCOLA" would not take).
struct PositionSection {
    std::string refusal;
    engine::CurrentSection section;
    engine::Layout layout = engine::Layout::Rectangular;
};
PositionSection positionSection(const SectionRecord& record, const engine::numtext::NumberLocale& loc);

// The load combinations of a position checked against the section it stores, read as the window
// reads it once shown. The window, the command line and the report all check them here. A type
// other than "R" or "C", or data "&CALCOLA" would not take, give a refusal and no checks.
engine::CombinationsResult checkPositionCombinations(const SectionArchive& archive, int position,
                                                     const engine::numtext::NumberLocale& loc);
inline constexpr const char* kIncompleteSection = "dati della sezione incompleti";
inline constexpr const char* kUnknownSectionType = "tipo di sezione sconosciuto";

}  // namespace fortema::archive
