#include "startup.h"

int main(int argc, char** argv) {
    return runTarvel(argc, argv);
}
