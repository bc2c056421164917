// The program's entry point: the one application object and the platform's
// main routine over the program's resources.

#include "TARNEX.h"
#include "TarnexResources.h"

CTARNEXApp theApp;

int main(int argc, char* argv[]) {
    platform::res::RegisterResourceModule(&TarnexResources());
    return AfxWinMain(argc, argv);
}
