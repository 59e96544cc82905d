// tarvena-cli: the headless tool for batch work and tests.
#include <cstring>
#include <iostream>

int main(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "tarvena-cli " << TARVENA_VERSION << "\n";
        return 0;
    }
    std::cerr << "usage: tarvena-cli --version\n";
    return 2;
}
