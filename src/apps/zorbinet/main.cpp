#include "apps/zorbinet/gameapp.h"

int main(int argc, char** argv) {
    return zb::runGame(argc, argv);
}
