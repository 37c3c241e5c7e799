#include "editor/Application.h"

int main(int argc, char* argv[])
{
    return RunQuarnEditor(argc, argv);
}
