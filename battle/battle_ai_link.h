#pragma once
// Puts the battle AI in charge of the computer sides, and of what the turn
// modes of a side played by hand ask of the AI (one squad's play, the siege
// engines' aim, standing orders carried out by its tactics).

bool UseBattleAi();
