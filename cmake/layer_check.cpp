// The program each core library is linked whole into, on its own with the
// libraries below it (cmake/core_layers.cmake): it only has to link.
int main() {
    return 0;
}
