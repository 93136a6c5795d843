#pragma once

#include <QHash>
#include <QMainWindow>
#include <QString>

#include "engine/section.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QAction;

namespace fortema::ui {

// The main window: inputs of one section, its strength domain and its results.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(const QString& startFile = {}, QWidget* parent = nullptr);

    // The project file named on the command line, kept until the file commands open it.
    QString startFile() const { return m_startFile; }
    const engine::Analysis& analysis() const { return m_analysis; }

    void Option1_Click();
    void Option2_Click();
    void cancella_Click();
    void calcola_Click();
    void UpdateCommandState();

private:
    void buildControls();
    void buildMenu();
    QLineEdit* box(const QString& name) const;
    QLabel* label(const QString& name) const;
    void showResults();
    engine::SectionTexts sectionTexts() const;

    QString m_startFile;
    QHash<QString, QWidget*> m_controls;
    engine::Analysis m_analysis;
};

}  // namespace fortema::ui
