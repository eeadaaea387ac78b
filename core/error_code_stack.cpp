#include "core/error_code_stack.h"

namespace {

uint32_t g_codes[ErrorCodeStackSize] = {};
int32_t g_count = 0;
QuitRequestHandler g_quitHandler = nullptr;

}  // namespace

bool ResetErrorCodes()
{
    g_count = 0;
    return true;
}

uint32_t PushErrorCode(uint32_t code)
{
    if (g_count >= ErrorCodeStackSize)
        g_count = ErrorCodeStackSize - 1;
    g_codes[g_count++] = code;
    if (IsQuitRequestCode(code) && g_quitHandler)
        g_quitHandler();
    return code;
}

uint32_t PopErrorCode()
{
    if (g_count <= 0)
        return 0;
    return g_codes[--g_count];
}

int32_t ErrorCodeCount()
{
    return g_count;
}

void SetQuitRequestHandler(QuitRequestHandler handler)
{
    g_quitHandler = handler;
}
