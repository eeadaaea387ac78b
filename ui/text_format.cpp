#include "ui/text_format.h"

const char* DifficultyKey(int64_t difficulty, const char* other)
{
    static const char* const kKeys[] = {"Easy", "Normal", "Hard", "Expert"};
    return difficulty >= 0 && difficulty < 4 ? kKeys[difficulty] : other;
}
