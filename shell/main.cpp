// shell/main.cpp — program entry (being written).
int main() { return 1; }
