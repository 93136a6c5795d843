#pragma once

// The bar area calculator: counts of bars per diameter give the total steel area in cm^2.
// It is the one window that stays open beside the main window.

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace fortema::ui {

class Form3 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 11;

    explicit Form3(QWidget* parent = nullptr);

    // Shows the window, or brings it forward with its contents unchanged when it is open.
    void showOrRaise();
    // Empties the counts and the total without the check's beeps, as a fresh window shows.
    void clear();

protected:
    // Closing loses the contents: the next opening shows empty counts.
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdCalcola_Click();
    void cmdCancella_Click();
    void num_Change(int index);

    std::array<QLabel*, kRows> m_ferro{};
    std::array<QLineEdit*, kRows> m_num{};
    QLabel* m_lblSezione = nullptr;
    // Set while the check empties a box, so that the emptying does not count as a second change.
    bool m_emptying = false;
};

}  // namespace fortema::ui
