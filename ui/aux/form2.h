#pragma once

// The six lines of general project data, edited in a small modal dialog.

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace fortema::ui {

// PROGETTO, COMMITTENTE, PROGETTISTA, REVISIONE, DATA, DATA REVISIONE.
using ProjectTexts = std::array<QString, 6>;

class Form2 : public QDialog {
    Q_OBJECT
public:
    // Filled: the boxes show `data`. Empty: the boxes keep their empty design state, as when a
    // new project is started.
    enum class Boxes { Filled, Empty };

    explicit Form2(const ProjectTexts& data, Boxes boxes = Boxes::Filled, QWidget* parent = nullptr);

    // The texts of the boxes after "OK"; otherwise the data the dialog was given.
    const ProjectTexts& data() const { return m_data; }

private:
    void cmdOK_Click();

    ProjectTexts m_data;
    std::array<QLabel*, 6> m_lbldati{};
    std::array<QLineEdit*, 6> m_txtDati{};
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdAnnulla = nullptr;
};

}  // namespace fortema::ui
