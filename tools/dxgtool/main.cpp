// tools/dxgtool/main.cpp — entry of dxgtool (being written).
int main() { return 1; }
