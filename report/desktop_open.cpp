#include "desktop_open.h"

#include <cstring>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace tarvel::scrivet {

std::string openWithDesktop(const std::string& path) {
    // xdg-open may run for as long as the viewer does; a double spawn through
    // "sh -c ... &" detaches it so the caller is never blocked and no zombie
    // is left behind.
    const char* script = "xdg-open \"$1\" >/dev/null 2>&1 &";
    char* argv[] = {const_cast<char*>("sh"),         const_cast<char*>("-c"),
                    const_cast<char*>(script),       const_cast<char*>("sh"),
                    const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = 0;
    int error = posix_spawnp(&pid, "sh", nullptr, nullptr, argv, environ);
    if (error != 0)
        return std::string("cannot start xdg-open: ") + std::strerror(error);
    int status = 0;
    waitpid(pid, &status, 0);
    return {};
}

} // namespace tarvel::scrivet
