// The game program. It reads no command line: the platform layer takes its
// few settings from the environment.

#include "app/application.h"
#include "platform/platform.h"

int main()
{
    int result = WinMain(1);
    PlatformClose();
    return result;
}
