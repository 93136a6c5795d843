#pragma once

// The About window: title, version, description, and a button that starts the system's
// information tool.

#include <QDialog>
#include <QStringList>
#include <functional>

namespace fortema::ui {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    // Full path of the first of the programs found, or empty.
    using Finder = std::function<QString(const QStringList& programs)>;
    // Starts the program detached; false when it could not be started.
    using Starter = std::function<bool(const QString& path)>;

    explicit frmAbout(QWidget* parent = nullptr);

    // The system-information programs looked for, in order of preference.
    static QStringList defaultSysInfoPrograms();
    static QString findOnPath(const QStringList& programs);
    static bool startDetached(const QString& path);

    void setSysInfoPrograms(const QStringList& programs) { m_programs = programs; }
    void setSysInfoFinder(Finder finder) { m_finder = std::move(finder); }
    void setSysInfoStarter(Starter starter) { m_starter = std::move(starter); }

    void StartSysInfo();

private:
    QStringList m_programs;
    Finder m_finder;
    Starter m_starter;
};

}  // namespace fortema::ui
