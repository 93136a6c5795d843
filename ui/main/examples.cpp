#include "ui/main/examples.h"

#include <QLineEdit>
#include <QPushButton>

#include "ui/main/form1.h"

namespace fortema::ui {

namespace {

using engine::Layout;

// clang-format off
const std::array<WorkedExample, 4> kExamples = {{
    {"mnuRettangolare", "Sezione &rettangolare o assimilabile, (muratura non armata)", "ES.sezione rettangolare muratura non armata", Layout::Rectangular,
     {"4500", "3913", "2100000", "10", "10000", "14000", "130000"},
     {"1000", "400", "30", "30", "0", "0"}},
    {"mnuRettangolare2", "Sezione &rettangolare armata (muratura armata)", "ES.sezione rettangolare muratura armata", Layout::Rectangular,
     {"4500", "3913", "2100000", "10", "10000", "14000", "130000"},
     {"1000", "400", "30", "30", "150", "100"}},
    {"mnuRettangolare3", "Sezione &rettangolare equivalente di T in c.a. ", "ES.sezione rettangolare in c.a.", Layout::Rectangular,
     {"4500", "3913", "2100000", "118", "299000", "45000", "1400000"},
     {"300", "500", "25", "25", "600", "600"}},
    {"mnuCircolare", "Sezione &circolare in c.a.", "ES.sezione circolare di cls armato", Layout::Circular,
     {"4500", "3913", "2100000", "118", "299000", "20000", "300000"},
     {"400", "30", "700", "", "", ""}},
}};
// clang-format on

}  // namespace

const std::array<WorkedExample, 4>& workedExamples() { return kExamples; }

void Form1::loadExample(const WorkedExample& example) {
    m_ui.descrizione->setText(QString::fromUtf8(example.description));
    const std::array<engine::Field, 7> common = {engine::Field::fyk, engine::Field::fyd, engine::Field::Ea,
                                                 engine::Field::fmd, engine::Field::Em,  engine::Field::Nd,
                                                 engine::Field::Md};
    for (std::size_t i = 0; i < common.size(); ++i)
        setFieldText(common[i], QString::fromLatin1(example.materialAndActions[i]));
    selectLayout(example.layout);
    if (example.layout == Layout::Rectangular) {
        for (std::size_t i = 0; i < engine::kRectangularFields.size(); ++i)
            setFieldText(engine::kRectangularFields[i], QString::fromLatin1(example.geometry[i]));
    } else {
        for (std::size_t i = 0; i < engine::kCircularFields.size(); ++i)
            setFieldText(engine::kCircularFields[i], QString::fromLatin1(example.geometry[i]));
    }
    m_ui.calcola->setEnabled(true);
}

}  // namespace fortema::ui
