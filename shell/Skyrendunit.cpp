// shell/Skyrendunit.cpp — the game unit (being written).
