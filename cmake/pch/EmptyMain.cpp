// Nothing but a main: the target exists to build its precompiled header.
int main() { return 0; }
