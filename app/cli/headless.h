#pragma once

#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>
#include <cstdlib>
#include <memory>
#include <string>

namespace fortema::cli {

// The Qt application the printing commands need, on the offscreen platform unless the caller
// chose another one: the command line must work where no display is.
class HeadlessApplication {
public:
    HeadlessApplication() {
        if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        // Without a session (cron, ssh, CI) Qt would make this folder itself and warn about it on
        // stderr, mixed into the command's own messages.
        if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
            const std::string runtime = "/tmp/runtime-" + std::to_string(getuid());
            struct stat st {};
            if ((mkdir(runtime.c_str(), 0700) == 0 || stat(runtime.c_str(), &st) == 0) &&
                stat(runtime.c_str(), &st) == 0 && st.st_uid == getuid() && (st.st_mode & 077) == 0) {
                setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
            }
        }
        if (QApplication::instance() == nullptr) m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }

private:
    int m_argc = 1;
    char m_name[12] = "fortema-cli";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

}  // namespace fortema::cli
