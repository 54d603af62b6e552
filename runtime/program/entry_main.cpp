// The process entry of every user program: the runtime owns the process from here on.
#include "zorvane/program.h"

int main(int argc, char** argv) {
    RuntimeMain(argc, argv);
}
