#include "shell/Vantrel.h"

int main(int argc, char** argv) { return vantrel::VantrelMain(argc, argv); }
