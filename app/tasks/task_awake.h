#pragma once
// Keeps the machine and the display awake for the life of a worker task.
// Threading: create and destroy on the worker thread.

#include <memory>

class task_awake {
public:
    task_awake();
    ~task_awake();
    task_awake(const task_awake&) = delete;
    task_awake& operator=(const task_awake&) = delete;

private:
    struct impl;
    std::unique_ptr<impl> d_;
};
