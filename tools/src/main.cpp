#include "App.h"

int main(int argc, char** argv) {
    return talveron::admin::run(argc, argv);
}
