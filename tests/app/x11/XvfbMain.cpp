#include "support/XvfbMain.h"

int main(int argc, char** argv) { return morvek::test::RunTestsUnderXvfb(argc, argv); }
