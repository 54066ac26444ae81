#include "app/tasks/task_awake.h"

#include "platform/keep_awake.h"

// The desktop's inhibition request, held for the life of the task.
struct task_awake::impl {
    platform::keep_awake guard{QStringLiteral("Halvix task running")};
};

task_awake::task_awake() : d_(new impl) {}
task_awake::~task_awake() = default;
