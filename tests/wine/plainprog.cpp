// A program without resources: the tests write icon groups into copies of it.
int main() { return 0; }
