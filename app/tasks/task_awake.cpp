#include "app/tasks/task_awake.h"

// Until the platform guard is available this only marks the span of a task.
struct task_awake::impl {};

task_awake::task_awake() : d_(new impl) {}
task_awake::~task_awake() = default;
