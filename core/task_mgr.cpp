#include "core/task_mgr.h"

namespace {

TaskListEntry* g_head = nullptr;
int32_t g_tickDepth = 0;
bool g_haveDead = false;

void Unlink(TaskListEntry* e)
{
    if (e->prev) {
        e->prev->next = e->next;
    } else {
        g_head = e->next;
    }
    if (e->next) {
        e->next->prev = e->prev;
    }
    delete e;
}

void SweepDead()
{
    TaskListEntry* e = g_head;
    while (e) {
        TaskListEntry* next = e->next;
        if (!e->task) {
            Unlink(e);
        }
        e = next;
    }
    g_haveDead = false;
}

}  // namespace

CTask::CTask()
{
    CTaskMgr::AddTask(this);
}

CTask::~CTask()
{
    CTaskMgr::RemoveTask(this);
}

bool CTaskMgr::Init()
{
    Shutdown();
    return true;
}

bool CTaskMgr::AddTask(CTask* task)
{
    if (!task || task->m_entry) {
        return true;
    }
    auto* entry = new TaskListEntry;
    entry->task = task;
    task->m_entry = entry;
    if (!g_head) {
        g_head = entry;
        return true;
    }
    TaskListEntry* last = g_head;
    while (last->next) {
        last = last->next;
    }
    last->next = entry;
    entry->prev = last;
    return true;
}

void CTaskMgr::RemoveTask(CTask* task)
{
    if (!task || !task->m_entry) {
        return;
    }
    TaskListEntry* entry = task->m_entry;
    task->m_entry = nullptr;
    entry->task = nullptr;
    if (g_tickDepth > 0) {
        // A tick is walking the list, perhaps standing on this very entry.
        g_haveDead = true;
    } else {
        Unlink(entry);
    }
    task->OnStop();
}

void CTaskMgr::Tick()
{
    ++g_tickDepth;
    for (TaskListEntry* e = g_head; e; e = e->next) {
        if (e->task && !e->task->suspended) {
            e->task->Run();
        }
    }
    if (--g_tickDepth == 0 && g_haveDead) {
        SweepDead();
    }
}

void CTaskMgr::Shutdown()
{
    // A task's OnStop may destroy other tasks: take the first live one each time.
    for (;;) {
        TaskListEntry* e = g_head;
        while (e && !e->task) {
            e = e->next;
        }
        if (!e) {
            break;
        }
        RemoveTask(e->task);
    }
    if (g_tickDepth == 0) {
        SweepDead();
    }
}

int32_t CTaskMgr::Count()
{
    int32_t n = 0;
    for (TaskListEntry* e = g_head; e; e = e->next) {
        if (e->task) {
            ++n;
        }
    }
    return n;
}
