// tools/make-assets/main.cpp — entry of make-assets (being written).
int main() { return 1; }
