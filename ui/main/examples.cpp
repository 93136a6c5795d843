#include "ui/main/examples.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/main/form1.h"

namespace fortema::ui {

namespace {

using engine::Layout;

// clang-format off
const std::array<WorkedExample, 4> kExamples = {{
    {"mnuRettangolare", "ES.sezione rettangolare muratura non armata", Layout::Rectangular,
     {"4500", "3913", "2100000", "10", "10000", "14000", "130000"},
     {"1000", "400", "30", "30", "0", "0"}},
    {"mnuRettangolare2", "ES.sezione rettangolare muratura armata", Layout::Rectangular,
     {"4500", "3913", "2100000", "10", "10000", "14000", "130000"},
     {"1000", "400", "30", "30", "150", "100"}},
    {"mnuRettangolare3", "ES.sezione rettangolare in c.a.", Layout::Rectangular,
     {"4500", "3913", "2100000", "118", "299000", "45000", "1400000"},
     {"300", "500", "25", "25", "600", "600"}},
    {"mnuCircolare", "ES.sezione circolare di cls armato", Layout::Circular,
     {"4500", "3913", "2100000", "118", "299000", "20000", "300000"},
     {"400", "30", "700", "", "", ""}},
}};
// clang-format on

}  // namespace

const std::array<WorkedExample, 4>& workedExamples() { return kExamples; }

void writeBox(Form1& window, const char* name, const QString& text) {
    if (auto* box = window.findChild<QLineEdit*>(QString::fromLatin1(name))) box->setText(text);
}

void selectLayout(Form1& window, engine::Layout layout) {
    const bool rectangular = layout == Layout::Rectangular;
    if (auto* option = window.findChild<QRadioButton*>(rectangular ? QStringLiteral("Option1")
                                                                   : QStringLiteral("Option2"))) {
        option->setChecked(true);
    }
    if (rectangular) {
        window.DrawRectangularSketch();
    } else {
        window.DrawCircularSketch();
    }
}

void loadExample(Form1& window, const WorkedExample& example) {
    if (auto* box = window.findChild<QLineEdit*>(QStringLiteral("descrizione"))) {
        box->setText(QString::fromUtf8(example.description));
    }
    for (std::size_t i = 0; i < kMaterialAndActionBoxes.size(); ++i) {
        writeBox(window, kMaterialAndActionBoxes[i], QString::fromLatin1(example.materialAndActions[i]));
    }
    selectLayout(window, example.layout);
    if (example.layout == Layout::Rectangular) {
        for (std::size_t i = 0; i < kRectangularBoxes.size(); ++i) {
            writeBox(window, kRectangularBoxes[i], QString::fromLatin1(example.geometry[i]));
        }
    } else {
        for (std::size_t i = 0; i < kCircularBoxes.size(); ++i) {
            writeBox(window, kCircularBoxes[i], QString::fromLatin1(example.geometry[i]));
        }
    }
    if (auto* calcola = window.findChild<QPushButton*>(QStringLiteral("calcola"))) calcola->setEnabled(true);
}

}  // namespace fortema::ui
