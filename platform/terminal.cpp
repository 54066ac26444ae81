#include "platform/terminal.h"

#include <unistd.h>

namespace platform {
bool stdout_is_terminal() {
    return ::isatty(STDOUT_FILENO) == 1;
}
} // namespace platform
