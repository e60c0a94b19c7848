// Writes through a null pointer. Under Wine a crash must end a test with a failure status: with
// Wine's crash debugger enabled, a crashing program sometimes ended with 0 and its test passed.
int main() {
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}
