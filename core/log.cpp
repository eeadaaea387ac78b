#include "core/log.h"

#include <cstring>

#include "core/data_file.h"

namespace {

uint16_t g_depth = 0;
// Set until LogOpen, during each write, and after LogStop.
bool g_busy = true;

}  // namespace

bool LogOpen()
{
    DeleteDataFile(LogFileName);
    g_depth = 0;
    g_busy = false;
    return true;
}

void LogWrite(const char* text)
{
    if (g_busy)
        return;
    g_busy = true;
    FILE* stream = OpenDataFile(LogFileName, DataFileAppend);
    if (!stream) {
        g_busy = false;
        return;
    }
    for (uint16_t i = 0; i < g_depth; ++i)
        std::fputc('\t', stream);
    if (text)
        std::fwrite(text, 1, std::strlen(text), stream);
    std::fwrite(" \r\n", 1, 3, stream);
    std::fclose(stream);
    g_busy = false;
}

void LogStop()
{
    g_busy = true;
}

uint16_t LogDepth()
{
    return g_depth;
}

void LogEnter()
{
    ++g_depth;
}

void LogLeave()
{
    if (g_depth > 0)
        --g_depth;
}
