// tools/sim/main.cpp — entry of sim (being written).
int main() { return 1; }
