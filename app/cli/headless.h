#pragma once

#include <QApplication>
#include <cstdlib>
#include <memory>

namespace fortema::cli {

// The Qt application the printing commands need, on the offscreen platform unless the caller
// chose another one: the command line must work where no display is.
class HeadlessApplication {
public:
    HeadlessApplication() {
        if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (QApplication::instance() == nullptr) m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }

private:
    int m_argc = 1;
    char m_name[12] = "fortema-cli";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

}  // namespace fortema::cli
