#pragma once
// Tasks: everything that happens over time is a task that CTaskMgr runs once
// per frame step, in the order the tasks were registered. A task registers
// itself when constructed and unregisters when destroyed.
//
// A task may run frame steps itself (a timer's callback can open a modal
// wait), and a running task may destroy itself or other tasks. So the list is
// never unlinked while a tick walks it: a task removed during a tick only
// loses its entry (which is marked dead and skipped), and the dead entries
// are freed when the outermost tick returns.

#include <cstdint>

class CTask;

struct TaskListEntry {
    TaskListEntry* next = nullptr;
    TaskListEntry* prev = nullptr;
    CTask* task = nullptr;  // null once the task was removed
};

class CTask {
public:
    CTask();
    virtual ~CTask();
    CTask(const CTask&) = delete;
    CTask& operator=(const CTask&) = delete;

    virtual bool OnStart() { return true; }
    virtual void OnStop() {}
    virtual void Run() {}

    // Non-zero keeps the task from running (it stays registered).
    uint8_t suspended = 0;
    bool IsRegistered() const { return m_entry != nullptr; }

private:
    friend class CTaskMgr;
    TaskListEntry* m_entry = nullptr;
};

class CTaskMgr {
public:
    static bool Init();
    // Appends the task at the end of the list; true. A registered task stays where it is.
    static bool AddTask(CTask* task);
    // Unregisters the task and calls its OnStop; a task without an entry is ignored.
    static void RemoveTask(CTask* task);
    // Runs every task that is not suspended, in list order.
    static void Tick();
    // Removes the first task until the list is empty.
    static void Shutdown();
    // Registered tasks (for checks and tests).
    static int32_t Count();
};
