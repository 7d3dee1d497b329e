#include "app/StartUp.h"

int main(int argc, char** argv) { return morvek::app::RunApplication(argc, argv); }
