#pragma once
// Puts the battle AI in charge of the computer sides, and of what the turn
// modes of a side played by hand ask of the AI, when the battle AI is part
// of the program; false (and the built-in player stays) when it is not.

bool UseBattleAi();
